#pragma once
// The start-up sequence of the setup program, in its fixed order, over the
// platform answers it needs: the checks before anything else runs, and the
// application's own start (refusals, language, detection, defaults, wizard).
#include "app/installer_state.hpp"
#include "sys/hresult.hpp"

#include <cstdint>
#include <string>

namespace qv {

// Exit codes of the checks that run before the application object exists.
inline constexpr int exit_unsupported_processor = 1;
inline constexpr int exit_initialization_error = -11;

inline constexpr wchar_t unsupported_processor_text[] =
    L"This Version is not compatible with your Configuration.\n\n"
    L"Cette version n'est pas compatible avec votre configuration.\n\n"
    L"Diese Version ist nicht mit Ihrer Konfiguration kompatibel.";
inline constexpr wchar_t initialization_error_text[] = L"Initialization Error";

class StaticChecks {
public:
    virtual ~StaticChecks() = default;
    virtual bool processor_has_sse2() const = 0;
    // Error mode, process-wide runtime locale, the user's global locale and
    // its character facets; false when the facets cannot be had.
    virtual bool initialize_process() = 0;
    // Documents folder, common controls 6.0, their classes, the application
    // identifier and the instance counter; false on any failure.
    virtual bool initialize_application() = 0;
    virtual void show_unsupported_processor() = 0;
    virtual void show_initialization_error() = 0;
};

// 0 to go on, else the exit code. `processor_checked` is the flag the
// application's start reads.
int run_static_checks(StaticChecks& checks, bool& processor_checked);

// "ApplicationId", else "ProductName", else the program file's stem.
std::wstring choose_application_id(const std::wstring& application_id,
                                   const std::wstring& product_name,
                                   const std::wstring& program_path);

class StartupServices {
public:
    virtual ~StartupServices() = default;
    virtual bool acquire_instance_lock() = 0;
    virtual void show_error_code(hresult code) = 0;
    // The initial language, then the application title in it.
    virtual void initialize_language_and_title() = 0;
    virtual bool is_administrator() = 0;
    // Message `number` (with %1 = `argument`) in a box captioned with the
    // application title; the button pressed.
    virtual int show_message(unsigned number, const std::wstring& argument, unsigned type) = 0;
    // Processes registered under the application identifier, this one
    // included.
    virtual std::int32_t running_count() = 0;
    // False when the detection failed (the failure is shown): the program
    // ends.
    virtual bool detect_previous_installation(InstallerState& state) = 0;
    virtual void complete_default_folders(InstallerState& state) = 0;
    virtual void run_wizard(InstallerState& state) = 0;
};

// Refuses, or runs the wizard; false in every case, so that the program
// ends when it returns.
bool init_instance(InstallerState& state, bool processor_checked, StartupServices& services);

} // namespace qv
