#include "record/log_merge.hpp"

#include "sys/path_text.hpp"

#include <algorithm>

namespace qv {
namespace {

bool supersedes(const UninstallLogEntry& newer, const UninstallLogEntry& older) {
    if (newer.kind != older.kind) {
        return false;
    }
    const bool has_own_path =
        older.kind == UninstallEntryKind::folder || older.kind == UninstallEntryKind::file;
    return !has_own_path || same_path(older.path, newer.path);
}

} // namespace

void merge_previous_entries(std::list<UninstallLogEntry>& previous,
                            std::list<UninstallLogEntry>& entries) {
    while (!previous.empty()) {
        const auto older = std::prev(previous.end());
        const bool superseded =
            std::any_of(entries.begin(), entries.end(),
                        [&](const UninstallLogEntry& newer) { return supersedes(newer, *older); });
        if (superseded) {
            previous.erase(older);
        } else {
            entries.splice(entries.begin(), previous, older);
        }
    }
}

} // namespace qv
