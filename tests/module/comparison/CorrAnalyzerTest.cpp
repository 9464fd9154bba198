// What CCorrAnalyzer gives every comparison analyzer besides the selectors: bus handlers,
// the conclusion box, the drop-down heights and the pair label.
#include <gtest/gtest.h>

#include "platform/common/Bus.h"
#include "platform/win/StandardControls.h"
#include "tests/module/comparison/CorrAnalyzerProbe.h"
#include "tests/support/HostFixture.h"

namespace orlo::test {
namespace {

class CorrAnalyzerBase : public ::testing::Test {
 protected:
  void Start() { probe = host.Start<CProbeAnalyzer>(); }
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

TEST_F(CorrAnalyzerBase, ConclusionBoxIsReadOnlyWithoutEdge) {
  probe = new CProbeAnalyzer();
  EXPECT_EQ(probe->GetPanel(), nullptr);
  host.StartAnalyzer(probe);
  auto* conclusion = static_cast<CEdit*>(probe->ConclusionItem()->GetWnd());
  EXPECT_TRUE(conclusion->IsReadOnly());
  EXPECT_EQ(conclusion->GetExStyle() & WS_EX_CLIENTEDGE, 0u);
}

TEST_F(CorrAnalyzerBase, LayoutOpensTheDropDownsTenRowsDeepAndAgainDoesNotGrowThem) {
  Start();
  probe->OnLayout();
  for (CORLOGuiItem* selector : {probe->ModelSelector(), probe->SweepSelector()}) {
    CWnd* combo = selector->GetWnd();
    RECT client;
    combo->GetClientRect(&client);
    RECT placed;
    combo->GetWindowRect(&placed);
    RECT dropped;
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
