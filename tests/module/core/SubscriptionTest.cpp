// The subscription dispatcher and the detach step, on a client whose table uses every
// handler form.
#include "module/core/OxBaseManager.h"
#include "module/core/Subscription.h"
#include "platform/common/Bus.h"
#include "tests/support/HostFixture.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace orlo::test {
namespace {

using Calls = std::vector<std::string>;

// A bus item delivered by hand (SendMessage(hwnd, WM_DATAITEM, &item, number)) that records
// the calls the dispatcher makes on it.
class RecordingDataItem : public IORLODataItem {
 public:
  explicit RecordingDataItem(std::wstring name, void* data = nullptr, std::wstring qualifier = L"",
                             bool posted = false)
      : name_(std::move(name)), qualifier_(std::move(qualifier)), data_(data), posted_(posted) {}

  void Delete() override { calls.push_back("Delete"); }
  void AddRef() override { calls.push_back("AddRef"); }
  void Done() override { calls.push_back("Done"); }
  void Release() override { calls.push_back("Release"); }
  void SetResult(LRESULT value) override {
    calls.push_back("SetResult");
    result = value;
  }
  bool IsPosted() const override {
    calls.push_back("IsPosted");
    return posted_;
  }
  const std::wstring& GetName() const override { return name_; }
  const std::wstring& GetQualifier() const override { return qualifier_; }
  void* GetData() const override { return data_; }

  mutable Calls calls;
  LRESULT result = -1;  // what SetResult received

 private:
  std::wstring name_, qualifier_;
  void* data_;
  bool posted_;
};

class CDispatchClient : public COxBaseManager, public CORLODataClient {
 public:
  ~CDispatchClient() override { DestroyWindow(); }
  void OnUninitClient() override { ran.push_back("uninit"); }

  Calls ran;
  const void* payload = nullptr;
  std::int32_t word = -1;

  void OnFirst(IORLODataItem*) { ran.push_back("first"); }
  void OnSecond(IORLODataItem*) { ran.push_back("second"); }
  std::wstring OnText(IORLODataItem*) { return L"reply text"; }
  void OnDataWord(void* data, std::int32_t second) {
    payload = data;
    word = second;
  }
  void OnData(void* data) { payload = data; }

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
const ORLO_PFN kText = StoreHandler(static_cast<ORLO_PFN_STRING>(&CDispatchClient::OnText));
const ORLO_PFN kFirst = StoreHandler(static_cast<ORLO_PFN_ITEM>(&CDispatchClient::OnFirst));

ORLO_BEGIN_SUBSCRIPTION_MAP(CDispatchClient)
ORLO_SUBSCRIBE("ORLO_UnInitialize", 1, CDispatchClient, OnUnInitializeMessage)
ORLO_SUBSCRIBE("Twice", 0, CDispatchClient, OnFirst)
ORLO_SUBSCRIBE("Twice", 0, CDispatchClient, OnSecond)
{L"TextThenItem", L"", 0, SubSig_String, kText},
ORLO_SUBSCRIBE("TextThenItem", 0, CDispatchClient, OnSecond)
ORLO_SUBSCRIBE("ItemThenText", 0, CDispatchClient, OnSecond)
{L"ItemThenText", L"", 0, SubSig_String, kText},
{L"DataWord", L"", 0, SubSig_DataWord,
 StoreHandler(static_cast<ORLO_PFN_DATAWORD>(&CDispatchClient::OnDataWord))},
{L"Data", L"", 0, SubSig_Data, StoreHandler(static_cast<ORLO_PFN_DATA>(&CDispatchClient::OnData))},
{L"Qualified", L"Phase-A", 0, SubSig_ItemQualified, kFirst},
{L"UnknownForm", L"", 0, 9, kFirst},  // skipped, the search goes on
ORLO_SUBSCRIBE("UnknownForm", 0, CDispatchClient, OnSecond)
{L"UnknownForm", L"", 0, 0x100, kFirst},  // skipped, the result before it stays
ORLO_END_SUBSCRIPTION_MAP()

const Calls kCompleted = {"AddRef", "Done", "SetResult", "IsPosted", "Release"};

class SubscriptionTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(parent_.Create(AfxRegisterWndClass(0), L"", 0, RECT{}, nullptr, 0));
    ASSERT_TRUE(client_.CreateManager(&parent_));
  }
  // Delivers the item as the bus would; answers the message result, which the item got too.
  LRESULT Deliver(RecordingDataItem&& item, Calls completion = kCompleted) {
    const auto result = SendMessage(client_.m_hWnd, WM_DATAITEM, reinterpret_cast<WPARAM>(&item), 4);
    EXPECT_EQ(item.result, result);
    EXPECT_EQ(item.calls, completion);
    return result;
  }

  CWnd parent_;
  CDispatchClient client_;
};

TEST_F(SubscriptionTest, EveryMatchingEntryRunsInTableOrderAndTheLastDecides) {
  EXPECT_EQ(Deliver(RecordingDataItem(L"Twice")), 1);
  EXPECT_EQ(client_.ran, (Calls{"first", "second"}));
  EXPECT_EQ(Deliver(RecordingDataItem(L"TextThenItem")), 1);
  const LRESULT reply = Deliver(RecordingDataItem(L"ItemThenText"));
  ASSERT_GT(reply, 1) << "not the address of the reply";
  EXPECT_EQ(std::wstring(reinterpret_cast<const wchar_t*>(reply)), L"reply text");
}

TEST_F(SubscriptionTest, HandlerFormsGetTheirArguments) {
  std::int32_t record[2] = {7, -123456};
  EXPECT_EQ(Deliver(RecordingDataItem(L"DataWord", record)), 1);
  EXPECT_EQ(client_.payload, record);
  EXPECT_EQ(client_.word, -123456);
  EXPECT_EQ(Deliver(RecordingDataItem(L"DataWord")), 1);  // no payload, no second word
  EXPECT_EQ(client_.word, 0);
  EXPECT_EQ(Deliver(RecordingDataItem(L"Data", &record[1])), 1);
  EXPECT_EQ(client_.payload, &record[1]);

  EXPECT_EQ(Deliver(RecordingDataItem(L"Qualified", nullptr, L"Phase-B")), 0);
  EXPECT_TRUE(client_.ran.empty());
  EXPECT_EQ(Deliver(RecordingDataItem(L"Qualified", nullptr, L"pHASE-a")), 1);
  EXPECT_EQ(client_.ran, (Calls{"first"}));
}

TEST_F(SubscriptionTest, UnknownFormsAndMessagesAreSkippedButItemsAreCompleted) {
  EXPECT_EQ(Deliver(RecordingDataItem(L"UnknownForm")), 1);
  EXPECT_EQ(client_.ran, (Calls{"second"}));
  EXPECT_EQ(Deliver(RecordingDataItem(L"NobodyListens")), 0);
  Calls posted = kCompleted;
  posted.push_back("Delete");
  EXPECT_EQ(Deliver(RecordingDataItem(L"NobodyListens", nullptr, L"", true), posted), 0);
  EXPECT_EQ(SendMessage(client_.m_hWnd, WM_DATAITEM, 0, 4), 0);  // null item
  EXPECT_EQ(client_.ran, (Calls{"second"}));
}

TEST_F(SubscriptionTest, OnlyAnAttachedClientDetachesWhenItsWindowGoes) {
  CDispatchClient never;
  ASSERT_TRUE(never.CreateManager(&parent_));
  BusRecorder bus;
  EXPECT_TRUE(never.DestroyWindow());
  EXPECT_TRUE(bus.Records().empty());

  const HWND window = client_.m_hWnd;
  ASSERT_TRUE(client_.AttachDataManager(window));
  EXPECT_TRUE(client_.DestroyWindow());
  ASSERT_EQ(bus.Records().size(), 1u);
  EXPECT_EQ(bus.Records()[0].name, L"ORLO_UnInitialize");
  EXPECT_EQ(bus.Records()[0].target, window);
  EXPECT_EQ(client_.ran, (Calls{"uninit"}));
  EXPECT_TRUE(never.ran.empty());
}

}  // namespace
}  // namespace orlo::test
