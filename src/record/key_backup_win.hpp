#pragma once
// A registry key saved to a file and put back from it, each under the
// privilege it needs.
#include <windows.h>

#include <string>

namespace qv {

// The key and everything below it into `file`, which must not exist.
bool save_key(HKEY key, const std::wstring& file);
// The key's values and sub-keys replaced by what `file` holds.
bool restore_key(HKEY key, const std::wstring& file);

} // namespace qv
