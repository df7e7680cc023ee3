#include "command_line.hpp"
#include "counted_instance.hpp"
#include "main_window.hpp"
#include "register_record.hpp"
#include "version_string.hpp"

#include <windows.h>

namespace {

// What the setup program expects back from a registration run.
constexpr int registered_exit_code = -10;

} // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int show) {
    using namespace qv::kardelo;
    if (const auto request = parse_register_request(GetCommandLineW())) {
        return write_register_record(*request) ? registered_exit_code : 1;
    }
    const counted_instance counted(own_version_string(L"ApplicationId").value_or(L"Kardelo5"));
    return run_main_window(instance, show);
}
