#include "support/rc_strings.hpp"

#include "sys/utf.hpp"

#include <fstream>
#include <stdexcept>
#include <string>

namespace qv::test {
#ifndef _WIN32
namespace {

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
        table.strings[static_cast<unsigned>(std::stoul(line.substr(0, comma)))] =
            utf8_to_utf16(text).value();
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
