// The setup program's entry point: the checks before anything else, then
// the application object, whose start runs the wizard.
#include "app/install_app_win.hpp"
#include "app/static_checks_win.hpp"

#include <windows.h>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    bool processor_checked = false;
    if (const int exit_code = qv::run_static_checks(processor_checked)) {
        return exit_code;
    }
    qv::CInstallApp app;
    app.InitInstance(processor_checked);
    return 0;
}
