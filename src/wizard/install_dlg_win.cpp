#include "wizard/install_dlg_win.hpp"

#include "app/product.hpp"

#include <cstring>
#include <vector>

namespace qv {
namespace {

// A dialog template in memory: the frame and one Cancel button.
class FrameTemplate {
public:
    FrameTemplate() {
        DLGTEMPLATE frame{};
        frame.style = DS_MODALFRAME | DS_CENTER | DS_SETFONT | WS_POPUP | WS_CAPTION | WS_SYSMENU;
        frame.cdit = 1;
        frame.cx = 320;
        frame.cy = 200;
        put(&frame, sizeof frame);
        put_word(0); // no menu
        put_word(0); // the dialog class
        put_word(0); // the caption is set when the window exists
        put_word(8);
        put_text(L"MS Shell Dlg");
        align();
        DLGITEMTEMPLATE cancel{};
        cancel.style = WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON;
        cancel.x = 260;
        cancel.y = 178;
        cancel.cx = 50;
        cancel.cy = 14;
        cancel.id = IDCANCEL;
        put(&cancel, sizeof cancel);
        put_word(0xFFFF);
        put_word(0x0080); // button
        put_text(L"Cancel");
        put_word(0); // no creation data
    }

    const DLGTEMPLATE* get() const { return reinterpret_cast<const DLGTEMPLATE*>(words_.data()); }

private:
    void put(const void* data, std::size_t size) {
        const std::size_t at = words_.size();
        words_.resize(at + (size + 1) / 2);
        std::memcpy(words_.data() + at, data, size);
    }
    void put_word(WORD word) { words_.push_back(word); }
    void put_text(const wchar_t* text) {
        for (; *text; ++text) {
            put_word(static_cast<WORD>(*text));
        }
        put_word(0);
    }
    void align() {
        if (words_.size() % 2) {
            put_word(0);
        }
    }

    std::vector<WORD> words_;
};

} // namespace

INT_PTR CALLBACK CInstallDlg::dialog_proc(HWND window, UINT message, WPARAM w, LPARAM l) {
    if (message == WM_INITDIALOG) {
        const auto* dialog = reinterpret_cast<const CInstallDlg*>(l);
        SetWindowTextW(window, installer_title(true).c_str());
        SendMessageW(window, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(dialog->icon_));
        return TRUE;
    }
    if (message == WM_COMMAND && LOWORD(w) == IDCANCEL) {
        EndDialog(window, IDCANCEL);
        return TRUE;
    }
    return FALSE;
}

INT_PTR CInstallDlg::DoModal(HWND owner) {
    static const FrameTemplate frame;
    return DialogBoxIndirectParamW(GetModuleHandleW(nullptr), frame.get(), owner, dialog_proc,
                                   reinterpret_cast<LPARAM>(this));
}

} // namespace qv
