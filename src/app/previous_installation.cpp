#include "app/previous_installation.hpp"

#include "app/product.hpp"
#include "sys/path_text.hpp"
#include "sys/program_path.hpp"

namespace qv {
namespace {

std::wstring log_beside(const std::wstring& file) {
    return path_append(folder_of(file), uninstall_log_name);
}

} // namespace

std::wstring locate_uninstall_log(const InstallationEvidence& evidence) {
    if (const auto uninstaller = evidence.uninstall_string()) {
        if (const auto log = log_beside(*uninstaller); evidence.file_exists(log)) {
            return log;
        }
    }
    if (const auto log = path_append(evidence.setup_program_folder(), uninstall_log_name);
        evidence.file_exists(log)) {
        return log;
    }
    if (const auto program = evidence.registered_program(); !program.empty()) {
        if (const auto log = log_beside(program); evidence.file_exists(log)) {
            return log;
        }
    }
    return {};
}

void detect_previous_installation(InstallerState& state, const InstallationEvidence& evidence) {
    auto& log = state.uninstall_log;
    const std::wstring program = evidence.registered_program();
    if (program.empty()) {
        state.install_status = InstallStatus::none;
        evidence.read_log(log, nullptr);
        return;
    }
    // A program without version information counts as this version.
    state.install_status = InstallStatus::same_version;
    if (const auto version = evidence.version_of(program)) {
        if (version->number > full_version) {
            state.install_status = InstallStatus::newer_version;
            state.previous_version_text = version->text;
            evidence.read_log(log, nullptr);
            return;
        }
        if (version->number < full_version) {
            state.install_status = InstallStatus::older_version;
            state.previous_version_text = version->text;
            state.previous_version = version->number;
        }
    }
    if (const auto found = locate_uninstall_log(evidence); !found.empty()) {
        evidence.read_log(log, &found);
        state.install_folder = log.previous_install_folder;
        state.start_menu_folder = log.previous_start_menu_folder;
    }
}

} // namespace qv
