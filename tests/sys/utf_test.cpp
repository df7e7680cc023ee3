#include "sys/utf.hpp"

#include <gtest/gtest.h>

namespace qv {
namespace {

TEST(Utf, RoundTripsEveryPlane) {
    const std::string text = "Kardelo \xC3\xA9t\xC3\xA9 \xE2\x80\x93 \xF0\x9F\x93\x81";
    const auto wide = utf8_to_utf16(text);
    ASSERT_TRUE(wide);
    EXPECT_EQ(*wide, (std::wstring{L'K', L'a', L'r', L'd', L'e', L'l', L'o', L' ', 0xE9, L't', 0xE9,
                                   L' ', 0x2013, L' ', wchar_t(0xD83D), wchar_t(0xDCC1)}));
    EXPECT_EQ(utf16_to_utf8(*wide), text);
    EXPECT_EQ(utf16_to_utf8(std::wstring{wchar_t(0xD800)}), "\xEF\xBF\xBD");
}

TEST(Utf, RefusesWhatIsNotUtf8) {
    for (const char* bad : {"\x80", "\xC3", "\xC0\xAF", "\xE0\x80\xAF", "\xED\xA0\x80",
                            "\xF4\x90\x80\x80", "\xF8\x88\x80\x80\x80", "a\xC3(b"}) {
        EXPECT_FALSE(utf8_to_utf16(bad)) << bad;
    }
}

} // namespace
} // namespace qv
