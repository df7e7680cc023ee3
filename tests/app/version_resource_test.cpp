#include "app/file_version_info.hpp"
#include "app/language.hpp"
#include "app/product.hpp"

#include <gtest/gtest.h>

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

namespace qv {
namespace {

using namespace std::string_literals;

constexpr int german = 2;

std::wstring fixture(const wchar_t* name) {
    return QV_VERSION_FIXTURES_DIR L"/"s + name + L".exe";
}

// The value as stored, with whatever its length counts.
std::optional<std::wstring> stored_string(const std::wstring& file, const std::wstring& path) {
    DWORD unused = 0;
    std::vector<std::byte> block(GetFileVersionInfoSizeW(file.c_str(), &unused));
    void* found = nullptr;
    UINT length = 0;
    if (block.empty() ||
        !GetFileVersionInfoW(file.c_str(), 0, static_cast<DWORD>(block.size()), block.data()) ||
        !VerQueryValueW(block.data(), path.c_str(), &found, &length)) {
        return std::nullopt;
    }
    return std::wstring(static_cast<const wchar_t*>(found), length);
}

// Every test chooses its language and leaves the process's as it was.
class VersionResource : public testing::Test {
protected:
    void TearDown() override { set_language(saved_language_); }

private:
    int saved_language_ = language_settings().index;
};

TEST_F(VersionResource, FilesOfTheTable) {
    struct Row {
        const wchar_t* fixture;
        int language;
        std::uint64_t file_version;
        const wchar_t* version_text;
    };
    const auto v5_26_7_1 = pack_version(5, 26, 7, 1);
    const Row rows[] = {
        {L"unicode", english, v5_26_7_1, L"Kardexa 5 5.26g"},
        {L"unicode", french, v5_26_7_1, L"Kardelo 5 5.26g"},
        {L"unicode", german, v5_26_7_1, L"Kardexa 5 5.26g"},
        {L"mixed", english, v5_26_7_1, L"Kardexa 5 5.26g"},
        {L"western", english, pack_version(5, 26, 6, 0), L""},
        {L"prerelease", english, v5_26_7_1, L"Kardexa 5 5.27 beta 1"},
        {L"prerelease", german, v5_26_7_1, L"Kardexa 5 5.27 beta 1"},
        {L"prerelease", french, v5_26_7_1, L"Kardelo 5 5.27 b\u00EAta 1"},
        {L"masked", english, v5_26_7_1, L"Kardexa 5 5.27 b\u00EAta 1"},
        {L"private_debug", english, v5_26_7_1, L"Kardexa 5 5.26g \u2013 Private \u2013 Debug"},
        // The first file examined here had no SpecialBuild: "Kardenau" stays
        // off for the rest of the process.
        {L"kardenau", german, v5_26_7_1, L"Kardexa 5 5.26g"},
        {L"kardenau", english, v5_26_7_1, L"Kardexa 5 5.26g"},
        {L"kardenau", french, v5_26_7_1, L"Kardelo 5 5.26g"},
        {L"no_resource", english, 0, L""},
        {L"missing", english, 0, L""},
    };
    for (const auto& row : rows) {
        set_language(row.language);
        const auto info = FileVersionInfo::from_file(fixture(row.fixture));
        EXPECT_EQ(info.file_version(), row.file_version) << row.fixture;
        EXPECT_EQ(info.version_text(), row.version_text) << row.fixture << " / " << row.language;
    }
}

TEST_F(VersionResource, StringsOfTheFirstUnicodeTranslation) {
    set_language(english);
    const auto unicode = fixture(L"unicode");
    const auto info = FileVersionInfo::from_file(unicode);
    // The resource compiler counts the NUL; the value does not carry it.
    EXPECT_EQ(stored_string(unicode, L"\\StringFileInfo\\040904B0\\ProductName"), L"Kardelo 5\0"s);
    EXPECT_EQ(info.string_value(L"ProductName"), L"Kardelo 5");
    EXPECT_EQ(info.localized_product_name(), L"Kardexa 5");
    EXPECT_EQ(info.product_version(), L"5.26g");
    EXPECT_EQ(info.legal_copyright(), L"\u00A9 2026 Quorvane");
    EXPECT_EQ(info.string_value(L"Comments"), L"");
    EXPECT_EQ(info.string_value(L"SpecialBuild"), L"");

    // Stored, but under a Western European translation only.
    const auto western = fixture(L"western");
    EXPECT_EQ(stored_string(western, L"\\StringFileInfo\\040904E4\\ProductName"), L"Kardelo 5\0"s);
    EXPECT_EQ(FileVersionInfo::from_file(western).string_value(L"ProductName"), L"");
}

TEST_F(VersionResource, ProgramsOwnIsReadOnce) {
    set_language(english);
    const auto& program = FileVersionInfo::of_program();
    EXPECT_EQ(&FileVersionInfo::of_program(), &program);
    EXPECT_EQ(program.file_version(), pack_version(2, 4, 0, 1));
    EXPECT_EQ(program.version_text(), L"Kardexa 5 2.04");
    EXPECT_EQ(program.legal_copyright(), L"\u00A9 2026 Quorvane");
}

} // namespace
} // namespace qv
