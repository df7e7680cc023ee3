#pragma once
// The files of a made-up product of a given body size: a few hundred of
// mixed kinds below <InstallPath>, the large main program last.
#include "content.hpp"

#include "payload/payload_format.hpp"

#include <cstdint>
#include <string>
#include <vector>

namespace qv::bench {

struct ProductFile {
    std::wstring source_path;
    std::wstring destination;
    PayloadKind kind;
    ContentKind content;
    std::uint64_t size;
    std::uint64_t seed;
};

// The sizes add up to exactly `body_bytes`; the same arguments give the
// same files.
std::vector<ProductFile> product_files(std::uint64_t body_bytes, std::uint64_t seed);

} // namespace qv::bench
