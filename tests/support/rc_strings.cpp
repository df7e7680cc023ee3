#include "support/rc_strings.hpp"

#include <fstream>
#include <stdexcept>
#include <string>

namespace qv::test {
#ifndef _WIN32
namespace {

std::wstring decode_utf8(const std::string& s) {
    std::wstring out;
    for (std::size_t i = 0; i < s.size();) {
        const auto c = static_cast<unsigned char>(s[i]);
        const int extra = c < 0x80 ? 0 : c < 0xE0 ? 1 : c < 0xF0 ? 2 : 3;
        char32_t cp = extra == 0 ? c : c & (0x3Fu >> extra);
        for (int k = 1; k <= extra && i + static_cast<std::size_t>(k) < s.size(); ++k) {
            cp = (cp << 6) |
                 (static_cast<unsigned char>(s[i + static_cast<std::size_t>(k)]) & 0x3Fu);
        }
        out.push_back(static_cast<wchar_t>(cp));
        i += static_cast<std::size_t>(extra) + 1;
    }
    return out;
}

// Lines of the form `  ID, L"text"` with "" and \r, \n escapes.
MapStrings parse_resource_script(const char* path) {
    std::ifstream in(path);
    if (!in) {
        throw std::runtime_error(std::string("cannot open ") + path);
    }
    MapStrings table;
    std::string line;
    while (std::getline(in, line)) {
        const auto comma = line.find(", L\"");
        if (comma == std::string::npos || line.back() != '"') {
            continue;
        }
        std::string text;
        const std::string body = line.substr(comma + 4, line.size() - comma - 5);
        for (std::size_t i = 0; i < body.size(); ++i) {
            if (body[i] == '"' && i + 1 < body.size() && body[i + 1] == '"') {
                text.push_back('"');
                ++i;
            } else if (body[i] == '\\' && i + 1 < body.size()) {
                const char e = body[++i];
                text.push_back(e == 'r' ? '\r' : e == 'n' ? '\n' : e);
            } else {
                text.push_back(body[i]);
            }
        }
        table.strings[static_cast<unsigned>(std::stoul(line.substr(0, comma)))] = decode_utf8(text);
    }
    return table;
}

} // namespace
#endif

const StringSource& shipped_strings() {
#ifdef _WIN32
    return system_strings();
#else
    static const MapStrings table = parse_resource_script(QV_STRINGS_RC_PATH);
    return table;
#endif
}

} // namespace qv::test
