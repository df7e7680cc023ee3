#pragma once
// Putting aside what an installation replaces, so that a failed one can put
// it back.
#include "record/uninstall_log.hpp"

#include <cstdint>
#include <string>

namespace qv {

inline UninstallLogEntry new_entry(UninstallEntryKind kind, std::wstring path = {},
                                   bool succeeded = false, std::int32_t payload_kind = -1) {
    UninstallLogEntry entry;
    entry.kind = kind;
    entry.path = std::move(path);
    entry.succeeded = succeeded;
    entry.payload_kind = payload_kind;
    return entry;
}

// A fresh name "qv....tmp" in the user's temporary folder; with a path,
// the file moved (or copied) there with its attributes. Empty on failure.
std::wstring backup_file(const std::wstring* path, bool copy);

} // namespace qv
