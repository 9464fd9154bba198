// Window classes (internal to ORLOWin): the names CWnd::Create accepts and their class
// styles.
//
// The control classes of StandardControls.h and the grid control's class are known from
// the start; AfxRegisterWndClass adds one class per class style.
#pragma once

#include "platform/win/WinTypes.h"

#include <optional>
#include <string>

namespace orlo::win::detail {

// The class style of a registered class, or nothing for an unknown name.
std::optional<UINT> FindWindowClass(const std::wstring& name);

}  // namespace orlo::win::detail
