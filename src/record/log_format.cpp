#include "record/log_format.hpp"

#include "app/product.hpp"

namespace qv {
namespace {

constexpr std::wstring_view uninstall_key_root =
    L"HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\";
constexpr std::wstring_view registration_text = L"HKEY_CLASSES_ROOT\\...";

std::wstring header_line(std::wstring_view text) {
    return std::wstring(L"// ").append(text).append(L"\r\n");
}

std::wstring padded(unsigned value, unsigned base) {
    std::wstring digits;
    do {
        digits.insert(digits.begin(), L"0123456789abcdef"[value % base]);
        value /= base;
    } while (value != 0);
    if (digits.size() < 4) {
        digits.insert(0, 4 - digits.size(), L'0');
    }
    return digits;
}

std::wstring path_text(const UninstallLogEntry& entry) {
    switch (entry.kind) {
    case UninstallEntryKind::uninstall_key:
        return std::wstring(uninstall_key_root).append(product_registry_name(product_code));
    case UninstallEntryKind::registration:
        return std::wstring(registration_text);
    default:
        return entry.path;
    }
}

std::wstring entry_line(unsigned position, const UninstallLogEntry& entry) {
    const unsigned code = static_cast<unsigned>(entry.kind) * 256u +
                          (static_cast<unsigned>(entry.payload_kind) & 0xFFu);
    return padded(position, 10) + L":" + padded(code, 16) + L":" + (entry.succeeded ? L"1" : L"0") +
           L" -- " + path_text(entry) + L"\r\n";
}

} // namespace

std::vector<std::wstring> log_lines(const LogHeader& header,
                                    const std::list<UninstallLogEntry>& entries) {
    std::wstring install = std::wstring(install_word) + L" " + header.product;
    if (!header.previous_label.empty()) {
        install += L" -- Update (" + header.previous_label + L")";
    }
    const std::wstring shortcut_path =
        std::wstring(shortcut_path_label) + L" " + header.start_menu_folder;
    std::vector<std::wstring> lines = {
        header_line(std::wstring(log_signature) + std::to_wstring(log_version)),
        header_line(L"############ WARNING: Do not delete or modify this file. ############"),
        header_line(install),
        header_line(std::wstring(install_path_label) + L" " + header.install_folder),
        header_line(shortcut_path),
        header_line(std::wstring(shortcut_path.size(), L'-')),
    };
    unsigned position = 0;
    for (const auto& entry : entries) {
        lines.push_back(entry_line(position++, entry));
    }
    return lines;
}

std::string utf16le_bytes(std::wstring_view text) {
    std::string bytes;
    bytes.reserve(text.size() * 2);
    for (const wchar_t unit : text) {
        const auto value = static_cast<std::uint32_t>(unit);
        bytes.push_back(static_cast<char>(value & 0xFF));
        bytes.push_back(static_cast<char>(value >> 8 & 0xFF));
    }
    return bytes;
}

} // namespace qv
