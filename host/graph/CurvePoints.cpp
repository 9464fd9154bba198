#include "host/graph/CurvePoints.h"

#include <algorithm>

namespace orlo::host {

namespace {

bool IsSingle(double value) { return static_cast<double>(static_cast<float>(value)) == value; }

}  // namespace

void CurvePoints::push_back(const CurvePoint& point) {
  if (doubles_.empty() && IsSingle(point.x) && IsSingle(point.y)) {
    singles_.push_back({static_cast<float>(point.x), static_cast<float>(point.y)});
    return;
  }
  if (!singles_.empty()) {
    doubles_.assign(begin(), end());
    singles_ = {};
  }
  doubles_.push_back(point);
}

void CurvePoints::clear() {
  singles_.clear();
  doubles_.clear();
}

CurvePoint CurvePoints::operator[](size_t index) const {
  if (!doubles_.empty()) return doubles_[index];
  return {singles_[index].x, singles_[index].y};
}

bool CurvePoints::operator==(const CurvePoints& other) const {
  return std::equal(begin(), end(), other.begin(), other.end());
}

}  // namespace orlo::host
