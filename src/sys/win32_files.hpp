#pragma once
// Opening files with exactly the access and sharing asked for.
#include <windows.h>

#include <string>

namespace qv {

// The handle, or null (not INVALID_HANDLE_VALUE) on failure.
inline HANDLE open_file(const std::wstring& path, DWORD access, DWORD share, DWORD disposition) {
    HANDLE file = CreateFileW(path.c_str(), access, share, nullptr, disposition,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    return file == INVALID_HANDLE_VALUE ? nullptr : file;
}

} // namespace qv
