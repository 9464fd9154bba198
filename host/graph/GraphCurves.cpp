#include "host/graph/GraphCurves.h"

#include <algorithm>

namespace orlo::host {

void CHostCurve::AddRef() { ++references_; }

void CHostCurve::AddPoint(double x, double y) {
  if (points_.empty() && set_ != nullptr && set_->sweepLookup_) {
    if (SweepPoints sweep = set_->sweepLookup_({x, y}); !sweep.empty()) points_.Follow(std::move(sweep));
  }
  points_.push_back({x, y});
}

void CHostCurve::Release() {
  if (--references_ > 0) return;
  if (set_ != nullptr) set_->Forget(this);
  delete this;
}

CCurveSet::CCurveSet() {
  ORLORegisterCurveFactory([this]() -> IGraphCurve* { return Create(); });
}

CCurveSet::~CCurveSet() {
  ORLORegisterCurveFactory(nullptr);
  for (CHostCurve* curve : curves_) curve->set_ = nullptr;
}

CHostCurve* CCurveSet::Create() {
  curves_.push_back(new CHostCurve(this));
  return curves_.back();
}

void CCurveSet::Forget(CHostCurve* curve) { std::erase(curves_, curve); }

}  // namespace orlo::host
