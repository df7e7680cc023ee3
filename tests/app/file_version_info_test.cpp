#include "app/file_version_info.hpp"
#include "app/language_table.hpp"

#include <gtest/gtest.h>

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace qv {
namespace {

constexpr int german = 2;
constexpr lcid_t fr_fr = 0x040C;
constexpr lcid_t fr_ca = 0x0C0C;
constexpr lcid_t en_us = 0x0409;
constexpr lcid_t de_de = 0x0407;

TEST(FileVersionInfo, UnicodeTranslationKeys) {
    struct Row {
        std::vector<std::uint16_t> pairs;
        std::size_t bytes; // of the pairs, to cut a partial one
        std::vector<std::wstring> keys;
    };
    const Row rows[] = {
        {{}, 0, {}},
        {{0x0409, 1200}, 4, {L"040904b0"}},
        {{0x0409, 1252}, 4, {}},
        {{0x0409, 1252, 0x040C, 1200, 0x0407, 1200}, 12, {L"040c04b0", L"040704b0"}},
        {{0x0409, 1200}, 2, {}},
        {{0x0409, 1200, 0x040C, 1200}, 6, {L"040904b0"}},
    };
    for (const auto& row : rows) {
        const auto bytes = std::as_bytes(std::span(row.pairs)).first(row.bytes);
        EXPECT_EQ(unicode_translation_keys(bytes), row.keys) << row.bytes << " bytes";
    }
}

TEST(FileVersionInfo, ProductNameSubstitution) {
    struct Row {
        const wchar_t* name;
        const wchar_t* special_build;
        int language;
        const wchar_t* expected;
    };
    const Row rows[] = {
        {L"Kardelo 5", L"Kardenau", german, L"Kardenau 5"},
        {L"Kardelo 5", L"Kardenau", english, L"Kardexa 5"},
        {L"Kardelo 5", L"Kardenau", french, L"Kardelo 5"},
        {L"Kardelo 5", L"", german, L"Kardexa 5"},
        {L"Kardelo 5", L"kardenau", german, L"Kardexa 5"},
        {L"Kardelo 5", L"Kardenau 2", german, L"Kardexa 5"},
        {L"Kardelo 5", L"", 19, L"Kardexa 5"},
        {L"Kardelo 5", L"", french, L"Kardelo 5"},
        {L"Kardelo Kardelo", L"", english, L"Kardelo Kardexa"},
        {L"Kardelo Kardelo", L"Kardenau", german, L"Kardelo Kardenau"},
        {L"Install", L"", english, L"Install"},
        {L"", L"Kardenau", german, L""},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(localize_product_name(row.name, row.special_build, row.language), row.expected)
            << row.name << " / " << row.special_build << " / " << row.language;
    }
}

TEST(FileVersionInfo, VersionText) {
    constexpr std::uint32_t pre = file_flag_pre_release;
    constexpr std::uint32_t priv = file_flag_private_build;
    constexpr std::uint32_t debug = file_flag_debug;
    struct Row {
        const wchar_t* name;
        const wchar_t* product_version;
        std::uint32_t flags;
        lcid_t lcid;
        const wchar_t* expected;
    };
    const Row rows[] = {
        {L"Kardexa 5", L"5.26g", 0, en_us, L"Kardexa 5 5.26g"},
        {L"Kardexa 5", L"", 0, en_us, L"Kardexa 5"},
        {L"", L"", 0, en_us, L""},
        {L"Kardexa 5", L"5.27 b\u00EAta 1", pre, en_us, L"Kardexa 5 5.27 beta 1"},
        {L"Kardexa 5", L"5.27 b\u00EAta 1", pre, de_de, L"Kardexa 5 5.27 beta 1"},
        {L"Kardelo 5", L"5.27 b\u00EAta 1", pre, fr_fr, L"Kardelo 5 5.27 b\u00EAta 1"},
        {L"Kardelo 5", L"5.27 b\u00EAta 1", pre, fr_ca, L"Kardelo 5 5.27 b\u00EAta 1"},
        {L"Kardexa 5", L"5.27 b\u00EAta 1", 0, en_us, L"Kardexa 5 5.27 b\u00EAta 1"},
        {L"Kardexa 5", L"b\u00EAta b\u00EAta", pre, en_us, L"Kardexa 5 b\u00EAta beta"},
        {L"Kardexa 5", L"5.26g", priv, en_us, L"Kardexa 5 5.26g \u2013 Private"},
        {L"Kardexa 5", L"5.26g", debug, en_us, L"Kardexa 5 5.26g \u2013 Debug"},
        {L"Kardexa 5", L"5.26g", priv | debug, en_us,
         L"Kardexa 5 5.26g \u2013 Private \u2013 Debug"},
        {L"Kardexa 5", L"b\u00EAta", pre | priv | debug, en_us,
         L"Kardexa 5 beta \u2013 Private \u2013 Debug"},
        {L"Kardelo 5", L"5.26g", priv | debug, fr_fr,
         L"Kardelo 5 5.26g \u2013 Private \u2013 Debug"},
        {L"Kardexa 5", L"5.26g", 0x4 | 0x10 | 0x20, en_us, L"Kardexa 5 5.26g"},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(compose_version_text(row.name, row.product_version, row.flags, row.lcid),
                  row.expected)
            << row.name << " / " << row.product_version << " / " << row.flags << " / " << row.lcid;
    }
}

} // namespace
} // namespace qv
