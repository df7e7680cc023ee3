// Feeds arbitrary files to the uninstall log's reader. The first byte picks
// the ANSI code page (1252 or UTF-8), the rest is the file. What is read must
// be well formed, and writing it out again must read back the same.
#include "../record/memory_log_input.hpp"
#include "record/log_format.hpp"
#include "record/log_line_reader.hpp"
#include "record/log_reader.hpp"

#include <algorithm>
#include <cstdint>

namespace {

using namespace qv;

UninstallLog read(std::string bytes, std::uint32_t code_page) {
    test::MemoryLogInput input(std::move(bytes));
    UninstallLog log;
    read_log(input, code_page, system_log_files(), log);
    return log;
}

bool well_formed(const UninstallLogEntry& entry) {
    const auto kind = static_cast<int>(entry.kind);
    const bool no_path = entry.kind == UninstallEntryKind::uninstall_key ||
                         entry.kind == UninstallEntryKind::registration;
    return kind >= 0 && kind <= 6 && entry.payload_kind >= -1 && entry.payload_kind < 0xFF &&
           (!no_path || entry.path.empty()) && entry.path.size() <= LogLineReader::max_line_bytes &&
           entry.backup_path.empty();
}

bool same(const UninstallLogEntry& a, const UninstallLogEntry& b) {
    return a.kind == b.kind && a.path == b.path && a.succeeded == b.succeeded &&
           a.payload_kind == b.payload_kind;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) {
        return 0;
    }
    const std::uint32_t code_page = data[0] & 1 ? 65001 : 1252;
    const auto log =
        read(std::string(reinterpret_cast<const char*>(data + 1), size - 1), code_page);
    if (!std::all_of(log.previous_entries.begin(), log.previous_entries.end(), well_formed)) {
        __builtin_trap();
    }
    const auto lines = log_lines({log.previous_label, L"", L"", L""}, log.previous_entries);
    if (std::any_of(lines.begin(), lines.end(), [](const std::wstring& line) {
            return line.size() * 2 > LogLineReader::max_line_bytes;
        })) {
        return 0;
    }
    std::string bytes(byte_order_mark);
    for (const auto& line : lines) {
        bytes += utf16le_bytes(line);
    }
    const auto again = read(std::move(bytes), code_page);
    if (again.previous_label != log.previous_label ||
        !std::equal(again.previous_entries.begin(), again.previous_entries.end(),
                    log.previous_entries.begin(), log.previous_entries.end(), same)) {
        __builtin_trap();
    }
    return 0;
}
