#pragma once
// Destination folders of the payload begin with a placeholder such as
// "<InstallPath>" or "<CommonData>", replaced by the folder of this machine.
#include "sys/platform.hpp"

#include <string>
#include <string_view>
#include <vector>

namespace qv {

// A folder below a shared folder whose rights are opened to all users
// before the first file is written into it.
struct RightsDirectory {
    std::wstring path;
    bool granted = false;
};
using RightsDirectories = std::vector<RightsDirectory>;

// Appends `dir` unless an entry names the same folder.
void record_rights_directory(RightsDirectories& list, const std::wstring& dir);

struct DestinationContext {
    std::wstring install_folder;
    std::wstring sample_folder; // relative name, absolute folder, or empty
    std::wstring temp_folder;
    const SpecialFolders* folders = &system_folders();
    RightsDirectories* rights = nullptr; // where shared folders are recorded
};

// The special folder, else the fallback when asked; a std::system_error
// with the engine's unexpected_error when neither exists.
std::wstring system_folder(const SpecialFolders& folders, int csidl, int fallback_csidl,
                           bool use_fallback);

// One of the placeholders, spelt exactly ("<InstallPath>", "<CommonData>" ...).
bool is_placeholder_name(std::wstring_view component);

std::wstring resolve_destination(const std::wstring& destination, DestinationContext& context);

} // namespace qv
