#pragma once
// Owners for the Win32 handle kinds; closing keeps GetLastError() intact so
// that a failure can still be reported after the clean-up.
#include "sys/unique_handle.hpp"

#include <windows.h>

namespace qv {

template <typename T, auto Close, T Invalid> struct win32_traits {
    using value_type = T;
    static constexpr T invalid() noexcept { return Invalid; }
    static void close(T value) noexcept {
        const DWORD error = GetLastError();
        Close(value);
        SetLastError(error);
    }
};

using unique_handle = unique_any<win32_traits<HANDLE, CloseHandle, nullptr>>;

struct hkey_traits {
    using value_type = HKEY;
    static HKEY invalid() noexcept { return nullptr; }
    static void close(HKEY key) noexcept {
        const DWORD error = GetLastError();
        RegCloseKey(key);
        SetLastError(error);
    }
};
using unique_hkey = unique_any<hkey_traits>;

} // namespace qv
