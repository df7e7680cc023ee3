#include "sys/registry_string.hpp"

#include <gtest/gtest.h>

#include <vector>

namespace qv {
namespace {

std::vector<std::uint8_t> utf16(std::u16string_view text) {
    std::vector<std::uint8_t> bytes;
    for (char16_t c : text) {
        bytes.push_back(static_cast<std::uint8_t>(c & 0xFF));
        bytes.push_back(static_cast<std::uint8_t>(c >> 8));
    }
    return bytes;
}

TEST(RegistryString, TypesSizesAndTerminator) {
    const auto terminated = utf16(std::u16string_view(u"C:\\K\u00e9\0", 6));
    const auto bare = utf16(u"C:\\K");
    struct Case {
        std::uint32_t type;
        std::vector<std::uint8_t> data;
        std::optional<std::wstring> expected;
    } cases[] = {
        {reg_sz, terminated, L"C:\\K\u00e9"},
        {reg_expand_sz, utf16(std::u16string_view(u"%TEMP%\0", 7)), L"%TEMP%"}, // not expanded
        {reg_sz, bare, std::nullopt},                                           // no NUL
        {reg_sz, {'a', 0, 0}, std::nullopt},                                    // odd size
        {reg_sz, {}, L""},
        {reg_sz, {0, 0}, L""},
        {7, terminated, std::nullopt}, // REG_MULTI_SZ
        {4, {1, 0, 0, 0}, std::nullopt},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(registry_string(c.type, c.data.data(), c.data.size()), c.expected)
            << c.type << " " << c.data.size();
    }
}

} // namespace
} // namespace qv
