// CGraphPlugin: the host's graph plug-in, as the module reaches it over the bus.
//
// It owns a subscribed bus client that answers every broadcast "GRAPH_" request from the
// loaded sweeps (kept in load order) and the plug-in's state: applied models, raw data,
// translated names, colours, widths, the visible and selected sweeps; it counts
// "GRAPH_Repaint" and remembers the last "GRAPH_MultiSelect" mode. Changes made through its
// API are announced on the bus: "GRAPH_VisibleCurveCount" (no payload) once per change of
// the visible list, "GRAPH_SweepSelected" (no payload) per change of the selection,
// "GRAPH_SetSweepColor" and "GRAPH_SweepValuesUpdated" (payload std::wstring* name),
// "GRAPH_ApplyModel", "GRAPH_RemoveModel" and "GRAPH_RecalcModels" (payload
// tagMODELNOTIFY*; a removed model is announced while still listed, then dropped).
//
// While it exists it is the process's graph plug-in: it registers the graph window factory
// (every GUI item of kind 2 gets a CGraphWindow) and the curve factory (CHostCurve), and
// unregisters both when destroyed. Graph windows belong to their GUI items; the plug-in
// lists the live ones. One plug-in at a time.
//
// Selection: SetSelectedSweeps sets it from the host; ClickSweep is how a user changes it
// in the graph (orlo::user::SelectSweeps in host/graph/GraphUserActions.h clicks by sweep
// number). A plain click selects the clicked sweep alone; a click with Ctrl held takes it
// out of the selection when it is selected, else adds it, dropping the earliest selected
// sweeps beyond the multi-select mode's count ("GRAPH_MultiSelect" n >= 1: at most n
// sweeps at once; 0, until told: no limit). "GRAPH_Repaint" draws the points that wait
// for it in every graph window.
//
// Sweeps taken in (loaded or given new points) measured on the frequency grid of a loaded
// sweep share its frequency array.
//
// Defaults: every loaded sweep visible in load order; the first two selected; sweep i has
// colour SweepPalette(i) and width 1; default width 2; no models.
#pragma once

#include "host/session/BusClient.h"
#include "host/graph/GraphCurves.h"
#include "host/graph/GraphModels.h"
#include "host/graph/GraphWindow.h"
#include "host/sweeps/Sweep.h"
#include "platform/win/WinTypes.h"

#include <array>
#include <functional>
#include <list>
#include <memory>
#include <optional>
#include <string>
#include <vector>

struct SweepData;

namespace orlo::host {

// The payload of "GRAPH_GetVisibleSweeps" and "GRAPH_GetSelectedSweeps".
using SweepNameList = std::list<std::wstring>;

// A fixed palette of distinct colours (COLORREF), repeating after its last entry.
COLORREF SweepPalette(size_t index);

class CGraphPlugin {
 public:
  // Creates the bus client as a child of `parent` (null: a top-level window) and
  // subscribes it; registers the factories.
  explicit CGraphPlugin(CWnd* parent = nullptr);
  CGraphPlugin(const CGraphPlugin&) = delete;
  CGraphPlugin& operator=(const CGraphPlugin&) = delete;
  ~CGraphPlugin();

  HWND Window() const { return client_.m_hWnd; }

  // Sweeps. The bus knows a sweep by its name as wide text (Sweep::name is UTF-8).
  // AddSweep refuses (false) a sweep whose name is already loaded.
  bool AddSweep(Sweep sweep);
  // Shows another measurement in the graph as a user does: every loaded sweep is removed
  // (announced when any was visible), then `sweeps` are added in order (announced when
  // any), each change of the visible list announced once; the visible and selected lists
  // return to their defaults. A sweep whose name is already among the new ones is left
  // out, as AddSweep leaves it.
  void ReplaceSweeps(std::vector<Sweep> sweeps);
  const Sweep* FindSweep(const std::wstring& name) const;
  std::vector<std::wstring> SweepNames() const;  // load order
  // Replace a loaded sweep's points / set its colour / width (-1: "use the default").
  // Each answers false for an unknown name and announces only real changes.
  bool SetSweepPoints(const std::wstring& name, SweepPoints points);
  bool SetSweepColor(const std::wstring& name, COLORREF colour);
  bool SetSweepWidth(const std::wstring& name, int width);
  std::optional<COLORREF> SweepColor(const std::wstring& name) const;
  std::optional<int> SweepWidth(const std::wstring& name) const;
  void SetDefaultWidth(int width) { defaultWidth_ = width; }
  int DefaultWidth() const { return defaultWidth_; }

  // Visible and selected sweeps: any names, in the order given (names that are not loaded
  // get empty raw data). Until set, the defaults above apply.
  void SetVisibleSweeps(std::vector<std::wstring> names);
  std::vector<std::wstring> VisibleSweeps() const;
  void SetSelectedSweeps(std::vector<std::wstring> names);
  std::vector<std::wstring> SelectedSweeps() const;
  // A user's click on a loaded sweep (false, changing nothing, for any other name).
  bool ClickSweep(const std::wstring& name, bool withCtrl);

  // Models. ApplyModel refuses (false) a model whose name is already applied;
  // RemoveModel answers false for an unknown name.
  bool ApplyModel(std::unique_ptr<CHostModel> model);
  bool RemoveModel(const std::wstring& name);
  void RecalcModels();
  const ModelList& Models() const { return models_; }

  // What the module did.
  int RepaintCount() const { return repaints_; }
  int MultiSelectMode() const { return multiSelect_; }  // 0 until told
  // Graph windows alive, in creation order, and the one behind a window handle.
  const std::vector<CGraphWindow*>& GraphWindows() const { return windows_; }
  const CGraphWindow* GraphWindowOf(HWND hwnd) const;
  // Curve objects held by somebody, in creation order.
  const std::vector<CHostCurve*>& Curves() const { return curves_.Curves(); }

 private:
  struct LoadedSweep {
    std::wstring name;
    Sweep sweep;
    COLORREF colour = 0;
    int width = 1;
    // The points' ComplexParts, computed at the first request that wants them.
    mutable std::vector<std::array<float, 2>> complexParts;
  };

  void Answer(const std::string& name, std::function<void(void* payload)> handler);
  void AnswerRequests();
  void ShareFrequencies(SweepPoints& points) const;
  LoadedSweep* Find(const std::wstring& name);
  const LoadedSweep* Find(const std::wstring& name) const;
  void AcquireRawData(SweepData& data) const;
  void AnnounceName(const char* message, const std::wstring& name);
  void AnnounceModel(const char* message, AppliedModel* model);
  std::unique_ptr<CWnd> MakeGraphWindow(CWnd* frame);

  CHostBusClient client_;
  CCurveSet curves_;
  std::vector<LoadedSweep> sweeps_;
  std::optional<std::vector<std::wstring>> visible_;
  std::optional<std::vector<std::wstring>> selected_;
  ModelList models_;
  int defaultWidth_ = 2;
  int repaints_ = 0;
  int multiSelect_ = 0;
  int windowCount_ = 0;
  std::vector<CGraphWindow*> windows_;
};

}  // namespace orlo::host
