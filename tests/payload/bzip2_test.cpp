#include "payload/bzip2_decoder.hpp"
#include "payload/compress_error.hpp"
#include "payload/crc32.hpp"
#include "payload/memstream.hpp"
#include "support/payload_maker.hpp"

#include <gtest/gtest.h>

#include <random>

namespace qv {
namespace {

std::string sample_bytes(std::size_t size) {
    std::mt19937 random(7);
    std::string bytes(size, '\0');
    for (std::size_t i = 0; i < size; ++i) {
        // Half text, half noise: both compressible and not.
        bytes[i] = i % 2 ? static_cast<char>('a' + i % 26) : static_cast<char>(random());
    }
    return bytes;
}

std::uint64_t decompress(const std::string& compressed, const ChunkSink& sink) {
    imemstream in(compressed.data(), compressed.size());
    return bzip2_decompress(*in.rdbuf(), sink);
}

void expect_bzip2_error(const std::string& compressed) {
    try {
        decompress(compressed, [](const char*, std::size_t n) { return n; });
        ADD_FAILURE() << "accepted";
    } catch (const std::system_error& e) {
        EXPECT_EQ(e.code(), compress_errc::bzip2_error);
    }
}

TEST(Bzip2, ChunksAreRedeliveredUntilTaken) {
    const auto original = sample_bytes(300 * 1024);
    const auto compressed = test::compress(original);
    std::string out;
    std::size_t calls = 0;
    const auto read = decompress(compressed, [&](const char* data, std::size_t size) {
        EXPECT_LE(size, bzip2_chunk_size);
        // Takes nothing every third call, else up to 1000 bytes.
        const std::size_t n = ++calls % 3 == 0 ? 0 : std::min<std::size_t>(size, 1000);
        out.append(data, n);
        return n;
    });
    EXPECT_EQ(read, compressed.size());
    EXPECT_EQ(out, original);
}

TEST(Bzip2, StreamsOneAfterTheOtherReadAsOne) {
    const std::string compressed = test::compress("first ") + test::compress("second");
    std::string out;
    decompress(compressed, [&out](const char* data, std::size_t size) {
        out.append(data, size);
        return size;
    });
    EXPECT_EQ(out, "first second");
}

TEST(Bzip2, DamagedTruncatedAndEmptyStreamsFail) {
    const auto compressed = test::compress(sample_bytes(20000));
    auto damaged = compressed;
    damaged[damaged.size() / 2] = static_cast<char>(damaged[damaged.size() / 2] ^ 0x55);
    expect_bzip2_error(damaged);
    expect_bzip2_error(compressed.substr(0, compressed.size() - 1));
    expect_bzip2_error("");
    expect_bzip2_error("not bzip2 at all");
}

TEST(Crc32, MatchesTheReferenceValuesAndChains) {
    EXPECT_EQ(crc32_update(0, "", 0), 0u);
    EXPECT_EQ(crc32_update(0, "123456789", 9), 0xCBF43926u);
    const auto bytes = sample_bytes(1000);
    const std::uint32_t whole = crc32_update(0, bytes.data(), bytes.size());
    for (std::size_t split : {1u, 7u, 8u, 999u}) {
        const std::uint32_t first = crc32_update(0, bytes.data(), split);
        EXPECT_EQ(crc32_update(first, bytes.data() + split, bytes.size() - split), whole);
    }
}

} // namespace
} // namespace qv
