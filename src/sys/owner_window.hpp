#pragma once
#include <windows.h>

namespace qv {

// The window that platform dialogs should be owned by: the last active popup
// of the active window's root owner (or of the thread's first window).
HWND dialog_owner_window();

} // namespace qv
