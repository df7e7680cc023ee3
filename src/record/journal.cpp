#include "record/journal.hpp"

namespace qv {

void UninstallLog::record_registration() {
    entry_open = true;
    entries.push_back(new_entry(UninstallEntryKind::registration));
}

void UninstallLog::complete(bool succeeded, const std::wstring* path) {
    if (!entry_open) {
        return;
    }
    entry_open = false;
    entries.back().succeeded = succeeded;
    if (path) {
        entries.back().path = *path;
    }
}

} // namespace qv
