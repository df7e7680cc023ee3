#pragma once
// Reads a payload archive the way the setup program does, without writing
// anything: the table, and for a verification every body's length and CRC.
#include "payload/payload_format.hpp"

#include <stdexcept>
#include <streambuf>

namespace qv::pack {

struct ScanReport {
    PayloadTable table;
    std::uint64_t total = 0; // data_offset + all body sizes
};

class ArchiveError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Reads up to the end of the table, or with `verify` to the end of the
// archive. A damaged or malformed archive throws ArchiveError naming the
// first bad entry.
ScanReport scan_archive(std::streambuf& compressed, bool verify);

} // namespace qv::pack
