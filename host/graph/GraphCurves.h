// CHostCurve and CCurveSet: the graph plug-in's curve objects (IGraphCurve).
//
// A CHostCurve is reference counted: it is made with one reference for its creator and
// deletes itself when the last holder releases it. While it lives it is listed by the
// CCurveSet that made it, in creation order; a curve released by all holders is gone from
// the drawing. A new curve has no name and no points, colour 0, width 1 and graph type 0.
//
// CCurveSet registers the process's curve factory (ORLORegisterCurveFactory) for its
// lifetime and unregisters it when destroyed. Curves still held then stay valid for their
// holders but are no longer listed anywhere.
#pragma once

#include "host/graph/CurvePoints.h"
#include "platform/common/GraphCurve.h"

#include <functional>
#include <string>
#include <vector>

namespace orlo::host {

class CCurveSet;

class CHostCurve final : public IGraphCurve {
 public:
  void AddRef() override;
  void Release() override;
  void SetName(const std::wstring& name) override { name_ = name; }
  void SetWidth(int width) override { width_ = width; }
  void SetGraphType(int graphType) override { graphType_ = graphType; }
  void AddPoint(double x, double y) override;
  void ClearPoints() override { points_.clear(); }
  void SetColor(COLORREF colour) override { colour_ = colour; }
  void Refresh() override { ++refreshCount_; }

  const std::wstring& Name() const { return name_; }
  int Width() const { return width_; }
  int GraphType() const { return graphType_; }
  COLORREF Colour() const { return colour_; }
  const CurvePoints& Points() const { return points_; }
  int RefreshCount() const { return refreshCount_; }
  int References() const { return references_; }

 private:
  friend class CCurveSet;
  explicit CHostCurve(CCurveSet* set) : set_(set) {}
  ~CHostCurve() override = default;

  CCurveSet* set_;  // null once the set is gone
  int references_ = 1;
  std::wstring name_;
  int width_ = 1;
  int graphType_ = 0;
  COLORREF colour_ = 0;
  CurvePoints points_;
  int refreshCount_ = 0;
};

class CCurveSet {
 public:
  CCurveSet();
  CCurveSet(const CCurveSet&) = delete;
  CCurveSet& operator=(const CCurveSet&) = delete;
  ~CCurveSet();

  // A new curve carrying one reference for the caller (what the factory answers).
  CHostCurve* Create();
  // The sweep a curve that starts with point `first` is likely to redraw (a loaded sweep
  // whose first point that is), or an empty one; the curve keeps nothing per point while
  // it does (CurvePoints::Follow).
  using SweepLookup = std::function<SweepPoints(const CurvePoint& first)>;
  void SetSweepLookup(SweepLookup lookup) { sweepLookup_ = std::move(lookup); }
  // The live curves in creation order.
  const std::vector<CHostCurve*>& Curves() const { return curves_; }

 private:
  friend class CHostCurve;
  void Forget(CHostCurve* curve);

  std::vector<CHostCurve*> curves_;
  SweepLookup sweepLookup_;
};

}  // namespace orlo::host
