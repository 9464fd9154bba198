// GUI items: the host's building blocks of analyzer panels and dialogs.
//
// ORLOSpawnGuiItem(parent, owner, kind) makes an item with its control window and hands
// it to `parent`, which owns it (a null parent leaves the caller owning it; delete it with
// DestroyItem). An unknown kind makes nothing (null). AddChild moves an item under
// another item, which then owns and lays it out (adding a child it already has moves that
// child to the end; a null item, the item itself or one of its ancestors is refused).
// Destroying an item destroys its children and their windows first.
//
// Windows: each item has a frame window, a top-level window of its own (the window tree
// does not follow the item tree, since items move with AddChild). The frame receives the
// control's WM_COMMAND and WM_NOTIFY and forwards them, as it received them (hwnd = the
// frame), to the owner's OnGuiMessage(item, message). The control window (GetWnd) is a
// visible child of the frame:
//   container, dialog → plain window; edit box → CEdit; push button, check box → CButton;
//   text line → CStatic; grid → CGridCtrl; drop-down list → CComboBox;
//   graph → the window made by the registered graph window factory, or none (GetWnd
//   answers null) when no graph plug-in has registered one.
// SetText sets the item's text and its control's window text.
//
// Layout: Layout(rect) moves the frame to `rect` (the coordinates of the item tree's
// root), fits the control to the frame and, for containers and dialogs, lays out the
// children: they are stacked vertically (orientation 0) or horizontally (1); a child with
// a set height (vertical) or width (horizontal) gets that size, the others share what is
// left equally (the last of them takes the rounding rest). SetItemState(0) hides a leaf
// item's control and takes the leaf out of the layout; SetItemState(1) shows it again.
// Containers and dialogs record the state and ignore it.
//
// Dialogs: RunModal runs a dialog item: the owner's OnGuiCreate(item), OnGuiPopulate(),
// then the actions queued with orlo::user::QueueModalAction, one by one, until one of
// them (or the owner) calls EndModal(result), which answers that result. When the queue
// runs dry the dialog ends with IDCANCEL (2), so nothing can hang. RunModal answers -1 for
// an item that is not a dialog or whose run is active; EndModal outside a run does
// nothing. Dialogs run inside a dialog's action take the next queued actions, and
// RunningDialog() names the innermost dialog whose run is active (the one a user sees).
#pragma once

#include "platform/common/GuiManager.h"
#include "platform/win/Wnd.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

enum ORLOGuiKind : int {
  ORLO_GUI_CONTAINER = 0,
  ORLO_GUI_EDIT = 1,
  ORLO_GUI_GRAPH = 2,
  ORLO_GUI_BUTTON = 3,
  ORLO_GUI_TEXT = 4,
  ORLO_GUI_GRID = 5,
  ORLO_GUI_DROPDOWN = 6,
  ORLO_GUI_DIALOG = 7,
  ORLO_GUI_CHECKBOX = 8,
};

class CORLOGuiItem {
 public:
  CORLOGuiItem(const CORLOGuiItem&) = delete;
  CORLOGuiItem& operator=(const CORLOGuiItem&) = delete;
  ~CORLOGuiItem();

  // Operations the analyzers use.
  void AddChild(CORLOGuiItem* child);
  void SetOrientation(int horizontal);  // 1 horizontal, 0 vertical
  void SetItemWidth(int width);
  void SetItemHeight(int height);
  void SetItemState(int state);
  void SetText(const std::wstring& text);
  CWnd* GetWnd() const;
  // Teardown, in this order: destroy the children and every window, then the item itself
  // (removed from its parent and deleted; answers 1, or 0 for a dialog whose modal run is
  // active, which stays).
  void DestroyWindows();
  int DestroyItem();

  // What the host and tests read.
  int Kind() const { return kind_; }
  IBaseGuiManager* Owner() const { return owner_; }
  CORLOGuiItem* Parent() const { return parent_; }
  const std::vector<std::unique_ptr<CORLOGuiItem>>& Children() const { return children_; }
  int Orientation() const { return orientation_; }
  int Width() const { return width_; }    // -1 when not set
  int Height() const { return height_; }  // -1 when not set
  int State() const { return state_; }
  const std::wstring& Text() const { return text_; }
  void Layout(const RECT& rect);

  // Dialog items only.
  int RunModal();
  void EndModal(int result);
  bool IsModalRunning() const { return modalRunning_; }
  static CORLOGuiItem* RunningDialog();

 private:
  friend CORLOGuiItem* ORLOSpawnGuiItem(CORLOGuiItem*, IBaseGuiManager*, int);
  CORLOGuiItem(int kind, IBaseGuiManager* owner);
  std::unique_ptr<CORLOGuiItem> Detach(CORLOGuiItem* child);
  void CreateWindows();
  bool IsContainer() const;
  bool IsAncestorOrSelf(const CORLOGuiItem* item) const;
  bool TakesPartInLayout() const;
  void LayoutChildren(const RECT& rect);

  int kind_;
  IBaseGuiManager* owner_;
  CORLOGuiItem* parent_ = nullptr;
  std::vector<std::unique_ptr<CORLOGuiItem>> children_;
  std::unique_ptr<CWnd> frame_;
  std::unique_ptr<CWnd> control_;
  int orientation_ = 0;
  int width_ = -1;
  int height_ = -1;
  int state_ = 1;
  std::wstring text_;
  bool modalRunning_ = false;
  int modalResult_ = 0;
};

CORLOGuiItem* ORLOSpawnGuiItem(CORLOGuiItem* parent, IBaseGuiManager* owner, int kind);

// The graph plug-in registers how graph windows are made: the factory creates the window
// as a child of `frame` and answers it (null when it cannot). Passing an empty function
// unregisters it.
using ORLOGraphWindowFactory = std::function<std::unique_ptr<CWnd>(CWnd* frame)>;
void ORLORegisterGraphWindowFactory(ORLOGraphWindowFactory factory);
