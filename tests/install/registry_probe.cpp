#include "registry_probe.hpp"

#include <optional>

namespace qv::test {
namespace {

KeySnapshot read_key(HKEY key) {
    KeySnapshot result;
    for (DWORD i = 0;; ++i) {
        wchar_t name[256];
        DWORD name_size = 256;
        BYTE data[2048];
        DWORD data_size = sizeof data;
        DWORD type = 0;
        if (RegEnumValueW(key, i, name, &name_size, nullptr, &type, data, &data_size) !=
            ERROR_SUCCESS) {
            break;
        }
        result.values[name] = {type, std::vector<BYTE>(data, data + data_size)};
    }
    for (DWORD i = 0;; ++i) {
        wchar_t name[256];
        DWORD name_size = 256;
        if (RegEnumKeyExW(key, i, name, &name_size, nullptr, nullptr, nullptr, nullptr) !=
            ERROR_SUCCESS) {
            break;
        }
        HKEY sub = nullptr;
        if (RegOpenKeyExW(key, name, 0, KEY_READ | KEY_WOW64_32KEY, &sub) == ERROR_SUCCESS) {
            const unique_hkey owner(sub);
            result.keys[name] = read_key(sub);
        }
    }
    return result;
}

} // namespace

std::optional<KeySnapshot> snapshot(const std::wstring& path) {
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, path.c_str(), 0, KEY_READ | KEY_WOW64_32KEY, &key) !=
        ERROR_SUCCESS) {
        return std::nullopt;
    }
    const unique_hkey owner(key);
    return read_key(key);
}

void delete_tree(const std::wstring& path) {
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, path.c_str(), 0, KEY_ALL_ACCESS | KEY_WOW64_32KEY,
                      &key) == ERROR_SUCCESS) {
        RegDeleteTreeW(key, nullptr);
        RegCloseKey(key);
        RegDeleteKeyExW(HKEY_LOCAL_MACHINE, path.c_str(), KEY_WOW64_32KEY, 0);
    }
}

void set_value(const std::wstring& path, const wchar_t* name, DWORD type, const void* data,
               DWORD size) {
    HKEY key = nullptr;
    RegCreateKeyExW(HKEY_LOCAL_MACHINE, path.c_str(), 0, nullptr, 0,
                    KEY_ALL_ACCESS | KEY_WOW64_32KEY, nullptr, &key, nullptr);
    const unique_hkey owner(key);
    RegSetValueExW(key, name, 0, type, static_cast<const BYTE*>(data), size);
}

} // namespace qv::test
