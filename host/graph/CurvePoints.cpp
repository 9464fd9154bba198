#include "host/graph/CurvePoints.h"

#include "platform/common/DecimalLog.h"

#include <algorithm>
#include <bit>
#include <cstdint>

namespace orlo::host {

namespace {

bool IsSingle(double value) { return static_cast<double>(static_cast<float>(value)) == value; }

}  // namespace

CurvePoints CurvePoints::Prefix(size_t count) const {
  CurvePoints prefix;
  prefix.storage_ = storage_;
  prefix.size_ = std::min(count, size_);
  return prefix;
}

void CurvePoints::Follow(SweepPoints sweep) {
  storage_ = std::make_shared<Storage>();
  size_ = 0;
  storage_->sweep = std::move(sweep);
}

bool CurvePoints::Redraws(const SweepPoints& sweep, size_t index, const CurvePoint& point) {
  if (index >= sweep.size()) return false;
  const MeasuredPoint measured = sweep[index];
  const auto sameBits = [](double given, float value) {
    return std::bit_cast<std::uint64_t>(given) == std::bit_cast<std::uint64_t>(static_cast<double>(value));
  };
  return sameBits(point.x, measured.frequency) &&
         sameBits(point.y, MagnitudeToDecibel(measured.magnitudeRatio));
}

CurvePoints::Storage& CurvePoints::Own() {
  if (!storage_) {
    storage_ = std::make_shared<Storage>();
  } else if (storage_->size() != size_) {
    // A container sharing these points has added to them (or this one is a prefix).
    auto own = std::make_shared<Storage>();
    const Storage& shared = *storage_;
    if (!shared.doubles.empty()) {
      own->doubles.assign(shared.doubles.begin(), shared.doubles.begin() + size_);
    } else if (!shared.singles.empty()) {
      own->singles.assign(shared.singles.begin(), shared.singles.begin() + size_);
    } else {
      own->sweep = shared.sweep;
      own->redrawn = size_;
    }
    storage_ = std::move(own);
  }
  return *storage_;
}

// Moves the points held as a redrawn sweep, or as floats, to `moved`.
template <typename Point>
void CurvePoints::MoveTo(std::vector<Point>& moved) {
  Storage& storage = *storage_;
  std::vector<Point> points;
  points.reserve(size_ + 1);
  for (size_t i = 0; i < size_; ++i) {
    const CurvePoint point = (*this)[i];
    points.push_back({static_cast<decltype(Point::x)>(point.x), static_cast<decltype(Point::y)>(point.y)});
  }
  storage.sweep = {};
  storage.redrawn = 0;
  storage.singles = {};
  moved = std::move(points);
}

void CurvePoints::push_back(const CurvePoint& point) {
  Storage& storage = Own();
  const bool following = !storage.sweep.empty();
  if (following && Redraws(storage.sweep, size_, point)) {
    ++storage.redrawn;
  } else if (storage.doubles.empty() && IsSingle(point.x) && IsSingle(point.y)) {
    if (following) MoveTo(storage.singles);
    storage.singles.push_back({static_cast<float>(point.x), static_cast<float>(point.y)});
  } else {
    if (storage.doubles.empty()) MoveTo(storage.doubles);
    storage.doubles.push_back(point);
  }
  ++size_;
}

// Keeps the room of points it alone holds, for the next drawing of the curve.
void CurvePoints::clear() {
  if (storage_ && storage_.use_count() == 1) {
    storage_->sweep = {};
    storage_->redrawn = 0;
    storage_->singles.clear();
    storage_->doubles.clear();
  } else {
    storage_.reset();
  }
  size_ = 0;
}

CurvePoint CurvePoints::operator[](size_t index) const {
  const Storage& storage = *storage_;
  if (!storage.doubles.empty()) return storage.doubles[index];
  if (!storage.singles.empty()) return {storage.singles[index].x, storage.singles[index].y};
  const MeasuredPoint measured = storage.sweep[index];
  return {measured.frequency, MagnitudeToDecibel(measured.magnitudeRatio)};
}

bool CurvePoints::operator==(const CurvePoints& other) const {
  return std::equal(begin(), end(), other.begin(), other.end());
}

}  // namespace orlo::host
