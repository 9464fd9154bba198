// IGraphCurve, a curve object of the graph plug-in, and CGraphCurvePtr, its holder.
//
// Curves are reference counted. CGraphCurvePtr holds at most one reference:
// CreateAndRef asks the registered curve factory for a new curve (the holder stays empty
// when no graph plug-in registered one), copying shares the curve, assigning an empty
// holder or destroying the holder releases it.
#pragma once

#include "platform/win/WinTypes.h"

#include <functional>
#include <string>

class IGraphCurve {
 public:
  virtual void AddRef() = 0;
  virtual void Release() = 0;
  virtual void SetName(const std::wstring& name) = 0;
  virtual void SetWidth(int width) = 0;
  virtual void SetGraphType(int graphType) = 0;
  virtual void AddPoint(double x, double y) = 0;
  virtual void ClearPoints() = 0;
  virtual void SetColor(COLORREF colour) = 0;
  virtual void Refresh() = 0;

 protected:
  virtual ~IGraphCurve() = default;
};

// The factory answers a new curve carrying one reference for the caller, or null.
using ORLOCurveFactory = std::function<IGraphCurve*()>;
void ORLORegisterCurveFactory(ORLOCurveFactory factory);

class CGraphCurvePtr {
 public:
  CGraphCurvePtr() = default;
  CGraphCurvePtr(const CGraphCurvePtr& other);
  CGraphCurvePtr& operator=(const CGraphCurvePtr& other);
  ~CGraphCurvePtr();

  // Replaces the held curve by a new one; answers whether the holder now holds a curve.
  bool CreateAndRef();
  IGraphCurve* operator->() const { return curve_; }
  operator IGraphCurve*() const { return curve_; }
  IGraphCurve* Get() const { return curve_; }

 private:
  IGraphCurve* curve_ = nullptr;
};
