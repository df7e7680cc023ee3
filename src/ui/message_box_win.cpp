#include "ui/message_box.hpp"

#include "sys/program_path.hpp"

#include "app/file_version_info.hpp"
#include "app/language.hpp"
#include "sys/error_text.hpp"
#include "sys/owner_window.hpp"
#include "ui/application_hooks.hpp"

namespace qv {
namespace {

std::wstring program_caption() {
    std::wstring caption = FileVersionInfo::of_program().version_text();
    return caption.empty() ? file_stem(program_path()) : caption;
}

// The owner's layout decides; an ownerless box follows the language its
// text is written in.
bool reads_right_to_left(HWND owner) {
    return owner ? (GetWindowLongW(owner, GWL_EXSTYLE) & WS_EX_LAYOUTRTL) != 0 : is_right_to_left();
}

UINT with_reading_order(UINT type, HWND owner) {
    return reads_right_to_left(owner) ? type | MB_RTLREADING : type;
}

UINT with_default_icon(UINT type) {
    if (type & MB_ICONMASK) {
        return type;
    }
    switch (type & MB_TYPEMASK) {
    case MB_OK:
    case MB_OKCANCEL:
        return type | MB_ICONEXCLAMATION;
    case MB_YESNOCANCEL:
    case MB_YESNO:
        return type | MB_ICONQUESTION;
    default:
        return type;
    }
}

} // namespace

MessageBoxPlatform& message_box_platform() {
    static MessageBoxPlatform platform{MessageBoxW, OutputDebugStringW};
    return platform;
}

int message_box(const std::wstring& text, UINT type) {
    const ApplicationHooks& hooks = application_hooks();
    const MessageBoxPlatform& platform = message_box_platform();
    // Nothing is shown, so no owner is looked up that would need enabling
    // again.
    if ((type & MB_TYPEMASK) == MB_OK && hooks.silent && hooks.silent()) {
        platform.debug_output((text + L"\n").c_str());
        return IDOK;
    }
    const std::wstring caption = hooks.caption ? hooks.caption() : program_caption();
    const MessageBoxOwner windows =
        hooks.owner ? hooks.owner() : MessageBoxOwner{dialog_owner_window(), nullptr};
    type = with_reading_order(with_default_icon(type), windows.owner);

    if (hooks.message_box_shown) {
        hooks.message_box_shown(false);
    }
    if (windows.owner && windows.owner != windows.reenable) {
        EnableWindow(windows.owner, TRUE);
    }
    const int pressed = platform.show(windows.owner, text.c_str(), caption.c_str(), type);
    if (windows.reenable) {
        EnableWindow(windows.reenable, TRUE);
    }
    if (hooks.message_box_shown) {
        hooks.message_box_shown(true);
    }
    return pressed;
}

void show_error_code(hresult code) {
    message_box(error_text_ex(code), MB_ICONEXCLAMATION);
}

bool show_error_box(HWND owner, hresult code) {
    if (!owner) {
        owner = dialog_owner_window();
    }
    message_box_platform().show(owner, error_text(code, 0).c_str(), nullptr,
                                with_reading_order(MB_ICONEXCLAMATION, owner));
    return false;
}

} // namespace qv
