// ResultSpool: the entries of a run, kept in an unnamed temporary file rather than in
// memory, so that the memory of `orlo screen` does not grow with the number of sets.
// Entries are put by index in any order and read back by index; the file goes with the
// object (and with the process, however it ends).
#pragma once

#include <cstdio>
#include <stdexcept>
#include <string>
#include <vector>

namespace orlo::host {

class ResultSpool {
 public:
  // Room for entries 0 .. count-1. Throws std::runtime_error when no temporary file can be
  // made.
  explicit ResultSpool(size_t count);
  ResultSpool(const ResultSpool&) = delete;
  ResultSpool& operator=(const ResultSpool&) = delete;
  ~ResultSpool();

  // Both throw std::runtime_error when the file cannot be written or read.
  void Put(size_t index, const std::string& text);
  // The text put under `index` (empty when none was).
  std::string Get(size_t index) const;

 private:
  struct Place {
    long offset = 0;
    size_t size = 0;
  };
  std::FILE* file_;
  std::vector<Place> places_;
};

}  // namespace orlo::host
