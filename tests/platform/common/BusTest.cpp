// The bus: who receives a send, in which order, with which number and result, and how
// long its data items live.
#include "platform/common/Bus.h"
#include "platform/common/DataItem.h"
#include "platform/common/DataManager.h"
#include "platform/win/Wnd.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace {

struct Received {
  HWND target;
  std::wstring name;
  LPARAM number;
  void* payload;
};

// A window that completes every item the way a bus client does and records it.
class CReceiver : public CWnd {
 public:
  explicit CReceiver(std::vector<Received>* log) : log_(log) {
    Create(AfxRegisterWndClass(0), L"", 0, RECT{}, nullptr, 0);
  }

  LRESULT result = 1;
  std::wstring reply;                   // answered instead of `result` when not empty
  std::function<void()> whileHandling;  // runs inside the delivery
  IORLODataItem* keptItem = nullptr;    // set (with the receiver's reference) when keepItem
  bool keepItem = false;

 protected:
  LRESULT OnDataItem(WPARAM wParam, LPARAM lParam) {
    auto* item = reinterpret_cast<IORLODataItem*>(wParam);
    item->AddRef();
    log_->push_back({m_hWnd, item->GetName(), lParam, item->GetData()});
    if (whileHandling) whileHandling();
    item->Done();
    item->SetResult(reply.empty() ? result : reinterpret_cast<LRESULT>(reply.c_str()));
    if (keepItem) {
      keptItem = item;
    } else {
      item->Release();
    }
    return 0;
  }
  DECLARE_MESSAGE_MAP()

 private:
  std::vector<Received>* log_;
};

BEGIN_MESSAGE_MAP(CReceiver, CWnd)
ON_MESSAGE(WM_DATAITEM, OnDataItem)
END_MESSAGE_MAP()

std::vector<HWND> Targets(const std::vector<Received>& log) {
  std::vector<HWND> targets;
  for (const Received& r : log) targets.push_back(r.target);
  return targets;
}

TEST(BusTest, BroadcastReachesSubscribersInSubscriptionOrderWithOneNumber) {
  std::vector<Received> log;
  CReceiver a(&log), b(&log), c(&log);
  c.result = 0;
  for (CReceiver* r : {&b, &a, &c, &b}) ORLOSubscribe(r->m_hWnd);  // b keeps its first place
  int payload = 7;

  EXPECT_EQ(ORLOSendMessage("GRAPH_Repaint", &payload), 0);  // c, the last, answered 0
  ASSERT_EQ(Targets(log), (std::vector<HWND>{b.m_hWnd, a.m_hWnd, c.m_hWnd}));
  for (const Received& r : log) {
    EXPECT_EQ(r.name, L"GRAPH_Repaint");
    EXPECT_EQ(r.payload, &payload);
    EXPECT_EQ(r.number, log[0].number);
  }
  ORLOUnsubscribe(c.m_hWnd);
  EXPECT_EQ(ORLOGetDataManager()->Send(L"GRAPH_Repaint", 0, nullptr, 0, -1), 1);
  EXPECT_EQ(log.back().number, log[0].number + 1);
  EXPECT_EQ(log.back().target, a.m_hWnd);
}

TEST(BusTest, SingleSendsReachOnlyALiveTarget) {
  std::vector<Received> log;
  CReceiver subscribed(&log), target(&log);
  ORLOSubscribe(subscribed.m_hWnd);

  EXPECT_EQ(ORLOSendSingleMessage(target.m_hWnd, "GRAPH_SetGraphType", nullptr), 1);
  EXPECT_EQ(Targets(log), std::vector<HWND>{target.m_hWnd});
  const HWND stale = target.m_hWnd;
  target.DestroyWindow();
  EXPECT_EQ(ORLOSendSingleMessage(stale, "GRAPH_SetGraphType", nullptr), 0);
  EXPECT_EQ(ORLOSendMessage(nullptr, nullptr), 0);
  EXPECT_EQ(log.size(), 1u);
}

TEST(BusTest, BroadcastSkipsReceiversThatLeaveBeforeTheirTurn) {
  std::vector<Received> log;
  CReceiver first(&log), destroyed(&log), unsubscribed(&log), last(&log), late(&log);
  for (CReceiver* r : {&first, &destroyed, &unsubscribed, &last}) ORLOSubscribe(r->m_hWnd);
  const HWND destroyedHandle = destroyed.m_hWnd;
  first.whileHandling = [&] {
    destroyed.DestroyWindow();
    ORLOUnsubscribe(unsubscribed.m_hWnd);
    ORLOSubscribe(late.m_hWnd);  // from the next send on
  };

  ORLOSendMessage("ORLO_CloseFile", nullptr);
  EXPECT_EQ(Targets(log), (std::vector<HWND>{first.m_hWnd, last.m_hWnd}));
  EXPECT_FALSE(ORLOIsSubscribed(destroyedHandle));
  first.whileHandling = nullptr;
  log.clear();
  ORLOSendMessage("ORLO_CloseFile", nullptr);
  EXPECT_EQ(Targets(log), (std::vector<HWND>{first.m_hWnd, last.m_hWnd, late.m_hWnd}));
}

TEST(BusTest, QueryAndSendToAnswerTheReceiversReplyString) {
  std::vector<Received> log;
  CReceiver graph(&log), plain(&log);
  graph.reply = L"curve-17";
  CWnd silent;  // no bus dispatcher
  silent.Create(AfxRegisterWndClass(0), L"", 0, RECT{}, nullptr, 0);
  IDataManager* bus = ORLOGetDataManager();

  EXPECT_EQ(bus->Query(graph.m_hWnd, L"GRAPH_AllocCurve", 0, 0), L"curve-17");
  std::wstring reply = L"stale";
  EXPECT_EQ(bus->SendTo(plain.m_hWnd, 1, L"GRAPH_ShowDialogs", -1, nullptr, 0, -1, &reply), 1);
  EXPECT_EQ(reply, L"");
  bus->SendTo(graph.m_hWnd, 1, L"GRAPH_AllocCurve", 0, nullptr, 0, -1, &reply);
  EXPECT_EQ(reply, L"curve-17");
  EXPECT_EQ(bus->Query(plain.m_hWnd, L"GRAPH_AllocCurve", 0, 0), L"");
  EXPECT_EQ(bus->Query(silent.m_hWnd, L"GRAPH_AllocCurve", 0, 0), L"");
}

TEST(BusTest, AnItemLivesUntilItsLastReferenceIsReleased) {
  std::vector<Received> log;
  CReceiver keeper(&log);
  keeper.keepItem = true;
  int payload = 3;
  ORLOSendSingleMessage(keeper.m_hWnd, "GRAPH_SweepSelected", &payload);

  ASSERT_NE(keeper.keptItem, nullptr);
  keeper.keptItem->Delete();  // a sent item is not the receiver's to delete
  EXPECT_EQ(keeper.keptItem->GetName(), L"GRAPH_SweepSelected");
  EXPECT_EQ(keeper.keptItem->GetData(), &payload);
  EXPECT_FALSE(keeper.keptItem->IsPosted());
  keeper.keptItem->Release();  // the last one; AddressSanitizer checks use and leaks
}

TEST(BusTest, ObserversSeeEveryDeliveryBeforeItHappens) {
  std::vector<Received> log;
  CReceiver a(&log), b(&log);
  ORLOSubscribe(a.m_hWnd);
  ORLOSubscribe(b.m_hWnd);
  std::vector<std::wstring> seen;
  const int id = ORLOAddBusObserver([&](const ORLOBusDelivery& d) {
    seen.push_back(d.name + (d.broadcast ? L" all " : L" one ") + std::to_wstring(log.size()) +
                   (d.target == a.m_hWnd ? L" a" : L" b"));
  });
  ORLOSendMessage("GRAPH_Repaint", nullptr);
  ORLOSendSingleMessage(b.m_hWnd, "GRAPH_Repaint", nullptr);
  ORLORemoveBusObserver(id);
  ORLOSendMessage("GRAPH_Repaint", nullptr);
  EXPECT_EQ(seen, (std::vector<std::wstring>{L"GRAPH_Repaint all 0 a", L"GRAPH_Repaint all 1 b",
                                             L"GRAPH_Repaint one 2 b"}));
}

}  // namespace
