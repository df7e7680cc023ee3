#pragma once
// Registry access in the 32-bit view the shipped program sees; "not found"
// is an answer, every other failure a std::system_error with its code.
#include "sys/win32_handles.hpp"

#include <cstdint>
#include <optional>
#include <string>
#include <system_error>

namespace qv {

// The key, or nothing when it does not exist.
std::optional<unique_hkey> open_key(HKEY root, const std::wstring& path,
                                    REGSAM access = MAXIMUM_ALLOWED);
// The string value by the registry string rules, or nothing when missing.
std::optional<std::wstring> read_string_value(HKEY key, const wchar_t* name);
// A 32-bit number read into a 4-byte buffer, or nothing when unreadable.
std::optional<std::uint32_t> read_dword_value(HKEY key, const wchar_t* name);

struct CreatedKey {
    unique_hkey key;
    bool existed = false; // opened, not created
};
// Creates or opens the key (no class, non-volatile); nothing on failure.
std::optional<CreatedKey> create_key(HKEY root, const std::wstring& path, REGSAM access);
// REG_SZ stored with its terminating NUL.
bool set_string_value(HKEY key, const wchar_t* name, const std::wstring& value);
bool set_dword_value(HKEY key, const wchar_t* name, std::uint32_t value);

[[noreturn]] void throw_win32_error(DWORD error, const char* what);

} // namespace qv
