// Boxes without windows: this program carries the version text "Boxtest 1.5"
// and string 4711 (ui_test.rc).
#include "ui/message_box.hpp"

#include "app/file_version_info.hpp"
#include "app/language.hpp"
#include "sys/error_text.hpp"
#include "ui/application_hooks.hpp"
#include "ui/message_box_recorder.hpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace qv {
namespace {

constexpr int hebrew = 16;
constexpr auto access_denied = static_cast<hresult>(0x80070005u);
constexpr auto own_string_code = static_cast<hresult>(0x28000000u | 4711);

// The current language for as long as it lives.
class LanguageScope {
public:
    explicit LanguageScope(int index) : previous_(language_settings().index) {
        set_language(index);
    }
    ~LanguageScope() { set_language(previous_); }
    LanguageScope(const LanguageScope&) = delete;
    LanguageScope& operator=(const LanguageScope&) = delete;

private:
    int previous_;
};

TEST(MessageBoxes, GivesIconlessBoxesTheIconOfTheirButtons) {
    const struct {
        UINT type;
        UINT shown;
    } cases[] = {
        {MB_OK, MB_OK | MB_ICONEXCLAMATION},
        {MB_OKCANCEL, MB_OKCANCEL | MB_ICONEXCLAMATION},
        {MB_YESNOCANCEL, MB_YESNOCANCEL | MB_ICONQUESTION},
        {MB_YESNO | MB_DEFBUTTON2, MB_YESNO | MB_DEFBUTTON2 | MB_ICONQUESTION},
        {MB_ABORTRETRYIGNORE, MB_ABORTRETRYIGNORE},
        {MB_RETRYCANCEL, MB_RETRYCANCEL},
        {MB_CANCELTRYCONTINUE, MB_CANCELTRYCONTINUE},
        {MB_OK | MB_ICONINFORMATION, MB_OK | MB_ICONINFORMATION},
        {MB_YESNO | MB_ICONEXCLAMATION, MB_YESNO | MB_ICONEXCLAMATION},
    };
    for (const auto& c : cases) {
        test::MessageBoxRecorder recorder;
        recorder.answer = IDRETRY;
        EXPECT_EQ(message_box(L"Question?", c.type), IDRETRY);
        ASSERT_EQ(recorder.shown.size(), 1u);
        EXPECT_EQ(recorder.shown[0].type, c.shown) << std::hex << c.type;
        EXPECT_EQ(recorder.shown[0].text, L"Question?");
    }
}

TEST(MessageBoxes, IsCaptionedWithTheProgramsVersionText) {
    test::MessageBoxRecorder recorder;
    message_box(L"Text", MB_OK);
    ASSERT_EQ(recorder.shown.size(), 1u);
    EXPECT_EQ(recorder.shown[0].caption, L"Boxtest 1.5");
    EXPECT_EQ(recorder.shown[0].caption, FileVersionInfo::of_program().version_text());
    EXPECT_EQ(recorder.shown[0].owner, nullptr); // this program has no window
}

TEST(MessageBoxes, TakesTheCaptionOfTheHooks) {
    test::MessageBoxRecorder recorder;
    application_hooks().caption = [] { return std::wstring(L"Kardexa 5.26g"); };
    message_box(L"Text", MB_YESNO);
    ASSERT_EQ(recorder.shown.size(), 1u);
    EXPECT_EQ(recorder.shown[0].caption, L"Kardexa 5.26g");
}

TEST(MessageBoxes, TellsTheHooksWhenItOpensAndCloses) {
    test::MessageBoxRecorder recorder;
    std::vector<std::string> events;
    application_hooks().message_box_shown = [&](bool closed) {
        events.push_back(closed ? "closed" : "opens");
    };
    recorder.while_shown = [&] { events.push_back("shown"); };
    message_box(L"Text", MB_OK);
    EXPECT_EQ(events, (std::vector<std::string>{"opens", "shown", "closed"}));
}

TEST(MessageBoxes, SilentRunsOnlyLogBoxesWithOnlyAnOkButton) {
    test::MessageBoxRecorder recorder;
    int hooks_asked = 0;
    ApplicationHooks& hooks = application_hooks();
    hooks.silent = [] { return true; };
    hooks.caption = [&] {
        ++hooks_asked;
        return std::wstring(L"Caption");
    };
    hooks.owner = [&] {
        ++hooks_asked;
        return MessageBoxOwner{};
    };
    hooks.message_box_shown = [&](bool) { ++hooks_asked; };

    recorder.answer = IDCANCEL;
    EXPECT_EQ(message_box(L"Done.", MB_OK), IDOK);
    EXPECT_EQ(message_box(L"Note.", MB_OK | MB_ICONINFORMATION), IDOK);
    EXPECT_EQ(recorder.debug_output, (std::vector<std::wstring>{L"Done.\n", L"Note.\n"}));
    EXPECT_TRUE(recorder.shown.empty());
    EXPECT_EQ(hooks_asked, 0);

    EXPECT_EQ(message_box(L"Sure?", MB_OKCANCEL), IDCANCEL);
    EXPECT_EQ(recorder.shown.size(), 1u);
    hooks.silent = [] { return false; };
    EXPECT_EQ(message_box(L"Done.", MB_OK), IDCANCEL);
    EXPECT_EQ(recorder.shown.size(), 2u);
    EXPECT_EQ(recorder.debug_output.size(), 2u);
}

TEST(MessageBoxes, ReadsRightToLeftInARightToLeftLanguage) {
    test::MessageBoxRecorder recorder;
    message_box(L"Text", MB_OK);
    {
        const LanguageScope language(hebrew);
        message_box(L"Text", MB_OK);
    }
    ASSERT_EQ(recorder.shown.size(), 2u);
    EXPECT_EQ(recorder.shown[0].type & MB_RTLREADING, 0u);
    EXPECT_EQ(recorder.shown[1].type & MB_RTLREADING, UINT{MB_RTLREADING});
}

TEST(ShowErrorCode, ShowsTheTextOfTheCode) {
    test::MessageBoxRecorder recorder;
    show_error_code(own_string_code);
    show_error_code(static_cast<hresult>(0x20000000u | 4711)); // without a string
    show_error_code(access_denied);
    ASSERT_EQ(recorder.shown.size(), 3u);
    EXPECT_EQ(recorder.shown[0].text, L"Boxtest could not start.");
    EXPECT_EQ(recorder.shown[1].text, error_text(hr::fail, 0));
    EXPECT_EQ(recorder.shown[2].text, error_text(access_denied, 0));
    for (const test::ShownBox& box : recorder.shown) {
        EXPECT_EQ(box.type, UINT{MB_ICONEXCLAMATION});
        EXPECT_EQ(box.caption, L"Boxtest 1.5");
    }
}

TEST(ShowErrorCode, IsSilentInSilentRuns) {
    test::MessageBoxRecorder recorder;
    application_hooks().silent = [] { return true; };
    show_error_code(own_string_code);
    EXPECT_TRUE(recorder.shown.empty());
    EXPECT_EQ(recorder.debug_output, (std::vector<std::wstring>{L"Boxtest could not start.\n"}));
}

TEST(ShowErrorBox, IsAPlainBoxWithThePlatformsCaption) {
    test::MessageBoxRecorder recorder;
    ApplicationHooks& hooks = application_hooks();
    hooks.silent = [] { return true; };
    hooks.caption = [] { return std::wstring(L"Caption"); };
    EXPECT_FALSE(show_error_box(nullptr, access_denied));
    {
        const LanguageScope language(hebrew);
        EXPECT_FALSE(show_error_box(nullptr, own_string_code));
    }
    ASSERT_EQ(recorder.shown.size(), 2u);
    EXPECT_EQ(recorder.shown[0].text, error_text(access_denied, 0));
    EXPECT_EQ(recorder.shown[0].caption, std::nullopt);
    EXPECT_EQ(recorder.shown[0].type, UINT{MB_ICONEXCLAMATION});
    EXPECT_EQ(recorder.shown[0].owner, nullptr);
    // The system's text: the program's own codes mean nothing to it.
    EXPECT_EQ(recorder.shown[1].text, error_text(hr::fail, 0));
    EXPECT_EQ(recorder.shown[1].type, UINT{MB_ICONEXCLAMATION | MB_RTLREADING});
    EXPECT_TRUE(recorder.debug_output.empty());
}

} // namespace
} // namespace qv
