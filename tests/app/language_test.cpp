#include "app/language.hpp"

#include "support/fake_locale.hpp"

#include <gtest/gtest.h>

namespace qv {
namespace {

using test::FakeLocale;

TEST(LanguageTable, OfferedTranslatedAndLcids) {
    for (int i = 0; i < language_count; ++i) {
        EXPECT_EQ(is_offered_language(i), ((offered_language_mask >> i) & 1u) != 0) << i;
    }
    const bool offered[] = {1, 1, 1, 1, 1, 1, 0, 1, 1, 1, 1, 1, 0, 0, 1, 0, 0, 0, 0, 1};
    const bool translated[] = {1, 1, 1, 1, 1, 0, 0, 1, 0, 1, 0, 1, 0, 0, 0, 0, 0, 0, 0, 0};
    for (int i = 0; i < language_count; ++i) {
        EXPECT_EQ(is_offered_language(i), offered[i]) << i;
        EXPECT_EQ(is_installer_translated(i), translated[i]) << i;
    }
    EXPECT_FALSE(is_offered_language(-1));
    EXPECT_FALSE(is_offered_language(20));
    EXPECT_FALSE(is_offered_language(0x100000000LL));
    EXPECT_TRUE(is_installer_translated(20)); // only the listed indices are untranslated
    EXPECT_EQ(language_lcid(11), 1040u);
    EXPECT_EQ(LanguageTable[11].string_base, 6000u);
    EXPECT_EQ(LanguageTable[10].string_base, 10000u);
    EXPECT_EQ(LanguageTable[18].flag_icon, 160u);
}

struct DefaultCase {
    lcid_t user;
    std::uint32_t mask;
    int expected;
};

TEST(LanguageSettings, DefaultLanguageFollowsTheUsersFormat) {
    const DefaultCase cases[] = {
        {0x040C, offered_language_mask, 0},  // French
        {0x0C0C, offered_language_mask, 0},  // French (Canada)
        {0x0409, offered_language_mask, 1},  // English
        {0x0407, offered_language_mask, 2},  // German
        {0x0413, offered_language_mask, 5},  // Dutch
        {0x0406, offered_language_mask, 1},  // Danish: not offered
        {0x0404, offered_language_mask, 1},  // Chinese (Taiwan)
        {0x0C04, offered_language_mask, 1},  // Chinese (Hong Kong)
        {0x0804, offered_language_mask, 10}, // Chinese (PRC)
        {0x1004, offered_language_mask, 10}, // Chinese (Singapore)
        {0x040E, offered_language_mask, 19}, // Hungarian
        {0x0411, offered_language_mask, 1},  // Japanese: not offered
        {0x041D, offered_language_mask, 1},  // Swedish: no row
        {0x0409, 0x1, 0},                    // English not available
        {0x0406, 0x4, 0},                    // neither Danish nor English
        {0x0407, 0x0, 0},                    // 0: the settings' mask, French only
    };
    for (const auto& c : cases) {
        FakeLocale locale;
        locale.user_lcid = c.user;
        const LanguageSettings settings;
        EXPECT_EQ(default_language(settings, locale, c.mask), c.expected) << std::hex << c.user;
    }
}

struct InitialCase {
    lcid_t user;
    std::optional<std::uint32_t> stored;
    int expected;
};

TEST(LanguageSettings, InitialLanguage) {
    const InitialCase cases[] = {
        {0x0413, std::nullopt, 1},                  // Dutch user: the installer is not translated
        {0x0406, std::nullopt, 1},                  // Danish
        {0x0404, std::nullopt, 1},                  // Chinese (Taiwan)
        {0x0804, std::nullopt, 1},                  // Chinese (PRC): offered, not translated
        {0x040C, std::nullopt, 0}, {0x0409, 2u, 2}, // the previous installation's German wins
        {0x040C, 6u, 0},                            // Danish is not offered: ignored
        {0x0407, 99u, 2},                           // no such index
        {0x0409, 5u, 1},                            // Dutch product, English installer
    };
    for (const auto& c : cases) {
        FakeLocale locale;
        locale.user_lcid = c.user;
        LanguageSettings settings = make_language_settings(locale);
        choose_initial_language(settings, locale, c.stored);
        EXPECT_EQ(settings.index, c.expected) << std::hex << c.user;
    }
}

TEST(LanguageSettings, FirstUseAndSetLanguage) {
    FakeLocale locale;
    locale.user_lcid = 0x0409;
    locale.code_pages[1031] = 1252;
    LanguageSettings settings = make_language_settings(locale);
    EXPECT_EQ(settings.index, 0);
    EXPECT_EQ(settings.lcid, 1036u);
    EXPECT_EQ(settings.available_mask, 1u);
    EXPECT_EQ(settings.code_page, 1252u);
    EXPECT_EQ(locale.thread_locales, std::vector<lcid_t>{1036});
    EXPECT_EQ(locale.runtime_locales, std::vector<std::wstring>{L"loc-1036"});

    int module = 0;
    settings.resource_module = &module;
    set_language(settings, locale, 0); // same index: the process locale stays
    EXPECT_EQ(locale.runtime_locales.size(), 1u);
    EXPECT_EQ(settings.resource_module, nullptr);
    EXPECT_EQ(settings.code_page, 1250u); // no code page of its own: the system's

    set_language(settings, locale, 2);
    EXPECT_EQ(settings.index, 2);
    EXPECT_EQ(settings.lcid, 1031u);
    EXPECT_EQ(settings.code_page, 1252u);
    EXPECT_EQ(locale.runtime_locales.back(), L"loc-1031");
    EXPECT_EQ(locale.thread_locales.size(), 1u); // later changes leave the thread alone
}

TEST(LanguageSettings, UserLcidKeptWhenItsLanguageMatches) {
    FakeLocale locale;
    locale.user_lcid = 0x00010407; // German, phone-book sort
    EXPECT_EQ(adjusted_lcid(locale, 2), 0x00010407u);
    EXPECT_EQ(adjusted_lcid(locale, 1), 1033u);
    // The process locale takes the user's own locale when the primary
    // language agrees, even with another sublanguage.
    locale.user_lcid = 0x0809; // English (United Kingdom)
    LanguageSettings settings = make_language_settings(locale);
    set_language(settings, locale, 1);
    EXPECT_EQ(settings.lcid, 1033u);
    EXPECT_EQ(locale.runtime_locales.back(), L"loc-2057");
}

TEST(LanguageSettings, RightToLeftAndNativeNames) {
    FakeLocale locale;
    EXPECT_TRUE(is_right_to_left(locale, 16)); // no font signature: Hebrew only
    EXPECT_FALSE(is_right_to_left(locale, 1));
    locale.subsets[1037] = {0, 0, 0, 1u << 27};
    locale.subsets[1033] = {0xFFFFFFFF, 0xFFFFFFFF, 0xFFFFFFFF, ~(1u << 27)};
    locale.subsets[1041] = {0, 0, 0, 1u << 27};
    EXPECT_TRUE(is_right_to_left(locale, 16));
    EXPECT_FALSE(is_right_to_left(locale, 1));
    EXPECT_TRUE(is_right_to_left(locale, 18));
    EXPECT_EQ(native_language_name(locale, 1), L"Name 1033");
}

} // namespace
} // namespace qv
