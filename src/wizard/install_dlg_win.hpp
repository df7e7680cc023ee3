#pragma once
// The wizard frame. Its pages come later; for now the frame is the window
// the start-up runs modally, captioned with the application title, and
// closed with Cancel.
#include <windows.h>

namespace qv {

class CInstallDlg {
public:
    explicit CInstallDlg(HICON icon) : icon_(icon) {}

    // Runs the frame modally; the button that closed it.
    INT_PTR DoModal(HWND owner = nullptr);

private:
    static INT_PTR CALLBACK dialog_proc(HWND window, UINT message, WPARAM w, LPARAM l);

    HICON icon_;
};

} // namespace qv
