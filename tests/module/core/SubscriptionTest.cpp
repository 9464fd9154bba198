// The subscription dispatcher and the detach step, on a client whose table uses every
// handler form.
#include "module/core/OxBaseManager.h"
#include "module/core/Subscription.h"
#include "tests/module/core/CoreTestDoubles.h"
#include "platform/common/Bus.h"
#include "tests/support/HostFixture.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace orlo::test {
namespace {

using Calls = std::vector<std::string>;

class CDispatchClient : public COxBaseManager, public CORLODataClient {
 public:
  ~CDispatchClient() override { DestroyWindow(); }

  void OnUninitClient() override { handled.push_back("OnUninitClient"); }

  Calls handled;
  const void* payloadSeen = nullptr;
  std::int32_t wordSeen = -1;

 protected:
  void OnFirst(IORLODataItem*) { handled.push_back("first"); }
  void OnSecond(IORLODataItem*) { handled.push_back("second"); }
  std::wstring OnText(IORLODataItem*) {
    handled.push_back("text");
    return L"reply text";
  }
  void OnDataWord(void* payload, std::int32_t word) {
    handled.push_back("dataword");
    payloadSeen = payload;
    wordSeen = word;
  }
  void OnData(void* payload) {
    handled.push_back("data");
    payloadSeen = payload;
  }
  void OnQualified(IORLODataItem*) { handled.push_back("qualified"); }

 private:
  std::wstring m_strReply;

  ORLO_DECLARE_SUBSCRIPTION_MAP()
  ORLO_DECLARE_CLIENT_HANDLERS()
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CDispatchClient, COxBaseManager)
ON_MESSAGE(WM_DESTROY, OnClientDestroy)
ON_MESSAGE(WM_DATAITEM, OnDataItem)
END_MESSAGE_MAP()

using module::StoreHandler;
constexpr std::int32_t kUnknownForm = 9;

ORLO_BEGIN_SUBSCRIPTION_MAP(CDispatchClient)
ORLO_SUBSCRIBE("ORLO_Initialize", 1, CDispatchClient, OnInitializeMessage)
ORLO_SUBSCRIBE("ORLO_UnInitialize", 1, CDispatchClient, OnUnInitializeMessage)
ORLO_SUBSCRIBE("Twice", 0, CDispatchClient, OnFirst)
ORLO_SUBSCRIBE("Twice", 0, CDispatchClient, OnSecond)
{L"TextThenItem", L"", 0, SubSig_String,
 StoreHandler(static_cast<ORLO_PFN_STRING>(&CDispatchClient::OnText))},
ORLO_SUBSCRIBE("TextThenItem", 0, CDispatchClient, OnFirst)
ORLO_SUBSCRIBE("ItemThenText", 0, CDispatchClient, OnFirst)
{L"ItemThenText", L"", 0, SubSig_String,
 StoreHandler(static_cast<ORLO_PFN_STRING>(&CDispatchClient::OnText))},
{L"DataWord", L"", 0, SubSig_DataWord,
 StoreHandler(static_cast<ORLO_PFN_DATAWORD>(&CDispatchClient::OnDataWord))},
{L"Data", L"", 0, SubSig_Data, StoreHandler(static_cast<ORLO_PFN_DATA>(&CDispatchClient::OnData))},
{L"Qualified", L"Phase-A", 0, SubSig_ItemQualified,
 StoreHandler(static_cast<ORLO_PFN_ITEM>(&CDispatchClient::OnQualified))},
{L"UnknownForm", L"", 0, kUnknownForm,
 StoreHandler(static_cast<ORLO_PFN_ITEM>(&CDispatchClient::OnFirst))},
{L"UnknownThenItem", L"", 0, kUnknownForm,
 StoreHandler(static_cast<ORLO_PFN_ITEM>(&CDispatchClient::OnFirst))},
ORLO_SUBSCRIBE("UnknownThenItem", 0, CDispatchClient, OnSecond)
ORLO_END_SUBSCRIPTION_MAP()

const Calls kCompleted = {"AddRef", "Done", "SetResult", "IsPosted", "Release"};

class SubscriptionTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(parent_.Create(AfxRegisterWndClass(CS_VREDRAW | CS_HREDRAW), L"", 0, RECT{},
                               nullptr, 0));
    ASSERT_TRUE(client_.CreateManager(&parent_));
  }

  LRESULT Deliver(RecordingDataItem& item) {
    return SendMessage(client_.m_hWnd, WM_DATAITEM, reinterpret_cast<WPARAM>(&item), 42);
  }

  CWnd parent_;
  CDispatchClient client_;
};

TEST_F(SubscriptionTest, EveryMatchingEntryRunsInTableOrderAndTheLastDecides) {
  RecordingDataItem twice(L"Twice");
  EXPECT_EQ(Deliver(twice), 1);
  EXPECT_EQ(client_.handled, (Calls{"first", "second"}));
  EXPECT_EQ(twice.calls, kCompleted);
  EXPECT_EQ(twice.result, 1);

  client_.handled.clear();
  RecordingDataItem textThenItem(L"TextThenItem");
  EXPECT_EQ(Deliver(textThenItem), 1);
  EXPECT_EQ(client_.handled, (Calls{"text", "first"}));
  EXPECT_EQ(textThenItem.result, 1);

  RecordingDataItem itemThenText(L"ItemThenText");
  const LRESULT reply = Deliver(itemThenText);
  ASSERT_NE(reply, 0);
  EXPECT_EQ(std::wstring(reinterpret_cast<const wchar_t*>(reply)), L"reply text");
  EXPECT_EQ(itemThenText.result, reply);
}

TEST_F(SubscriptionTest, DataFormsReceiveThePayloadAndItsSecondWord) {
  struct {
    std::int32_t first = 7;
    std::int32_t second = -123456;
  } record;
  RecordingDataItem dataWord(L"DataWord", &record);
  EXPECT_EQ(Deliver(dataWord), 1);
  EXPECT_EQ(client_.payloadSeen, &record);
  EXPECT_EQ(client_.wordSeen, -123456);

  RecordingDataItem noPayload(L"DataWord");
  EXPECT_EQ(Deliver(noPayload), 1);
  EXPECT_EQ(client_.payloadSeen, nullptr);
  EXPECT_EQ(client_.wordSeen, 0);

  RecordingDataItem data(L"Data", &record);
  EXPECT_EQ(Deliver(data), 1);
  EXPECT_EQ(client_.payloadSeen, &record);
  EXPECT_EQ(client_.handled, (Calls{"dataword", "dataword", "data"}));
}

TEST_F(SubscriptionTest, QualifiedEntryRunsOnlyForItsQualifierInAnyLetterCase) {
  RecordingDataItem other(L"Qualified", nullptr, L"Phase-B");
  EXPECT_EQ(Deliver(other), 0);
  EXPECT_TRUE(client_.handled.empty());
  EXPECT_EQ(other.calls, kCompleted);
  EXPECT_EQ(other.result, 0);

  RecordingDataItem same(L"Qualified", nullptr, L"pHASE-a");
  EXPECT_EQ(Deliver(same), 1);
  EXPECT_EQ(client_.handled, (Calls{"qualified"}));
}

TEST_F(SubscriptionTest, UnknownFormsAndMessagesAreSkippedButTheItemIsCompleted) {
  RecordingDataItem unknownForm(L"UnknownForm");
  EXPECT_EQ(Deliver(unknownForm), 0);
  EXPECT_EQ(unknownForm.calls, kCompleted);

  RecordingDataItem unknownThenItem(L"UnknownThenItem");
  EXPECT_EQ(Deliver(unknownThenItem), 1);
  EXPECT_EQ(client_.handled, (Calls{"second"}));

  RecordingDataItem unknownMessage(L"NobodyListens");
  EXPECT_EQ(Deliver(unknownMessage), 0);
  EXPECT_EQ(unknownMessage.calls, kCompleted);
  EXPECT_EQ(unknownMessage.result, 0);
}

TEST_F(SubscriptionTest, PostedItemIsDeletedAfterItsRelease) {
  RecordingDataItem posted(L"Twice", nullptr, L"", /*posted=*/true);
  EXPECT_EQ(Deliver(posted), 1);
  EXPECT_EQ(posted.calls,
            (Calls{"AddRef", "Done", "SetResult", "IsPosted", "Release", "Delete"}));
}

TEST_F(SubscriptionTest, NullItemIsAnsweredWithZeroAndNothingRuns) {
  EXPECT_EQ(SendMessage(client_.m_hWnd, WM_DATAITEM, 0, 42), 0);
  EXPECT_TRUE(client_.handled.empty());
}

TEST_F(SubscriptionTest, DestroyingAClientThatWasNeverAttachedSendsNothing) {
  BusRecorder bus;
  EXPECT_TRUE(client_.DestroyWindow());
  EXPECT_TRUE(bus.Records().empty());
  EXPECT_TRUE(client_.handled.empty());
  EXPECT_EQ(client_.m_hWnd, nullptr);
}

TEST_F(SubscriptionTest, AttachedClientDetachesItselfOnceWhenItsWindowGoes) {
  const HWND window = client_.m_hWnd;
  ASSERT_TRUE(client_.AttachDataManager(window));
  BusRecorder bus;
  ORLOSendMessage("Twice", nullptr);  // attached means subscribed
  EXPECT_EQ(bus.NamesTo(window), (std::vector<std::wstring>{L"Twice"}));

  bus.Clear();
  client_.handled.clear();
  EXPECT_TRUE(client_.DestroyWindow());
  ASSERT_EQ(bus.Records().size(), 1u);
  EXPECT_EQ(bus.Records()[0].name, L"ORLO_UnInitialize");
  EXPECT_EQ(bus.Records()[0].target, window);
  EXPECT_FALSE(bus.Records()[0].broadcast);
  EXPECT_EQ(client_.handled, (Calls{"OnUninitClient"}));
}

TEST_F(SubscriptionTest, ClientDetachedByTheHostSendsNothingMoreOnDestruction) {
  ASSERT_TRUE(client_.AttachDataManager(client_.m_hWnd));
  ORLOSendMessage("ORLO_UnInitialize", nullptr);
  BusRecorder bus;
  EXPECT_TRUE(client_.DestroyWindow());
  EXPECT_TRUE(bus.Records().empty());
}

}  // namespace
}  // namespace orlo::test
