#include "sys/program_path.hpp"

namespace qv {

std::wstring folder_of(std::wstring_view path) {
    const auto at = path.find_last_of(L"\\/");
    return at == std::wstring_view::npos ? std::wstring() : std::wstring(path.substr(0, at));
}

std::wstring file_stem(std::wstring_view path) {
    const auto slash = path.find_last_of(L"\\/");
    const auto name = slash == std::wstring_view::npos ? path : path.substr(slash + 1);
    const auto dot = name.find_last_of(L'.');
    return std::wstring(dot == std::wstring_view::npos || dot == 0 ? name : name.substr(0, dot));
}

} // namespace qv
