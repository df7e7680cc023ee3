#include "version_info.hpp"

#include <cwchar>
#include <iterator>
#include <stdexcept>

namespace qv::test {

version_info::version_info(const std::wstring& file) {
    DWORD unused = 0;
    const DWORD size = GetFileVersionInfoSizeW(file.c_str(), &unused);
    block_.resize(size);
    if (size == 0 || !GetFileVersionInfoW(file.c_str(), 0, size, block_.data())) {
        throw std::runtime_error("no version resource");
    }
}

const void* version_info::query(const std::wstring& path, UINT& length) const {
    void* found = nullptr;
    length = 0;
    // VerQueryValueW only reads the block, whatever its signature says.
    return VerQueryValueW(const_cast<std::byte*>(block_.data()), path.c_str(), &found, &length)
               ? found
               : nullptr;
}

const VS_FIXEDFILEINFO& version_info::fixed() const {
    UINT length = 0;
    const void* found = query(L"\\", length);
    if (!found || length < sizeof(VS_FIXEDFILEINFO)) {
        throw std::runtime_error("no fixed file information");
    }
    return *static_cast<const VS_FIXEDFILEINFO*>(found);
}

translation version_info::first_translation() const {
    UINT length = 0;
    const void* found = query(L"\\VarFileInfo\\Translation", length);
    if (!found || length < sizeof(translation)) {
        throw std::runtime_error("no translation");
    }
    return *static_cast<const translation*>(found);
}

std::optional<std::wstring> version_info::string(const std::wstring& name) const {
    const translation first = first_translation();
    wchar_t table[32];
    std::swprintf(table, std::size(table), L"\\StringFileInfo\\%04x%04x\\", first.language,
                  first.code_page);
    UINT length = 0;
    const auto* value = static_cast<const wchar_t*>(query(table + name, length));
    if (!value) {
        return std::nullopt;
    }
    return std::wstring(value, wcsnlen(value, length));
}

} // namespace qv::test
