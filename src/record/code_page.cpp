#include "record/code_page.hpp"

#include "sys/utf.hpp"

namespace qv {
namespace {

// 0x80 to 0x9F; the five unassigned bytes keep their own value, as Windows
// maps them.
constexpr char16_t windows_1252_high[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

std::wstring decode_1252(std::string_view bytes) {
    std::wstring text;
    text.reserve(bytes.size());
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        text.push_back(byte >= 0x80 && byte < 0xA0
                           ? static_cast<wchar_t>(windows_1252_high[byte - 0x80])
                           : static_cast<wchar_t>(byte));
    }
    return text;
}

} // namespace

std::optional<std::wstring> decode_code_page(std::string_view bytes, std::uint32_t code_page) {
    switch (code_page) {
    case code_page_1252:
        return decode_1252(bytes);
    case code_page_utf8:
        return utf8_to_utf16(bytes);
    default:
        return std::nullopt;
    }
}

} // namespace qv
