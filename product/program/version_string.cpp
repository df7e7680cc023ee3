#include "version_string.hpp"

#include "module_path.hpp"

#include <cwchar>
#include <iterator>
#include <vector>
#include <windows.h>

namespace qv::kardelo {

namespace {

struct translation {
    WORD language;
    WORD code_page;
};

} // namespace

std::optional<std::wstring> own_version_string(const wchar_t* name) {
    const std::wstring path = own_module_path();
    DWORD unused = 0;
    const DWORD size = GetFileVersionInfoSizeW(path.c_str(), &unused);
    if (size == 0) {
        return std::nullopt;
    }
    std::vector<std::byte> block(size);
    if (!GetFileVersionInfoW(path.c_str(), 0, size, block.data())) {
        return std::nullopt;
    }

    void* found = nullptr;
    UINT length = 0;
    if (!VerQueryValueW(block.data(), L"\\VarFileInfo\\Translation", &found, &length) ||
        length < sizeof(translation)) {
        return std::nullopt;
    }
    const auto* first = static_cast<const translation*>(found);
    wchar_t key[128];
    std::swprintf(key, std::size(key), L"\\StringFileInfo\\%04x%04x\\%ls", first->language,
                  first->code_page, name);
    if (!VerQueryValueW(block.data(), key, &found, &length) || length == 0) {
        return std::nullopt;
    }
    const auto* value = static_cast<const wchar_t*>(found);
    return std::wstring(value, wcsnlen(value, length));
}

} // namespace qv::kardelo
