// The analyzer registry as the host sees it over the bus, with logging analyzers
// registered through "ANALYZER_RegisterAnalyzer".
#include "host/MainDialog.h"
#include "module/core/AnalyzerManager.h"
#include "tests/module/core/CoreTestDoubles.h"
#include "platform/common/Bus.h"
#include "tests/support/HostFixture.h"

#include <gtest/gtest.h>

#include <memory>

namespace orlo::test {
namespace {

using Names = std::vector<std::wstring>;
using Log = std::vector<std::string>;

// What one "ANALYZER_SelectAnalyzer" carried, copied while its arrays were alive.
struct Selection {
  std::vector<IBaseAnalyzer*> analyzers;
  std::vector<int> active;
};

class AnalyzerManagerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(mainDialog_.CreateDialogWindow());
    mainDialog_.On("ANALYZER_SelectAnalyzer", [this](IORLODataItem& item) {
      const auto* selection = static_cast<const tagANALYZERSELECTION*>(item.GetData());
      Selection copy;
      for (int i = 0; i < selection->nCount; ++i) {
        copy.analyzers.push_back(selection->ppAnalyzers[i]);
        copy.active.push_back(selection->pbActive[i]);
      }
      selections_.push_back(copy);
    });
    // The window is made directly, so that no built-in analyzer joins the registry.
    manager_ = std::make_unique<CAnalyzerManager>();
    ASSERT_TRUE(manager_->Create(AfxRegisterWndClass(CS_VREDRAW | CS_HREDRAW), L"", WS_CHILD,
                                 RECT{}, &mainDialog_, 1));
    window_ = manager_->m_hWnd;
    ASSERT_TRUE(manager_->AttachDataManager(window_));
  }

  // The manager destroys the analyzers it still lists, which live in this fixture.
  void TearDown() override { manager_.reset(); }

  void Register(IBaseAnalyzer* analyzer) { ORLOSendMessage("ANALYZER_RegisterAnalyzer", analyzer); }
  void Unregister(IBaseAnalyzer* analyzer) {
    ORLOSendMessage("ANALYZER_UnregisterAnalyzer", analyzer);
  }
  IBaseAnalyzer* Acquire(int index, IBaseAnalyzer* preset = nullptr) {
    tagANALYZERREF ref{index, preset};
    ORLOSendMessage("ANALYZER_AquireAnalyzer", &ref);
    return ref.pAnalyzer;
  }
  void Activate(IBaseAnalyzer* analyzer, bool active) {
    tagANALYZERREF ref{0, analyzer};
    ORLOSendMessage(active ? "ANALYZER_ActivateAnalyzer" : "ANALYZER_DeactivateAnalyzer", &ref);
  }
  Selection Change() {
    selections_.clear();
    ORLOSendSingleMessage(window_, "ANALYZER_ChangeAnalyzer", nullptr);
    EXPECT_EQ(selections_.size(), 1u);
    return selections_.empty() ? Selection{} : selections_.back();
  }

  host::CMainDialog mainDialog_;
  std::unique_ptr<CAnalyzerManager> manager_;
  HWND window_ = nullptr;
  std::vector<Selection> selections_;
  Log destroyed_;
  LoggingAnalyzer first_{"first", destroyed_};
  LoggingAnalyzer second_{"second", destroyed_};
  LoggingAnalyzer outsider_{"outsider", destroyed_};
};

TEST_F(AnalyzerManagerTest, HandsOutAnalyzersByRegistrationIndex) {
  Register(&first_);
  Register(&second_);
  Register(nullptr);
  EXPECT_EQ(Acquire(0), &first_);
  EXPECT_EQ(Acquire(1), &second_);
  EXPECT_EQ(Acquire(2, &outsider_), &outsider_);   // out of range: payload untouched
  EXPECT_EQ(Acquire(-1, &outsider_), &outsider_);
  ORLOSendMessage("ANALYZER_AquireAnalyzer", nullptr);  // no payload: nothing to answer
}

TEST_F(AnalyzerManagerTest, ChangeAnnouncesEveryAnalyzerWithItsActiveMark) {
  Register(&first_);
  Register(&second_);
  Activate(&first_, true);
  Activate(&first_, true);
  Activate(nullptr, true);

  BusRecorder bus;
  Selection selection = Change();
  EXPECT_EQ(selection.analyzers, (std::vector<IBaseAnalyzer*>{&first_, &second_}));
  EXPECT_EQ(selection.active, (std::vector<int>{1, 0}));
  EXPECT_EQ(bus.NamesTo(window_), (Names{L"ANALYZER_ChangeAnalyzer", L"ANALYZER_SelectAnalyzer"}));
  EXPECT_EQ(bus.NamesTo(mainDialog_.m_hWnd), (Names{L"ANALYZER_SelectAnalyzer"}));

  Activate(&second_, true);
  EXPECT_EQ(Change().active, (std::vector<int>{1, 1}));
  Activate(&first_, false);  // one deactivation clears the mark given twice
  EXPECT_EQ(Change().active, (std::vector<int>{0, 1}));
}

TEST_F(AnalyzerManagerTest, EmptyRegistryIsAnnouncedWithCountZero) {
  EXPECT_EQ(Acquire(0), nullptr);
  EXPECT_TRUE(Change().analyzers.empty());
}

TEST_F(AnalyzerManagerTest, UnregisteringIsSilentAndReturnsOwnership) {
  Register(&first_);
  Register(&second_);
  Activate(&second_, true);

  BusRecorder bus;
  Unregister(&second_);
  Unregister(&outsider_);  // not listed: nothing happens
  const Names sent{L"ANALYZER_UnregisterAnalyzer", L"ANALYZER_UnregisterAnalyzer"};
  EXPECT_EQ(bus.NamesTo(window_), sent);
  EXPECT_EQ(bus.NamesTo(mainDialog_.m_hWnd), sent);
  EXPECT_EQ(bus.Records().size(), 4u);

  EXPECT_EQ(Acquire(1), nullptr);
  // Still marked active, but no longer among the announced analyzers.
  Selection selection = Change();
  EXPECT_EQ(selection.analyzers, (std::vector<IBaseAnalyzer*>{&first_}));
  EXPECT_EQ(selection.active, (std::vector<int>{0}));

  manager_.reset();
  EXPECT_EQ(destroyed_, (Log{"first"}));
}

TEST_F(AnalyzerManagerTest, RepeatedRegistrationListsTheAnalyzerOnce) {
  Register(&first_);
  Register(&second_);
  Register(&first_);
  EXPECT_EQ(Acquire(1), &second_);
  EXPECT_EQ(Acquire(2), nullptr);

  Unregister(&first_);  // one unregistration removes it
  EXPECT_EQ(Acquire(0), &second_);
  Register(&first_);
  EXPECT_EQ(Acquire(1), &first_);

  manager_.reset();
  EXPECT_EQ(destroyed_, (Log{"second", "first"}));
}

TEST_F(AnalyzerManagerTest, DeletionDestroysEachRegisteredAnalyzerOnceThenDetaches) {
  Register(&first_);
  Register(&second_);
  Register(&outsider_);
  Activate(&second_, true);

  BusRecorder bus;
  manager_.reset();
  EXPECT_EQ(destroyed_, (Log{"first", "second", "outsider"}));
  ASSERT_EQ(bus.Records().size(), 1u);
  EXPECT_EQ(bus.Records()[0].name, L"ORLO_UnInitialize");
  EXPECT_EQ(bus.Records()[0].target, window_);
  EXPECT_FALSE(IsWindow(window_));

  ORLOSendMessage("ANALYZER_ChangeAnalyzer", nullptr);  // gone from the bus
  EXPECT_TRUE(selections_.empty());
}

}  // namespace
}  // namespace orlo::test
