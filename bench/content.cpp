#include "content.hpp"

#include <algorithm>
#include <cstring>

namespace qv::bench {
namespace {

constexpr std::uint32_t vocabulary_size = 3000;
constexpr std::uint32_t opcode_count = 64;
constexpr std::uint32_t idiom_count = 48;

std::string make_word(Rng& rng) {
    static constexpr char consonants[] = "bcdfghklmnprstvz";
    static constexpr char vowels[] = "aeiou";
    std::string word;
    const std::uint32_t syllables = 1 + rng.skewed(4);
    for (std::uint32_t i = 0; i < syllables; ++i) {
        word += consonants[rng.below(sizeof consonants - 1)];
        word += vowels[rng.below(sizeof vowels - 1)];
    }
    return word;
}

} // namespace

Content::Content(ContentKind kind, std::uint64_t seed) : kind_(kind), rng_(seed) {
    if (kind_ == ContentKind::random) {
        return;
    }
    words_.reserve(vocabulary_size);
    for (std::uint32_t i = 0; i < vocabulary_size; ++i) {
        words_.push_back(make_word(rng_));
    }
    if (kind_ == ContentKind::binary) {
        for (std::uint32_t i = 0; i < opcode_count; ++i) {
            std::string bytes(1 + rng_.skewed(3), '\0');
            for (auto& b : bytes) {
                b = static_cast<char>(rng_.next());
            }
            const auto operand = rng_.below(static_cast<std::uint32_t>(Operand::count));
            opcodes_.push_back({std::move(bytes), static_cast<Operand>(operand)});
        }
        // Made in token_, which is free until the first fill().
        for (std::uint32_t i = 0; i < idiom_count; ++i) {
            for (std::uint32_t n = 3 + rng_.below(6); n > 0; --n) {
                put_opcode();
            }
            idioms_.push_back(std::move(token_));
            token_.clear();
        }
    }
}

void Content::fill(char* out, std::size_t size) {
    if (kind_ == ContentKind::random) {
        for (; size >= 8; out += 8, size -= 8) {
            const std::uint64_t r = rng_.next();
            std::memcpy(out, &r, 8);
        }
        const std::uint64_t r = rng_.next();
        std::memcpy(out, &r, size);
        return;
    }
    while (size > 0) {
        if (token_pos_ == token_.size()) {
            next_token();
        }
        const std::size_t n = std::min(size, token_.size() - token_pos_);
        std::memcpy(out, token_.data() + token_pos_, n);
        token_pos_ += n;
        out += n;
        size -= n;
    }
}

void Content::next_token() {
    token_.clear();
    token_pos_ = 0;
    if (kind_ == ContentKind::binary) {
        next_instruction();
    } else {
        next_line();
    }
}

void Content::next_instruction() {
    const std::uint32_t roll = rng_.below(4096);
    if (roll == 0) { // a stretch of zero-filled data
        token_.append(64 + rng_.below(448), '\0');
    } else if (roll < 8) { // a symbol name
        token_ += words_[rng_.skewed(vocabulary_size)];
        token_ += '\0';
    } else if (roll < 72) { // alignment padding
        token_.append(1 + rng_.below(15), '\xCC');
    } else if (roll < 600) { // a prologue, a loop, a call sequence
        token_ += idioms_[rng_.skewed(idiom_count)];
    } else {
        put_opcode();
    }
}

void Content::put_opcode() {
    const Opcode& op = opcodes_[rng_.skewed(opcode_count)];
    token_ += op.bytes;
    switch (op.operand) {
    case Operand::register_form: // from a handful of registers
        token_ += static_cast<char>(0xC0 | rng_.skewed(8) << 3 | rng_.below(2));
        break;
    case Operand::immediate8: // mostly small
        token_ += static_cast<char>(rng_.skewed(256));
        break;
    case Operand::offset: // into the stack or a structure
        put_le32(rng_.skewed(512) * 4);
        break;
    case Operand::branch: { // mostly near
        const auto distance = static_cast<std::int32_t>(rng_.skewed(1u << 16));
        put_le32(static_cast<std::uint32_t>(rng_.below(2) ? distance : -distance));
        break;
    }
    case Operand::address: // in the image
        put_le32(0x00400000u + rng_.skewed(1u << 20) * 4);
        break;
    case Operand::none:
    case Operand::count:
        break;
    }
}

void Content::next_line() {
    const std::uint32_t words = 6 + rng_.below(9);
    for (std::uint32_t i = 0; i < words; ++i) {
        token_ += words_[rng_.skewed(vocabulary_size)];
        token_ += i + 1 == words ? ".\n" : rng_.below(12) == 0 ? ", " : " ";
    }
}

void Content::put_le32(std::uint32_t value) {
    for (int i = 0; i < 4; ++i) {
        token_ += static_cast<char>(value >> (8 * i));
    }
}

} // namespace qv::bench
