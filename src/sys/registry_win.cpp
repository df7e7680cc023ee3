#include "sys/registry.hpp"

#include "sys/registry_string.hpp"

#include <system_error>
#include <vector>

namespace qv {

void throw_win32_error(DWORD error, const char* what) {
    throw std::system_error(static_cast<int>(error), std::system_category(), what);
}

std::optional<unique_hkey> open_key(HKEY root, const std::wstring& path, REGSAM access) {
    HKEY key = nullptr;
    const LSTATUS status = RegOpenKeyExW(root, path.c_str(), 0, access | KEY_WOW64_32KEY, &key);
    if (status == ERROR_FILE_NOT_FOUND || status == ERROR_PATH_NOT_FOUND) {
        return std::nullopt;
    }
    if (status != ERROR_SUCCESS) {
        throw_win32_error(static_cast<DWORD>(status), "RegOpenKeyExW");
    }
    return unique_hkey(key);
}

std::optional<std::wstring> read_string_value(HKEY key, const wchar_t* name) {
    std::vector<std::uint8_t> data(512);
    for (;;) {
        DWORD type = 0;
        DWORD size = static_cast<DWORD>(data.size());
        const LSTATUS status = RegQueryValueExW(key, name, nullptr, &type, data.data(), &size);
        if (status == ERROR_MORE_DATA) {
            data.resize(size);
            continue;
        }
        if (status == ERROR_FILE_NOT_FOUND) {
            return std::nullopt;
        }
        if (status != ERROR_SUCCESS) {
            throw_win32_error(static_cast<DWORD>(status), "RegQueryValueExW");
        }
        return registry_string(type, data.data(), size);
    }
}

std::optional<std::uint32_t> read_dword_value(HKEY key, const wchar_t* name) {
    DWORD value = 0;
    DWORD size = sizeof value;
    if (RegQueryValueExW(key, name, nullptr, nullptr, reinterpret_cast<BYTE*>(&value), &size) !=
        ERROR_SUCCESS) {
        return std::nullopt;
    }
    return value;
}

std::optional<CreatedKey> create_key(HKEY root, const std::wstring& path, REGSAM access) {
    HKEY key = nullptr;
    DWORD disposition = 0;
    if (RegCreateKeyExW(root, path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                        access | KEY_WOW64_32KEY, nullptr, &key, &disposition) != ERROR_SUCCESS) {
        return std::nullopt;
    }
    return CreatedKey{unique_hkey(key), disposition == REG_OPENED_EXISTING_KEY};
}

bool set_string_value(HKEY key, const wchar_t* name, const std::wstring& value) {
    const auto size = static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t));
    return RegSetValueExW(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                          size) == ERROR_SUCCESS;
}

bool set_dword_value(HKEY key, const wchar_t* name, std::uint32_t value) {
    const DWORD data = value;
    return RegSetValueExW(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&data),
                          sizeof data) == ERROR_SUCCESS;
}

} // namespace qv
