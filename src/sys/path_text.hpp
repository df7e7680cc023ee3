#pragma once
// Windows path text handled as text, the same on every host: components
// split at "\" and "/", joined with one backslash.
#include <string>
#include <string_view>
#include <vector>

namespace qv {

std::vector<std::wstring> split_path(std::wstring_view path);
// Appends `component` with exactly one backslash in between.
std::wstring path_append(std::wstring base, std::wstring_view component);
// A root name (drive or UNC server) and a root directory: "D:\x", "\\s\x".
bool is_absolute_path(std::wstring_view path);

// Same text; else the same existing object; else the same after making both
// absolute against the current folder and resolving "." and "..", compared
// component by component without regard to case.
bool same_path(const std::wstring& a, const std::wstring& b);

} // namespace qv
