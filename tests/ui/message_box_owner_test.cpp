// Boxes over real (hidden) windows. This program carries no version
// resource, so captions fall back to its file name.
#include "ui/message_box.hpp"

#include "app/language.hpp"
#include "sys/error_text.hpp"
#include "sys/owner_window.hpp"
#include "sys/win32_handles.hpp"
#include "ui/application_hooks.hpp"
#include "ui/message_box_recorder.hpp"

#include <gtest/gtest.h>

namespace qv {
namespace {

using unique_window = unique_any<win32_traits<HWND, DestroyWindow, nullptr>>;

unique_window make_window(DWORD extended_style) {
    unique_window window(CreateWindowExW(extended_style, L"STATIC", L"", WS_POPUP, 0, 0, 100, 100,
                                         nullptr, nullptr, nullptr, nullptr));
    EXPECT_TRUE(window) << GetLastError();
    return window;
}

TEST(MessageBoxOwner, CaptionFallsBackToTheProgramsFileName) {
    test::MessageBoxRecorder recorder;
    message_box(L"Text", MB_OK);
    ASSERT_EQ(recorder.shown.size(), 1u);
    EXPECT_EQ(recorder.shown[0].caption, L"ui_window_tests");
}

TEST(MessageBoxOwner, ReadsInTheDirectionOfTheOwnersLayout) {
    const unique_window left_to_right = make_window(0);
    const unique_window right_to_left = make_window(WS_EX_LAYOUTRTL);
    test::MessageBoxRecorder recorder;
    HWND owner = nullptr;
    application_hooks().owner = [&] { return MessageBoxOwner{owner, nullptr}; };
    owner = right_to_left.get();
    message_box(L"Text", MB_OK);
    owner = left_to_right.get();
    set_language(16); // Hebrew: the owner still decides
    message_box(L"Text", MB_OK);
    set_language(0);
    ASSERT_EQ(recorder.shown.size(), 2u);
    EXPECT_EQ(recorder.shown[0].owner, right_to_left.get());
    EXPECT_EQ(recorder.shown[0].type, UINT{MB_ICONEXCLAMATION | MB_RTLREADING});
    EXPECT_EQ(recorder.shown[1].owner, left_to_right.get());
    EXPECT_EQ(recorder.shown[1].type, UINT{MB_ICONEXCLAMATION});
}

TEST(MessageBoxOwner, EnablesTheOwnerAndAfterwardsTheWindowToReenable) {
    const unique_window owner = make_window(0);
    const unique_window top = make_window(0);
    test::MessageBoxRecorder recorder;
    application_hooks().owner = [&] { return MessageBoxOwner{owner.get(), top.get()}; };
    EnableWindow(owner.get(), FALSE);
    EnableWindow(top.get(), FALSE);
    bool owner_enabled = false;
    bool top_enabled = true;
    recorder.while_shown = [&] {
        owner_enabled = IsWindowEnabled(owner.get());
        top_enabled = IsWindowEnabled(top.get());
    };
    message_box(L"Text", MB_OK);
    EXPECT_TRUE(owner_enabled);
    EXPECT_FALSE(top_enabled);
    EXPECT_TRUE(IsWindowEnabled(top.get()));
}

TEST(MessageBoxOwner, LeavesTheWindowToReenableDisabledWhileShown) {
    const unique_window owner = make_window(0);
    test::MessageBoxRecorder recorder;
    application_hooks().owner = [&] { return MessageBoxOwner{owner.get(), owner.get()}; };
    EnableWindow(owner.get(), FALSE);
    bool enabled_while_shown = true;
    recorder.while_shown = [&] { enabled_while_shown = IsWindowEnabled(owner.get()); };
    message_box(L"Text", MB_OK);
    EXPECT_FALSE(enabled_while_shown);
    EXPECT_TRUE(IsWindowEnabled(owner.get()));
}

TEST(MessageBoxOwner, IsTheDialogOwnerWindowWithoutHooks) {
    const unique_window window = make_window(WS_EX_LAYOUTRTL);
    ASSERT_NE(dialog_owner_window(), nullptr);
    test::MessageBoxRecorder recorder;
    message_box(L"Text", MB_OK);
    show_error_box(nullptr, static_cast<hresult>(0x80070005u));
    ASSERT_EQ(recorder.shown.size(), 2u);
    for (const test::ShownBox& box : recorder.shown) {
        EXPECT_EQ(box.owner, dialog_owner_window());
    }
}

TEST(ShowErrorBoxOwner, ReadsInTheDirectionOfTheOwnersLayout) {
    const unique_window left_to_right = make_window(0);
    const unique_window right_to_left = make_window(WS_EX_LAYOUTRTL);
    test::MessageBoxRecorder recorder;
    show_error_box(right_to_left.get(), hr::fail);
    show_error_box(left_to_right.get(), hr::fail);
    ASSERT_EQ(recorder.shown.size(), 2u);
    EXPECT_EQ(recorder.shown[0].owner, right_to_left.get());
    EXPECT_EQ(recorder.shown[0].type, UINT{MB_ICONEXCLAMATION | MB_RTLREADING});
    EXPECT_EQ(recorder.shown[1].owner, left_to_right.get());
    EXPECT_EQ(recorder.shown[1].type, UINT{MB_ICONEXCLAMATION});
    EXPECT_EQ(recorder.shown[1].text, error_text(hr::fail, 0));
}

} // namespace
} // namespace qv
