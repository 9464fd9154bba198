// The bus-client base: subscription-table matching, attaching and the lifecycle pair.
#include "platform/common/Bus.h"
#include "platform/common/DataClient.h"
#include "platform/win/Wnd.h"

#include <gtest/gtest.h>

#include <bit>
#include <cstdio>
#include <string>

namespace {

// A bus client window with the lifecycle pair in its table and a minimal dispatcher.
class CTestClient : public CWnd, public CORLODataClient {
 public:
  CTestClient() { Create(AfxRegisterWndClass(0), L"", 0, RECT{}, nullptr, 0); }

  static const ORLO_SUBMAP_ENTRY entries[];
  void OnInitClient() override { ++initCalls; }
  void OnUninitClient() override { ++uninitCalls; }
  bool Attached() const { return m_bAttached; }
  IDataManager* DataManager() const { return m_pDataManager; }

  int initCalls = 0;
  int uninitCalls = 0;

 protected:
  LRESULT OnDataItem(WPARAM wParam, LPARAM number) {
    auto* item = reinterpret_cast<IORLODataItem*>(wParam);
    item->AddRef();
    for (auto* e = FindSubscriptionEntry(entries, item, number); e != nullptr;
         e = FindSubscriptionEntry(e + 1, item, number)) {
      (this->*std::bit_cast<ORLO_PFN_ITEM>(e->pfnHandler))(item);
    }
    item->Done();
    item->SetResult(1);
    item->Release();
    return 1;
  }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CTestClient, CWnd)
ON_MESSAGE(WM_DATAITEM, OnDataItem)
END_MESSAGE_MAP()

const ORLO_SUBMAP_ENTRY CTestClient::entries[] = {
    {L"ORLO_Initialize", L"", 1, SubSig_Item,
     ORLO_ITEM_HANDLER(CTestClient, OnInitializeMessage)},
    {L"ORLO_UnInitialize", L"", 1, SubSig_Item,
     ORLO_ITEM_HANDLER(CTestClient, OnUnInitializeMessage)},
    {L"", L"", 0, SubSig_End, nullptr},
};

TEST(DataClientTest, FindSubscriptionEntryMatchesNamesExactlyFromTheGivenEntryOn) {
  const ORLO_SUBMAP_ENTRY table[] = {
      {L"GRAPH_ApplyModel", L"", 0, SubSig_Item, nullptr},
      {L"GRAPH_RemoveModel", L"", 1, SubSig_Item, nullptr},
      {L"graph_applymodel", L"", 0, SubSig_Item, nullptr},
      {L"GRAPH_ApplyModel", L"Q", 1, SubSig_String, nullptr},
      {L"", L"", 0, SubSig_End, nullptr},
      {L"GRAPH_ApplyModel", L"", 0, SubSig_Item, nullptr},  // beyond the end
  };
  CTestClient client;
  CORLODataItem* item = new CORLODataItem(L"GRAPH_ApplyModel", L"", nullptr);

  EXPECT_EQ(client.FindSubscriptionEntry(&table[0], item, 0), &table[0]);
  EXPECT_EQ(client.FindSubscriptionEntry(&table[1], item, 5), &table[3]);
  EXPECT_EQ(client.FindSubscriptionEntry(&table[4], item, 0), nullptr);
  EXPECT_EQ(client.FindSubscriptionEntry(&table[0], nullptr, 0), nullptr);
  EXPECT_EQ(item->MatchedFlag(), 1);  // noted for the trace
  item->Release();
  EXPECT_EQ(client.GetSubscriptionMap(), &CORLODataClient::subscriptionMap);
  EXPECT_EQ(CORLODataClient::subscriptionMap.pBaseMap, nullptr);
  EXPECT_EQ(CORLODataClient::subscriptionMap.lpEntries->nSig, SubSig_End);
}

TEST(DataClientTest, AttachSubscribesAndTheLifecyclePairDetachesOnce) {
  CTestClient client;
  EXPECT_TRUE(client.AttachDataManager(client.m_hWnd));
  EXPECT_TRUE(ORLOIsSubscribed(client.m_hWnd));
  EXPECT_EQ(client.DataManager(), ORLOGetDataManager());
  ORLOSendMessage("ORLO_Initialize", nullptr);
  EXPECT_EQ(client.initCalls, 1);

  ORLOSendMessage("ORLO_UnInitialize", nullptr);
  EXPECT_FALSE(client.Attached());
  EXPECT_FALSE(ORLOIsSubscribed(client.m_hWnd));
  EXPECT_EQ(client.uninitCalls, 0);  // the detach step calls it, not the message
  EXPECT_EQ(client.DataManager(), ORLOGetDataManager());

  ORLOSubscribe(client.m_hWnd);  // on the bus again, but no longer attached
  ORLOSendMessage("ORLO_UnInitialize", nullptr);
  ORLOSendMessage("ORLO_Initialize", nullptr);
  EXPECT_TRUE(ORLOIsSubscribed(client.m_hWnd));
  EXPECT_EQ(client.initCalls, 1);

  CTestClient windowless;
  windowless.DestroyWindow();
  EXPECT_FALSE(windowless.AttachDataManager(windowless.m_hWnd));
  EXPECT_FALSE(windowless.Attached());
}

TEST(DataClientTest, TracePrintsEachDeliveryWithItsResultAndMatchedFlag) {
  CTestClient client;
  CWnd silent;  // completes nothing
  silent.Create(AfxRegisterWndClass(0), L"", 0, RECT{}, nullptr, 0);
  char expected[200];
  std::snprintf(expected, sizeof expected,
                "bus: ORLO_Initialize -> %#llx result 1 flag 1\n"
                "bus: GRAPH_Repaint -> %#llx result 1\n"
                "bus: GRAPH_Repaint -> %#llx result 0 (not completed)\n",
                reinterpret_cast<unsigned long long>(client.m_hWnd),
                reinterpret_cast<unsigned long long>(client.m_hWnd),
                reinterpret_cast<unsigned long long>(silent.m_hWnd));
  ORLOSetTrace(true);
  testing::internal::CaptureStderr();
  ORLOSendSingleMessage(client.m_hWnd, "ORLO_Initialize", nullptr);
  ORLOSendSingleMessage(client.m_hWnd, "GRAPH_Repaint", nullptr);
  ORLOSendSingleMessage(silent.m_hWnd, "GRAPH_Repaint", nullptr);
  const std::string trace = testing::internal::GetCapturedStderr();
  ORLOSetTrace(false);
  EXPECT_EQ(trace, expected);
}

}  // namespace
