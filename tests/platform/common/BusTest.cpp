// The bus and its client base: who receives a send, in which order, with which number and
// result, how long its data items live, subscription-table matching, attaching and the
// lifecycle pair, observers and the trace.
#include "platform/common/Bus.h"
#include "platform/common/DataClient.h"
#include "platform/common/DataItem.h"
#include "platform/common/DataManager.h"
#include "platform/win/Wnd.h"

#include <gtest/gtest.h>

#include <bit>
#include <cstdio>
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

// A bus client that records each delivery, runs the lifecycle entries of its table and
// completes the item as the module's dispatcher does.
class CClient : public CWnd, public CORLODataClient {
 public:
  explicit CClient(std::vector<Received>* log = nullptr) : log_(log) {
    Create(AfxRegisterWndClass(0), L"", 0, RECT{}, nullptr, 0);
  }
  static const ORLO_SUBMAP_ENTRY entries[];
  void OnInitClient() override { ++initCalls; }
  void OnUninitClient() override { ++uninitCalls; }
  bool Attached() const { return m_bAttached; }

  LRESULT result = 1;
  std::wstring reply;                   // answered instead of `result` when not empty
  std::function<void()> whileHandling;  // runs inside the delivery
  bool keepItem = false;                // then keptItem holds the receiver's reference
  IORLODataItem* keptItem = nullptr;
  int initCalls = 0;
  int uninitCalls = 0;

 protected:
  LRESULT OnDataItem(WPARAM wParam, LPARAM number) {
    auto* item = reinterpret_cast<IORLODataItem*>(wParam);
    item->AddRef();
    if (log_ != nullptr) log_->push_back({m_hWnd, item->GetName(), number, item->GetData()});
    for (auto* e = FindSubscriptionEntry(entries, item, number); e != nullptr;
         e = FindSubscriptionEntry(e + 1, item, number)) {
      (this->*std::bit_cast<ORLO_PFN_ITEM>(e->pfnHandler))(item);
    }
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

BEGIN_MESSAGE_MAP(CClient, CWnd)
ON_MESSAGE(WM_DATAITEM, OnDataItem)
END_MESSAGE_MAP()

const ORLO_SUBMAP_ENTRY CClient::entries[] = {
    {L"ORLO_Initialize", L"", 1, SubSig_Item, ORLO_ITEM_HANDLER(CClient, OnInitializeMessage)},
    {L"ORLO_UnInitialize", L"", 1, SubSig_Item, ORLO_ITEM_HANDLER(CClient, OnUnInitializeMessage)},
    {L"", L"", 0, SubSig_End, nullptr},
};

std::vector<HWND> Targets(const std::vector<Received>& log) {
  std::vector<HWND> targets;
  for (const Received& r : log) targets.push_back(r.target);
  return targets;
}

TEST(BusTest, BroadcastReachesSubscribersInSubscriptionOrderWithOneNumber) {
  std::vector<Received> log;
  CClient a(&log), b(&log), c(&log);
  c.result = 0;
  for (CClient* r : {&b, &a, &c, &b}) ORLOSubscribe(r->m_hWnd);  // b keeps its first place
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

// A sent item lives until its last reference is released; AddressSanitizer checks use and
// leaks.
TEST(BusTest, SingleSendsReachOnlyALiveTargetWhoseItemLivesUntilItsLastRelease) {
  std::vector<Received> log;
  CClient subscribed(&log), target(&log);
  ORLOSubscribe(subscribed.m_hWnd);
  target.keepItem = true;
  int payload = 3;

  EXPECT_EQ(ORLOSendSingleMessage(target.m_hWnd, "GRAPH_SetGraphType", &payload), 1);
  EXPECT_EQ(Targets(log), std::vector<HWND>{target.m_hWnd});
  ASSERT_NE(target.keptItem, nullptr);
  target.keptItem->Delete();  // a sent item is not the receiver's to delete
  EXPECT_EQ(target.keptItem->GetName(), L"GRAPH_SetGraphType");
  EXPECT_EQ(target.keptItem->GetData(), &payload);
  EXPECT_FALSE(target.keptItem->IsPosted());
  target.keptItem->Release();  // the last one

  const HWND stale = target.m_hWnd;
  target.DestroyWindow();
  EXPECT_EQ(ORLOSendSingleMessage(stale, "GRAPH_SetGraphType", nullptr), 0);
  EXPECT_EQ(ORLOSendMessage(nullptr, nullptr), 0);
  EXPECT_EQ(log.size(), 1u);
}

TEST(BusTest, BroadcastSkipsReceiversThatLeaveBeforeTheirTurn) {
  std::vector<Received> log;
  CClient first(&log), destroyed(&log), unsubscribed(&log), last(&log), late(&log);
  for (CClient* r : {&first, &destroyed, &unsubscribed, &last}) ORLOSubscribe(r->m_hWnd);
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
  CClient graph, plain;
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

// Observers see a delivery before it happens, the trace prints it after it returned.
TEST(BusTest, ObserversAndTheTraceSeeEveryDelivery) {
  std::vector<Received> log;
  CClient a(&log), b(&log);
  ORLOSubscribe(a.m_hWnd);
  ORLOSubscribe(b.m_hWnd);
  CWnd silent;  // completes nothing
  silent.Create(AfxRegisterWndClass(0), L"", 0, RECT{}, nullptr, 0);
  std::vector<std::wstring> seen;
  const int id = ORLOAddBusObserver([&](const ORLOBusDelivery& d) {
    seen.push_back(d.name + (d.broadcast ? L" all " : L" one ") + std::to_wstring(log.size()) +
                   (d.target == a.m_hWnd ? L" a" : L" b"));
  });
  ORLOSendMessage("GRAPH_Repaint", nullptr);
  ORLOSendSingleMessage(b.m_hWnd, "GRAPH_Repaint", nullptr);
  ORLORemoveBusObserver(id);
  EXPECT_EQ(seen, (std::vector<std::wstring>{L"GRAPH_Repaint all 0 a", L"GRAPH_Repaint all 1 b",
                                             L"GRAPH_Repaint one 2 b"}));

  char expected[200];
  std::snprintf(expected, sizeof expected,
                "bus: ORLO_Initialize -> %#llx result 1 flag 1\n"
                "bus: GRAPH_Repaint -> %#llx result 1\n"
                "bus: GRAPH_Repaint -> %#llx result 0 (not completed)\n",
                reinterpret_cast<unsigned long long>(a.m_hWnd),
                reinterpret_cast<unsigned long long>(a.m_hWnd),
                reinterpret_cast<unsigned long long>(silent.m_hWnd));
  ORLOSetTrace(true);
  testing::internal::CaptureStderr();
  ORLOSendSingleMessage(a.m_hWnd, "ORLO_Initialize", nullptr);
  ORLOSendSingleMessage(a.m_hWnd, "GRAPH_Repaint", nullptr);
  ORLOSendSingleMessage(silent.m_hWnd, "GRAPH_Repaint", nullptr);
  const std::string trace = testing::internal::GetCapturedStderr();
  ORLOSetTrace(false);
  EXPECT_EQ(trace, expected);
}

TEST(DataClientTest, FindSubscriptionEntryMatchesNamesExactlyFromTheGivenEntryOn) {
  const ORLO_SUBMAP_ENTRY table[] = {
      {L"GRAPH_ApplyModel", L"", 0, SubSig_Item, nullptr},
      {L"GRAPH_RemoveModel", L"", 1, SubSig_Item, nullptr},
      {L"graph_applymodel", L"", 0, SubSig_Item, nullptr},
      {L"GRAPH_ApplyModel", L"Q", 1, SubSig_String, nullptr},
      {L"", L"", 0, SubSig_End, nullptr},
      {L"GRAPH_ApplyModel", L"", 0, SubSig_Item, nullptr},  // beyond the end
  };
  CClient client;
  CORLODataItem* item = new CORLODataItem(L"GRAPH_ApplyModel", L"", nullptr);

  EXPECT_EQ(client.FindSubscriptionEntry(&table[0], item, 0), &table[0]);
  EXPECT_EQ(client.FindSubscriptionEntry(&table[1], item, 5), &table[3]);
  EXPECT_EQ(client.FindSubscriptionEntry(&table[4], item, 0), nullptr);
  EXPECT_EQ(client.FindSubscriptionEntry(&table[0], nullptr, 0), nullptr);
  EXPECT_EQ(item->MatchedFlag(), 1);  // noted for the trace
  item->Release();
}

TEST(DataClientTest, AttachSubscribesAndTheLifecyclePairDetachesOnce) {
  CClient client;
  EXPECT_TRUE(client.AttachDataManager(client.m_hWnd));
  EXPECT_TRUE(ORLOIsSubscribed(client.m_hWnd));
  ORLOSendMessage("ORLO_Initialize", nullptr);
  EXPECT_EQ(client.initCalls, 1);

  ORLOSendMessage("ORLO_UnInitialize", nullptr);
  EXPECT_FALSE(client.Attached());
  EXPECT_FALSE(ORLOIsSubscribed(client.m_hWnd));
  EXPECT_EQ(client.uninitCalls, 0);  // the detach step calls it, not the message

  ORLOSubscribe(client.m_hWnd);  // on the bus again, but no longer attached
  ORLOSendMessage("ORLO_UnInitialize", nullptr);
  ORLOSendMessage("ORLO_Initialize", nullptr);
  EXPECT_TRUE(ORLOIsSubscribed(client.m_hWnd));
  EXPECT_EQ(client.initCalls, 1);

  CClient windowless;
  windowless.DestroyWindow();
  EXPECT_FALSE(windowless.AttachDataManager(windowless.m_hWnd));
  EXPECT_FALSE(windowless.Attached());
}

}  // namespace
