#include "platform/common/GuiItem.h"

#include "platform/common/UserActions.h"
#include "platform/controls/GridCtrl.h"
#include "platform/win/StandardControls.h"

#include <algorithm>
#include <utility>

namespace {

constexpr UINT kControlId = 1;

ORLOGraphWindowFactory& GraphWindowFactory() {
  static ORLOGraphWindowFactory factory;
  return factory;
}

// The frame of one item: relays its control's commands and notifications to the owner.
class CGuiFrame : public CWnd {
 public:
  explicit CGuiFrame(CORLOGuiItem* item) : item_(item) {}

 protected:
  LRESULT OnCommand(WPARAM wParam, LPARAM lParam) { return Forward(WM_COMMAND, wParam, lParam); }
  LRESULT OnNotify(WPARAM wParam, LPARAM lParam) { return Forward(WM_NOTIFY, wParam, lParam); }
  DECLARE_MESSAGE_MAP()

 private:
  LRESULT Forward(UINT message, WPARAM wParam, LPARAM lParam) {
    if (IBaseGuiManager* owner = item_->Owner()) {
      ORLOWndMessage record{{m_hWnd, message, wParam, lParam}};
      owner->OnGuiMessage(item_, &record);
    }
    return 0;
  }

  CORLOGuiItem* item_;
};

BEGIN_MESSAGE_MAP(CGuiFrame, CWnd)
ON_MESSAGE(WM_COMMAND, OnCommand)
ON_MESSAGE(WM_NOTIFY, OnNotify)
END_MESSAGE_MAP()

std::unique_ptr<CWnd> MakeControl(int kind, CWnd* frame) {
  constexpr DWORD style = WS_CHILD | WS_VISIBLE;
  const auto create = [frame](std::unique_ptr<CWnd> control, const std::wstring& className) {
    if (!control->Create(className, L"", style, RECT{}, frame, kControlId)) control.reset();
    return control;
  };
  switch (kind) {
    case ORLO_GUI_CONTAINER:
    case ORLO_GUI_DIALOG:
      return create(std::make_unique<CWnd>(), AfxRegisterWndClass(0));
    case ORLO_GUI_EDIT:
      return create(std::make_unique<CEdit>(), kEditClass);
    case ORLO_GUI_BUTTON:
    case ORLO_GUI_CHECKBOX:
      return create(std::make_unique<CButton>(), kButtonClass);
    case ORLO_GUI_TEXT:
      return create(std::make_unique<CStatic>(), kStaticClass);
    case ORLO_GUI_DROPDOWN:
      return create(std::make_unique<CComboBox>(), kComboBoxClass);
    case ORLO_GUI_GRID: {
      auto grid = std::make_unique<CGridCtrl>();
      if (!grid->Create(RECT{}, frame, kControlId, style)) return nullptr;
      return grid;
    }
    case ORLO_GUI_GRAPH:
      return GraphWindowFactory() ? GraphWindowFactory()(frame) : nullptr;
    default:
      return nullptr;
  }
}

}  // namespace

void ORLORegisterGraphWindowFactory(ORLOGraphWindowFactory factory) {
  GraphWindowFactory() = std::move(factory);
}

CORLOGuiItem* ORLOSpawnGuiItem(CORLOGuiItem* parent, IBaseGuiManager* owner, int kind) {
  if (kind < ORLO_GUI_CONTAINER || kind > ORLO_GUI_CHECKBOX) return nullptr;
  auto item = std::unique_ptr<CORLOGuiItem>(new CORLOGuiItem(kind, owner));
  item->CreateWindows();
  if (parent == nullptr) return item.release();
  item->parent_ = parent;
  parent->children_.push_back(std::move(item));
  return parent->children_.back().get();
}

CORLOGuiItem::CORLOGuiItem(int kind, IBaseGuiManager* owner) : kind_(kind), owner_(owner) {}

CORLOGuiItem::~CORLOGuiItem() { DestroyWindows(); }

void CORLOGuiItem::CreateWindows() {
  auto frame = std::make_unique<CGuiFrame>(this);
  if (!frame->Create(AfxRegisterWndClass(0), L"", WS_VISIBLE, RECT{}, nullptr, 0)) return;
  frame_ = std::move(frame);
  control_ = MakeControl(kind_, frame_.get());
}

bool CORLOGuiItem::IsContainer() const {
  return kind_ == ORLO_GUI_CONTAINER || kind_ == ORLO_GUI_DIALOG;
}

bool CORLOGuiItem::IsAncestorOrSelf(const CORLOGuiItem* item) const {
  for (const CORLOGuiItem* it = this; it != nullptr; it = it->parent_) {
    if (it == item) return true;
  }
  return false;
}

std::unique_ptr<CORLOGuiItem> CORLOGuiItem::Detach(CORLOGuiItem* child) {
  auto it = std::find_if(children_.begin(), children_.end(),
                         [child](const auto& owned) { return owned.get() == child; });
  if (it == children_.end()) return nullptr;
  std::unique_ptr<CORLOGuiItem> detached = std::move(*it);
  children_.erase(it);
  detached->parent_ = nullptr;
  return detached;
}

void CORLOGuiItem::AddChild(CORLOGuiItem* child) {
  if (child == nullptr || IsAncestorOrSelf(child)) return;
  std::unique_ptr<CORLOGuiItem> owned = child->parent_ != nullptr
                                             ? child->parent_->Detach(child)
                                             : std::unique_ptr<CORLOGuiItem>(child);
  owned->parent_ = this;
  children_.push_back(std::move(owned));
}

void CORLOGuiItem::SetOrientation(int horizontal) { orientation_ = horizontal != 0 ? 1 : 0; }

void CORLOGuiItem::SetItemWidth(int width) { width_ = width; }

void CORLOGuiItem::SetItemHeight(int height) { height_ = height; }

void CORLOGuiItem::SetItemState(int state) {
  state_ = state;
  if (!IsContainer() && control_ != nullptr) control_->ShowWindow(state != 0 ? SW_SHOW : SW_HIDE);
}

void CORLOGuiItem::SetText(const std::wstring& text) {
  text_ = text;
  if (control_ != nullptr) control_->SetWindowText(text);
}

CWnd* CORLOGuiItem::GetWnd() const { return control_.get(); }

void CORLOGuiItem::DestroyWindows() {
  children_.clear();
  control_.reset();
  frame_.reset();
}

int CORLOGuiItem::DestroyItem() {
  if (modalRunning_) return 0;
  // `self` deletes the item (and so its children and windows) on return.
  const std::unique_ptr<CORLOGuiItem> self =
      parent_ != nullptr ? parent_->Detach(this) : std::unique_ptr<CORLOGuiItem>(this);
  return 1;
}

bool CORLOGuiItem::TakesPartInLayout() const { return IsContainer() || state_ != 0; }

void CORLOGuiItem::Layout(const RECT& rect) {
  const int width = static_cast<int>(rect.right - rect.left);
  const int height = static_cast<int>(rect.bottom - rect.top);
  if (frame_ != nullptr) frame_->MoveWindow(rect);
  if (control_ != nullptr) control_->MoveWindow(0, 0, width, height);
  if (IsContainer()) LayoutChildren(rect);
}

void CORLOGuiItem::LayoutChildren(const RECT& rect) {
  const bool horizontal = orientation_ == 1;
  const auto setSize = [horizontal](const CORLOGuiItem& child) {
    return horizontal ? child.width_ : child.height_;
  };
  std::vector<CORLOGuiItem*> placed;
  long fixed = 0;
  int flexible = 0;
  for (const auto& child : children_) {
    if (!child->TakesPartInLayout()) continue;
    placed.push_back(child.get());
    if (setSize(*child) >= 0) {
      fixed += setSize(*child);
    } else {
      ++flexible;
    }
  }
  const long total = horizontal ? rect.right - rect.left : rect.bottom - rect.top;
  const long left = std::max(0L, total - fixed);
  const long share = flexible > 0 ? left / flexible : 0;
  long position = horizontal ? rect.left : rect.top;
  int flexibleSeen = 0;
  for (CORLOGuiItem* child : placed) {
    long size = setSize(*child);
    if (size < 0) size = ++flexibleSeen == flexible ? left - share * (flexible - 1) : share;
    RECT childRect = rect;
    if (horizontal) {
      childRect.left = position;
      childRect.right = position + size;
    } else {
      childRect.top = position;
      childRect.bottom = position + size;
    }
    child->Layout(childRect);
    position += size;
  }
}

int CORLOGuiItem::RunModal() {
  if (kind_ != ORLO_GUI_DIALOG || modalRunning_) return -1;
  modalRunning_ = true;
  modalResult_ = IDCANCEL;
  if (owner_ != nullptr) {
    owner_->OnGuiCreate(this);
    if (modalRunning_) owner_->OnGuiPopulate();
  }
  while (modalRunning_) {
    if (!orlo::user::RunNextModalAction()) EndModal(IDCANCEL);
  }
  return modalResult_;
}

void CORLOGuiItem::EndModal(int result) {
  if (!modalRunning_) return;
  modalRunning_ = false;
  modalResult_ = result;
}
