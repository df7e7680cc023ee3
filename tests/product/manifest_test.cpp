#include "product_languages.hpp"
#include "product_paths.hpp"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace qv::test {

namespace {

struct manifest_entry {
    std::wstring kind;
    std::wstring destination;
    std::wstring source;
};

std::wstring from_utf8(const std::string& text) {
    const int size = static_cast<int>(text.size());
    std::wstring wide(
        static_cast<std::size_t>(MultiByteToWideChar(CP_UTF8, 0, text.data(), size, nullptr, 0)),
        L'\0');
    MultiByteToWideChar(CP_UTF8, 0, text.data(), size, wide.data(), static_cast<int>(wide.size()));
    return wide;
}

// The entries as the packing tool reads them; a malformed line fails the test.
std::vector<manifest_entry> read_manifest() {
    std::ifstream in(std::filesystem::path(manifest_path()), std::ios::binary);
    EXPECT_TRUE(in) << "cannot read the manifest";
    std::vector<manifest_entry> entries;
    std::string line;
    while (std::getline(in, line)) {
        if (line.empty() || line.starts_with('#')) {
            continue;
        }
        const std::size_t first = line.find('\t');
        const std::size_t second = line.find('\t', first + 1);
        if (first == std::string::npos || second == std::string::npos ||
            line.find('\t', second + 1) != std::string::npos) {
            ADD_FAILURE() << "not KIND<TAB>DESTINATION<TAB>SOURCE: " << line;
            continue;
        }
        entries.push_back({from_utf8(line.substr(0, first)),
                           from_utf8(line.substr(first + 1, second - first - 1)),
                           from_utf8(line.substr(second + 1))});
    }
    return entries;
}

struct entry_group {
    const wchar_t* kind;
    const wchar_t* destination;
    std::size_t count;
};

constexpr entry_group packing_order[] = {
    {L"shared_data", L"<CommonData>\\Quorvane\\Materials", 3},
    {L"sample", L"<SamplePath>", 6},
    {L"shared_data", L"<CommonData>\\Quorvane\\Kardelo 5", 2},
    {L"uninstaller", L"<InstallPath>", 1},
    {L"language_module", L"<InstallPath>\\Lang", std::size(product_languages)},
    {L"program", L"<InstallPath>", 1},
};

TEST(product_manifest, lists_the_product_in_packing_order) {
    const std::vector<manifest_entry> entries = read_manifest();
    ASSERT_EQ(entries.size(), 25u);
    std::size_t at = 0;
    for (const entry_group& group : packing_order) {
        for (std::size_t i = 0; i < group.count; ++i, ++at) {
            SCOPED_TRACE(testing::Message() << "entry " << at);
            EXPECT_EQ(entries[at].kind, group.kind);
            EXPECT_EQ(entries[at].destination, group.destination);
        }
    }
    EXPECT_EQ(entries[11].source, L"Uninstall.exe");
    for (std::size_t i = 0; i < std::size(product_languages); ++i) {
        EXPECT_EQ(entries[12 + i].source,
                  std::wstring(L"Lang/Kardelo.") + product_languages[i].code + L".dll");
    }
    EXPECT_EQ(entries.back().source, L"Kardelo.exe");
}

TEST(product_manifest, every_entry_is_staged_and_only_the_second_is_empty) {
    const std::vector<manifest_entry> entries = read_manifest();
    ASSERT_FALSE(entries.empty());
    for (std::size_t at = 0; at < entries.size(); ++at) {
        SCOPED_TRACE(testing::Message() << "entry " << at);
        std::error_code error;
        const auto size = std::filesystem::file_size(stage_path(entries[at].source), error);
        ASSERT_FALSE(error) << error.message();
        EXPECT_EQ(size == 0, at == 1) << size << " bytes";
    }
}

} // namespace

} // namespace qv::test
