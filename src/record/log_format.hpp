#pragma once
// The uninstall log's text as the writer lays it out and the reader looks
// for it. The file is UTF-16 little-endian with a byte order mark.
#include "record/uninstall_log.hpp"

#include <string>
#include <string_view>
#include <vector>

namespace qv {

inline constexpr std::string_view byte_order_mark = "\xFF\xFE";
inline constexpr std::wstring_view log_signature = L"Uninstall Log File v";
inline constexpr int log_version = 1;
inline constexpr std::wstring_view install_word = L"Install";
// Before an entry's path, and before the label an update replaced.
inline constexpr std::wstring_view separator_word = L"--";
// Each followed by a space and the folder when written; the reader looks
// for them without the space, which the trimming of an empty folder's line
// takes away.
inline constexpr std::wstring_view install_path_label = L"Install Path :";
inline constexpr std::wstring_view shortcut_path_label = L"Shortcut Path :";

struct LogHeader {
    std::wstring product; // name and version in the interface language
    std::wstring previous_label;
    std::wstring install_folder;
    std::wstring start_menu_folder;
};

// The six header lines and one line per entry, each ending in "\r\n".
std::vector<std::wstring> log_lines(const LogHeader& header,
                                    const std::list<UninstallLogEntry>& entries);
std::string utf16le_bytes(std::wstring_view text);

} // namespace qv
