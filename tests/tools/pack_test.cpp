#include "manifest.hpp"
#include "scan.hpp"
#include "writer.hpp"

#include "payload/memstream.hpp"
#include "support/payload_maker.hpp"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

namespace qv::pack {
namespace {

namespace fs = std::filesystem;

class PackTest : public ::testing::Test {
protected:
    void SetUp() override {
        root_ = fs::temp_directory_path() /
                ("qvpack-" +
                 std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        fs::remove_all(root_);
        fs::create_directories(root_ / "files");
        write("files/Standard.qvm", std::string(5000, 'm'));
        write("files/Empty.qvm", "");
        write("files/Kardelo.exe", "MZ the program");
    }
    void TearDown() override { fs::remove_all(root_); }

    void write(const std::string& name, const std::string& bytes) {
        std::ofstream(root_ / name, std::ios::binary) << bytes;
    }

    fs::path manifest(const std::string& lines) {
        write("payload.manifest", "# kind, destination, source\n\n" + lines);
        return root_ / "payload.manifest";
    }

    std::string pack(const std::string& lines) {
        auto items = read_manifest(manifest(lines), std::nullopt);
        std::ostringstream out;
        pack_archive(items, out);
        return std::move(out).str();
    }

    static constexpr const char* product_lines =
        "shared_data\t<CommonData>\\Quorvane\\Materials\tfiles/Standard.qvm\n"
        "shared_data\t<CommonData>\\Quorvane\\Materials\tfiles/Empty.qvm\r\n"
        "program\t<InstallPath>\tfiles/Kardelo.exe\n";

    fs::path root_;
};

ScanReport scan(const std::string& archive, bool verify) {
    imemstream in(archive.data(), archive.size());
    return scan_archive(*in.rdbuf(), verify);
}

std::string scan_error(const std::string& archive) {
    try {
        scan(archive, true);
    } catch (const ArchiveError& e) {
        return e.what();
    }
    return "accepted";
}

TEST_F(PackTest, PacksTheManifestInOrderAndVerifies) {
    const auto archive = pack(product_lines);
    EXPECT_EQ(archive.substr(0, 4), "BZh9");
    EXPECT_EQ(pack(product_lines), archive); // deterministic

    const auto report = scan(archive, true);
    const auto& entries = report.table.entries;
    ASSERT_EQ(entries.size(), 3u);
    EXPECT_EQ(entries[0].source_path, L"files/Standard.qvm");
    EXPECT_EQ(entries[0].destination, L"<CommonData>\\Quorvane\\Materials");
    EXPECT_EQ(entries[0].kind, 3u);
    EXPECT_EQ(entries[0].size, 5000u);
    EXPECT_EQ(entries[1].size, 0u);
    EXPECT_EQ(entries[1].crc32, 0u);
    EXPECT_EQ(entries[2].kind, 1u);
    EXPECT_EQ(report.total, report.table.data_offset + 5000 + 14);
    EXPECT_EQ(scan(archive, false).table.entries.size(), 3u);
}

TEST_F(PackTest, DamagedArchivesNameTheFirstBadEntry) {
    const auto payload = pack(product_lines);
    // A stored CRC that does not match the body.
    std::vector<test::Body> bodies = {{{L"a.qvm", L"<InstallPath>"}, "aaaa"},
                                      {{L"b.qvm", L"<InstallPath>"}, "bbbb"}};
    auto decompressed = test::decompressed_payload(bodies);
    decompressed[decompressed.size() - 1] = 'x';
    EXPECT_NE(scan_error(test::compress(decompressed)).find("entry 2 (<InstallPath>\\b.qvm): CRC"),
              std::string::npos);

    decompressed = test::decompressed_payload(bodies);
    EXPECT_NE(scan_error(test::compress(decompressed.substr(0, decompressed.size() - 3)))
                  .find("entry 2 (<InstallPath>\\b.qvm): the archive ends after 1 of 4 bytes"),
              std::string::npos);
    EXPECT_NE(scan_error(test::compress(decompressed + "!")).find("after the last entry"),
              std::string::npos);
    EXPECT_NE(scan_error(test::compress(decompressed.substr(0, 20))).find("inside its table"),
              std::string::npos);
    EXPECT_NE(scan_error(test::compress("")).find("no data"), std::string::npos);
    EXPECT_NE(scan_error(payload.substr(0, payload.size() - 1)).find("bzip2 error"),
              std::string::npos);
    EXPECT_NE(scan_error("BZh9 garbage").find("bzip2 error"), std::string::npos);
}

TEST_F(PackTest, BadManifestsAreRefusedWithTheirLine) {
    const std::string long_name(250, 'n');
    write("files/" + long_name, "x");
    const struct {
        std::string lines;
        std::string error;
    } cases[] = {
        {"bogus\t<InstallPath>\tfiles/Kardelo.exe\n", ":3: unknown kind 'bogus'"},
        {"program\t<InstallPath>\n", ":3: expected KIND<TAB>DESTINATION<TAB>SOURCE"},
        {"program\t<Install Path>\tfiles/Kardelo.exe\n", ":3: destination '<Install Path>'"},
        {"program\tC:\\Kardelo\tfiles/Kardelo.exe\n", ":3: destination 'C:\\Kardelo'"},
        {"program\t<InstallPath>\tfiles/Missing.exe\n", ":3: no such file"},
        {"program\t<InstallPath>\tfiles/" + long_name + "\n", ":3: installed path would be 292"},
        {"program\t<InstallPath>\tfiles/Kardelo.exe\nsample\t<InstallPath>\\.\tfiles/Kardelo.exe\n",
         ":4: same destination as line 3"},
        {"program\t<InstallPath>\tfiles/\xC3\n", ":3: not UTF-8"},
    };
    for (const auto& c : cases) {
        try {
            read_manifest(manifest(c.lines), std::nullopt);
            ADD_FAILURE() << c.lines << " accepted";
        } catch (const ManifestError& e) {
            EXPECT_NE(std::string(e.what()).find(c.error), std::string::npos) << e.what();
        }
    }
}

TEST_F(PackTest, SourcesAreFoundBelowTheRoot) {
    fs::create_directories(root_ / "elsewhere");
    const auto moved = root_ / "elsewhere" / "payload.manifest";
    fs::rename(manifest(product_lines), moved);
    EXPECT_EQ(read_manifest(moved, root_).size(), 3u);
    EXPECT_THROW(read_manifest(moved, std::nullopt), ManifestError);
}

} // namespace
} // namespace qv::pack
