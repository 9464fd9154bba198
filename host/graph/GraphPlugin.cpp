#include "host/graph/GraphPlugin.h"

#include "host/sweeps/PointValues.h"
#include "module/comparison/SweepData.h"
#include "platform/common/Bus.h"
#include "platform/common/GuiItem.h"
#include "platform/common/Utf8.h"

#include <algorithm>
#include <array>
#include <iterator>

namespace orlo::host {

COLORREF SweepPalette(size_t index) {
  static constexpr std::array<COLORREF, 10> kPalette = {
      RGB(0, 0, 255),   RGB(0, 150, 0),   RGB(255, 0, 0),    RGB(255, 140, 0),
      RGB(128, 0, 192), RGB(0, 160, 160), RGB(160, 82, 45),  RGB(255, 0, 255),
      RGB(128, 128, 0), RGB(0, 0, 0)};
  return kPalette[index % kPalette.size()];
}

CGraphPlugin::CGraphPlugin(CWnd* parent) {
  client_.CreateClient(parent);
  client_.Subscribe();
  AnswerRequests();
  ORLORegisterGraphWindowFactory([this](CWnd* frame) { return MakeGraphWindow(frame); });
  // A curve that starts with a loaded sweep's first point in dB most likely redraws it.
  curves_.SetSweepLookup([this](const CurvePoint& first) {
    for (const LoadedSweep& loaded : sweeps_) {
      if (CurvePoints::Redraws(loaded.sweep.points, 0, first)) return loaded.sweep.points;
    }
    return SweepPoints();
  });
}

CGraphPlugin::~CGraphPlugin() {
  ORLORegisterGraphWindowFactory(nullptr);
  for (CGraphWindow* window : windows_) window->ForgetOwner();
}

std::unique_ptr<CWnd> CGraphPlugin::MakeGraphWindow(CWnd* frame) {
  auto window = std::make_unique<CGraphWindow>(
      ++windowCount_, [this](CGraphWindow* gone) { std::erase(windows_, gone); });
  if (!window->CreateClient(frame)) return nullptr;
  windows_.push_back(window.get());
  return window;
}

const CGraphWindow* CGraphPlugin::GraphWindowOf(HWND hwnd) const {
  for (const CGraphWindow* window : windows_) {
    if (hwnd != nullptr && window->m_hWnd == hwnd) return window;
  }
  return nullptr;
}

void CGraphPlugin::Answer(const std::string& name, std::function<void(void*)> handler) {
  client_.On(name, [handler = std::move(handler)](IORLODataItem& item) {
    if (void* payload = item.GetData()) handler(payload);
  });
}

void CGraphPlugin::AnswerRequests() {
  Answer("GRAPH_AppliedModels", [this](void* p) {
    auto& answer = *static_cast<tagAPPLIEDMODELS*>(p);
    if (models_.empty()) return;
    answer.count = static_cast<std::int32_t>(models_.size());
    answer.models = new AppliedModel*[models_.size()];
    for (size_t i = 0; i < models_.size(); ++i) answer.models[i] = models_[i].get();
  });
  Answer("GRAPH_AcquireRawData", [this](void* p) { AcquireRawData(*static_cast<SweepData*>(p)); });
  Answer("GRAPH_GetTranslatedSweepName", [](void* p) {
    auto& answer = *static_cast<tagSWEEPNAME*>(p);
    answer.translated = answer.name;
  });
  Answer("GRAPH_GetSweepColor", [this](void* p) {
    auto& answer = *static_cast<tagSWEEPCOLOR*>(p);
    if (const LoadedSweep* sweep = Find(answer.name)) answer.colour = sweep->colour;
  });
  Answer("GRAPH_GetSweepWidth", [this](void* p) {
    auto& answer = *static_cast<tagSWEEPWIDTH*>(p);
    if (const LoadedSweep* sweep = Find(answer.name)) answer.width = sweep->width;
  });
  Answer("GRAPH_GetDefaultWidth", [this](void* p) { *static_cast<int*>(p) = defaultWidth_; });
  Answer("GRAPH_GetVisibleSweeps", [this](void* p) {
    const auto names = VisibleSweeps();
    static_cast<SweepNameList*>(p)->assign(names.begin(), names.end());
  });
  Answer("GRAPH_GetSelectedSweeps", [this](void* p) {
    const auto names = SelectedSweeps();
    static_cast<SweepNameList*>(p)->assign(names.begin(), names.end());
  });
  Answer("GRAPH_MultiSelect", [this](void* p) { multiSelect_ = *static_cast<std::int32_t*>(p); });
  client_.On("GRAPH_Repaint", [this](IORLODataItem&) {
    ++repaints_;
    for (CGraphWindow* window : windows_) window->Repaint();
  });
}

// A fresh copy the requester frees: the point array and each value block with new[]. A
// request with its flag set (the comparison analyzers', which read magnitudes alone) gets
// what was measured, magnitude and phase, and zeros for the derived real and imaginary
// parts, at no cost in trigonometry; any other request gets them too, computed once per
// sweep, at the first such request.
void CGraphPlugin::AcquireRawData(SweepData& data) const {
  data.count = 0;
  data.points = nullptr;
  const LoadedSweep* sweep = Find(data.name);
  if (sweep == nullptr || sweep->sweep.points.empty()) return;
  const auto& points = sweep->sweep.points;
  auto& parts = sweep->complexParts;
  if (!data.flag && parts.empty()) {
    parts.reserve(points.size());
    for (const Sweep::Point& point : points) parts.push_back(ComplexParts(point));
  }
  data.points = new SweepPoint[points.size()];
  data.count = static_cast<std::int32_t>(points.size());
  const auto fill = [&](auto partsOf) {
    for (size_t i = 0; i < points.size(); ++i) {
      data.points[i].frequency = points[i].frequency;
      data.points[i].values = new float[kValueBlockSize];
      FillValueBlock(points[i], partsOf(i), data.points[i].values);
    }
  };
  if (data.flag) {
    fill([](size_t) { return std::array<float, 2>{}; });
  } else {
    fill([&](size_t i) { return parts[i]; });
  }
}

CGraphPlugin::LoadedSweep* CGraphPlugin::Find(const std::wstring& name) {
  const auto found = std::find_if(sweeps_.begin(), sweeps_.end(),
                                  [&](const LoadedSweep& s) { return s.name == name; });
  return found == sweeps_.end() ? nullptr : &*found;
}

const CGraphPlugin::LoadedSweep* CGraphPlugin::Find(const std::wstring& name) const {
  return const_cast<CGraphPlugin*>(this)->Find(name);
}

// Lets `points` share the frequency array of the first loaded sweep on the same grid.
void CGraphPlugin::ShareFrequencies(SweepPoints& points) const {
  for (const LoadedSweep& loaded : sweeps_) {
    if (points.ShareFrequencies(loaded.sweep.points)) return;
  }
}

bool CGraphPlugin::AddSweep(Sweep sweep) {
  std::wstring name = orlo::Utf8ToWide(sweep.name);
  if (Find(name) != nullptr) return false;
  ShareFrequencies(sweep.points);
  const auto visibleBefore = VisibleSweeps();
  const COLORREF colour = SweepPalette(sweeps_.size());
  sweeps_.push_back({std::move(name), std::move(sweep), colour, 1, {}});
  if (VisibleSweeps() != visibleBefore) ORLOSendMessage("GRAPH_VisibleCurveCount", nullptr);
  return true;
}

void CGraphPlugin::ReplaceSweeps(std::vector<Sweep> sweeps) {
  const bool wasVisible = !VisibleSweeps().empty();
  sweeps_.clear();
  visible_.reset();
  selected_.reset();
  if (wasVisible) ORLOSendMessage("GRAPH_VisibleCurveCount", nullptr);
  for (Sweep& sweep : sweeps) {
    std::wstring name = orlo::Utf8ToWide(sweep.name);
    if (Find(name) != nullptr) continue;
    ShareFrequencies(sweep.points);
    const COLORREF colour = SweepPalette(sweeps_.size());
    sweeps_.push_back({std::move(name), std::move(sweep), colour, 1, {}});
  }
  if (!sweeps_.empty()) ORLOSendMessage("GRAPH_VisibleCurveCount", nullptr);
}

const Sweep* CGraphPlugin::FindSweep(const std::wstring& name) const {
  const LoadedSweep* sweep = Find(name);
  return sweep == nullptr ? nullptr : &sweep->sweep;
}

std::vector<std::wstring> CGraphPlugin::SweepNames() const {
  std::vector<std::wstring> names;
  for (const LoadedSweep& sweep : sweeps_) names.push_back(sweep.name);
  return names;
}

bool CGraphPlugin::SetSweepPoints(const std::wstring& name, SweepPoints points) {
  LoadedSweep* sweep = Find(name);
  if (sweep == nullptr) return false;
  ShareFrequencies(points);
  sweep->sweep.points = std::move(points);
  sweep->complexParts.clear();
  AnnounceName("GRAPH_SweepValuesUpdated", name);
  return true;
}

bool CGraphPlugin::SetSweepColor(const std::wstring& name, COLORREF colour) {
  LoadedSweep* sweep = Find(name);
  if (sweep == nullptr) return false;
  if (sweep->colour != colour) {
    sweep->colour = colour;
    AnnounceName("GRAPH_SetSweepColor", name);
  }
  return true;
}

bool CGraphPlugin::SetSweepWidth(const std::wstring& name, int width) {
  LoadedSweep* sweep = Find(name);
  if (sweep == nullptr) return false;
  sweep->width = width;
  return true;
}

std::optional<COLORREF> CGraphPlugin::SweepColor(const std::wstring& name) const {
  const LoadedSweep* sweep = Find(name);
  return sweep == nullptr ? std::nullopt : std::optional<COLORREF>(sweep->colour);
}

std::optional<int> CGraphPlugin::SweepWidth(const std::wstring& name) const {
  const LoadedSweep* sweep = Find(name);
  return sweep == nullptr ? std::nullopt : std::optional<int>(sweep->width);
}

void CGraphPlugin::SetVisibleSweeps(std::vector<std::wstring> names) {
  const bool changed = names != VisibleSweeps();
  visible_ = std::move(names);
  if (changed) ORLOSendMessage("GRAPH_VisibleCurveCount", nullptr);
}

std::vector<std::wstring> CGraphPlugin::VisibleSweeps() const {
  return visible_ ? *visible_ : SweepNames();
}

void CGraphPlugin::SetSelectedSweeps(std::vector<std::wstring> names) {
  const bool changed = names != SelectedSweeps();
  selected_ = std::move(names);
  if (changed) ORLOSendMessage("GRAPH_SweepSelected", nullptr);
}

std::vector<std::wstring> CGraphPlugin::SelectedSweeps() const {
  if (selected_) return *selected_;
  std::vector<std::wstring> names = SweepNames();
  if (names.size() > 2) names.resize(2);
  return names;
}

bool CGraphPlugin::ClickSweep(const std::wstring& name, bool withCtrl) {
  if (Find(name) == nullptr) return false;
  std::vector<std::wstring> selection;
  if (withCtrl) {
    selection = SelectedSweeps();
    if (std::erase(selection, name) == 0) {
      selection.push_back(name);
      const size_t limit = static_cast<size_t>(std::max(multiSelect_, 0));
      if (limit > 0 && selection.size() > limit) {
        selection.erase(selection.begin(), selection.end() - static_cast<std::ptrdiff_t>(limit));
      }
    }
  } else {
    selection = {name};
  }
  SetSelectedSweeps(std::move(selection));
  return true;
}

bool CGraphPlugin::ApplyModel(std::unique_ptr<CHostModel> model) {
  if (model == nullptr) return false;
  for (const auto& applied : models_) {
    if (applied->GetName() == model->GetName()) return false;
  }
  models_.push_back(std::move(model));
  AnnounceModel("GRAPH_ApplyModel", models_.back().get());
  return true;
}

bool CGraphPlugin::RemoveModel(const std::wstring& name) {
  const auto found = std::find_if(models_.begin(), models_.end(),
                                  [&](const auto& model) { return model->GetName() == name; });
  if (found == models_.end()) return false;
  AnnounceModel("GRAPH_RemoveModel", found->get());
  // The announcement may have run arbitrary handlers; find the model again.
  std::erase_if(models_, [&](const auto& model) { return model->GetName() == name; });
  return true;
}

void CGraphPlugin::RecalcModels() { AnnounceModel("GRAPH_RecalcModels", nullptr); }

void CGraphPlugin::AnnounceName(const char* message, const std::wstring& name) {
  std::wstring payload = name;
  ORLOSendMessage(message, &payload);
}

void CGraphPlugin::AnnounceModel(const char* message, AppliedModel* model) {
  tagMODELNOTIFY notify;
  notify.model = model;
  ORLOSendMessage(message, &notify);
}

}  // namespace orlo::host
