#pragma once
// The checks and initialisations that run before the application object
// exists, on the real platform.
#include "app/startup.hpp"
#include "sys/instance_counter_win.hpp"

#include <string>

namespace qv {

// The user's documents folder, looked up once at start-up.
const std::wstring& documents_folder();
// The count of running processes with this application identifier; valid
// once the static checks passed.
InstanceCounter& instance_counter();

// Runs the checks; 0 to go on, else the exit code.
int run_static_checks(bool& processor_checked);

} // namespace qv
