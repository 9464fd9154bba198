// CurvePoints: the points of a drawn curve, in the order added; CurvePoint: one of them.
//
// Curves drawn from sweeps have single-precision coordinates (frequencies and decibels).
// While every coordinate is exact in single precision the points are kept as floats, in
// half the memory of doubles; the first point that is not moves them all to doubles. An
// empty container can also be told the sweep its points are likely to redraw (Follow):
// while they are that sweep's points in dB, nothing is kept per point, and they are read
// back from the sweep; the first point that departs moves all to floats or doubles. Either
// way every point reads back as exactly the doubles it was given (NaN as NaN). Points are
// read by value: the container holds no CurvePoint objects to refer to.
//
// A copy shares the points it copies (a snapshot of a million-point curve costs nothing).
// Shared points are only ever added to, never changed: a container adds in place while the
// points it sees are all there are, and otherwise first takes its own copy of them; one
// that is cleared lets go of shared points. Not thread-safe: copies of one container are
// made and changed by one thread.
#pragma once

#include "host/sweeps/SweepPoints.h"
#include "platform/common/IndexIterator.h"

#include <cstddef>
#include <memory>
#include <vector>

namespace orlo::host {

struct CurvePoint {
  double x = 0.0;
  double y = 0.0;
  bool operator==(const CurvePoint&) const = default;
};

class CurvePoints {
 public:
  using const_iterator = IndexIterator<CurvePoints, CurvePoint>;

  CurvePoints() = default;
  template <typename Iterator>
  CurvePoints(Iterator first, Iterator last) {
    for (; first != last; ++first) push_back(*first);
  }

  // The first `count` points (at most size()), sharing them.
  CurvePoints Prefix(size_t count) const;

  // Empties the container and expects its points to redraw `sweep`; clear() forgets it.
  void Follow(SweepPoints sweep);
  // Whether `point` is point `index` of `sweep` redrawn: its frequency and its magnitude
  // in dB (MagnitudeToDecibel), bit for bit.
  static bool Redraws(const SweepPoints& sweep, size_t index, const CurvePoint& point);

  void push_back(const CurvePoint& point);
  void clear();

  size_t size() const { return size_; }
  bool empty() const { return size() == 0; }
  CurvePoint operator[](size_t index) const;
  CurvePoint front() const { return (*this)[0]; }
  CurvePoint back() const { return (*this)[size() - 1]; }
  const_iterator begin() const { return {this, 0}; }
  const_iterator end() const { return {this, size()}; }

  bool operator==(const CurvePoints& other) const;

 private:
  struct SinglePoint {
    float x;
    float y;
  };
  // Holds the points in one of three ways: as the first `redrawn` points of `sweep`, then
  // in floats, then in doubles. Only one way is in use; `sweep` is empty but in the first.
  struct Storage {
    SweepPoints sweep;
    size_t redrawn = 0;
    std::vector<SinglePoint> singles;  // all points while they are exact in floats
    std::vector<CurvePoint> doubles;   // all points after that
    size_t size() const { return redrawn + singles.size() + doubles.size(); }
  };

  // The storage to add to, holding exactly this container's points.
  Storage& Own();
  template <typename Point>
  void MoveTo(std::vector<Point>& moved);

  std::shared_ptr<Storage> storage_;  // null while empty; may hold more than size_ points
  size_t size_ = 0;
};

}  // namespace orlo::host
