#include "app/startup.hpp"

#include "app/product.hpp"
#include "sys/program_path.hpp"

namespace qv {
namespace {

constexpr unsigned message_not_administrator = 1126;
constexpr unsigned message_close_product = 1127;
constexpr std::uint32_t error_busy = 170;

// The platform's message-box types and answers.
constexpr unsigned mb_ok_exclamation = 0x30;
constexpr unsigned mb_retry_cancel_exclamation = 0x35;
constexpr int id_retry = 4;

} // namespace

int run_static_checks(StaticChecks& checks, bool& processor_checked) {
    if (!checks.processor_has_sse2()) {
        checks.show_unsupported_processor();
        return exit_unsupported_processor;
    }
    processor_checked = true;
    if (!checks.initialize_process() || !checks.initialize_application()) {
        checks.show_initialization_error();
        return exit_initialization_error;
    }
    return 0;
}

std::wstring choose_application_id(const std::wstring& application_id,
                                   const std::wstring& product_name,
                                   const std::wstring& program_path) {
    if (!application_id.empty()) {
        return application_id;
    }
    if (!product_name.empty()) {
        return product_name;
    }
    return file_stem(program_path);
}

bool init_instance(InstallerState& state, bool processor_checked, StartupServices& services) {
    if (!processor_checked) {
        services.show_error_code(hr::unexpected);
        return false;
    }
    if (!services.acquire_instance_lock()) {
        services.show_error_code(static_cast<hresult>(error_busy));
        return false;
    }
    services.initialize_language_and_title();
    if (!services.is_administrator()) {
        services.show_message(message_not_administrator, {}, mb_ok_exclamation);
        return false;
    }
    while (services.running_count() > 1) {
        if (services.show_message(message_close_product, product_name(true),
                                  mb_retry_cancel_exclamation) != id_retry) {
            return false;
        }
    }
    if (!services.detect_previous_installation(state)) {
        return false;
    }
    services.complete_default_folders(state);
    state.create_start_menu_shortcut = true;
    state.create_desktop_shortcut = true;
    state.advanced_mode = false;
    services.run_wizard(state);
    return false;
}

} // namespace qv
