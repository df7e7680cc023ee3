#pragma once
// The decompressed payload: header (data_offset u64, entry_count u32), the
// table of entries, then the bodies in table order. Little-endian, unaligned,
// strings UTF-16LE without terminator, lengths in code units.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace qv {

enum class PayloadKind : std::uint32_t {
    language_module = 0,
    program = 1,
    uninstaller = 2,
    shared_data = 3,
    sample = 4,
    temporary = 5,
};

struct PayloadEntry {
    std::wstring source_path;
    std::wstring destination;
    std::uint32_t kind = 0;
    std::uint64_t size = 0;
    std::uint32_t crc32 = 0;
};

inline constexpr std::size_t payload_header_size = 8 + 4;
// An entry with two empty strings: both lengths, kind, size, crc32.
inline constexpr std::size_t payload_min_entry_size = 4 + 4 + 4 + 8 + 4;
static_assert(payload_min_entry_size == 24);
// The gathered header and table are counted in 32 bits.
inline constexpr std::uint64_t payload_max_data_offset = 0xFFFFFFFFu;

struct PayloadTable {
    std::uint64_t data_offset = 0;
    std::vector<PayloadEntry> entries;
};

// Reads header and table from exactly `data_offset` gathered bytes; every
// length is bounded by what is there. A malformed table throws the engine's
// unexpected_error with the byte position in its text.
PayloadTable parse_payload_table(const std::uint8_t* data, std::size_t size);

// The stored bytes of a table, as the packaging step writes them.
std::vector<std::uint8_t> serialize_payload_table(const std::vector<PayloadEntry>& entries);

// The installed file's name: the last component of the source path.
std::wstring payload_file_name(const std::wstring& source_path);

} // namespace qv
