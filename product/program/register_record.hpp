#pragma once
#include "command_line.hpp"

namespace qv::kardelo {

// Writes Kardelo.register.txt beside the program: what the setup program
// asked for, so that its scenarios can check it. False if it could not.
bool write_register_record(const register_request& request);

} // namespace qv::kardelo
