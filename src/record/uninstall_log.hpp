#pragma once
// The installation journal and its file form, the uninstall log: what a
// previous installation left (read at start-up) and what this run records.
#include "record/log_files.hpp"

#include <cstdint>
#include <list>
#include <string>

struct HKEY__;

namespace qv {

enum class UninstallEntryKind : std::int32_t {
    folder = 0,
    file = 1,
    program_shortcut = 2,
    uninstall_shortcut = 3,
    desktop_shortcut = 4,
    uninstall_key = 5,
    registration = 6,
};

struct UninstallLogEntry {
    UninstallEntryKind kind = UninstallEntryKind::folder;
    // Empty for the uninstall key, the registration and a failed shortcut.
    std::wstring path;
    // What the entry replaced, until the log is written; never in the file.
    std::wstring backup_path;
    bool succeeded = false;
    // The file's PayloadKind; -1 for the other kinds.
    std::int32_t payload_kind = -1;
};

struct UninstallLog {
    std::wstring previous_install_folder;
    std::wstring previous_start_menu_folder;
    std::list<UninstallLogEntry> previous_entries; // in file order
    std::list<UninstallLogEntry> entries;          // oldest first
    bool entry_open = false;
    std::wstring previous_label;

    // Clears the previous folders, then takes in what a previous log holds,
    // up to the first line it cannot accept. Without a path it only clears.
    void read(const std::wstring* path, LogFiles& files = system_log_files());
    // Merges the previous entries in, writes the log and deletes every
    // backup, the latter even when the log cannot be written. True when the
    // log was created and every write succeeded.
    bool write(const std::wstring& log_path, const std::wstring& install_folder,
               const std::wstring& start_menu_folder, LogFiles& files = system_log_files());
    // A successful previous file entry with exactly this path.
    bool has_installed_file(const std::wstring& path) const;

    // Recording what the installation changes, each entry open until
    // `complete` gives its outcome; what it replaces is put aside first.
    // Windows only, except complete and record_registration.
    void create_folders(const std::wstring& path);
    void record_file(const std::wstring& path, std::int32_t payload_kind, bool copy);
    // Slot 0: program shortcut, 1: uninstall shortcut, else desktop.
    void record_shortcut(int slot, const std::wstring& folder);
    // The uninstall key, open when it existed before (it is saved), else null.
    void record_uninstall_key(HKEY__* existing_key);
    void record_registration();
    void complete(bool succeeded, const std::wstring* path = nullptr);
    // Undoes every entry, newest first, and empties `entries`.
    void rollback();
};

} // namespace qv
