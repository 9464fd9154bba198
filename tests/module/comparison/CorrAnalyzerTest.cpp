// What CCorrAnalyzer gives every comparison analyzer, told on CProbeAnalyzer, the smallest
// one: its panel has the graph, the model and sweep selectors and a conclusion box; its own
// operations only count how they were called. Stories about the model and sweep selectors
// driven through the host's graph plug-in, the bus handlers, the conclusion box, the
// drop-down heights and the pair label.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "host/graph/GraphModels.h"
#include "module/comparison/CorrAnalyzer.h"
#include "module/core/Subscription.h"
#include "platform/common/Bus.h"
#include "platform/common/GuiItem.h"
#include "platform/common/UserActions.h"
#include "platform/win/StandardControls.h"
#include "tests/support/HostFixture.h"

namespace orlo::test {
namespace {

class CProbeAnalyzer : public CCorrAnalyzer {
 public:
  CProbeAnalyzer() : CCorrAnalyzer(100) {}
  ~CProbeAnalyzer() override { DestroyWindow(); }

  std::wstring GetName() override { return L"Probe"; }
  std::wstring GetGuid() override { return L"{00000000-0000-0000-0000-000000000000}"; }
  void CreatePanel(CORLOGuiItem* parent) override {
    panel = ORLOSpawnGuiItem(parent, this, ORLO_GUI_CONTAINER);
    graphItem = ORLOSpawnGuiItem(panel, this, ORLO_GUI_GRAPH);
    modelSelector = ORLOSpawnGuiItem(panel, this, ORLO_GUI_DROPDOWN);
    sweepSelector = ORLOSpawnGuiItem(panel, this, ORLO_GUI_DROPDOWN);
    conclusionItem = ORLOSpawnGuiItem(panel, this, ORLO_GUI_EDIT);
    modelSelector->SetItemHeight(20);
    sweepSelector->SetItemHeight(20);
    MakeConclusionReadOnly();
    SetupGraph();
    RefillModelSelector();
  }
  int DestroyPanel() override { return DestroyPanelItems(); }
  bool Initialize() override { return InitializeWindow(); }
  void Uninitialize() override { DestroyManager(); }
  IBaseAnalyzer* CreateInstance() override { return new CProbeAnalyzer(); }
  void Destroy() override { delete this; }

  CGridCtrl* GetResultsGrid() override { return nullptr; }
  std::optional<std::wstring> GetMagnitudeDifferenceText() override { return std::nullopt; }
  std::vector<PairReadout> GetComputedPairs() override { return {}; }

  void SetPair(const std::wstring& a, const std::wstring& b) {
    sweepNameA = a;
    sweepNameB = b;
  }

  // What the own operations saw: the sweep number and its label at each UpdateGraph, and
  // the argument of each RebuildResults.
  std::vector<int> updatedNumbers;
  std::vector<std::wstring> updatedLabels;
  std::vector<bool> rebuilds;

 protected:
  void UpdateGraph() override {
    updatedNumbers.push_back(sweepNumber);
    updatedLabels.push_back(ChosenSweepLabel());
  }
  double BandStatistic(double, double, SweepData*, SweepData*, double*, int) override {
    return 0.0;
  }
  void RebuildResults(bool reset) override { rebuilds.push_back(reset); }
  void LayoutGrid() override {}
  void ReservedHook() override {}
  void ClearPairDisplay() override {}

  ORLO_DECLARE_SUBSCRIPTION_MAP()
  ORLO_DECLARE_CLIENT_HANDLERS()
  DECLARE_MESSAGE_MAP()

 private:
  std::wstring m_strReply;
};


ORLO_BEGIN_SUBSCRIPTION_MAP(CProbeAnalyzer)
ORLO_INHERIT_SUBSCRIPTIONS(CCorrAnalyzer, CProbeAnalyzer)
ORLO_END_SUBSCRIPTION_MAP()

BEGIN_MESSAGE_MAP(CProbeAnalyzer, COxBaseManager)
ON_MESSAGE(WM_DESTROY, OnClientDestroy)
ON_MESSAGE(WM_DATAITEM, OnDataItem)
END_MESSAGE_MAP()

ModelItem Item(std::wstring name, std::list<std::uint16_t> numbers) {
  ModelItem item;
  item.name = std::move(name);
  for (const std::uint16_t n : numbers) item.labels.push_back(L"label " + std::to_wstring(n));
  item.sweepNumbers = std::move(numbers);
  return item;
}

std::unique_ptr<host::CHostModel> Model(std::wstring name, std::wstring label,
                                        std::vector<ModelItem> items) {
  return std::make_unique<host::CHostModel>(std::move(name), std::move(label), std::move(items));
}

class CorrAnalyzerStory : public ::testing::Test {
 protected:
  std::vector<std::wstring> Entries(CORLOGuiItem* selector) const {
    auto* combo = static_cast<CComboBox*>(selector->GetWnd());
    std::vector<std::wstring> texts;
    for (int i = 0; i < combo->GetCount(); ++i) texts.push_back(combo->GetEntryText(i));
    return texts;
  }
  LRESULT Selection(CORLOGuiItem* selector) const {
    return selector->GetWnd()->SendMessage(CB_GETCURSEL);
  }
  const ModelItem* ItemOf(const std::wstring& model, int index) {
    for (const auto& applied : host.Graph().Models()) {
      if (applied->GetName() == model) return *std::next(applied->GetItems()->begin(), index);
    }
    return nullptr;
  }

  HostFixture host;
  CProbeAnalyzer* probe = host.Start<CProbeAnalyzer>();  // owned by the host fixture
};

// Entries read the label alone or label and item; removing the chosen model chooses the
// first remaining item.
TEST_F(CorrAnalyzerStory, EntriesAndTheChoiceFollowTheAppliedModels) {
  host.Graph().ApplyModel(Model(L"T1", L"Transformer 1", {Item(L"HV", {1, 2, 3})}));
  host.Graph().ApplyModel(Model(L"T2", L"Transformer 2", {Item(L"HV", {4}), Item(L"LV", {5})}));
  EXPECT_EQ(
      Entries(probe->ModelSelector()),
      (std::vector<std::wstring>{L"Transformer 1", L"Transformer 2 - HV", L"Transformer 2 - LV"}));
  EXPECT_EQ(Selection(probe->ModelSelector()), 0);
  EXPECT_EQ(probe->ModelName(), L"T1");
  EXPECT_EQ(probe->ChosenItem(), ItemOf(L"T1", 0));
  EXPECT_EQ(Entries(probe->SweepSelector()), (std::vector<std::wstring>{L"1", L"2", L"3"}));
  EXPECT_EQ(probe->SweepNumber(), 1);
  EXPECT_EQ(probe->updatedLabels.back(), L"label 1");

  ASSERT_TRUE(user::PickEntry(probe->ModelSelector(), 2));
  EXPECT_EQ(probe->ChosenItem(), ItemOf(L"T2", 1));

  host.Graph().RemoveModel(L"T1");  // not the chosen one: the choice stays, its index follows
  EXPECT_EQ(Entries(probe->ModelSelector()),
            (std::vector<std::wstring>{L"Transformer 2 - HV", L"Transformer 2 - LV"}));
  EXPECT_EQ(Selection(probe->ModelSelector()), 1);
  EXPECT_EQ(probe->ChosenItem(), ItemOf(L"T2", 1));

  host.Graph().ApplyModel(Model(L"T3", L"Transformer 3", {Item(L"X", {7, 8})}));
  host.Graph().RemoveModel(L"T2");  // the chosen one
  EXPECT_EQ(Entries(probe->ModelSelector()), std::vector<std::wstring>{L"Transformer 3"});
  EXPECT_EQ(probe->ChosenItem(), ItemOf(L"T3", 0));
  EXPECT_EQ(probe->ModelName(), L"T3");
  EXPECT_EQ(probe->SweepNumber(), 7);

  ASSERT_TRUE(user::PickEntry(probe->SweepSelector(), 1));
  host.Graph().RemoveModel(L"T3");
  EXPECT_TRUE(Entries(probe->ModelSelector()).empty());
  EXPECT_EQ(probe->ChosenItem(), nullptr);
  EXPECT_EQ(probe->ModelName(), L"T3");  // the name is kept for a model applied again,

  host.Graph().ApplyModel(Model(L"T3", L"Transformer 3", {Item(L"Y", {9, 8})}));
  EXPECT_EQ(probe->ChosenItem(), ItemOf(L"T3", 0));
  EXPECT_EQ(probe->SweepNumber(), 9);  // which takes its first number, not the one kept
  EXPECT_EQ(Selection(probe->SweepSelector()), 0);
}

TEST_F(CorrAnalyzerStory, ExclusionIgnoresLetterCase) {
  host.Graph().ApplyModel(Model(L"T1", L"Upper", {Item(L"HV", {1})}));
  host.Graph().ApplyModel(Model(L"t1", L"Lower", {Item(L"HV", {2})}));
  host.Graph().ApplyModel(Model(L"X", L"Other", {Item(L"HV", {3})}));
  host.Graph().RemoveModel(L"t1");
  EXPECT_EQ(Entries(probe->ModelSelector()), std::vector<std::wstring>{L"Other"});
  EXPECT_EQ(probe->ChosenItem(), ItemOf(L"T1", 0));  // an unchosen model was removed
  host.Graph().RecalcModels();                       // the next refill lists "T1" again
  EXPECT_EQ(Entries(probe->ModelSelector()), (std::vector<std::wstring>{L"Upper", L"Other"}));
}

TEST_F(CorrAnalyzerStory, SweepNumberIsKeptWhenTheNewItemHasIt) {
  host.Graph().ApplyModel(Model(L"T1", L"Transformer 1",
                                {Item(L"HV", {1, 2, 3}), Item(L"LV", {2, 5}), Item(L"TV", {})}));
  ASSERT_TRUE(user::PickEntry(probe->SweepSelector(), 1));
  EXPECT_EQ(probe->SweepNumber(), 2);
  EXPECT_EQ(probe->updatedLabels.back(), L"label 2");

  user::PickEntry(probe->ModelSelector(), 1);  // LV lists 2 as well
  EXPECT_EQ(probe->SweepNumber(), 2);
  EXPECT_EQ(Selection(probe->SweepSelector()), 0);
  user::PickEntry(probe->SweepSelector(), 1);
  EXPECT_EQ(probe->SweepNumber(), 5);

  user::PickEntry(probe->ModelSelector(), 0);  // HV has no 5: its first number
  EXPECT_EQ(probe->SweepNumber(), 1);
  EXPECT_EQ(Selection(probe->SweepSelector()), 0);

  user::PickEntry(probe->ModelSelector(), 2);  // TV has none
  EXPECT_TRUE(Entries(probe->SweepSelector()).empty());
  EXPECT_EQ(probe->SweepNumber(), 0);
  EXPECT_EQ(probe->updatedLabels.back(), L"");
}

// The bus handlers, the conclusion box and the drop-downs after a layout.
TEST_F(CorrAnalyzerStory, FileAndSweepColourMessagesConclusionBoxAndDropDownDepth) {
  ORLOSendMessage("ORLO_CloseFile", nullptr);
  ORLOSendMessage("ORLO_OpenedFile", nullptr);
  ORLOSendMessage("GRAPH_VisibleCurveCount", nullptr);
  EXPECT_EQ(probe->rebuilds, (std::vector<bool>{false, true, false}));  // only opening resets

  probe->SetPair(L"A", L"B");  // only the pair's sweeps are redrawn, by their exact name
  const size_t before = probe->updatedNumbers.size();
  for (const auto& [sweep, redrawn] : {std::pair{L"C", 0u}, {L"b", 0u}, {L"B", 1u}}) {
    std::wstring name = sweep;
    ORLOSendMessage("GRAPH_SetSweepColor", &name);
    EXPECT_EQ(probe->updatedNumbers.size(), before + redrawn) << testing::PrintToString(name);
  }

  auto* conclusion = static_cast<CEdit*>(probe->ConclusionItem()->GetWnd());
  EXPECT_TRUE(conclusion->IsReadOnly());
  EXPECT_EQ(conclusion->GetExStyle() & WS_EX_CLIENTEDGE, 0u);

  probe->OnLayout();  // opens the drop-downs ten rows deep; again, does not grow them
  for (CORLOGuiItem* selector : {probe->ModelSelector(), probe->SweepSelector()}) {
    CWnd* combo = selector->GetWnd();
    RECT client, placed, dropped;
    combo->GetClientRect(&client);
    combo->GetWindowRect(&placed);
    combo->SendMessage(CB_GETDROPPEDCONTROLRECT, 0, reinterpret_cast<LPARAM>(&dropped));
    const long field =
        static_cast<long>(combo->SendMessage(CB_GETITEMHEIGHT, static_cast<WPARAM>(-1)));
    EXPECT_EQ(dropped.bottom - dropped.top, field * 10 + client.bottom);
    EXPECT_EQ(dropped.left, placed.left);
    EXPECT_EQ(dropped.top, placed.top);
    EXPECT_EQ(placed.bottom - placed.top, client.bottom) << "the window keeps the field's height";
  }
}

}  // namespace
}  // namespace orlo::test
