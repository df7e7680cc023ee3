#pragma once
// Reading back what a test left in the 32-bit view of HKEY_LOCAL_MACHINE.
#include "sys/win32_handles.hpp"

#include <map>
#include <optional>
#include <string>
#include <vector>

namespace qv::test {

inline constexpr wchar_t uninstall_root[] =
    L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall";

struct RegistryValue {
    DWORD type = 0;
    std::vector<BYTE> data;
    bool operator==(const RegistryValue&) const = default;
};

// A key's values and, by name, its sub-keys' values.
struct KeySnapshot {
    std::map<std::wstring, RegistryValue> values;
    std::map<std::wstring, KeySnapshot> keys;
    bool operator==(const KeySnapshot&) const = default;
};

// Nothing when the key does not exist.
std::optional<KeySnapshot> snapshot(const std::wstring& path);
void delete_tree(const std::wstring& path);
void set_value(const std::wstring& path, const wchar_t* name, DWORD type, const void* data,
               DWORD size);

} // namespace qv::test
