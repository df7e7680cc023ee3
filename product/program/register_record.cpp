#include "register_record.hpp"

#include "module_path.hpp"
#include "sys/win32_handles.hpp"

namespace qv::kardelo {

namespace {

std::string to_utf8(const std::wstring& text) {
    if (text.empty()) {
        return {};
    }
    const int wide_length = static_cast<int>(text.size());
    const int length =
        WideCharToMultiByte(CP_UTF8, 0, text.data(), wide_length, nullptr, 0, nullptr, nullptr);
    std::string utf8(static_cast<std::size_t>(length), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), wide_length, utf8.data(), length, nullptr,
                        nullptr);
    return utf8;
}

} // namespace

bool write_register_record(const register_request& request) {
    const std::wstring folder = folder_of(own_module_path());
    if (folder.empty()) {
        return false;
    }
    const std::wstring path = folder + L"\\Kardelo.register.txt";
    const std::string text = to_utf8(L"arguments=" + request.arguments + L"\r\nupdate=" +
                                     request.update.value_or(L"none") + L"\r\n");

    const HANDLE created = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                       FILE_ATTRIBUTE_NORMAL, nullptr);
    if (created == INVALID_HANDLE_VALUE) {
        return false;
    }
    const unique_handle file(created);
    DWORD written = 0;
    return WriteFile(file.get(), text.data(), static_cast<DWORD>(text.size()), &written, nullptr) &&
           written == text.size();
}

} // namespace qv::kardelo
