#include "host/session/SettingsDialogUser.h"

#include "module/core/AnalyzerInterfaces.h"
#include "platform/common/GuiItem.h"
#include "platform/common/UserActions.h"
#include "platform/common/Utf8.h"
#include "platform/controls/GridCtrl.h"
#include "platform/win/MessageBox.h"

#include <algorithm>
#include <functional>

namespace orlo::host {

namespace {

// Items under `item` (depth first) that `match`.
void Collect(CORLOGuiItem& item, const std::function<bool(const CORLOGuiItem&)>& match,
             std::vector<CORLOGuiItem*>& found) {
  if (match(item)) found.push_back(&item);
  for (const auto& child : item.Children()) Collect(*child, match, found);
}

// The items of `kind` in the dialog a user sees.
std::vector<CORLOGuiItem*> ItemsOfKind(int kind) {
  std::vector<CORLOGuiItem*> found;
  if (CORLOGuiItem* dialog = CORLOGuiItem::RunningDialog()) {
    Collect(*dialog, [kind](const CORLOGuiItem& item) { return item.Kind() == kind; }, found);
  }
  return found;
}

CORLOGuiItem* ItemOfKind(int kind, size_t index = 0) {
  const std::vector<CORLOGuiItem*> items = ItemsOfKind(kind);
  return index < items.size() ? items[index] : nullptr;
}

CORLOGuiItem* Button(const wchar_t* caption) {
  for (CORLOGuiItem* button : ItemsOfKind(ORLO_GUI_BUTTON)) {
    if (button->Text() == caption) return button;
  }
  return nullptr;
}

// The edit boxes of the band editor, in the order it shows them.
enum EditorBox : size_t { kLabelBox, kMinBox, kMaxBox, kNormalBox, kSuspectBox };

// Queues the steps of one action for the dialogs' modal runs; a step a user could not do
// is noted in Fault().
class DialogUser {
 public:
  explicit DialogUser(const SettingsAction& action) : action_(action) {}

  void QueueAction() {
    using Kind = SettingsAction::Kind;
    const Kind kind = action_.kind;
    if (action_.technique && (kind == Kind::kTechnique || kind == Kind::kAddBand)) {
      Do("pick the technique", [this] {
        return user::PickEntry(ItemOfKind(ORLO_GUI_DROPDOWN), *action_.technique);
      });
    }
    if (kind == Kind::kSave) {
      Click(L"OK");
    } else if (kind == Kind::kMagnitudeDifference) {
      Do("tick the check box",
         [this] { return user::TickCheckBox(ItemOfKind(ORLO_GUI_CHECKBOX), action_.on); });
      Type(action_.limit, 0);
      Click(L"OK");
    } else if (kind == Kind::kAddBand) {
      Click(L"Add...");
      FillEditor();
    } else if (kind == Kind::kEditBand) {
      ClickRow();
      Click(L"Edit...");
      FillEditor();
    } else if (kind == Kind::kDeleteBand) {
      ClickRow();
      Do("answer the question", [this] {
        if (action_.yes) win::QueueMessageBoxAnswer(IDYES);
        return true;
      });
      Click(L"Delete");
    }
  }

  const std::string& Fault() const { return fault_; }

 private:
  void Do(std::string what, std::function<bool()> step) {
    user::QueueModalAction([this, what = std::move(what), step = std::move(step)] {
      if (fault_.empty() && !step()) fault_ = "could not " + what;
    });
  }
  void Click(const wchar_t* caption) {
    Do("click " + orlo::WideToUtf8(caption), [caption] { return user::ClickButton(Button(caption)); });
  }
  void Type(const std::optional<std::string>& text, size_t box) {
    if (!text) return;
    Do("type '" + *text + "'", [typed = *text, box] {
      return user::TypeText(ItemOfKind(ORLO_GUI_EDIT, box), orlo::Utf8ToWide(typed));
    });
  }
  void FillEditor() {
    Type(action_.label, kLabelBox);
    Type(action_.minFreq, kMinBox);
    Type(action_.maxFreq, kMaxBox);
    Type(action_.normal, kNormalBox);
    Type(action_.suspect, kSuspectBox);
    Click(L"OK");
  }
  void ClickRow() {
    user::QueueModalAction([this] {
      auto* grid = ItemOfKind(ORLO_GUI_GRID);
      const int rows = grid != nullptr && grid->GetWnd() != nullptr
                           ? static_cast<CGridCtrl*>(grid->GetWnd())->GetRowCount()
                           : 0;
      if (action_.row >= rows || !user::ClickGridCell(grid, action_.row, 0)) {
        fault_ = "ROW " + std::to_string(action_.row) + " is not a band (the grid has " +
                 std::to_string(std::max(rows - 1, 0)) + ")";
        user::ClearModalActions();
      }
    });
  }

  const SettingsAction& action_;
  std::string fault_;
};

}  // namespace

std::string DoSettingsAction(IBaseAnalyzer& analyzer, const SettingsAction& action,
                             const std::function<void()>& onOpen) {
  user::ClearModalActions();
  user::QueueModalAction(onOpen);
  DialogUser user(action);
  user.QueueAction();
  analyzer.ShowSettings(nullptr);
  user::ClearModalActions();
  return user.Fault();
}

std::optional<SettingsSnapshot> ReadSettingsDialog(IBaseAnalyzer& analyzer) {
  std::optional<SettingsSnapshot> snapshot;
  user::ClearModalActions();
  user::QueueModalAction([&snapshot] {
    if (const CORLOGuiItem* dialog = CORLOGuiItem::RunningDialog()) {
      snapshot = TakeSettingsSnapshot(*dialog);
    }
  });
  analyzer.ShowSettings(nullptr);
  user::ClearModalActions();
  return snapshot;
}

}  // namespace orlo::host
