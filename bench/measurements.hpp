#pragma once
// One measured run of each contender, made in a process of its own so that
// its memory figure is its own.
#include <cstdint>
#include <filesystem>

namespace qv::bench {

struct Sample {
    double seconds = 0;
    std::uint64_t memory_growth = 0; // bytes of peak resident memory added
};

// bzip2 -dc into one file in `folder`, then that file read back for its
// CRC-32 in 4096-byte blocks, as the engine reads back what it wrote.
Sample baseline_run(const std::filesystem::path& payload, const std::filesystem::path& folder);

// extract_payload() from a file stream into `folder`; throws when it fails.
Sample engine_run(const std::filesystem::path& payload, const std::filesystem::path& folder);

} // namespace qv::bench
