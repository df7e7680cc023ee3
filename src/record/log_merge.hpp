#pragma once
// How a previous installation's entries join this run's before the log is
// written.
#include "record/uninstall_log.hpp"

namespace qv {

// Moves every previous entry that nothing in `entries` supersedes to the
// front of `entries`, in its old order, and destroys the others. A folder or
// file is superseded by one with the same path, any other kind by any entry
// of the kind; previous entries already moved count as well, so the last of
// several alike survives. `previous` ends empty.
void merge_previous_entries(std::list<UninstallLogEntry>& previous,
                            std::list<UninstallLogEntry>& entries);

} // namespace qv
