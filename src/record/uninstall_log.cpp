#include "record/uninstall_log.hpp"

#include "app/language.hpp"
#include "app/product.hpp"
#include "record/log_format.hpp"
#include "record/log_merge.hpp"
#include "record/log_reader.hpp"

#include <algorithm>

namespace qv {
namespace {

// One write call per line; a failed write only spoils the result.
bool write_log_file(LogFiles& files, const std::wstring& log_path,
                    const std::vector<std::wstring>& lines) {
    files.set_attributes(log_path, normal_attributes);
    auto out = files.create_new(log_path);
    if (!out) {
        return false;
    }
    bool written = out->write(byte_order_mark);
    for (const auto& line : lines) {
        written = out->write(utf16le_bytes(line)) && written;
    }
    out.reset();
    files.set_attributes(log_path, written_log_attributes);
    return written;
}

} // namespace

void UninstallLog::read(const std::wstring* path, LogFiles& files) {
    previous_install_folder.clear();
    previous_start_menu_folder.clear();
    if (!path) {
        return;
    }
    if (const auto input = files.open_existing(*path)) {
        read_log(*input, language_settings().code_page, files, *this);
    }
}

bool UninstallLog::write(const std::wstring& log_path, const std::wstring& install_folder,
                         const std::wstring& start_menu_folder, LogFiles& files) {
    merge_previous_entries(previous_entries, entries);
    const LogHeader header{product_name(false), previous_label, install_folder, start_menu_folder};
    const bool written = write_log_file(files, log_path, log_lines(header, entries));
    // Committed: what the installation replaced cannot come back any more.
    for (auto& entry : entries) {
        if (!entry.backup_path.empty()) {
            files.set_attributes(entry.backup_path, normal_attributes);
            files.remove(entry.backup_path);
            entry.backup_path.clear();
        }
    }
    return written;
}

bool UninstallLog::has_installed_file(const std::wstring& path) const {
    return std::any_of(
        previous_entries.begin(), previous_entries.end(), [&](const UninstallLogEntry& entry) {
            return entry.kind == UninstallEntryKind::file && entry.succeeded && entry.path == path;
        });
}

} // namespace qv
