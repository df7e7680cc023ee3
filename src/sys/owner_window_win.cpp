#include "sys/owner_window.hpp"

namespace qv {

HWND dialog_owner_window() {
    HWND window = GetActiveWindow();
    if (window) {
        window = GetAncestor(window, GA_ROOTOWNER);
    } else {
        EnumThreadWindows(
            GetCurrentThreadId(),
            [](HWND found, LPARAM first) -> BOOL {
                *reinterpret_cast<HWND*>(first) = found;
                return FALSE;
            },
            reinterpret_cast<LPARAM>(&window));
    }
    return window ? GetLastActivePopup(window) : nullptr;
}

} // namespace qv
