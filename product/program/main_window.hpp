#pragma once
#include <windows.h>

namespace qv::kardelo {

// Shows the program's window and runs the message loop until it is closed;
// returns the process exit code.
int run_main_window(HINSTANCE instance, int show);

} // namespace qv::kardelo
