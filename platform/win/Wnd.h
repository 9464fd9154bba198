// CWnd: a window of the window-system stand-in, and the per-class message tables.
//
// A CWnd owns at most one live window (m_hWnd). Windows live in a process-wide registry
// keyed by handle; a handle becomes invalid when its window is destroyed and is never
// reused, so every call with a stale handle is a harmless no-op (SendMessage answers 0).
//
// Message dispatch: WindowProc looks the message up in the class's static message table,
// then in the base class's table, and so on up to CWnd's; the first entry wins. With no
// entry, DefWindowProc gives the default processing (text, show/move bookkeeping).
// SendMessage is synchronous and re-entrant: a handler may send further messages,
// including to its own window, and may even destroy that window (the object lives on).
//
// Creation: Create registers the window (hidden unless WS_VISIBLE is given), then sends
// WM_CREATE; a handler answering -1 makes the creation fail and destroys the window.
//
// Destruction (DestroyWindow), in two sweeps over the window and its descendants:
// WM_DESTROY goes to the window, then to its children the same way (depth first, in
// creation order); then each window gets WM_NCDESTROY, children before their parent, and
// its handle becomes invalid right after (the owning object's m_hWnd turns null). Deleting
// a CWnd whose window is still alive destroys that window first; at that point only CWnd's
// own handling runs, as the derived parts of the object are already gone.
//
// Geometry: a window's rectangle is kept in its parent's client coordinates (screen
// coordinates for a top-level window); the client area is the whole window, so screen
// coordinates are the sum of the origins of the window and its ancestors. Show and move
// requests send WM_WINDOWPOSCHANGING first; a handler can edit the WINDOWPOS it receives,
// e.g. clear SWP_SHOWWINDOW to keep the window hidden. The request is then applied and
// WM_WINDOWPOSCHANGED follows (its default processing sends WM_MOVE and WM_SIZE).
//
// All windows belong to the thread that runs the message loop (see MessageLoop.h). Another
// thread may send a message too: its handler then runs on that thread, concurrently with
// the UI thread's, and must guard what it shares (the bus delivers sweep-value updates so).
// Window state is guarded by the window registry; what a handler is handling (Default) is
// kept per thread.
#pragma once

#include "platform/win/WinTypes.h"

#include <string>

class CWnd;

// One entry of a class's message table. The handler takes the two message parameters
// and returns the message result; it is called on the object that owns the window.
using AFX_PMSG = LRESULT (*)(CWnd* target, WPARAM wParam, LPARAM lParam);
struct AFX_MSGMAP_ENTRY {
  UINT nMessage;
  AFX_PMSG pfn;  // null terminates the table
};
struct AFX_MSGMAP {
  const AFX_MSGMAP* (*pfnGetBaseMap)();  // null for CWnd's own table
  const AFX_MSGMAP_ENTRY* lpEntries;
};

// Declares the message table of a class derived (directly or not) from CWnd.
#define DECLARE_MESSAGE_MAP()                               \
 protected:                                                 \
  static const AFX_MSGMAP* GetThisMessageMap();             \
  const AFX_MSGMAP* GetMessageMap() const override;         \
                                                            \
 private:

// Defines the table: BEGIN_MESSAGE_MAP(CMyWnd, CWnd) ON_MESSAGE(WM_TIMER, OnTimer)
// END_MESSAGE_MAP(). Handlers are members `LRESULT Fn(WPARAM, LPARAM)` of the class.
#define BEGIN_MESSAGE_MAP(theClass, baseClass)                                           \
  const AFX_MSGMAP* theClass::GetMessageMap() const { return GetThisMessageMap(); }     \
  const AFX_MSGMAP* theClass::GetThisMessageMap() {                                      \
    using ThisClass [[maybe_unused]] = theClass;                                         \
    using TheBaseClass = baseClass;                                                      \
    static const AFX_MSGMAP_ENTRY messageEntries[] = {
#define ON_MESSAGE(message, memberFxn)                                                   \
  {(message), [](CWnd* target, WPARAM wParam, LPARAM lParam) -> LRESULT {                \
     return static_cast<ThisClass*>(target)->memberFxn(wParam, lParam);                  \
   }},
#define END_MESSAGE_MAP()                                                                \
  { 0, nullptr }                                                                         \
  }                                                                                      \
  ;                                                                                      \
  static const AFX_MSGMAP messageMap = {&TheBaseClass::GetThisMessageMap,                \
                                        &messageEntries[0]};                             \
  return &messageMap;                                                                    \
  }

// Registers (once) a window class with the given class style and answers its name.
std::wstring AfxRegisterWndClass(UINT classStyle);

class CWnd {
 public:
  CWnd();
  CWnd(const CWnd&) = delete;
  CWnd& operator=(const CWnd&) = delete;
  virtual ~CWnd();

  HWND m_hWnd = nullptr;

  HWND GetSafeHwnd() const { return m_hWnd; }
  // The object behind a live handle, or null for null and stale handles.
  static CWnd* FromHandle(HWND hwnd);

  // Creates the window as a child of `parent` (may be null: a top-level window).
  // `className` must come from AfxRegisterWndClass or be one of the control classes
  // (see StandardControls.h). Fails (FALSE) when this object already has a window,
  // the class is unknown, or the parent is given but has no live window.
  virtual BOOL Create(const std::wstring& className, const std::wstring& caption,
                      DWORD style, const RECT& rect, CWnd* parent, UINT id);
  BOOL CreateEx(DWORD exStyle, const std::wstring& className, const std::wstring& caption,
                DWORD style, const RECT& rect, CWnd* parent, UINT id);
  // FALSE when there is no live window or it is already being destroyed.
  virtual BOOL DestroyWindow();

  LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
  BOOL PostMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);

  // SW_HIDE hides, every other command shows; answers whether the window was visible.
  BOOL ShowWindow(int nCmdShow);
  // WS_VISIBLE on the window and on all its ancestors.
  BOOL IsWindowVisible() const;
  // Z-order is not kept: insertAfter and SWP_NOZORDER are accepted and ignored.
  BOOL SetWindowPos(const CWnd* insertAfter, int x, int y, int cx, int cy, UINT flags);
  void MoveWindow(int x, int y, int width, int height, BOOL repaint = TRUE);
  void MoveWindow(const RECT& rect, BOOL repaint = TRUE);
  void GetWindowRect(RECT* rect) const;  // screen coordinates
  void GetClientRect(RECT* rect) const;  // 0,0,width,height
  void ScreenToClient(RECT* rect) const;

  DWORD GetStyle() const;
  DWORD GetExStyle() const;
  // Answer TRUE when the style changed (FALSE also for a stale window). Non-zero `flags` then go to SetWindowPos with
  // SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER added.
  BOOL ModifyStyle(DWORD remove, DWORD add, UINT flags = 0);
  BOOL ModifyStyleEx(DWORD remove, DWORD add, UINT flags = 0);
  UINT GetClassStyle() const;

  // Through WM_SETTEXT / WM_GETTEXTLENGTH and WM_GETTEXT, so controls can answer.
  void SetWindowText(const std::wstring& text);
  std::wstring GetWindowText() const;
  // Sets or clears WS_DISABLED (WM_ENABLE on a change); answers whether the window was
  // disabled before.
  BOOL EnableWindow(BOOL enable = TRUE);
  BOOL IsWindowEnabled() const;
  // Nothing is painted here, so this only accepts the request.
  void Invalidate(BOOL erase = TRUE);

  // Message box owned by this window (see MessageBox.h); answers the button pressed.
  int MessageBox(const std::wstring& text, const std::wstring& caption = L"", UINT type = MB_OK);

  // Starts (or restarts) timer `id`: WM_TIMER with wParam = id every `elapseMs` (at least
  // 10 ms) from now, delivered by the message loop. Answers id, or 0 without a window.
  UINT_PTR SetTimer(UINT_PTR id, UINT elapseMs, void* unusedTimerProc = nullptr);
  // FALSE when no such timer runs.
  BOOL KillTimer(UINT_PTR id);

  CWnd* GetParent() const;
  int GetDlgCtrlID() const;

 protected:
  // Runs the message tables; falls back to DefWindowProc.
  virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
  virtual LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam);
  // Default processing of the message currently being handled by this window
  // (DefWindowProc with that message and its parameters).
  LRESULT Default();

  static const AFX_MSGMAP* GetThisMessageMap();
  virtual const AFX_MSGMAP* GetMessageMap() const;

 private:
  friend LRESULT SendMessage(HWND, UINT, WPARAM, LPARAM);
};

// Handle-based calls; every one is a no-op (answering 0 / FALSE) on an invalid handle.
LRESULT SendMessage(HWND hwnd, UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
BOOL PostMessage(HWND hwnd, UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
BOOL IsWindow(HWND hwnd);
BOOL DestroyWindow(HWND hwnd);
BOOL ShowWindow(HWND hwnd, int nCmdShow);
HWND GetParent(HWND hwnd);
