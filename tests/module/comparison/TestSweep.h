// TestSweep: a SweepData built from frequencies and dB magnitudes for the comparison tests,
// allocated like the graph plug-in does and freed with FreeSweepData when it goes.
#pragma once

#include "module/comparison/SweepData.h"

#include <cstddef>
#include <vector>

class TestSweep {
 public:
  TestSweep(const std::vector<float>& frequencies, const std::vector<float>& magnitudes) {
    AllocateSweepPoints(data_, static_cast<int>(frequencies.size()));
    for (std::size_t i = 0; i < frequencies.size(); ++i) {
      data_.points[i].frequency = frequencies[i];
      data_.points[i].values[kMagnitudeIndex] = magnitudes[i];
    }
  }
  ~TestSweep() { FreeSweepData(data_); }
  TestSweep(const TestSweep&) = delete;
  TestSweep& operator=(const TestSweep&) = delete;

  const SweepData& get() const { return data_; }
  SweepData& get() { return data_; }

 private:
  SweepData data_;
};
