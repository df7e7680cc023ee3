#pragma once
// The application object: holds the installer's state, takes the single-
// instance lock and runs the start-up sequence with the platform's answers.
#include "app/installer_state.hpp"
#include "app/startup.hpp"

#include <windows.h>

namespace qv {

class CInstallApp final : public StartupServices {
public:
    CInstallApp();

    // Refuses or runs the wizard; always false, the program then ends.
    bool InitInstance(bool processor_checked);

private:
    bool acquire_instance_lock() override;
    void show_error_code(hresult code) override;
    void initialize_language_and_title() override;
    bool is_administrator() override;
    int show_message(unsigned number, const std::wstring& argument, unsigned type) override;
    std::int32_t running_count() override;
    bool detect_previous_installation(InstallerState& state) override;
    void complete_default_folders(InstallerState& state) override;
    void run_wizard(InstallerState& state) override;

    InstallerState state_;
    HICON icon_ = nullptr;
    std::wstring title_;
};

} // namespace qv
