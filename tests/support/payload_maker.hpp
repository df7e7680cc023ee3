#pragma once
// Payloads made in memory: table and bodies, compressed or not.
#include "payload/payload_format.hpp"

#include <string>
#include <vector>

namespace qv::test {

struct Body {
    PayloadEntry entry; // size and crc32 are filled in from `bytes`
    std::string bytes;
};

// Header, table and bodies, as the packaging step lays them out.
std::string decompressed_payload(std::vector<Body> bodies);
std::string compress(const std::string& bytes);

} // namespace qv::test
