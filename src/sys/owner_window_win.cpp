#include "sys/owner_window.hpp"

namespace qv {

namespace {

// Stops at the thread's first window (top of the z-order).
BOOL CALLBACK take_first_window(HWND found, LPARAM first) {
    *reinterpret_cast<HWND*>(first) = found;
    return FALSE;
}

} // namespace

HWND dialog_owner_window() {
    HWND window = GetActiveWindow();
    if (window) {
        window = GetAncestor(window, GA_ROOTOWNER);
    } else {
        EnumThreadWindows(GetCurrentThreadId(), take_first_window,
                          reinterpret_cast<LPARAM>(&window));
    }
    return window ? GetLastActivePopup(window) : nullptr;
}

} // namespace qv
