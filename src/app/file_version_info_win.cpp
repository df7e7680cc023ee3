#include "app/file_version_info.hpp"

#include "app/language.hpp"
#include "payload/resource.hpp"

#include <windows.h>

#include <cstring>
#include <cwchar>

namespace qv {
namespace {

// Its length is in bytes, or in characters for a string.
const void* query(const void* block, const std::wstring& path, UINT& length) {
    void* found = nullptr;
    length = 0;
    return VerQueryValueW(block, path.c_str(), &found, &length) ? found : nullptr;
}

} // namespace

FileVersionInfo::FileVersionInfo(std::vector<std::byte> buffer, const void* resource)
    : buffer_(std::move(buffer)), resource_(resource) {
    const void* data = block();
    if (!data) {
        return;
    }
    UINT length = 0;
    // The signature is not examined; a short root is no fixed information.
    if (const void* root = query(data, L"\\", length); root && length >= sizeof(VS_FIXEDFILEINFO)) {
        VS_FIXEDFILEINFO fixed;
        std::memcpy(&fixed, root, sizeof fixed);
        file_version_ = (std::uint64_t{fixed.dwFileVersionMS} << 32) | fixed.dwFileVersionLS;
        file_flags_ = fixed.dwFileFlags & fixed.dwFileFlagsMask;
    }
    if (const void* translation = query(data, L"\\VarFileInfo\\Translation", length)) {
        translations_ =
            unicode_translation_keys({static_cast<const std::byte*>(translation), length});
    }
}

FileVersionInfo FileVersionInfo::from_file(const std::wstring& path) {
    DWORD unused = 0;
    std::vector<std::byte> buffer(GetFileVersionInfoSizeW(path.c_str(), &unused));
    if (!buffer.empty() &&
        !GetFileVersionInfoW(path.c_str(), 0, static_cast<DWORD>(buffer.size()), buffer.data())) {
        buffer.clear();
    }
    return FileVersionInfo(std::move(buffer), nullptr);
}

const FileVersionInfo& FileVersionInfo::of_program() {
    // RT_VERSION is a pointer-typed macro; find_resource takes the number.
    static const FileVersionInfo program({}, find_resource(VS_VERSION_INFO, 16, true).first);
    return program;
}

const void* FileVersionInfo::block() const {
    if (resource_) {
        return resource_;
    }
    return buffer_.empty() ? nullptr : buffer_.data();
}

std::uint64_t FileVersionInfo::file_version() const {
    return file_version_;
}

std::wstring FileVersionInfo::string_value(const std::wstring& name) const {
    if (translations_.empty()) {
        return {};
    }
    UINT length = 0;
    const auto* value = static_cast<const wchar_t*>(
        query(block(), L"\\StringFileInfo\\" + translations_.front() + L"\\" + name, length));
    return value ? std::wstring(value, wcsnlen(value, length)) : std::wstring();
}

// The SpecialBuild of the first file examined decides for the whole process
// whether German names read "Kardenau". The setup program examines its own
// resource first, which has none.
std::wstring FileVersionInfo::localized_product_name() const {
    static const std::wstring first_special_build = string_value(L"SpecialBuild");
    return localize_product_name(string_value(L"ProductName"), first_special_build,
                                 language_settings().index);
}

std::wstring FileVersionInfo::product_version() const {
    return string_value(L"ProductVersion");
}

std::wstring FileVersionInfo::legal_copyright() const {
    return string_value(L"LegalCopyright");
}

std::wstring FileVersionInfo::version_text() const {
    return compose_version_text(localized_product_name(), product_version(), file_flags_,
                                language_settings().lcid);
}

} // namespace qv
