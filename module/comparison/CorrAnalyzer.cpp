#include "module/comparison/CorrAnalyzer.h"

#include <algorithm>
#include <iterator>
#include <memory>
#include <optional>
#include <thread>
#include <vector>

#include "module/comparison/FrequencyGrid.h"
#include "module/core/ReportMessages.h"
#include "platform/common/Bus.h"
#include "platform/common/DataItem.h"
#include "platform/common/DataManager.h"
#include "platform/common/GuiItem.h"
#include "platform/common/Services.h"
#include "platform/common/TextCase.h"
#include "platform/controls/GridCtrl.h"
#include "platform/win/StandardControls.h"

namespace {

// Pairs with a sweep at least this long convert their magnitudes to dB on two threads.
constexpr int kParallelConversionPoints = 1 << 16;

CWnd* WindowOf(CORLOGuiItem* item) { return item != nullptr ? item->GetWnd() : nullptr; }

LRESULT SendCombo(CWnd* combo, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
  return combo->SendMessage(message, wParam, lParam);
}

int AddComboString(CWnd* combo, const std::wstring& text) {
  return static_cast<int>(
      SendCombo(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str())));
}

// The selected entry of a drop-down list: its index and its item data.
struct ComboSelection {
  LRESULT index = CB_ERR;
  LRESULT data = 0;
};

// Nothing without a window, a selection or item data (CB_ERR or null) of the selected entry.
std::optional<ComboSelection> SelectedEntry(CWnd* combo) {
  if (combo == nullptr) {
    return std::nullopt;
  }
  const LRESULT index = SendCombo(combo, CB_GETCURSEL);
  if (index < 0 || index >= SendCombo(combo, CB_GETCOUNT)) {
    return std::nullopt;
  }
  const LRESULT data = SendCombo(combo, CB_GETITEMDATA, static_cast<WPARAM>(index));
  if (data == CB_ERR || data == 0) {
    return std::nullopt;
  }
  return ComboSelection{index, data};
}

}  // namespace

CCorrAnalyzer::AcquiredSweep::AcquiredSweep(const std::wstring& name) {
  data.name = name;
  data.flag = true;
}

CCorrAnalyzer::AcquiredSweep::~AcquiredSweep() { FreeSweepData(data); }

CCorrAnalyzer::AcquiredPair::AcquiredPair(const std::wstring& nameA, const std::wstring& nameB)
    : a(nameA), b(nameB) {
  ORLOSendMessage("GRAPH_AcquireRawData", &a.data);
  ORLOSendMessage("GRAPH_AcquireRawData", &b.data);
  {
    // A long pair has A's magnitudes converted on a second thread while this one merges
    // the frequencies and converts B's: the merge only reads frequencies, and each
    // conversion writes the value blocks of its own sweep.
    std::jthread convertA;
    if (std::max(PointCount(a.data), PointCount(b.data)) >= kParallelConversionPoints) {
      convertA = std::jthread([this] { ConvertMagnitudesToDecibel(a.data); });
    }
    grid = MergeFrequencies(a.data, b.data, count);
    if (!convertA.joinable()) {
      ConvertMagnitudesToDecibel(a.data);
    }
    ConvertMagnitudesToDecibel(b.data);
  }
  order.emplace(a.data, b.data);
}

CCorrAnalyzer::CCorrAnalyzer(int type) : graphType(type) {}

CCorrAnalyzer::~CCorrAnalyzer() = default;

// ---------------------------------------------------------------------------------------
// IBaseAnalyzer

void CCorrAnalyzer::Activate(bool active) {
  if (!active || dataManager == nullptr) {
    return;
  }
  void* const show = reinterpret_cast<void*>(static_cast<std::intptr_t>(1));
  dataManager->Send(L"ORLO_ShowLegend", 0, show, 0, -1);
  dataManager->Send(L"ORLO_ShowModels", 0, show, 0, -1);
  dataManager->Send(L"ORLO_ShowActions", 0, show, 0, -1);
  std::int32_t multiSelect = 1;
  dataManager->Send(L"GRAPH_MultiSelect", 0, &multiSelect, 0, -1);
}

void CCorrAnalyzer::ShowDialogs(bool show) { SendGraphSwitch(L"GRAPH_ShowDialogs", show); }

void CCorrAnalyzer::ShowErrorCurve(bool show) { SendGraphSwitch(L"GRAPH_ShowErrorCurve", show); }

void CCorrAnalyzer::SendGraphSwitch(const wchar_t* name, bool on) {
  if (dataManager == nullptr) {
    return;
  }
  std::int32_t value = on ? 1 : 0;
  std::wstring reply;
  dataManager->SendTo(graphTarget, 1, name, 0, &value, 0, -1, &reply);
}

CORLOGuiItem* CCorrAnalyzer::GetPanel() { return panel; }

void CCorrAnalyzer::OnGuiNotify(CORLOGuiItem* item, ORLOWndMessage* message) {
  if (item == nullptr || message == nullptr || message->message != WM_COMMAND ||
      HIWORD(message->wParam) != CBN_SELCHANGE) {
    return;
  }
  if (item == modelSelector) {
    OnModelSelectorChange();
  } else if (item == sweepSelector) {
    OnSweepSelectorChange();
  }
}

void CCorrAnalyzer::OnLayout() {
  LayoutGrid();
  SetDropHeight(modelSelector, 10);
  SetDropHeight(sweepSelector, 10);
}

void CCorrAnalyzer::ShowSettings(CWnd*) {}

bool CCorrAnalyzer::HasSettings() { return false; }

// ---------------------------------------------------------------------------------------
// IBaseGuiManager

void CCorrAnalyzer::OnGuiMessage(CORLOGuiItem* item, ORLOWndMessage* message) {
  OnGuiNotify(item, message);
}

void CCorrAnalyzer::OnGuiCreate(CORLOGuiItem*) {}

void CCorrAnalyzer::OnGuiPopulate() {}

// ---------------------------------------------------------------------------------------
// IAnalyzerReadout

CGridCtrl* CCorrAnalyzer::GetCriteriaGrid() { return GridOf(criteriaGrid); }

std::wstring CCorrAnalyzer::GetConclusionText() {
  CWnd* const window = WindowOf(conclusionItem);
  return window != nullptr ? window->GetWindowText() : std::wstring();
}

CComboBox* CCorrAnalyzer::GetModelSelector() { return dynamic_cast<CComboBox*>(WindowOf(modelSelector)); }

CComboBox* CCorrAnalyzer::GetSweepSelector() { return dynamic_cast<CComboBox*>(WindowOf(sweepSelector)); }

// ---------------------------------------------------------------------------------------
// Own virtual operations with a base behaviour

void CCorrAnalyzer::MakeConclusionReadOnly() { MakeItemReadOnly(conclusionItem); }

void CCorrAnalyzer::MakeItemReadOnly(CORLOGuiItem* item) {
  CWnd* const window = WindowOf(item);
  if (window == nullptr) {
    return;
  }
  window->ModifyStyleEx(WS_EX_CLIENTEDGE, 0);
  window->SendMessage(EM_SETREADONLY, TRUE, 0);
}

// ---------------------------------------------------------------------------------------
// Bus handlers

void CCorrAnalyzer::OnRecalcModels(IORLODataItem*) { RefillModelSelector(); }

void CCorrAnalyzer::OnApplyModel(IORLODataItem* item) {
  const auto* notify = static_cast<const tagMODELNOTIFY*>(item->GetData());
  ApplyModel(notify != nullptr ? notify->model : nullptr);
}

void CCorrAnalyzer::OnRemoveModel(IORLODataItem* item) {
  const auto* notify = static_cast<const tagMODELNOTIFY*>(item->GetData());
  RemoveModel(notify != nullptr ? notify->model : nullptr);
}

void CCorrAnalyzer::OnVisibleCurveCount(IORLODataItem*) { RebuildResults(false); }

void CCorrAnalyzer::OnFileChanged(IORLODataItem* item) {
  RebuildResults(item->GetName() == L"ORLO_OpenedFile");
}

void CCorrAnalyzer::OnSetSweepColor(IORLODataItem* item) {
  const auto* name = static_cast<const std::wstring*>(item->GetData());
  if (name != nullptr && (*name == sweepNameA || *name == sweepNameB)) {
    UpdateGraph();
  }
}

// ---------------------------------------------------------------------------------------
// Graph set-up

void CCorrAnalyzer::SetupGraph() { SetupGraph({&curveA, &curveB}); }

void CCorrAnalyzer::SetupGraph(std::initializer_list<CGraphCurvePtr*> curves) {
  CWnd* const graphWindow = WindowOf(graphItem);
  graphTarget = graphWindow != nullptr ? graphWindow->GetSafeHwnd() : nullptr;

  std::int32_t type = graphType;
  ORLOSendSingleMessage(graphTarget, "GRAPH_SetGraphType", &type);

  bool missing = false;
  for (CGraphCurvePtr* curve : curves) {
    curve->CreateAndRef();
    missing = missing || curve->Get() == nullptr;
  }
  if (missing) {
    const CGettext& gettext = CGettext::Get();
    MessageBox(gettext.Translate("Failed to create curves.\nVerify that Graph plug-in is loaded."),
               gettext.Translate("Error"), MB_OK);
  }

  std::int32_t width = 1;
  ORLOSendMessage("GRAPH_GetDefaultWidth", &width);
  bool first = true;
  for (CGraphCurvePtr* curve : curves) {
    if (curve->Get() != nullptr) {
      if (first) {
        (*curve)->SetWidth(width);
        (*curve)->SetColor(RGB(255, 0, 0));
      }
      (*curve)->SetGraphType(graphType);
    }
    first = false;
  }

  tagAXISLABEL labels;
  labels.graphType = static_cast<std::int16_t>(graphType);
  labels.xLabel = CGettext::Get().Translate("Frequency (Hz)");
  labels.yLabel = CGettext::Get().Translate("Magnitude (dB)");
  ORLOSendSingleMessage(graphTarget, "GRAPH_SetAxisLabel", &labels);
  tagAXISLABEL cursorLabels = labels;
  ORLOSendSingleMessage(graphTarget, "GRAPH_SetCursorLabel", &cursorLabels);
}

void CCorrAnalyzer::LabelAxesForChosenSweep() {
  if (chosenItem == nullptr) {
    return;
  }
  tagAXISLABEL labels;
  labels.graphType = static_cast<std::int16_t>(graphType);
  labels.xLabel = CGettext::Get().Translate("Frequency (Hz)");
  labels.yLabel = ChosenSweepLabel();
  ORLOSendSingleMessage(graphTarget, "GRAPH_SetAxisLabel", &labels);
  tagAXISLABEL cursorLabels = labels;
  ORLOSendSingleMessage(graphTarget, "GRAPH_SetCursorLabel", &cursorLabels);
}

// ---------------------------------------------------------------------------------------
// Model and sweep selectors

void CCorrAnalyzer::EmptyModelSelector(CWnd* selector) {
  while (SendCombo(selector, CB_GETCOUNT) > 0) {
    const LRESULT data = SendCombo(selector, CB_GETITEMDATA, 0);
    SendCombo(selector, CB_DELETESTRING, 0);
    if (data != CB_ERR) {
      delete reinterpret_cast<ModelChoice*>(data);
    }
  }
}

std::vector<CCorrAnalyzer::ModelEntry> CCorrAnalyzer::CollectModelEntries() {
  tagAPPLIEDMODELS applied;
  Broadcast(L"GRAPH_AppliedModels", &applied);
  const std::unique_ptr<AppliedModel*[]> models(applied.models);
  std::vector<ModelEntry> entries;
  for (int m = 0; models != nullptr && m < applied.count; ++m) {
    AppliedModel* const model = models[m];
    if (model == nullptr || orlo::EqualsIgnoringCase(model->GetName(), excludedModelName)) {
      continue;
    }
    std::list<ModelItem*>* const items = model->GetItems();
    if (items == nullptr) {
      continue;
    }
    for (ModelItem* item : *items) {
      if (item == nullptr) {
        continue;
      }
      std::wstring text =
          items->size() <= 1 ? model->GetLabel() : model->GetLabel() + L" - " + item->name;
      entries.push_back({std::move(text), {model, item}});
    }
  }
  return entries;
}

void CCorrAnalyzer::FillModelSelector(CWnd* selector, const std::vector<ModelEntry>& entries) {
  int selection = 0;
  for (const ModelEntry& entry : entries) {
    const int index = AddComboString(selector, entry.text);
    if (index < 0) {
      continue;
    }
    if (entry.choice.item == chosenItem) {
      selection = index;
    }
    auto* const choice = new ModelChoice(entry.choice);  // freed by EmptyModelSelector
    SendCombo(selector, CB_SETITEMDATA, index, reinterpret_cast<LPARAM>(choice));
  }
  SendCombo(selector, CB_SETCURSEL, selection);
}

void CCorrAnalyzer::Choose(const ModelChoice& choice) {
  chosenItem = choice.item;
  chosenModel = choice.model;
  modelName = chosenModel != nullptr ? chosenModel->GetName() : std::wstring();
}

void CCorrAnalyzer::RefillModelSelector() {
  CWnd* const selector = WindowOf(modelSelector);
  if (selector == nullptr) {
    return;
  }
  EmptyModelSelector(selector);
  const std::vector<ModelEntry> entries = CollectModelEntries();
  if (chosenItem == nullptr && !entries.empty()) {
    Choose(entries.front().choice);
  }
  FillModelSelector(selector, entries);
  RefillSweepSelector();
}

void CCorrAnalyzer::RefillSweepSelector() {
  CWnd* const selector = WindowOf(sweepSelector);
  if (chosenItem == nullptr || selector == nullptr) {
    return;
  }
  while (SendCombo(selector, CB_GETCOUNT) > 0) {
    SendCombo(selector, CB_DELETESTRING, 0);
  }
  bool found = false;
  for (const std::uint16_t number : chosenItem->sweepNumbers) {
    const int index = AddComboString(selector, std::to_wstring(number));
    SendCombo(selector, CB_SETITEMDATA, index, reinterpret_cast<LPARAM>(chosenItem));
    if (number == sweepNumber) {
      SendCombo(selector, CB_SETCURSEL, index);
      found = true;
    }
  }
  if (chosenItem->sweepNumbers.empty() || !found) {
    SendCombo(selector, CB_SETCURSEL, 0);
    sweepNumber = chosenItem->sweepNumbers.empty() ? 0 : chosenItem->sweepNumbers.front();
  }
  UpdateGraph();
}

void CCorrAnalyzer::OnModelSelectorChange() {
  if (const std::optional<ComboSelection> selected = SelectedEntry(WindowOf(modelSelector))) {
    Choose(*reinterpret_cast<const ModelChoice*>(selected->data));
    RefillSweepSelector();
  }
}

void CCorrAnalyzer::OnSweepSelectorChange() {
  const std::optional<ComboSelection> selected = SelectedEntry(WindowOf(sweepSelector));
  if (!selected) {
    return;
  }
  const auto& numbers = reinterpret_cast<const ModelItem*>(selected->data)->sweepNumbers;
  if (static_cast<size_t>(selected->index) < numbers.size()) {
    sweepNumber = *std::next(numbers.begin(), selected->index);
    UpdateGraph();
  }
}

void CCorrAnalyzer::ApplyModel(AppliedModel* model) {
  if (model == nullptr) {
    return;
  }
  if (model->GetName() == modelName) {
    chosenModel = model;
    std::list<ModelItem*>* const items = model->GetItems();
    if (items != nullptr && !items->empty()) {
      chosenItem = items->front();
    }
    if (chosenItem != nullptr && !chosenItem->sweepNumbers.empty()) {
      sweepNumber = chosenItem->sweepNumbers.front();
    }
  }
  RefillModelSelector();
}

void CCorrAnalyzer::RemoveModel(AppliedModel* model) {
  if (model == nullptr) {
    return;
  }
  const std::wstring name = model->GetName();
  if (name != modelName) {
    excludedModelName = name;
  } else {
    excludedModelName = modelName;
    chosenModel = nullptr;
    chosenItem = nullptr;
  }
  RefillModelSelector();
  excludedModelName.clear();
}

std::wstring CCorrAnalyzer::ChosenSweepLabel() const {
  if (chosenItem == nullptr) {
    return std::wstring();
  }
  auto label = chosenItem->labels.begin();
  for (const std::uint16_t number : chosenItem->sweepNumbers) {
    if (label == chosenItem->labels.end()) {
      break;
    }
    if (number == sweepNumber) {
      return *label;
    }
    ++label;
  }
  return std::wstring();
}

// ---------------------------------------------------------------------------------------
// Sweeps and curves

std::wstring CCorrAnalyzer::TranslatedSweepName(const std::wstring& name) {
  tagSWEEPNAME request;
  request.name = name;
  ORLOSendMessage("GRAPH_GetTranslatedSweepName", &request);
  return request.translated;
}

COLORREF CCorrAnalyzer::SweepColour(const std::wstring& name) {
  tagSWEEPCOLOR colour;
  colour.name = name;
  ORLOSendMessage("GRAPH_GetSweepColor", &colour);
  return colour.colour;
}

void CCorrAnalyzer::DrawSweepCurve(const std::wstring& name, CGraphCurvePtr& curve) {
  const std::wstring translated = TranslatedSweepName(name);
  if (curve.Get() != nullptr) {
    curve->SetName(translated);
  }

  AcquiredSweep sweep(name);
  Broadcast(L"GRAPH_AcquireRawData", &sweep.data);

  const COLORREF colour = SweepColour(name);
  if (curve.Get() != nullptr) {
    curve->SetColor(colour);
  }

  tagSWEEPWIDTH width;
  width.name = name;
  ORLOSendMessage("GRAPH_GetSweepWidth", &width);
  if (width.width == -1) {
    std::int32_t defaultWidth = 1;
    ORLOSendMessage("GRAPH_GetDefaultWidth", &defaultWidth);
    width.width = defaultWidth;
  }
  if (curve.Get() == nullptr) {
    return;
  }
  curve->SetWidth(width.width);
  curve->ClearPoints();
  const int count = PointCount(sweep.data);
  for (int i = 0; i < count; ++i) {
    const SweepPoint& point = sweep.data.points[i];
    curve->AddPoint(point.frequency, MagnitudeToDecibel(point.values[kMagnitudeIndex]));
  }
}

std::array<std::wstring, comparison::kSlotCount> CCorrAnalyzer::FirstVisibleSweeps() {
  std::list<std::wstring> visible;
  Broadcast(L"GRAPH_GetVisibleSweeps", &visible);
  std::array<std::wstring, comparison::kSlotCount> names;
  auto name = visible.begin();
  for (int s = 0; s < comparison::kSlotCount && name != visible.end(); ++s, ++name) {
    names[s] = *name;
  }
  return names;
}

void CCorrAnalyzer::WritePairLabels(CGridCtrl* grid,
                                    const std::array<std::wstring, comparison::kSlotCount>& slots) {
  std::array<std::wstring, comparison::kSlotCount> translated;
  for (int s = 0; s < comparison::kSlotCount; ++s) {
    if (!slots[s].empty()) {
      translated[s] = TranslatedSweepName(slots[s]);
    }
  }
  for (int p = 0; p < comparison::kPairCount; ++p) {
    SetPairCell(grid, p + 1, translated[comparison::kPairs[p].slotA],
                translated[comparison::kPairs[p].slotB]);
  }
}

bool CCorrAnalyzer::ShowPairRow(CGridCtrl* grid, int row,
                                const std::array<std::wstring, comparison::kSlotCount>& slots) {
  if (grid != nullptr) {
    grid->SelectRow(row);
    grid->Invalidate();
  }
  const int pair = row - 1;
  const bool known = pair >= 0 && pair < comparison::kPairCount;
  sweepNameA = known ? slots[comparison::kPairs[pair].slotA] : std::wstring();
  sweepNameB = known ? slots[comparison::kPairs[pair].slotB] : std::wstring();
  ClearPairDisplay();
  UpdateGraph();
  if (sweepNameA.empty() || sweepNameB.empty()) {
    ClearPairDisplay();
    return false;
  }
  return true;
}

int CCorrAnalyzer::NotifiedGridRow(const ORLOWndMessage* message) {
  if (message == nullptr || message->message != WM_NOTIFY || message->lParam == 0) {
    return -1;
  }
  return reinterpret_cast<const NM_GRIDVIEW*>(message->lParam)->iRow;
}

// ---------------------------------------------------------------------------------------
// Report parameters

void CCorrAnalyzer::ReportEveryPair(const std::array<std::wstring, comparison::kSlotCount>& slots,
                                    const PairReporter& reportPair) {
  std::array<std::wstring, comparison::kSlotCount> names;
  std::array<COLORREF, comparison::kSlotCount> colours{};
  for (int s = 0; s < comparison::kSlotCount; ++s) {
    if (!slots[s].empty()) {
      names[s] = TranslatedSweepName(slots[s]);
      colours[s] = SweepColour(slots[s]);
    }
  }
  for (int p = 0; p < comparison::kPairCount; ++p) {
    const comparison::PairInfo& info = comparison::kPairs[p];
    reportPair(names[info.slotA], names[info.slotB], info.reportTag, p, colours[info.slotA],
               colours[info.slotB]);
  }
}

void CCorrAnalyzer::AddReportParameter(const std::wstring& name, const std::wstring& value) {
  tagREPORTPARAM parameter{name, value};
  ORLOSendMessage("REPORT_AddParameter", &parameter);
}

void CCorrAnalyzer::AddReportParameterColor(const std::wstring& name, const std::wstring& value,
                                            COLORREF colour) {
  tagREPORTPARAMCOLOR parameter{name, value, colour};
  ORLOSendMessage("REPORT_AddParameterColor", &parameter);
}

// ---------------------------------------------------------------------------------------
// Grid and control helpers

std::wstring CCorrAnalyzer::FormatPairLabel(const std::wstring& nameA, const std::wstring& nameB) {
  if (nameA.empty() || nameB.empty()) {
    return std::wstring();
  }
  return L"[" + nameA + L"] - [" + nameB + L"]";
}

CGridCtrl* CCorrAnalyzer::GridOf(CORLOGuiItem* item) {
  return dynamic_cast<CGridCtrl*>(WindowOf(item));
}

void CCorrAnalyzer::SetPairCell(CGridCtrl* grid, int row, const std::wstring& nameA,
                                const std::wstring& nameB) {
  if (grid != nullptr) {
    grid->SetItemText(row, 1, FormatPairLabel(nameA, nameB));
  }
}

void CCorrAnalyzer::SetDropHeight(CORLOGuiItem* selector, int rows) {
  CWnd* const combo = WindowOf(selector);
  if (combo == nullptr) {
    return;
  }
  const auto fieldHeight =
      static_cast<long>(SendCombo(combo, CB_GETITEMHEIGHT, static_cast<WPARAM>(-1)));
  RECT client;
  combo->GetClientRect(&client);
  RECT dropped;
  SendCombo(combo, CB_GETDROPPEDCONTROLRECT, 0, reinterpret_cast<LPARAM>(&dropped));
  if (CWnd* const parent = combo->GetParent(); parent != nullptr) {
    parent->ScreenToClient(&dropped);
  }
  combo->MoveWindow(static_cast<int>(dropped.left), static_cast<int>(dropped.top),
                    static_cast<int>(dropped.right - dropped.left),
                    static_cast<int>(fieldHeight * rows + client.bottom - client.top), TRUE);
}

// ---------------------------------------------------------------------------------------
// Life cycle helpers

bool CCorrAnalyzer::InitializeWindow() {
  // Without a window (no main dialog) the subscription and the timer do nothing; the
  // analyzer still answers true, as the host's start-up expects of every analyzer.
  CreateManager(nullptr);
  ORLOSubscribe(GetSafeHwnd());
  dataManager = ORLOGetDataManager();
  SetTimer(kUpdateTimerId, kUpdateTimerPeriodMs);
  return true;
}

int CCorrAnalyzer::DestroyPanelItems() {
  curveA = CGraphCurvePtr();
  curveB = CGraphCurvePtr();
  if (CWnd* const selector = WindowOf(modelSelector); selector != nullptr) {
    EmptyModelSelector(selector);
  }
  int result = 0;
  if (panel != nullptr) {
    panel->DestroyWindows();
    result = panel->DestroyItem();
  }
  panel = graphItem = criteriaGrid = conclusionItem = modelSelector = sweepSelector = nullptr;
  graphTarget = nullptr;
  return result;
}

LRESULT CCorrAnalyzer::Broadcast(const wchar_t* name, void* payload) {
  return dataManager != nullptr ? dataManager->Send(name, 0, payload, 0, -1) : 0;
}
