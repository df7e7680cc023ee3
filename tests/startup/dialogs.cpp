#include "dialogs.hpp"

#include <string_view>
#include <vector>

namespace qv::test {
namespace {

// The message box's text control has no id of its own.
constexpr int message_text_id = 0xFFFF;

struct window_search {
    DWORD process_id;
    std::vector<HWND> found;
};

BOOL CALLBACK collect_visible_window(HWND window, LPARAM search_address) {
    auto& search = *reinterpret_cast<window_search*>(search_address);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == search.process_id && IsWindowVisible(window)) {
        search.found.push_back(window);
    }
    return TRUE;
}

std::vector<HWND> visible_windows_of(DWORD process_id) {
    window_search search{process_id, {}};
    EnumWindows(collect_visible_window, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

std::wstring text_of(HWND window) {
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(
        GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
    return text;
}

bool is_dialog(HWND window) {
    wchar_t name[16] = {};
    GetClassNameW(window, name, 16);
    return std::wstring_view(name) == L"#32770";
}

template <typename Predicate> HWND first_window_of(DWORD process_id, Predicate wanted) {
    for (HWND window : visible_windows_of(process_id)) {
        if (wanted(window)) {
            return window;
        }
    }
    return nullptr;
}

} // namespace

HWND message_box_of(DWORD process_id) {
    return first_window_of(process_id, [](HWND window) {
        return is_dialog(window) && GetDlgItem(window, message_text_id) != nullptr;
    });
}

HWND frame_of(DWORD process_id) {
    return first_window_of(process_id, [](HWND window) {
        return is_dialog(window) && GetDlgItem(window, message_text_id) == nullptr &&
               has_button(window, IDCANCEL);
    });
}

HWND window_of(DWORD process_id, const std::wstring& title) {
    return first_window_of(process_id, [&](HWND window) { return text_of(window) == title; });
}

std::wstring message_text(HWND box) {
    const HWND text = GetDlgItem(box, message_text_id);
    return text ? text_of(text) : std::wstring();
}

bool has_button(HWND dialog, int id) {
    return GetDlgItem(dialog, id) != nullptr;
}

void click(HWND dialog, int id) {
    PostMessageW(GetDlgItem(dialog, id), BM_CLICK, 0, 0);
}

std::optional<int> cancel_frame(child_process& setup, HWND frame) {
    click(frame, IDCANCEL);
    return setup.wait_for_exit(reaction_time);
}

} // namespace qv::test
