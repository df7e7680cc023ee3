#include "record/log_line_reader.hpp"

#include "record/log_format.hpp"

namespace qv {

LogLineReader::LogLineReader(LogInput& input, std::uint32_t code_page, const LogFiles& files)
    : input_(input), code_page_(code_page), files_(files) {}

std::optional<std::wstring> LogLineReader::next_line() {
    if (!started_) {
        started_ = true;
        take_byte_order_mark();
    }
    const std::size_t unit_size = utf16_ ? 2 : 1;
    std::string line;
    char unit[2] = {};
    while (!ended_ && read_unit(unit, unit_size)) {
        if (line.size() + unit_size > max_line_bytes) {
            ended_ = true;
            break;
        }
        line.append(unit, unit_size);
        if (unit[0] == '\n' && (unit_size == 1 || unit[1] == '\0')) {
            break;
        }
    }
    if (ended_ || line.empty()) {
        ended_ = true;
        return std::nullopt;
    }
    if (!utf16_) {
        auto text = files_.ansi_to_utf16(line, code_page_);
        ended_ = !text;
        return text;
    }
    std::wstring text;
    for (std::size_t i = 0; i < line.size(); i += 2) {
        text.push_back(static_cast<wchar_t>(static_cast<unsigned char>(line[i]) |
                                            static_cast<unsigned char>(line[i + 1]) << 8));
    }
    return text;
}

void LogLineReader::take_byte_order_mark() {
    char start[2] = {};
    std::size_t got = 0;
    while (got < 2) {
        const auto n = input_.read(start + got, 2 - got);
        if (!n) {
            ended_ = true;
            return;
        }
        if (*n == 0) {
            break;
        }
        got += *n;
    }
    first_bytes_.assign(start, got);
    utf16_ = first_bytes_ == byte_order_mark;
    if (utf16_) {
        first_bytes_.clear();
    }
}

// False at the end of the file, where an odd last byte is dropped, and on a
// read error.
bool LogLineReader::read_unit(char* unit, std::size_t size) {
    for (std::size_t i = 0; i < size; ++i) {
        const auto byte = next_byte();
        if (!byte) {
            return false;
        }
        unit[i] = *byte;
    }
    return true;
}

std::optional<char> LogLineReader::next_byte() {
    if (first_bytes_taken_ < first_bytes_.size()) {
        return first_bytes_[first_bytes_taken_++];
    }
    char byte = 0;
    const auto n = input_.read(&byte, 1);
    if (!n) {
        ended_ = true;
    }
    return n && *n == 1 ? std::optional(byte) : std::nullopt;
}

} // namespace qv
