#pragma once
// The bytes of one benchmark file, made again identically from its seed, so
// that the payload is written in two passes (sizes and CRCs, then bodies)
// without holding it in memory.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace qv::bench {

// Machine code with random operands (bzip2 makes it about 2.7 times
// smaller), prose (about 3.3 times), and already compressed media (not at all).
enum class ContentKind { binary, text, random };

// splitmix64: fast, and every seed gives a good sequence.
class Rng {
public:
    explicit Rng(std::uint64_t seed) : state_(seed) {}
    std::uint64_t next() noexcept {
        std::uint64_t z = (state_ += 0x9E3779B97F4A7C15u);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9u;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBu;
        return z ^ (z >> 31);
    }
    std::uint32_t below(std::uint32_t bound) noexcept {
        return static_cast<std::uint32_t>((next() >> 32) * bound >> 32);
    }
    // Below `bound`, small values far more often, as with opcodes and words.
    std::uint32_t skewed(std::uint32_t bound) noexcept {
        const std::uint64_t r = next();
        return static_cast<std::uint32_t>((r & 0xFFFF) * ((r >> 16) & 0xFFFF) * bound >> 32);
    }

private:
    std::uint64_t state_;
};

class Content {
public:
    Content(ContentKind kind, std::uint64_t seed);
    // The next `size` bytes of the endless sequence.
    void fill(char* out, std::size_t size);

private:
    enum class Operand { none, register_form, immediate8, offset, branch, address, count };
    struct Opcode {
        std::string bytes;
        Operand operand;
    };

    void next_token();
    void next_instruction();
    void put_opcode();
    void next_line();
    void put_le32(std::uint32_t value);

    ContentKind kind_;
    Rng rng_;
    std::vector<std::string> words_;
    std::vector<Opcode> opcodes_;
    std::vector<std::string> idioms_; // runs of instructions with fixed operands
    std::string token_;
    std::size_t token_pos_ = 0;
};

} // namespace qv::bench
