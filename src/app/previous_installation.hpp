#pragma once
// What kind of run this is: a first installation, a reinstallation, an
// update, or a refusal because a newer version is installed. Decided once,
// before the wizard opens, from the registered program and its version.
#include "app/installer_state.hpp"

#include <cstdint>
#include <optional>
#include <string>

namespace qv {

inline constexpr wchar_t uninstall_log_name[] = L"Uninstall.ulog";

// What the detection asks of the machine; Windows answers from the registry
// and the files, tests from a table.
class InstallationEvidence {
public:
    struct Version {
        std::uint64_t number = 0;
        std::wstring text; // as the start page shows it
    };

    virtual ~InstallationEvidence() = default;
    // The installed program when it is registered and exists, else empty.
    virtual std::wstring registered_program() const = 0;
    // Nothing when the program has no readable version information.
    virtual std::optional<Version> version_of(const std::wstring& program) const = 0;
    // "UninstallString" of the product's uninstall entry, when there is one;
    // other registry failures raise std::system_error.
    virtual std::optional<std::wstring> uninstall_string() const = 0;
    virtual std::wstring setup_program_folder() const = 0;
    // Without raising: an inaccessible path counts as missing.
    virtual bool file_exists(const std::wstring& path) const = 0;
    virtual void read_log(UninstallLog& log, const std::wstring* path) const = 0;
};

const InstallationEvidence& system_installation_evidence();

// The first uninstall log found beside the registered uninstaller, beside
// the setup program, beside the registered program; empty when none.
std::wstring locate_uninstall_log(const InstallationEvidence& evidence);

void detect_previous_installation(
    InstallerState& state, const InstallationEvidence& evidence = system_installation_evidence());

} // namespace qv
