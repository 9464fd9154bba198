// SweepPoints: the points of one sweep, in the order given; MeasuredPoint: one of them.
//
// The phases of one measurement are nearly always taken on the same frequency grid, so the
// frequencies live in an immutable array that several sweeps can share (ShareFrequencies);
// each sweep has its magnitudes and phases, 8 bytes a point. Neither array ever changes, so
// a copy shares both (a curve redrawing the sweep keeps one). Points are read by value: the
// container holds no MeasuredPoint objects to refer to, and it cannot be changed point by
// point (build a new one instead).
#pragma once

#include "platform/common/IndexIterator.h"

#include <cstddef>
#include <memory>
#include <vector>

namespace orlo::host {

struct MeasuredPoint {
  float frequency = 0.0f;       // Hz
  float magnitudeRatio = 0.0f;  // linear, not dB
  float phaseDegrees = 0.0f;
  bool operator==(const MeasuredPoint&) const = default;
};

class SweepPoints {
 public:
  // What was measured at one frequency.
  struct Reading {
    float magnitudeRatio = 0.0f;
    float phaseDegrees = 0.0f;
  };

  using const_iterator = IndexIterator<SweepPoints, MeasuredPoint>;

  SweepPoints() = default;
  // The points as listed; implicit, as a list of points is what this holds.
  SweepPoints(const std::vector<MeasuredPoint>& points);
  // The points (frequencies[i], readings[i]); both have the same length.
  SweepPoints(std::vector<float> frequencies, std::vector<Reading> readings);

  size_t size() const { return readings_ ? readings_->size() : 0; }
  bool empty() const { return size() == 0; }
  MeasuredPoint operator[](size_t index) const {
    const Reading& reading = (*readings_)[index];
    return {(*frequencies_)[index], reading.magnitudeRatio, reading.phaseDegrees};
  }
  MeasuredPoint front() const { return (*this)[0]; }
  MeasuredPoint back() const { return (*this)[size() - 1]; }
  const_iterator begin() const { return {this, 0}; }
  const_iterator end() const { return {this, size()}; }

  // Takes over `other`'s frequency array, letting go of its own, when the two hold bitwise
  // the same frequencies. Answers whether they share one array now.
  bool ShareFrequencies(const SweepPoints& other);
  // The frequency array (null while empty), which a curve drawn from the sweep can share.
  const std::shared_ptr<const std::vector<float>>& Frequencies() const { return frequencies_; }

 private:
  std::shared_ptr<const std::vector<float>> frequencies_;  // null while empty
  std::shared_ptr<const std::vector<Reading>> readings_;  // null while empty
};

}  // namespace orlo::host
