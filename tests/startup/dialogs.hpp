#pragma once
// Finding and pressing the windows of a program that a test has started.
#include "product/child_process.hpp"

#include <windows.h>

#include <optional>
#include <string>

namespace qv::test {

// How long a program may take to react to a click or to start up.
constexpr DWORD reaction_time = 20000;

// A visible message box of the process: a dialog carrying its text.
HWND message_box_of(DWORD process_id);
// The setup program's frame: a visible dialog with a Cancel button and no
// message text, so that a Retry/Cancel box is never taken for it.
HWND frame_of(DWORD process_id);
// A visible top-level window of the process with this exact title.
HWND window_of(DWORD process_id, const std::wstring& title);

std::wstring message_text(HWND box);
bool has_button(HWND dialog, int id);
// Posted, so that the modal loop behind the dialog does the work.
void click(HWND dialog, int id);

// The window that `find` returns within the reaction time, or nullptr.
template <typename Find> HWND wait_for_window(Find find) {
    HWND window = nullptr;
    eventually([&] { return (window = find()) != nullptr; }, reaction_time);
    return window;
}

// Cancels the frame of `setup`; its exit code, if it ended.
std::optional<int> cancel_frame(child_process& setup, HWND frame);

} // namespace qv::test
