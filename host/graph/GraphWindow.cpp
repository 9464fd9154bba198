#include "host/graph/GraphWindow.h"

#include "host/graph/GraphPlugin.h"

#include <algorithm>
#include <cstring>

namespace orlo::host {

namespace {

// "GRAPH_AddXYCurve" mode of a point drawn at once; any other mode waits for the repaint.
constexpr int kDrawAtOnce = 0;

template <typename T>
void* NewBlock(const T& value) {
  auto* block = new unsigned char[sizeof(T)];
  std::memcpy(block, &value, sizeof(T));
  return block;
}

template <typename T>
void ReadBlock(const void* block, T& value) {
  if (block != nullptr) std::memcpy(&value, block, sizeof(T));
}

}  // namespace

CGraphWindow::CGraphWindow(int number, std::function<void(CGraphWindow*)> onDestroyed)
    : number_(number), onDestroyed_(std::move(onDestroyed)) {
  OnCommand("GRAPH_SetGraphType", [this](void* p) { graphType_ = *static_cast<int*>(p); });
  OnCommand("GRAPH_SetAxisLabel",
            [this](void* p) { axisLabel_ = *static_cast<tagAXISLABEL*>(p); });
  OnCommand("GRAPH_SetCursorLabel",
            [this](void* p) { cursorLabel_ = *static_cast<tagAXISLABEL*>(p); });
  OnCommand("GRAPH_GetAxisData", [this](void* p) { GetAxisData(*static_cast<tagAXISDATA*>(p)); });
  OnCommand("GRAPH_SetAxisData", [this](void* p) { SetAxisData(*static_cast<tagAXISDATA*>(p)); });
  OnCommand("GRAPH_AddRange", [this](void* p) { AddRange(*static_cast<tagRANGE*>(p)); });
  OnCommand("GRAPH_DelRange", [this](void* p) { DeleteRange(*static_cast<tagRANGE*>(p)); });
  OnCommand("GRAPH_ClearCurve", [this](void* p) {
    if (XYCurve* curve = Curve(*static_cast<std::wstring*>(p))) {
      curve->points.clear();
      curve->drawn = 0;
    }
  });
  OnCommand("GRAPH_DeleteCurve", [this](void* p) {
    const auto& id = *static_cast<std::wstring*>(p);
    std::erase_if(curves_, [&](const XYCurve& curve) { return curve.id == id; });
  });
  On("GRAPH_AddXYCurve", [this](IORLODataItem& item) {
    const auto* sent = dynamic_cast<const CORLODataItem*>(&item);
    if (const auto* point = static_cast<const tagXYPOINT*>(item.GetData())) {
      AddPoint(*point, sent != nullptr ? sent->Mode() : kDrawAtOnce);
    }
  });
  OnCommand("GRAPH_ShowDialogs", [this](void* p) { showDialogs_ = *static_cast<int*>(p) != 0; });
  OnCommand("GRAPH_ShowErrorCurve",
            [this](void* p) { showErrorCurve_ = *static_cast<int*>(p) != 0; });
  OnQuery("GRAPH_AllocCurve", [this](IORLODataItem&) {
    XYCurve curve;
    curve.id = NewId('C', curveCounter_);
    curve.colour = SweepPalette(static_cast<size_t>(curveCounter_ - 1));
    curves_.push_back(std::move(curve));
    return curves_.back().id;
  });
}

CGraphWindow::~CGraphWindow() {
  if (onDestroyed_) onDestroyed_(this);
}

void CGraphWindow::OnCommand(const std::string& name, std::function<void(void*)> handler) {
  On(name, [handler = std::move(handler)](IORLODataItem& item) {
    if (void* payload = item.GetData()) handler(payload);
  });
}

const XYCurve* CGraphWindow::FindCurve(const std::wstring& id) const {
  const auto found =
      std::find_if(curves_.begin(), curves_.end(), [&](const XYCurve& c) { return c.id == id; });
  return found == curves_.end() ? nullptr : &*found;
}

void CGraphWindow::AddPoint(const tagXYPOINT& point, int mode) {
  XYCurve* curve = Curve(point.curveId);
  if (curve == nullptr) return;
  curve->points.push_back({point.x, point.y});
  if (mode == kDrawAtOnce) curve->drawn = curve->points.size();
}

void CGraphWindow::Repaint() {
  for (XYCurve& curve : curves_) curve.drawn = curve.points.size();
}

std::optional<std::pair<float, float>> CGraphWindow::FixedValueRange() const {
  if (axis_.yAutoScale != 0) return std::nullopt;
  return std::make_pair(axis_.yMin, axis_.yMax);
}

XYCurve* CGraphWindow::Curve(const std::wstring& id) {
  return const_cast<XYCurve*>(FindCurve(id));
}

std::wstring CGraphWindow::NewId(char kind, int& counter) const {
  return L"G" + std::to_wstring(number_) + L"." + static_cast<wchar_t>(kind) +
         std::to_wstring(++counter);
}

void CGraphWindow::GetAxisData(tagAXISDATA& data) const {
  data.field = axis_.field;
  data.blocks[0] = NewBlock(axis_.xFlags);
  data.blocks[1] = NewBlock(axis_.yAutoScale);
  data.blocks[2] = NewBlock(axis_.xMin);
  data.blocks[3] = NewBlock(axis_.yMin);
  data.blocks[4] = NewBlock(axis_.yMax);
  data.blocks[5] = NewBlock(axis_.xMax);
  for (int i = 0; i < 5; ++i) data.blocks[6 + i] = NewBlock(axis_.reserved[i]);
}

void CGraphWindow::SetAxisData(const tagAXISDATA& data) {
  axis_.field = data.field;
  ReadBlock(data.blocks[0], axis_.xFlags);
  ReadBlock(data.blocks[1], axis_.yAutoScale);
  ReadBlock(data.blocks[2], axis_.xMin);
  ReadBlock(data.blocks[3], axis_.yMin);
  ReadBlock(data.blocks[4], axis_.yMax);
  ReadBlock(data.blocks[5], axis_.xMax);
  for (int i = 0; i < 5; ++i) ReadBlock(data.blocks[6 + i], axis_.reserved[i]);
}

void CGraphWindow::AddRange(tagRANGE& range) {
  range.id = NewId('R', rangeCounter_);
  ranges_.push_back(range);
}

// By id; a record without id removes the first range with its label and edges.
void CGraphWindow::DeleteRange(const tagRANGE& range) {
  const auto matches = [&](const tagRANGE& r) {
    if (!range.id.empty()) return r.id == range.id;
    return r.label == range.label && r.low == range.low && r.high == range.high;
  };
  const auto found = std::find_if(ranges_.begin(), ranges_.end(), matches);
  if (found != ranges_.end()) ranges_.erase(found);
}

}  // namespace orlo::host
