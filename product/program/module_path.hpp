#pragma once
#include <string>

namespace qv::kardelo {

// The full path of Kardelo.exe; empty if Windows cannot tell.
std::wstring own_module_path();

// `path` without its last component and separator.
std::wstring folder_of(const std::wstring& path);

} // namespace qv::kardelo
