#include "record/journal.hpp"

#include "app/product.hpp"
#include "record/key_backup_win.hpp"
#include "record/uninstall_log.hpp"
#include "sys/path_text.hpp"
#include "sys/program_path.hpp"
#include "sys/win32_handles.hpp"

#include <shlobj.h>
#include <shlwapi.h>

namespace qv {
namespace {

constexpr std::size_t max_temp_folder = 246;

DWORD attributes_of(const std::wstring& path) {
    return GetFileAttributesW(path.c_str());
}

void set_attributes(const std::wstring& path, DWORD attributes) {
    if (attributes != INVALID_FILE_ATTRIBUTES) {
        SetFileAttributesW(path.c_str(), attributes);
    }
}

void delete_file(const std::wstring& path) {
    SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    DeleteFileW(path.c_str());
}

// The previous installation's entry of this kind: the shortcut that a new
// one put aside, whatever its name.
const UninstallLogEntry* previous_of_kind(const std::list<UninstallLogEntry>& previous,
                                          UninstallEntryKind kind) {
    for (const auto& entry : previous) {
        if (entry.kind == kind) {
            return &entry;
        }
    }
    return nullptr;
}

// The backup goes back where it was taken from: for a file its own path,
// for a shortcut the previous installation's, which may have another name.
void undo_file(const UninstallLogEntry& entry, const std::list<UninstallLogEntry>& previous) {
    if (!entry.path.empty()) {
        delete_file(entry.path);
    }
    if (entry.backup_path.empty()) {
        return;
    }
    const auto* origin =
        entry.kind == UninstallEntryKind::file ? nullptr : previous_of_kind(previous, entry.kind);
    const std::wstring& target = origin ? origin->path : entry.path;
    const DWORD attributes = attributes_of(entry.backup_path);
    SetFileAttributesW(entry.backup_path.c_str(), FILE_ATTRIBUTE_NORMAL);
    if (MoveFileExW(entry.backup_path.c_str(), target.c_str(), MOVEFILE_COPY_ALLOWED)) {
        set_attributes(target, attributes);
    }
}

void undo_uninstall_key(const UninstallLogEntry& entry) {
    HKEY uninstall = nullptr;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE,
                      L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall", 0,
                      KEY_ALL_ACCESS | KEY_WOW64_32KEY, &uninstall) != ERROR_SUCCESS) {
        return;
    }
    const unique_hkey uninstall_owner(uninstall);
    const std::wstring name = product_registry_name(product_code);
    if (entry.backup_path.empty()) {
        SHDeleteKeyW(uninstall, name.c_str());
        return;
    }
    HKEY product = nullptr;
    if (RegOpenKeyExW(uninstall, name.c_str(), 0, KEY_ALL_ACCESS | KEY_WOW64_32KEY, &product) ==
        ERROR_SUCCESS) {
        const unique_hkey product_owner(product);
        restore_key(product, entry.backup_path);
    }
    delete_file(entry.backup_path);
}

} // namespace

std::wstring backup_file(const std::wstring* path, bool copy) {
    wchar_t folder[MAX_PATH] = {};
    const DWORD length = GetTempPathW(MAX_PATH, folder);
    if (length == 0 || length > max_temp_folder) {
        return {};
    }
    wchar_t name[MAX_PATH] = {};
    if (!GetTempFileNameW(folder, L"qv", 0, name)) {
        return {};
    }
    DeleteFileW(name);
    if (!path) {
        return name;
    }
    const DWORD attributes = attributes_of(*path);
    SetFileAttributesW(path->c_str(), FILE_ATTRIBUTE_NORMAL);
    if (copy ? CopyFileW(path->c_str(), name, FALSE)
             : MoveFileExW(path->c_str(), name, MOVEFILE_COPY_ALLOWED)) {
        if (copy) {
            set_attributes(*path, attributes);
        }
        set_attributes(name, attributes);
        return name;
    }
    set_attributes(*path, attributes);
    return {};
}

void UninstallLog::create_folders(const std::wstring& path) {
    const std::wstring held = path.substr(0, MAX_PATH - 1);
    constexpr const wchar_t* separators = L"\\/";
    // The first component (the drive) is never created.
    std::size_t end = held.find_first_of(separators, held.find_first_not_of(separators));
    while (end != std::wstring::npos) {
        const std::size_t start = held.find_first_not_of(separators, end);
        if (start == std::wstring::npos) {
            return;
        }
        end = held.find_first_of(separators, start);
        const std::wstring folder = held.substr(0, end);
        if (attributes_of(folder) != INVALID_FILE_ATTRIBUTES) {
            continue;
        }
        if (!CreateDirectoryW(folder.c_str(), nullptr)) {
            return;
        }
        SHChangeNotify(SHCNE_MKDIR, SHCNF_PATHW, folder.c_str(), nullptr);
        entries.push_back(new_entry(UninstallEntryKind::folder, folder, true));
    }
}

void UninstallLog::record_file(const std::wstring& path, std::int32_t payload_kind, bool copy) {
    entry_open = true;
    // The folder part, as a MAX_PATH buffer would hold the path.
    create_folders(folder_of(std::wstring_view(path).substr(0, MAX_PATH - 1)));
    entries.push_back(new_entry(UninstallEntryKind::file, path, false, payload_kind));
    if (attributes_of(path) != INVALID_FILE_ATTRIBUTES) {
        entries.back().backup_path = backup_file(&path, copy);
    }
}

void UninstallLog::record_shortcut(int slot, const std::wstring& folder) {
    entry_open = true;
    create_folders(folder);
    const auto kind = slot == 0   ? UninstallEntryKind::program_shortcut
                      : slot == 1 ? UninstallEntryKind::uninstall_shortcut
                                  : UninstallEntryKind::desktop_shortcut;
    entries.push_back(new_entry(kind));
    const auto* previous = previous_of_kind(previous_entries, kind);
    if (previous && attributes_of(previous->path) != INVALID_FILE_ATTRIBUTES) {
        entries.back().backup_path = backup_file(&previous->path, false);
    }
}

void UninstallLog::record_uninstall_key(HKEY__* existing_key) {
    entry_open = true;
    entries.push_back(new_entry(UninstallEntryKind::uninstall_key));
    if (!existing_key) {
        return;
    }
    auto& backup = entries.back().backup_path;
    backup = backup_file(nullptr, false);
    if (!backup.empty() && !save_key(existing_key, backup)) {
        delete_file(backup);
        backup.clear();
    }
}

void UninstallLog::rollback() {
    while (!entries.empty()) {
        const auto& entry = entries.back();
        switch (entry.kind) {
        case UninstallEntryKind::folder:
            RemoveDirectoryW(entry.path.c_str());
            break;
        case UninstallEntryKind::file:
        case UninstallEntryKind::program_shortcut:
        case UninstallEntryKind::uninstall_shortcut:
        case UninstallEntryKind::desktop_shortcut:
            undo_file(entry, previous_entries);
            break;
        case UninstallEntryKind::uninstall_key:
            undo_uninstall_key(entry);
            break;
        case UninstallEntryKind::registration:
            break;
        }
        entries.pop_back();
    }
}

} // namespace qv
