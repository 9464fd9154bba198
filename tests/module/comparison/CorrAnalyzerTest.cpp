// What CCorrAnalyzer gives every comparison analyzer besides the selectors: bus handlers,
// the conclusion box, the drop-down heights and the pair label.
#include "module/dlt911/DTL911Analyzer.h"
#include "platform/common/Bus.h"
#include "platform/win/StandardControls.h"
#include "tests/module/comparison/CorrAnalyzerProbe.h"
#include "tests/support/HostFixture.h"

#include <gtest/gtest.h>

namespace orlo::test {
namespace {

class CorrAnalyzerBase : public ::testing::Test {
 protected:
  void Start() {
    probe = new CProbeAnalyzer();
    host.StartAnalyzer(probe);
  }
  HostFixture host;
  CProbeAnalyzer* probe = nullptr;  // owned by the host fixture once started
};

TEST_F(CorrAnalyzerBase, FileMessagesRebuildAndOnlyAnOpenedFileResets) {
  Start();
  ORLOSendMessage("ORLO_CloseFile", nullptr);
  ORLOSendMessage("ORLO_OpenedFile", nullptr);
  ORLOSendMessage("GRAPH_VisibleCurveCount", nullptr);
  EXPECT_EQ(probe->rebuilds, (std::vector<bool>{false, true, false}));
}

TEST_F(CorrAnalyzerBase, SweepColourRedrawsOnlyThePairsSweeps) {
  Start();
  probe->SetPair(L"A", L"B");
  const size_t before = probe->updatedNumbers.size();
  std::wstring name = L"C";
  ORLOSendMessage("GRAPH_SetSweepColor", &name);
  name = L"b";
  ORLOSendMessage("GRAPH_SetSweepColor", &name);
  EXPECT_EQ(probe->updatedNumbers.size(), before);
  name = L"B";
  ORLOSendMessage("GRAPH_SetSweepColor", &name);
  EXPECT_EQ(probe->updatedNumbers.size(), before + 1);
}

TEST_F(CorrAnalyzerBase, PanelAndSettingsAsTheHostExpects) {
  probe = new CProbeAnalyzer();
  EXPECT_EQ(probe->GetPanel(), nullptr);
  EXPECT_FALSE(probe->HasSettings());
  host.StartAnalyzer(probe);
  EXPECT_NE(probe->GetPanel(), nullptr);
  auto* conclusion = static_cast<CEdit*>(probe->ConclusionItem()->GetWnd());
  EXPECT_TRUE(conclusion->IsReadOnly());
  EXPECT_EQ(conclusion->GetExStyle() & WS_EX_CLIENTEDGE, 0u);
  EXPECT_EQ(probe->GraphType(), 100);
  host.StopAnalyzer();
}

TEST_F(CorrAnalyzerBase, LayoutOpensTheDropDownsTenRowsDeep) {
  Start();
  for (CORLOGuiItem* selector : {probe->ModelSelector(), probe->SweepSelector()}) {
    CWnd* combo = selector->GetWnd();
    RECT client;
    combo->GetClientRect(&client);
    RECT placed;
    combo->GetWindowRect(&placed);
    RECT dropped;
    combo->SendMessage(CB_GETDROPPEDCONTROLRECT, 0, reinterpret_cast<LPARAM>(&dropped));
    const long field = static_cast<long>(combo->SendMessage(CB_GETITEMHEIGHT, static_cast<WPARAM>(-1)));
    EXPECT_EQ(dropped.bottom - dropped.top, field * 10 + client.bottom);
    EXPECT_EQ(dropped.left, placed.left);
    EXPECT_EQ(dropped.top, placed.top);
  }
}

TEST(CorrAnalyzerPairLabel, NeedsBothNames) {
  EXPECT_EQ(CCorrAnalyzer::FormatPairLabel(L"A", L"B"), L"[A] - [B]");
  EXPECT_EQ(CCorrAnalyzer::FormatPairLabel(L"", L"B"), L"");
  EXPECT_EQ(CCorrAnalyzer::FormatPairLabel(L"A", L""), L"");
}

TEST(CorrAnalyzerInstances, NewInstanceIsOfTheSameKind) {
  auto* dlt = new CDTL911Analyzer();
  IBaseAnalyzer* copy = dlt->CreateInstance();
  ASSERT_NE(copy, nullptr);
  EXPECT_NE(copy, static_cast<IBaseAnalyzer*>(dlt));
  EXPECT_EQ(copy->GetGuid(), L"{E5DDB55E-96C1-47d0-8361-B7519CDA16F2}");
  EXPECT_EQ(copy->GetName(), L"DL/T 911-2004 Analyzer");
  EXPECT_NE(dynamic_cast<IAnalyzerReadout*>(copy), nullptr);
  copy->Destroy();
  dlt->Destroy();
}

}  // namespace
}  // namespace orlo::test
