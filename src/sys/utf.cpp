#include "sys/utf.hpp"

namespace qv {
namespace {

void put_utf16(std::wstring& out, char32_t cp) {
    if (cp < 0x10000) {
        out.push_back(static_cast<wchar_t>(cp));
    } else {
        cp -= 0x10000;
        out.push_back(static_cast<wchar_t>(0xD800 + (cp >> 10)));
        out.push_back(static_cast<wchar_t>(0xDC00 + (cp & 0x3FF)));
    }
}

void put_utf8(std::string& out, char32_t cp) {
    const auto byte = [&out](char32_t b) { out.push_back(static_cast<char>(b)); };
    if (cp < 0x80) {
        byte(cp);
    } else if (cp < 0x800) {
        byte(0xC0 | (cp >> 6));
        byte(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        byte(0xE0 | (cp >> 12));
        byte(0x80 | ((cp >> 6) & 0x3F));
        byte(0x80 | (cp & 0x3F));
    } else {
        byte(0xF0 | (cp >> 18));
        byte(0x80 | ((cp >> 12) & 0x3F));
        byte(0x80 | ((cp >> 6) & 0x3F));
        byte(0x80 | (cp & 0x3F));
    }
}

} // namespace

std::optional<std::wstring> utf8_to_utf16(std::string_view text) {
    std::wstring out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        const auto lead = static_cast<unsigned char>(text[i]);
        std::size_t extra = 0;
        if (lead >= 0xC2 && lead < 0xE0) {
            extra = 1;
        } else if (lead >= 0xE0 && lead < 0xF0) {
            extra = 2;
        } else if (lead >= 0xF0 && lead < 0xF5) {
            extra = 3;
        } else if (lead >= 0x80) {
            return std::nullopt;
        }
        if (text.size() - i <= extra) {
            return std::nullopt;
        }
        char32_t cp = extra == 0 ? lead : lead & (0x3Fu >> extra);
        for (std::size_t k = 1; k <= extra; ++k) {
            const auto next = static_cast<unsigned char>(text[i + k]);
            if ((next & 0xC0) != 0x80) {
                return std::nullopt;
            }
            cp = (cp << 6) | (next & 0x3Fu);
        }
        constexpr char32_t smallest[] = {0, 0x80, 0x800, 0x10000};
        if (cp < smallest[extra] || cp > 0x10FFFF || (cp >= 0xD800 && cp < 0xE000)) {
            return std::nullopt;
        }
        put_utf16(out, cp);
        i += extra + 1;
    }
    return out;
}

std::string utf16_to_utf8(std::wstring_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        char32_t cp = static_cast<char32_t>(text[i]) & 0xFFFF;
        if (cp >= 0xD800 && cp < 0xDC00 && i + 1 < text.size()) {
            const char32_t low = static_cast<char32_t>(text[i + 1]) & 0xFFFF;
            if (low >= 0xDC00 && low < 0xE000) {
                cp = 0x10000 + ((cp - 0xD800) << 10) + (low - 0xDC00);
                ++i;
            }
        }
        if (cp >= 0xD800 && cp < 0xE000) {
            cp = 0xFFFD;
        }
        put_utf8(out, cp);
    }
    return out;
}

} // namespace qv
