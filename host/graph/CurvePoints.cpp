#include "host/graph/CurvePoints.h"

#include <algorithm>

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

CurvePoints::Storage& CurvePoints::Own() {
  if (!storage_) {
    storage_ = std::make_shared<Storage>();
  } else if (storage_->singles.size() + storage_->doubles.size() != size_) {
    // A container sharing these points has added to them (or this one is a prefix).
    auto own = std::make_shared<Storage>();
    const Storage& shared = *storage_;
    if (shared.doubles.empty()) {
      own->singles.assign(shared.singles.begin(), shared.singles.begin() + size_);
    } else {
      own->doubles.assign(shared.doubles.begin(), shared.doubles.begin() + size_);
    }
    storage_ = std::move(own);
  }
  return *storage_;
}

void CurvePoints::push_back(const CurvePoint& point) {
  Storage& storage = Own();
  if (storage.doubles.empty() && IsSingle(point.x) && IsSingle(point.y)) {
    storage.singles.push_back({static_cast<float>(point.x), static_cast<float>(point.y)});
  } else {
    if (!storage.singles.empty()) {
      storage.doubles.reserve(storage.singles.size() + 1);
      for (const SinglePoint& single : storage.singles) storage.doubles.push_back({single.x, single.y});
      storage.singles = {};
    }
    storage.doubles.push_back(point);
  }
  ++size_;
}

// Keeps the room of points it alone holds, for the next drawing of the curve.
void CurvePoints::clear() {
  if (storage_ && storage_.use_count() == 1) {
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
  return {storage.singles[index].x, storage.singles[index].y};
}

bool CurvePoints::operator==(const CurvePoints& other) const {
  return std::equal(begin(), end(), other.begin(), other.end());
}

}  // namespace orlo::host
