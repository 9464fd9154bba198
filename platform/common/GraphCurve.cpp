#include "platform/common/GraphCurve.h"

#include <utility>

namespace {

ORLOCurveFactory& CurveFactory() {
  static auto& factory = *new ORLOCurveFactory;  // lives until the process ends
  return factory;
}

}  // namespace

void ORLORegisterCurveFactory(ORLOCurveFactory factory) { CurveFactory() = std::move(factory); }

CGraphCurvePtr::CGraphCurvePtr(const CGraphCurvePtr& other) : curve_(other.curve_) {
  if (curve_ != nullptr) curve_->AddRef();
}

CGraphCurvePtr& CGraphCurvePtr::operator=(const CGraphCurvePtr& other) {
  IGraphCurve* previous = curve_;
  curve_ = other.curve_;
  if (curve_ != nullptr) curve_->AddRef();
  if (previous != nullptr) previous->Release();
  return *this;
}

CGraphCurvePtr::~CGraphCurvePtr() {
  if (curve_ != nullptr) curve_->Release();
}

bool CGraphCurvePtr::CreateAndRef() {
  *this = CGraphCurvePtr();
  if (CurveFactory()) curve_ = CurveFactory()();
  return curve_ != nullptr;
}
