#pragma once
// Takes a previous installation's log into the record.
#include "record/log_files.hpp"
#include "record/uninstall_log.hpp"

#include <cstdint>

namespace qv {

// Fills the label, the header folders that exist and the previous entries,
// up to the first line it cannot accept. Text without a byte order mark is
// in `code_page`; `files` converts it and tells which folders exist.
void read_log(LogInput& input, std::uint32_t code_page, const LogFiles& files, UninstallLog& log);

} // namespace qv
