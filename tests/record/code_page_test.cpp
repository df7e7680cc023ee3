#include "record/code_page.hpp"
#include "record/log_files.hpp"

#include <gtest/gtest.h>

namespace qv {
namespace {

TEST(CodePage, Windows1252AndUtf8) {
    EXPECT_EQ(decode_code_page("A\xE9\x80\x81\x9F\xFF", 1252), L"A\u00e9\u20ac\u0081\u0178\u00ff");
    EXPECT_EQ(decode_code_page("Caf\xC3\xA9", 65001), L"Caf\u00e9");
    EXPECT_EQ(decode_code_page("Caf\xE9", 65001), std::nullopt);
    EXPECT_EQ(decode_code_page("Cafe", 437), std::nullopt);
}

#ifdef _WIN32
// The table the other hosts use is the one Windows has.
TEST(CodePage, SameAsTheSystemFor1252) {
    std::string every_byte;
    for (int byte = 1; byte < 256; ++byte) {
        every_byte.push_back(static_cast<char>(byte));
    }
    EXPECT_EQ(system_log_files().ansi_to_utf16(every_byte, 1252),
              decode_code_page(every_byte, 1252));
}
#endif

} // namespace
} // namespace qv
