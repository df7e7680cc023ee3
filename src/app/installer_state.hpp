#pragma once
// The one record shared by the application object, the wizard pages and the
// installation procedure; used on the user-interface thread only.
#include "record/uninstall_log.hpp"
#include "sys/instance_lock.hpp"
#include "sys/path_text.hpp"
#include "sys/platform.hpp"

#include <cstdint>
#include <string>
#include <string_view>

namespace qv {

enum class InstallStatus : std::int32_t {
    none = 0,
    same_version = 1,
    older_version = 2,
    newer_version = -1,
};

struct InstallerState {
    InstallStatus install_status = InstallStatus::none;
    std::wstring previous_version_text;
    std::uint64_t previous_version = 0;
    InstanceLock instance_lock;
    std::wstring install_folder;
    std::wstring start_menu_folder;
    std::wstring temp_folder;
    bool create_start_menu_shortcut = true;
    bool create_desktop_shortcut = true;
    bool advanced_mode = false;
    UninstallLog uninstall_log;
    bool installation_succeeded = false;
};

// The status; the installed version's text too for an update or a refusal.
InstallStatus previous_installation(const InstallerState& state,
                                    std::wstring* version_text = nullptr);

// The per-run temporary folder name (not created): false, with "%08x (%s)"
// naming the error and "GetTempPath", when the temporary path is unusable.
bool make_temp_folder(InstallerState& state, std::wstring& error_text,
                      const TempPathSource& temp = system_temp_path());

// Defaults for the folders a previous installation did not supply.
void complete_default_folders(InstallerState& state, const SpecialFolders& folders, int language);

} // namespace qv
