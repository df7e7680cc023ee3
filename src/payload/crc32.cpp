#include "payload/crc32.hpp"

#include <array>

namespace qv {
namespace {

// Eight tables, so that the loop takes eight bytes per step: the engine
// checks every installed byte.
using CrcTables = std::array<std::array<std::uint32_t, 256>, 8>;

constexpr CrcTables make_tables() {
    CrcTables t{};
    for (std::uint32_t n = 0; n < 256; ++n) {
        std::uint32_t c = n;
        for (int k = 0; k < 8; ++k) {
            c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
        }
        t[0][n] = c;
    }
    for (std::uint32_t n = 0; n < 256; ++n) {
        for (std::size_t k = 1; k < 8; ++k) {
            t[k][n] = (t[k - 1][n] >> 8) ^ t[0][t[k - 1][n] & 0xFF];
        }
    }
    return t;
}

constexpr CrcTables tables = make_tables();

std::uint32_t load_le32(const unsigned char* p) noexcept {
    return std::uint32_t{p[0]} | std::uint32_t{p[1]} << 8 | std::uint32_t{p[2]} << 16 |
           std::uint32_t{p[3]} << 24;
}

} // namespace

std::uint32_t crc32_update(std::uint32_t crc, const void* data, std::size_t size) noexcept {
    auto p = static_cast<const unsigned char*>(data);
    std::uint32_t c = ~crc;
    for (; size >= 8; size -= 8, p += 8) {
        const std::uint32_t low = c ^ load_le32(p);
        const std::uint32_t high = load_le32(p + 4);
        c = tables[7][low & 0xFF] ^ tables[6][(low >> 8) & 0xFF] ^ tables[5][(low >> 16) & 0xFF] ^
            tables[4][low >> 24] ^ tables[3][high & 0xFF] ^ tables[2][(high >> 8) & 0xFF] ^
            tables[1][(high >> 16) & 0xFF] ^ tables[0][high >> 24];
    }
    for (; size != 0; --size, ++p) {
        c = tables[0][(c ^ *p) & 0xFF] ^ (c >> 8);
    }
    return ~c;
}

} // namespace qv
