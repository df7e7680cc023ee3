#include "product_paths.hpp"
#include "version_info.hpp"

#include <gtest/gtest.h>

#include <array>

namespace qv::test {

namespace {

using version_numbers = std::array<DWORD, 4>;

version_numbers numbers_of(DWORD most, DWORD least) {
    return {HIWORD(most), LOWORD(most), HIWORD(least), LOWORD(least)};
}

std::optional<std::wstring> optional_text(const wchar_t* text) {
    return text ? std::optional<std::wstring>(text) : std::nullopt;
}

struct version_case {
    const char* name;
    std::wstring file;
    version_numbers version;
    const wchar_t* version_text;
    const wchar_t* product_version;
    const wchar_t* description;
    const wchar_t* application_id; // nullptr: none
    const wchar_t* special_build;  // nullptr: none
};

std::vector<version_case> version_cases() {
    return {
        {"shipped",
         stage_path(L"Kardelo.exe"),
         {5, 26, 7, 1},
         L"5.26.7.1",
         L"5.26g",
         L"Kardelo",
         L"Kardelo5",
         nullptr},
        {"uninstaller",
         stage_path(L"Uninstall.exe"),
         {5, 26, 7, 1},
         L"5.26.7.1",
         L"5.26g",
         L"Kardelo Uninstall",
         nullptr,
         nullptr},
        {"older",
         variant_program_path(L"5.26.6.0"),
         {5, 26, 6, 0},
         L"5.26.6.0",
         L"5.26f",
         L"Kardelo",
         L"Kardelo5",
         nullptr},
        {"newer_build",
         variant_program_path(L"5.26.7.2"),
         {5, 26, 7, 2},
         L"5.26.7.2",
         L"5.26g",
         L"Kardelo",
         L"Kardelo5",
         nullptr},
        {"kardenau",
         variant_program_path(L"kardenau"),
         {5, 26, 7, 1},
         L"5.26.7.1",
         L"5.26g",
         L"Kardelo",
         L"Kardelo5",
         L"Kardenau"},
    };
}

// Names the case in the test's name.
void PrintTo(const version_case& row, std::ostream* out) {
    *out << row.name;
}

class product_version : public testing::TestWithParam<version_case> {};

TEST_P(product_version, is_the_one_it_was_built_with) {
    const version_case& expected = GetParam();
    const version_info info(expected.file);
    const VS_FIXEDFILEINFO& fixed = info.fixed();
    EXPECT_EQ(fixed.dwSignature, 0xFEEF04BDu);
    EXPECT_EQ(numbers_of(fixed.dwFileVersionMS, fixed.dwFileVersionLS), expected.version);
    EXPECT_EQ(numbers_of(fixed.dwProductVersionMS, fixed.dwProductVersionLS), expected.version);
    EXPECT_EQ(fixed.dwFileType, static_cast<DWORD>(VFT_APP));
    EXPECT_EQ((fixed.dwFileFlags & VS_FF_SPECIALBUILD) != 0, expected.special_build != nullptr);

    EXPECT_EQ(info.first_translation(), (translation{0x0409, 1200}));
    EXPECT_EQ(info.string(L"CompanyName"), L"Quorvane");
    EXPECT_EQ(info.string(L"FileDescription"), expected.description);
    EXPECT_EQ(info.string(L"FileVersion"), expected.version_text);
    EXPECT_EQ(info.string(L"ProductName"), L"Kardelo");
    EXPECT_EQ(info.string(L"ProductVersion"), expected.product_version);
    EXPECT_EQ(info.string(L"LegalCopyright"), L"\u00a9 2026 Quorvane");
    EXPECT_EQ(info.string(L"ApplicationId"), optional_text(expected.application_id));
    EXPECT_EQ(info.string(L"SpecialBuild"), optional_text(expected.special_build));
}

INSTANTIATE_TEST_SUITE_P(product, product_version, testing::ValuesIn(version_cases()));

} // namespace

} // namespace qv::test
