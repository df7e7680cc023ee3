#include "app/installer_state.hpp"

#include "app/product.hpp"

#include <boost/uuid/random_generator.hpp>
#include <boost/uuid/uuid_io.hpp>

#include <cstdio>

namespace qv {
namespace {

constexpr int csidl_program_files = 38;
constexpr int csidl_common_programs = 23;
constexpr int csidl_programs = 2;
constexpr std::uint32_t max_temp_path = 246;

std::wstring product_folder_below(const std::wstring& base, int language) {
    return path_append(path_append(base, maker_folder_name), product_folder_name(language));
}

} // namespace

InstallStatus previous_installation(const InstallerState& state, std::wstring* version_text) {
    if (version_text && (state.install_status == InstallStatus::newer_version ||
                         state.install_status == InstallStatus::older_version)) {
        *version_text = state.previous_version_text;
    }
    return state.install_status;
}

bool make_temp_folder(InstallerState& state, std::wstring& error_text, const TempPathSource& temp) {
    const TempPathResult result = temp.temp_path();
    if (result.length == 0 || result.length > max_temp_path) {
        wchar_t text[64];
        std::swprintf(text, 64, L"%08x (%ls)", static_cast<unsigned>(result.error), L"GetTempPath");
        error_text = text;
        return false;
    }
    const std::string uuid = boost::uuids::to_string(boost::uuids::random_generator()());
    state.temp_folder =
        path_append(result.path, L"quorvane_{" + std::wstring(uuid.begin(), uuid.end()) + L"}");
    return true;
}

void complete_default_folders(InstallerState& state, const SpecialFolders& folders, int language) {
    if (state.install_folder.empty()) {
        state.install_folder =
            product_folder_below(folders.folder(csidl_program_files).value_or(L""), language);
    }
    if (state.start_menu_folder.empty()) {
        auto programs = folders.folder(csidl_common_programs);
        if (!programs) {
            programs = folders.folder(csidl_programs);
        }
        state.start_menu_folder = product_folder_below(programs.value_or(L""), language);
    }
}

} // namespace qv
