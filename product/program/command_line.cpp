#include "command_line.hpp"

#include <algorithm>

namespace qv::kardelo {

namespace {

constexpr std::wstring_view register_switches = L" /Register /Background";
constexpr std::wstring_view update_switch = L" /update=";
constexpr std::size_t update_digits = 16;

bool is_blank(wchar_t c) {
    return c == L' ' || c == L'\t';
}

bool is_hex_digit(wchar_t c) {
    return (c >= L'0' && c <= L'9') || (c >= L'a' && c <= L'f') || (c >= L'A' && c <= L'F');
}

// The program name ends at its closing quote, or else at the first blank:
// the rule Windows itself uses for the first argument.
std::wstring_view arguments_of(std::wstring_view command_line) {
    constexpr std::size_t none = std::wstring_view::npos;
    if (command_line.starts_with(L'"')) {
        const std::size_t quote = command_line.find(L'"', 1);
        return quote == none ? std::wstring_view() : command_line.substr(quote + 1);
    }
    const std::size_t blank = command_line.find_first_of(L" \t");
    return blank == none ? std::wstring_view() : command_line.substr(blank);
}

std::optional<std::wstring> update_of(std::wstring_view rest) {
    if (!rest.starts_with(update_switch)) {
        return std::nullopt;
    }
    rest.remove_prefix(update_switch.size());
    if (rest.size() < update_digits) {
        return std::nullopt;
    }
    const std::wstring_view digits = rest.substr(0, update_digits);
    const std::wstring_view after = rest.substr(update_digits);
    if (!std::ranges::all_of(digits, is_hex_digit) || !(after.empty() || is_blank(after[0]))) {
        return std::nullopt;
    }
    return std::wstring(digits);
}

} // namespace

std::optional<register_request> parse_register_request(std::wstring_view command_line) {
    const std::wstring_view arguments = arguments_of(command_line);
    const std::size_t at = arguments.find(register_switches);
    if (at == std::wstring_view::npos) {
        return std::nullopt;
    }
    return register_request{std::wstring(arguments),
                            update_of(arguments.substr(at + register_switches.size()))};
}

} // namespace qv::kardelo
