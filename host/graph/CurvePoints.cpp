#include "host/graph/CurvePoints.h"

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

// Room for a y value per x value at once: a curve that follows them to the end never grows.
void CurvePoints::Follow(std::shared_ptr<const std::vector<float>> xs) {
  storage_ = std::make_shared<Storage>();
  size_ = 0;
  if (xs != nullptr) storage_->ys.reserve(xs->size());
  storage_->xs = std::move(xs);
}

CurvePoints::Storage& CurvePoints::Own() {
  if (!storage_) {
    storage_ = std::make_shared<Storage>();
  } else if (storage_->size() != size_) {
    // A container sharing these points has added to them (or this one is a prefix).
    auto own = std::make_shared<Storage>();
    const Storage& shared = *storage_;
    own->xs = shared.xs;
    if (!shared.doubles.empty()) {
      own->doubles.assign(shared.doubles.begin(), shared.doubles.begin() + size_);
    } else if (!shared.singles.empty()) {
      own->singles.assign(shared.singles.begin(), shared.singles.begin() + size_);
    } else {
      own->ys.assign(shared.ys.begin(), shared.ys.begin() + size_);
    }
    storage_ = std::move(own);
  }
  return *storage_;
}

// Moves the points held as y values of followed x values, or as floats, to `moved`.
template <typename Point>
void CurvePoints::MoveTo(std::vector<Point>& moved) {
  Storage& storage = *storage_;
  std::vector<Point> points;
  points.reserve(size_ + 1);
  for (size_t i = 0; i < size_; ++i) {
    const CurvePoint point = (*this)[i];
    points.push_back({static_cast<decltype(Point::x)>(point.x), static_cast<decltype(Point::y)>(point.y)});
  }
  storage.xs.reset();
  storage.ys = {};
  storage.singles = {};
  moved = std::move(points);
}

void CurvePoints::push_back(const CurvePoint& point) {
  Storage& storage = Own();
  const bool single = IsSingle(point.x) && IsSingle(point.y);
  if (storage.xs != nullptr && single && size_ < storage.xs->size() &&
      std::bit_cast<std::uint32_t>(static_cast<float>(point.x)) ==
          std::bit_cast<std::uint32_t>((*storage.xs)[size_])) {
    storage.ys.push_back(static_cast<float>(point.y));
  } else if (storage.doubles.empty() && single) {
    if (storage.xs != nullptr) MoveTo(storage.singles);
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
    storage_->xs.reset();
    storage_->ys.clear();
    storage_->singles.clear();
    storage_->doubles.clear();
  } else {
    storage_.reset();
  }
  size_ = 0;
}

CurvePoint CurvePoints::operator[](size_t index) const {
  const Storage& storage = *storage_;
  if (storage.xs != nullptr) return {(*storage.xs)[index], storage.ys[index]};
  if (!storage.doubles.empty()) return storage.doubles[index];
  return {storage.singles[index].x, storage.singles[index].y};
}

bool CurvePoints::operator==(const CurvePoints& other) const {
  return std::equal(begin(), end(), other.begin(), other.end());
}

}  // namespace orlo::host
