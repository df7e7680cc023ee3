#pragma once
// Questions and failures in the platform's message box: the program's
// caption, owner and default icons, right-to-left reading where the owner or
// the language reads that way, and silent runs that only log.
#include "sys/hresult.hpp"

#include <windows.h>

#include <functional>
#include <string>

namespace qv {

// The platform calls behind every box, replaceable so that a test can see
// what would be shown; MessageBoxW and OutputDebugStringW by default.
struct MessageBoxPlatform {
    std::function<int(HWND owner, const wchar_t* text, const wchar_t* caption, UINT type)> show;
    std::function<void(const wchar_t* text)> debug_output;
};
MessageBoxPlatform& message_box_platform();

// The button pressed (IDOK, IDYES, ...). A silent run writes an OK-only box's
// text to the debugger output instead and answers IDOK.
int message_box(const std::wstring& text, UINT type);

// error_text_ex of the code with the exclamation icon.
void show_error_code(hresult code);

// error_text of the code in a bare box with the platform's own caption, owned
// by `owner` or else by the dialog owner window. False, for the caller to
// pass on.
bool show_error_box(HWND owner, hresult code);

} // namespace qv
