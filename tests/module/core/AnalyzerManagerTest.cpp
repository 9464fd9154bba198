// The analyzer registry as the host sees it over the bus, with logging analyzers
// registered through "ANALYZER_RegisterAnalyzer".
#include "host/session/MainDialog.h"
#include "module/core/AnalyzerManager.h"
#include "platform/common/Bus.h"
#include "tests/module/core/CoreTestDoubles.h"
#include "tests/support/HostFixture.h"

#include <gtest/gtest.h>

#include <memory>

namespace orlo::test {
namespace {

using Names = std::vector<std::wstring>;
using Log = std::vector<std::string>;
using Analyzers = std::vector<IBaseAnalyzer*>;

class AnalyzerManagerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(mainDialog_.CreateDialogWindow());
    mainDialog_.On("ANALYZER_SelectAnalyzer", [this](IORLODataItem& item) {
      const auto* selection = static_cast<const tagANALYZERSELECTION*>(item.GetData());
      announced_.assign(selection->ppAnalyzers, selection->ppAnalyzers + selection->nCount);
      marks_.assign(selection->pbActive, selection->pbActive + selection->nCount);
      ++selections_;
    });
    // The window is made directly, so that no built-in analyzer joins the registry.
    ASSERT_TRUE(manager_->Create(AfxRegisterWndClass(0), L"", WS_CHILD, RECT{}, &mainDialog_, 1));
    window_ = manager_->m_hWnd;
    ASSERT_TRUE(manager_->AttachDataManager(window_));
  }
  // The manager destroys the analyzers it still lists, which live in this fixture.
  void TearDown() override { manager_.reset(); }

  static void Send(const char* name, IBaseAnalyzer* analyzer) { ORLOSendMessage(name, analyzer); }
  static void Register(std::initializer_list<IBaseAnalyzer*> analyzers) {
    for (IBaseAnalyzer* analyzer : analyzers) Send("ANALYZER_RegisterAnalyzer", analyzer);
  }
  IBaseAnalyzer* Acquire(int index, IBaseAnalyzer* preset = nullptr) {
    tagANALYZERREF ref{index, preset};
    ORLOSendMessage("ANALYZER_AquireAnalyzer", &ref);
    return ref.pAnalyzer;
  }
  void Mark(const char* name, IBaseAnalyzer* analyzer) {
    tagANALYZERREF ref{0, analyzer};
    ORLOSendMessage(name, &ref);
  }
  std::vector<int> Change() {
    const int before = selections_;
    ORLOSendSingleMessage(window_, "ANALYZER_ChangeAnalyzer", nullptr);
    EXPECT_EQ(selections_, before + 1);
    return {marks_.begin(), marks_.end()};
  }

  host::CMainDialog mainDialog_;
  std::unique_ptr<CAnalyzerManager> manager_ = std::make_unique<CAnalyzerManager>();
  HWND window_ = nullptr;
  Analyzers announced_;
  std::vector<std::uint8_t> marks_;
  int selections_ = 0;
  Log destroyed_;
  LoggingAnalyzer a_{"a", destroyed_};
  LoggingAnalyzer b_{"b", destroyed_};
  LoggingAnalyzer c_{"c", destroyed_};
};

// Deletion destroys each listed analyzer once, marked or not, before the window goes.
TEST_F(AnalyzerManagerTest, HandsOutByRegistrationIndexAndDestroysEachListedOneOnce) {
  EXPECT_EQ(Acquire(0), nullptr);
  Register({&a_, &b_, nullptr, &a_});  // null is not listed; a is listed twice
  EXPECT_EQ((Analyzers{Acquire(0), Acquire(1), Acquire(2)}), (Analyzers{&a_, &b_, &a_}));
  EXPECT_EQ(Acquire(3, &c_), &c_);  // out of range: payload untouched
  EXPECT_EQ(Acquire(-1, &c_), &c_);
  ORLOSendMessage("ANALYZER_AquireAnalyzer", nullptr);

  Send("ANALYZER_UnregisterAnalyzer", &a_);  // removes the first entry only
  EXPECT_EQ((Analyzers{Acquire(0), Acquire(1)}), (Analyzers{&b_, &a_}));
  WindowWitness witness(window_, destroyed_, [this](const char* note) { destroyed_.push_back(note); });
  Register({&c_, &b_, &witness});
  Mark("ANALYZER_ActivateAnalyzer", &b_);
  manager_.reset();  // the detach message itself is ModuleEntryTest's
  EXPECT_EQ(destroyed_, (Log{"b", "a", "c", "window alive"}));
  EXPECT_FALSE(IsWindow(window_));
}

TEST_F(AnalyzerManagerTest, ChangeAnnouncesEveryListedAnalyzerWithItsActiveMark) {
  EXPECT_EQ(Change(), std::vector<int>{});
  Register({&a_, &b_});
  Mark("ANALYZER_ActivateAnalyzer", &a_);
  Mark("ANALYZER_ActivateAnalyzer", &a_);
  Mark("ANALYZER_ActivateAnalyzer", nullptr);

  BusRecorder bus;
  EXPECT_EQ(Change(), (std::vector<int>{1, 0}));
  EXPECT_EQ(announced_, (Analyzers{&a_, &b_}));
  EXPECT_EQ(bus.NamesTo(window_), (Names{L"ANALYZER_ChangeAnalyzer", L"ANALYZER_SelectAnalyzer"}));
  EXPECT_EQ(bus.NamesTo(mainDialog_.m_hWnd), (Names{L"ANALYZER_SelectAnalyzer"}));

  Mark("ANALYZER_ActivateAnalyzer", &b_);
  Mark("ANALYZER_DeactivateAnalyzer", &a_);  // one deactivation clears a double activation
  EXPECT_EQ(Change(), (std::vector<int>{0, 1}));

  // Unregistering is silent and returns ownership.
  bus.Clear();
  Send("ANALYZER_UnregisterAnalyzer", &b_);
  Send("ANALYZER_UnregisterAnalyzer", &c_);  // not listed
  EXPECT_EQ(bus.Records().size(), 4u);      // two broadcasts to two receivers, nothing more
  EXPECT_EQ(bus.NamesTo(window_), (Names(2, L"ANALYZER_UnregisterAnalyzer")));

  EXPECT_EQ(Change(), (std::vector<int>{0}));  // b is still marked, but no longer listed
  EXPECT_EQ(announced_, (Analyzers{&a_}));
  Register({&b_});
  EXPECT_EQ(Change(), (std::vector<int>{0, 1}));  // and keeps its mark when it comes back
  Send("ANALYZER_UnregisterAnalyzer", &b_);
  manager_.reset();
  EXPECT_EQ(destroyed_, (Log{"a"}));
}

}  // namespace
}  // namespace orlo::test
