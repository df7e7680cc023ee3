#include "payload/compress_error.hpp"
#include "payload/header_reader.hpp"
#include "support/payload_maker.hpp"

#include <gtest/gtest.h>

namespace qv {
namespace {

const std::vector<test::Body> bodies = {
    {{L"D:\\build\\Lang\\Kardelo.de.dll", L"<InstallPath>\\Lang"}, "German"},
    {{L"Empty.qvm", L"<CommonData>\\Quorvane\\Materials", 3}, ""},
    {{L"Kardelo.exe", L"<InstallPath>", 1}, "MZ program"},
};

// Feeds the bytes in chunks of `chunk`; returns where the table ended.
std::size_t feed(PayloadHeaderReader& reader, const std::string& bytes, std::size_t chunk) {
    std::size_t at = 0;
    while (!reader.complete() && at < bytes.size()) {
        const std::size_t n = std::min(chunk, bytes.size() - at);
        const std::size_t taken = reader.take(bytes.data() + at, n);
        EXPECT_LE(taken, n);
        at += taken;
    }
    return at;
}

TEST(PayloadHeaderReader, AnyChunkingReadsTheSameTable) {
    const auto bytes = test::decompressed_payload(bodies);
    const std::size_t data_offset = bytes.size() - 16; // both bodies: 6 + 10 bytes
    for (std::size_t chunk : {std::size_t{1}, std::size_t{7}, std::size_t{4096}}) {
        SCOPED_TRACE(chunk);
        PayloadHeaderReader reader;
        const std::size_t end = feed(reader, bytes, chunk);
        ASSERT_TRUE(reader.complete());
        // Only the table's bytes are taken: the chunk's rest starts a body.
        EXPECT_EQ(end, data_offset);
        EXPECT_EQ(reader.table().data_offset, data_offset);
        ASSERT_EQ(reader.table().entries.size(), 3u);
        EXPECT_EQ(reader.table().entries[0].destination, L"<InstallPath>\\Lang");
        EXPECT_EQ(payload_file_name(reader.table().entries[0].source_path), L"Kardelo.de.dll");
        EXPECT_EQ(reader.table().entries[1].size, 0u);
        EXPECT_EQ(reader.table().entries[1].crc32, 0u);
        EXPECT_EQ(reader.take(bytes.data() + end, bytes.size() - end), 0u);
    }
}

TEST(PayloadHeaderReader, EmptyTableIsWellFormed) {
    PayloadHeaderReader reader;
    const auto bytes = test::decompressed_payload({});
    EXPECT_EQ(feed(reader, bytes, 5), 12u);
    EXPECT_TRUE(reader.complete());
    EXPECT_TRUE(reader.table().entries.empty());
}

TEST(PayloadHeaderReader, MalformedHeadersAreTheEnginesError) {
    const auto good = test::decompressed_payload(bodies);
    const std::size_t data_offset = good.size() - 16;
    auto with_offset = [&good](std::uint64_t offset) {
        auto bytes = good;
        for (int i = 0; i < 8; ++i) {
            bytes[static_cast<std::size_t>(i)] = static_cast<char>(offset >> (8 * i));
        }
        return bytes;
    };
    const std::string cases[] = {
        with_offset(11),               // below the header's own length
        with_offset(0x100000000ull),   // beyond the 32-bit header count
        with_offset(data_offset - 10), // the table runs past data_offset
    };
    for (const auto& bytes : cases) {
        PayloadHeaderReader reader;
        try {
            feed(reader, bytes, 3);
            ADD_FAILURE() << "accepted";
        } catch (const std::system_error& e) {
            EXPECT_EQ(e.code(), compress_errc::unexpected_error);
        }
    }
}

} // namespace
} // namespace qv
