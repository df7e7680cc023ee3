#include "app/messages.hpp"

#include "support/rc_strings.hpp"
#include "sys/hresult.hpp"

#include <gtest/gtest.h>

#include <algorithm>

#ifdef _WIN32
#include <windows.h>
#endif

namespace qv {
namespace {

using test::MapStrings;
using test::shipped_strings;

constexpr int german = 2, dutch = 5, italian = 11, hungarian = 19;

std::vector<unsigned> message_numbers() {
    std::vector<unsigned> numbers;
    for (unsigned n = 0; n <= 131; ++n) {
        if (n <= 19 || (n >= 100 && n <= 127 && n != 116) || n == 129 || n == 131) {
            numbers.push_back(1000 + n);
        }
    }
    return numbers;
}

TEST(MessageId, FallsBackThroughEnglishToFrench) {
    MapStrings s;
    s.strings = {{1010, L"fr"}, {2010, L"en"},   {3010, L"de"}, {2011, L"#"}, {3011, L"#"},
                 {3012, L"#"},  {2012, L"en12"}, {6013, L"#"},  {2013, L"#"}, {7010, L"nl"}};
    struct Case {
        int language;
        unsigned number, expected;
    } cases[] = {
        {french, 1010, 1010}, {english, 1010, 2010}, {english, 1011, 1011},   {german, 1010, 3010},
        {german, 1011, 1011}, {german, 1012, 2012},  {italian, 1013, 1013},   {italian, 1010, 6010},
        {dutch, 1010, 2010},  {dutch, 1011, 1011},   {hungarian, 1012, 2012}, {italian, 1014, 6014},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(message_id(s, c.language, c.number), c.expected)
            << "language " << c.language << " message " << c.number;
    }
    EXPECT_EQ(load_message(s, german, 1012), L"en12");
    EXPECT_EQ(load_message(s, german, 1019), L""); // no such resource
}

TEST(ShippedStrings, EveryLanguageHasEveryMessage) {
    const auto& s = shipped_strings();
    for (int language = 0; language < language_count; ++language) {
        for (unsigned number : message_numbers()) {
            const unsigned id = number + LanguageTable[language].string_base - 1000;
            const auto text = s.load_string(id);
            ASSERT_TRUE(text.has_value()) << id;
            if (!is_installer_translated(language)) {
                EXPECT_EQ(*text, L"#") << id;
            }
        }
    }
}

TEST(ShippedStrings, TranslationsKeepPlaceholdersAndDeliberateSpaces) {
    const auto& s = shipped_strings();
    for (int language = 0; language < language_count; ++language) {
        if (!is_installer_translated(language)) {
            continue;
        }
        for (unsigned number : message_numbers()) {
            const std::wstring text = load_message(s, language, number);
            const std::wstring french_text = load_message(s, french, number);
            ASSERT_FALSE(text.empty()) << language << " " << number;
            EXPECT_NE(text, L"#") << language << " " << number;
            for (const wchar_t* p : {L"%1", L"%2"}) {
                EXPECT_EQ(text.find(p) == std::wstring::npos,
                          french_text.find(p) == std::wstring::npos)
                    << language << " " << number << " " << p;
            }
        }
        EXPECT_NE(load_message(s, language, 1115).find(L"  %1"), std::wstring::npos) << language;
        EXPECT_NE(load_message(s, language, 1129).find(L"  "), std::wstring::npos) << language;
        EXPECT_NE(load_message(s, language, 1110).find(L"\r\n\r\n"), std::wstring::npos);
    }
}

TEST(ShippedStrings, QuotedEnglishTextsAndTheProtectionNotice) {
    const auto& s = shipped_strings();
    EXPECT_EQ(load_message(s, english, 1000), L"Installer");
    EXPECT_EQ(load_message(s, english, 1115), L"Copying File  %1...");
    EXPECT_EQ(load_message(s, english, 1129),
              L"'%1' will be installed in the selected Langage, but the Installer, still under "
              L"translation,  shall run in English.");
    EXPECT_EQ(load_message(s, english, 1110),
              L"Installation is not complete.\r\n\r\nDo you still confirm exit Installation ?");
    // 1131 is "#" in English and German: both show the French notice.
    EXPECT_EQ(message_id(s, english, 1131), 1131u);
    EXPECT_EQ(message_id(s, german, 1131), 1131u);
    EXPECT_EQ(message_id(s, italian, 1131), 6131u);
    EXPECT_EQ(message_id(s, dutch, 1104), 2104u);
    EXPECT_EQ(load_message(s, dutch, 1104), L"Do you confirm Reinstallation ?");
    for (unsigned number : message_numbers()) {
        EXPECT_EQ(message_id(s, french, number), number);
    }
}

struct FormatCase {
    const wchar_t* format;
    const wchar_t* expected;
};

constexpr FormatCase format_cases[] = {
    {L"'%1' Installation.", L"'5.26f' Installation."},
    {L"Update from '%1' to '%2'.", L"Update from '5.26f' to 'Kardexa 5.26g'."},
    {L"%2 before %1", L"Kardexa 5.26g before 5.26f"},
    {L"100%% sure", L"100% sure"},
    {L"%%1 is not a placeholder", L"%1 is not a placeholder"},
    {L"line%nbreak", L"line\r\nbreak"},
    {L"kept\r\nbreak", L"kept\r\nbreak"},
    {L"tab%there", L"tab\there"},
    {L"ends here%0 not this", L"ends here"},
    {L"trailing %", L"trailing %"},
};

TEST(MessageFormatting, Placeholders) {
    for (const auto& c : format_cases) {
        EXPECT_EQ(format_text(c.format, {L"5.26f", L"Kardexa 5.26g"}), c.expected);
    }
}

TEST(MessageFormatting, MissingAndEmptyFormats) {
    MapStrings s;
    s.strings = {{1100, L"'%1' Installation."}, {1101, L""}};
    EXPECT_EQ(format_message(s, french, 1100, {L"Kardelo 5.26g"}),
              L"'Kardelo 5.26g' Installation.");
    try {
        format_message(s, french, 1102, {});
        FAIL() << "no exception";
    } catch (hresult code) {
        EXPECT_EQ(code, hr::fail);
    }
    try {
        format_message(s, french, 1101, {});
        FAIL() << "no exception";
    } catch (hresult code) {
        EXPECT_EQ(code, hr::invalid_arg);
    }
}

#ifdef _WIN32
// The formatter must agree with the platform's own for the strings we use.
TEST(MessageFormatting, AgreesWithFormatMessageW) {
    for (const auto& c : format_cases) {
        const wchar_t* first = L"5.26f";
        const wchar_t* second = L"Kardexa 5.26g";
        DWORD_PTR args[] = {reinterpret_cast<DWORD_PTR>(first),
                            reinterpret_cast<DWORD_PTR>(second)};
        wchar_t* buffer = nullptr;
        const DWORD n = FormatMessageW(FORMAT_MESSAGE_FROM_STRING | FORMAT_MESSAGE_ARGUMENT_ARRAY |
                                           FORMAT_MESSAGE_ALLOCATE_BUFFER,
                                       c.format, 0, 0, reinterpret_cast<LPWSTR>(&buffer), 0,
                                       reinterpret_cast<va_list*>(args));
        if (n == 0) {
            continue; // the platform refuses it (a lone trailing '%')
        }
        const std::wstring platform(buffer, n);
        LocalFree(buffer);
        EXPECT_EQ(format_text(c.format, {first, second}), platform) << platform.size();
    }
}
#endif

} // namespace
} // namespace qv
