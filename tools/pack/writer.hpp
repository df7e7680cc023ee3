#pragma once
// Writes a payload archive: header, table and bodies, one bzip2 stream.
#include "manifest.hpp"

#include <ostream>

namespace qv::pack {

// Reads every file once for its size and CRC-32, then streams the table and
// the bodies through the compressor. The same files give the same bytes.
// A file that changes in between throws std::runtime_error.
void pack_archive(std::vector<ManifestItem>& items, std::ostream& out, int block_size = 9);

} // namespace qv::pack
