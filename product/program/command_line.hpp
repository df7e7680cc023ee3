#pragma once
// The setup program starts Kardelo.exe with " /Register /Background" once it
// has installed it, and adds " /update=" and the 16 hex digits of the update
// when it installed one.
#include <optional>
#include <string>
#include <string_view>

namespace qv::kardelo {

struct register_request {
    std::wstring arguments;             // everything after the program name
    std::optional<std::wstring> update; // the 16 hex digits, when well formed
};

// `command_line` as GetCommandLineW() gives it, program name included.
std::optional<register_request> parse_register_request(std::wstring_view command_line);

} // namespace qv::kardelo
