// Stories about the model and sweep selectors of every comparison analyzer, driven
// through the host's graph plug-in.
#include <gtest/gtest.h>

#include "host/graph/GraphModels.h"
#include "platform/common/UserActions.h"
#include "platform/win/StandardControls.h"
#include "tests/module/comparison/CorrAnalyzerProbe.h"
#include "tests/support/HostFixture.h"

namespace orlo::test {
namespace {

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

class CorrAnalyzerModels : public ::testing::Test {
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

TEST_F(CorrAnalyzerModels, EntriesReadTheLabelAloneOrLabelAndItem) {
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
}

TEST_F(CorrAnalyzerModels, RemovingTheChosenModelChoosesTheFirstRemainingItem) {
  host.Graph().ApplyModel(Model(L"T1", L"Transformer 1", {Item(L"HV", {1, 2})}));
  host.Graph().ApplyModel(Model(L"T2", L"Transformer 2", {Item(L"HV", {4}), Item(L"LV", {5})}));
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

  host.Graph().RemoveModel(L"T3");
  EXPECT_TRUE(Entries(probe->ModelSelector()).empty());
  EXPECT_EQ(probe->ChosenItem(), nullptr);
  EXPECT_EQ(probe->ModelName(), L"T3");  // the name is kept for a model applied again
}

TEST_F(CorrAnalyzerModels, ExclusionIgnoresLetterCase) {
  host.Graph().ApplyModel(Model(L"T1", L"Upper", {Item(L"HV", {1})}));
  host.Graph().ApplyModel(Model(L"t1", L"Lower", {Item(L"HV", {2})}));
  host.Graph().ApplyModel(Model(L"X", L"Other", {Item(L"HV", {3})}));
  host.Graph().RemoveModel(L"t1");
  EXPECT_EQ(Entries(probe->ModelSelector()), std::vector<std::wstring>{L"Other"});
  EXPECT_EQ(probe->ChosenItem(), ItemOf(L"T1", 0));  // an unchosen model was removed
  host.Graph().RecalcModels();                       // the next refill lists "T1" again
  EXPECT_EQ(Entries(probe->ModelSelector()), (std::vector<std::wstring>{L"Upper", L"Other"}));
}

TEST_F(CorrAnalyzerModels, SweepNumberIsKeptWhenTheNewItemHasIt) {
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

TEST_F(CorrAnalyzerModels, ModelAppliedAgainUnderTheChosenNameTakesItsFirstNumber) {
  host.Graph().ApplyModel(Model(L"T1", L"Transformer 1", {Item(L"HV", {1, 2})}));
  user::PickEntry(probe->SweepSelector(), 1);
  host.Graph().RemoveModel(L"T1");
  host.Graph().ApplyModel(Model(L"T1", L"Transformer 1", {Item(L"LV", {9, 2})}));
  EXPECT_EQ(probe->ChosenItem(), ItemOf(L"T1", 0));
  EXPECT_EQ(probe->SweepNumber(), 9);
  EXPECT_EQ(Selection(probe->SweepSelector()), 0);
}

}  // namespace
}  // namespace orlo::test
