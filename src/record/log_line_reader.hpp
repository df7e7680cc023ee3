#pragma once
// The lines of a log file: UTF-16 little-endian after a byte order mark,
// else bytes in an ANSI code page.
#include "record/log_files.hpp"

#include <cstdint>
#include <optional>
#include <string>

namespace qv {

class LogLineReader {
public:
    // Of a line, its end included: what a 1024-byte buffer holds besides a
    // wide terminator. A longer line ends the reading.
    static constexpr std::size_t max_line_bytes = 1022;

    LogLineReader(LogInput& input, std::uint32_t code_page, const LogFiles& files);

    // The next line with its line end. Nothing at the end of the file, after a
    // read error, for a line too long or refused by the code page, and from
    // then on.
    std::optional<std::wstring> next_line();

private:
    void take_byte_order_mark();
    bool read_unit(char* unit, std::size_t size);
    std::optional<char> next_byte();

    LogInput& input_;
    std::uint32_t code_page_;
    const LogFiles& files_;
    std::string first_bytes_; // the file's start when it is not a byte order mark
    std::size_t first_bytes_taken_ = 0;
    bool started_ = false;
    bool utf16_ = false;
    bool ended_ = false;
};

} // namespace qv
