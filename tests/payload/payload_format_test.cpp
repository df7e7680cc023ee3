#include "payload/compress_error.hpp"
#include "payload/payload_format.hpp"

#include <gtest/gtest.h>

namespace qv {
namespace {

std::vector<PayloadEntry> sample_entries() {
    return {{L"C:\\build\\de\\Kardelo.de.dll", L"<InstallPath>\\Lang", 0, 5, 0x12345678},
            {L"Empty.qvm", L"<CommonData>\\Quorvane\\Materials", 3, 0, 0}};
}

TEST(PayloadTable, RoundTrip) {
    const auto bytes = serialize_payload_table(sample_entries());
    const auto table = parse_payload_table(bytes.data(), bytes.size());
    EXPECT_EQ(table.data_offset, bytes.size());
    ASSERT_EQ(table.entries.size(), 2u);
    EXPECT_EQ(table.entries[0].source_path, L"C:\\build\\de\\Kardelo.de.dll");
    EXPECT_EQ(table.entries[0].destination, L"<InstallPath>\\Lang");
    EXPECT_EQ(table.entries[0].crc32, 0x12345678u);
    EXPECT_EQ(table.entries[1].kind, 3u);
    EXPECT_EQ(payload_file_name(table.entries[0].source_path), L"Kardelo.de.dll");
    EXPECT_EQ(payload_file_name(L"a/b/Kardelo.exe"), L"Kardelo.exe");
    EXPECT_EQ(bytes[0], bytes.size() & 0xFF); // little-endian data_offset

    const auto empty = serialize_payload_table({});
    EXPECT_EQ(empty.size(), 12u);
    EXPECT_TRUE(parse_payload_table(empty.data(), empty.size()).entries.empty());
}

void expect_malformed(std::vector<std::uint8_t> bytes) {
    try {
        parse_payload_table(bytes.data(), bytes.size());
        FAIL() << "accepted";
    } catch (const std::system_error& e) {
        EXPECT_EQ(e.code(), compress_errc::unexpected_error);
        EXPECT_NE(std::string(e.what()).find("byte"), std::string::npos);
    }
}

TEST(PayloadTable, MalformedTablesAreRefused) {
    const auto good = serialize_payload_table(sample_entries());
    auto small_offset = serialize_payload_table({});
    small_offset[0] = 11;
    expect_malformed({small_offset.begin(), small_offset.begin() + 11});

    auto many = good; // entry_count far beyond what the bytes can hold
    many[8] = many[9] = many[10] = many[11] = 0xFF;
    expect_malformed(many);

    auto long_string = good; // first source length past the end
    long_string[12] = 0xFF;
    long_string[13] = 0xFF;
    expect_malformed(long_string);

    // The table runs past data_offset: data_offset cut short by 3 bytes.
    std::vector<std::uint8_t> cut(good.begin(), good.end() - 3);
    cut[0] = static_cast<std::uint8_t>(cut.size());
    expect_malformed(cut);
}

TEST(PayloadTable, BytesAfterTheTableAreIgnored) {
    auto bytes = serialize_payload_table(sample_entries());
    bytes.insert(bytes.end(), {1, 2, 3});
    bytes[0] = static_cast<std::uint8_t>(bytes.size());
    EXPECT_EQ(parse_payload_table(bytes.data(), bytes.size()).entries.size(), 2u);
}

TEST(CompressCategory, NameAndMessages) {
    const auto& c = compress_category();
    EXPECT_STREQ(c.name(), "compress");
    EXPECT_EQ(c.message(3), "invalid checksum");
    EXPECT_EQ(c.message(4), "unknown error");
    EXPECT_EQ(c.message(5), "interrupted");
    EXPECT_EQ(c.message(6), "bzip2 error");
    EXPECT_EQ(c.message(7), "unexpected error");
    EXPECT_EQ(c.message(1), "unknown error");
    EXPECT_EQ(&compress_category(), &c);
}

} // namespace
} // namespace qv
