#pragma once
// CRC-32 of the payload bodies: the reflected IEEE 802.3 polynomial, initial
// value and final complement as zlib's crc32 has them, so that a running
// value starts at 0 and chains across chunks.
#include <cstddef>
#include <cstdint>

namespace qv {

std::uint32_t crc32_update(std::uint32_t crc, const void* data, std::size_t size) noexcept;

} // namespace qv
