#include "app/install_app_win.hpp"

#include "app/language.hpp"
#include "app/messages.hpp"
#include "app/previous_installation.hpp"
#include "app/product.hpp"
#include "app/product_registry.hpp"
#include "app/static_checks_win.hpp"
#include "sys/security.hpp"
#include "ui/application_hooks.hpp"
#include "ui/message_box.hpp"
#include "wizard/install_dlg_win.hpp"

#include <system_error>

namespace qv {
namespace {

constexpr int application_icon = 128;
constexpr wchar_t lock_suffix[] = L".{5ead623c-dfcd-474d-8e3c-e6978cac039e}";

} // namespace

CInstallApp::CInstallApp()
    : icon_(LoadIconW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(application_icon))) {
    // A lock that cannot be created cannot be acquired either: start-up
    // then refuses as if another setup program held it.
    try {
        state_.instance_lock.create(L"Global\\" + application_id() + lock_suffix);
    } catch (const std::exception&) {
    }
    auto& hooks = application_hooks();
    hooks.icon = [this] { return icon_; };
}

bool CInstallApp::InitInstance(bool processor_checked) {
    return init_instance(state_, processor_checked, *this);
}

bool CInstallApp::acquire_instance_lock() {
    return state_.instance_lock.try_acquire();
}

void CInstallApp::show_error_code(hresult code) {
    qv::show_error_code(code);
}

void CInstallApp::initialize_language_and_title() {
    initialize_language();
    title_ = installer_title(true);
    application_hooks().caption = [this] { return title_; };
}

bool CInstallApp::is_administrator() {
    return qv::is_administrator();
}

int CInstallApp::show_message(unsigned number, const std::wstring& argument, unsigned type) {
    return message_box(format_message(number, {argument}), type);
}

std::int32_t CInstallApp::running_count() {
    return instance_counter().running_count();
}

// A registry failure other than "not found" is shown like the other
// start-up refusals and ends the program.
bool CInstallApp::detect_previous_installation(InstallerState& state) {
    try {
        qv::detect_previous_installation(state);
        return true;
    } catch (const std::system_error& e) {
        qv::show_error_code(hresult_from_win32(static_cast<std::uint32_t>(e.code().value())));
        return false;
    }
}

void CInstallApp::complete_default_folders(InstallerState& state) {
    qv::complete_default_folders(state, system_folders(), language_settings().index);
}

void CInstallApp::run_wizard(InstallerState&) {
    CInstallDlg frame(icon_);
    frame.DoModal();
}

} // namespace qv
