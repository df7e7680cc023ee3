#pragma once
// The compressed payload of the benchmark product, made once per size and
// seed and kept in the scratch folder for later runs.
#include <cstdint>
#include <filesystem>

namespace qv::bench {

// payload-<MiB>m-s<seed>-v<generator>.bz2 in `folder`, made first when
// missing; the generator's number changes whenever its bytes do.
std::filesystem::path cached_payload(const std::filesystem::path& folder, std::uint64_t mib,
                                     std::uint64_t seed);

} // namespace qv::bench
