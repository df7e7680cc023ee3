#pragma once
// The running program's own file, and the parts of a path text the start-up
// and the message boxes name things after.
#include <string>
#include <string_view>

namespace qv {

// The full path of the running program (Windows).
std::wstring program_path();

// "C:\x\Kardelo Setup.exe" gives "C:\x" and "Kardelo Setup".
std::wstring folder_of(std::wstring_view path);
std::wstring file_stem(std::wstring_view path);

} // namespace qv
