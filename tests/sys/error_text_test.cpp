#include "sys/error_text.hpp"

#include "support/rc_strings.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <utility>
#include <vector>

namespace qv {
namespace {

using Question = std::pair<std::uint32_t, langid_t>;

constexpr std::uint32_t unknown_code = 0x12345678;
constexpr auto e_fail = static_cast<std::uint32_t>(hr::fail);
constexpr langid_t turkish = 1055;
constexpr langid_t hebrew = 1037;

// A message table the test writes; it records every question. Languages
// listed as untranslated answer 1815, every other miss 317.
class FakeMessages final : public SystemMessages {
public:
    std::map<Question, std::wstring> texts;
    std::vector<langid_t> untranslated;
    mutable std::vector<Question> asked;

    Answer message(std::uint32_t code, langid_t language) const override {
        asked.emplace_back(code, language);
        const auto it = texts.find({code, language});
        if (it != texts.end()) {
            return {it->second, 0};
        }
        const bool known =
            std::find(untranslated.begin(), untranslated.end(), language) == untranslated.end();
        return {std::nullopt, known ? 317u : error_resource_lang_not_found};
    }
};

struct TextCase {
    const char* name;
    std::map<Question, std::wstring> texts;
    std::vector<langid_t> untranslated;
    std::uint32_t code;
    langid_t language;
    std::wstring expected;
    std::vector<Question> asked;
};

TEST(ErrorText, FollowsTheFallbacks) {
    const TextCase cases[] = {
        {"trailing line breaks go",
         {{{5, 0}, L"Access denied.\r\n"}},
         {},
         5,
         0,
         L"Access denied.",
         {{5, 0}}},
        {"only the trailing ones",
         {{{5, 0}, L"One.\r\nTwo.\r\n\r\n\n"}},
         {},
         5,
         0,
         L"One.\r\nTwo.",
         {{5, 0}}},
        {"unknown code: the text of E_FAIL",
         {{{e_fail, 0}, L"Unspecified error\r\n"}},
         {},
         unknown_code,
         0,
         L"Unspecified error",
         {{unknown_code, 0}, {e_fail, 0}}},
        {"not even E_FAIL", {}, {}, unknown_code, 0, L"Error", {{unknown_code, 0}, {e_fail, 0}}},
        {"E_FAIL itself", {}, {}, e_fail, 0, L"Error", {{e_fail, 0}}},
        {"line breaks alone are no text",
         {{{5, 0}, L"\r\n"}, {{e_fail, 0}, L"Unspecified error"}},
         {},
         5,
         0,
         L"Unspecified error",
         {{5, 0}, {e_fail, 0}}},
        {"a translated language",
         {{{5, turkish}, L"Eri\u015Fim engellendi.\r\n"}, {{5, 0}, L"Access denied."}},
         {},
         5,
         turkish,
         L"Eri\u015Fim engellendi.",
         {{5, turkish}}},
        {"an untranslated language: the system's choice",
         {{{5, 0}, L"Access denied.\r\n"}},
         {hebrew},
         5,
         hebrew,
         L"Access denied.",
         {{5, hebrew}, {5, 0}}},
        {"no second question when the system's choice is untranslated",
         {},
         {0},
         5,
         0,
         L"Error",
         {{5, 0}, {e_fail, 0}}},
        {"other misses are not asked again",
         {{{5, 0}, L"Access denied."}, {{e_fail, turkish}, L"Belirtilmemi\u015F hata"}},
         {},
         5,
         turkish,
         L"Belirtilmemi\u015F hata",
         {{5, turkish}, {e_fail, turkish}}},
        {"E_FAIL in the language asked, then the system's choice",
         {{{e_fail, 0}, L"Unspecified error"}},
         {hebrew},
         unknown_code,
         hebrew,
         L"Unspecified error",
         {{unknown_code, hebrew}, {unknown_code, 0}, {e_fail, hebrew}, {e_fail, 0}}},
    };
    for (const TextCase& c : cases) {
        FakeMessages messages;
        messages.texts = c.texts;
        messages.untranslated = c.untranslated;
        EXPECT_EQ(error_text(messages, static_cast<hresult>(c.code), c.language), c.expected)
            << c.name;
        EXPECT_EQ(messages.asked, c.asked) << c.name;
    }
}

TEST(ErrorText, KnowsTheProgramsOwnCodes) {
    FakeMessages messages;
    messages.texts = {{{5, 0}, L"Access denied.\r\n"},
                      {{e_fail, 0}, L"Unspecified error\r\n"},
                      {{e_fail, turkish}, L"Belirtilmemi\u015F hata"}};
    test::MapStrings strings;
    strings.strings = {{4711, L"The product could not be started."}, {4712, L""}};
    const struct {
        std::uint32_t code;
        std::wstring expected;
    } cases[] = {
        {0x28000000 | 4711, L"The product could not be started."},
        {0xA8000000 | 4711, L"The product could not be started."}, // severity bit too
        {0x28010000 | 4711, L"The product could not be started."}, // low 16 bits only
        {0x28000000 | 4712, L"Unspecified error"},                 // empty
        {0x28000000 | 4713, L"Unspecified error"},                 // missing
        {0x20000000 | 4711, L"Unspecified error"},                 // no string bit
        {0x08000000 | 4711, L"Unspecified error"},                 // not a customer code
        {5, L"Access denied."},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(error_text_ex(messages, strings, static_cast<hresult>(c.code)), c.expected)
            << std::hex << c.code;
    }
    for (const Question& question : messages.asked) {
        EXPECT_EQ(question.second, 0) << std::hex << question.first;
    }
}

#ifdef _WIN32
bool ends_with_line_break(const std::wstring& text) {
    return !text.empty() && (text.back() == L'\r' || text.back() == L'\n');
}

TEST(SystemErrorText, AccessDenied) {
    const std::wstring text = error_text(static_cast<hresult>(0x80070005u), 0);
    EXPECT_FALSE(text.empty());
    EXPECT_FALSE(ends_with_line_break(text));
    EXPECT_NE(text, error_text(hr::fail, 0)); // its own text, not the fallback
    EXPECT_EQ(text, error_text(5, 0));
}

TEST(SystemErrorText, UnknownCodeGivesTheTextOfEFail) {
    ASSERT_FALSE(system_messages().message(unknown_code, 0).text);
    const std::wstring text = error_text(static_cast<hresult>(unknown_code), 0);
    EXPECT_EQ(text, error_text(hr::fail, 0));
    EXPECT_NE(text, L"Error");
    EXPECT_FALSE(ends_with_line_break(text));
}

TEST(SystemErrorText, UntranslatedLanguageFallsBackToTheSystemsChoice) {
    const SystemMessages::Answer direct = system_messages().message(5, hebrew);
    ASSERT_FALSE(direct.text) << "pick a language the system has no messages in";
    ASSERT_EQ(direct.error, error_resource_lang_not_found);
    EXPECT_EQ(error_text(5, hebrew), error_text(5, 0));
}
#endif

} // namespace
} // namespace qv
