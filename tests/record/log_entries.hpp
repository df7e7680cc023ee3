#pragma once
// Entries made and shown compactly: "kind payload outcome path".
#include "record/journal.hpp"

#include <vector>

namespace qv::test {

// Made as the journal makes them, but successful unless told otherwise.
inline UninstallLogEntry entry(UninstallEntryKind kind, std::wstring path, bool succeeded = true,
                               std::int32_t payload_kind = -1) {
    return new_entry(kind, std::move(path), succeeded, payload_kind);
}

inline UninstallLogEntry file(std::wstring path, std::int32_t payload_kind, bool succeeded = true) {
    return entry(UninstallEntryKind::file, std::move(path), succeeded, payload_kind);
}

inline std::vector<std::wstring> described(const std::list<UninstallLogEntry>& entries) {
    std::vector<std::wstring> lines;
    for (const auto& e : entries) {
        lines.push_back(std::to_wstring(static_cast<int>(e.kind)) + L" " +
                        std::to_wstring(e.payload_kind) + L" " + (e.succeeded ? L"1 " : L"0 ") +
                        e.path);
    }
    return lines;
}

} // namespace qv::test
