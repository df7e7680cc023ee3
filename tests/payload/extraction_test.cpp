#include "payload/compress_error.hpp"
#include "payload/extraction.hpp"
#include "payload/extraction_sink.hpp"
#include "support/payload_maker.hpp"
#include "support/recording_files.hpp"
#include "support/scratch_folder.hpp"
#include "sys/utf.hpp"

#include <gtest/gtest.h>

#include <ios>
#include <sstream>

namespace qv {
namespace {

using result = notification::result;
using Answer = std::function<result(const notification&)>;

const Answer proceed = [](const notification&) { return result::proceed; };

std::string body(std::size_t size, char seed) {
    std::string bytes(size, '\0');
    for (std::size_t i = 0; i < size; ++i) {
        bytes[i] = static_cast<char>(seed + (i * 7919) % 251);
    }
    return bytes;
}

// Two bodies larger than one chunk around an empty one, and an empty one
// last, as the shipped archive has them.
std::vector<test::Body> product_bodies() {
    return {{{L"build\\Oak.kmat", L"<CommonData>\\Quorvane\\Materials", 3}, body(10000, 'a')},
            {{L"User.kmat", L"<CommonData>\\Quorvane\\Materials", 3}, ""},
            {{L"D:/build/Lang/Kardelo.de.dll", L"<InstallPath>\\Lang", 0}, body(5000, 'd')},
            {{L"Notes.txt", L"<Temporary>\\Setup", 5}, ""}};
}

class Extraction : public ::testing::Test {
protected:
    Extraction() { files.folders.folders[35] = scratch / L"ProgramData"; }

    // What the handler heard, one line per notification, with the scratch
    // folder left out of paths.
    std::vector<std::string> log;
    bool ok = false;

    std::string relative(const std::wstring& path) const {
        const auto& root = scratch.path();
        return utf16_to_utf8(path.compare(0, root.size(), root) == 0 ? path.substr(root.size() + 1)
                                                                     : path);
    }

    void run(const std::string& compressed, const Answer& answer = proceed) {
        std::istringstream source(compressed);
        ok = extract_payload(source, files, install(), L"Examples", L"", [&](notification n) {
            log.push_back(describe(n));
            return answer(n);
        });
    }

    std::string describe(const notification& n) const {
        using namespace extraction;
        if (const auto* p = std::get_if<progress>(&n)) {
            return "progress " + std::to_string(p->position) + "/" + std::to_string(p->total);
        }
        if (const auto* b = std::get_if<file_begin>(&n)) {
            return "begin " + relative(b->entry->destination);
        }
        if (const auto* e = std::get_if<file_end>(&n)) {
            return "end " + relative(e->entry->destination);
        }
        if (const auto* f = std::get_if<finished>(&n)) {
            return "finished " + std::to_string(f->compressed_read) + "/" +
                   std::to_string(f->total);
        }
        if (const auto* f = std::get_if<failed>(&n)) {
            return "failed " + std::string(f->code.category().name()) + ":" +
                   std::to_string(f->code.value()) + " " + relative(f->path);
        }
        return "started";
    }

    std::wstring install() const { return scratch / L"Install"; }
    std::wstring materials(const std::wstring& name) const {
        return scratch / (L"ProgramData\\Quorvane\\Materials\\" + name);
    }
    std::wstring lang(const std::wstring& name) const { return install() + L"\\Lang\\" + name; }

    test::ScratchFolder scratch{::testing::UnitTest::GetInstance()->current_test_info()->name()};
    test::RecordingFiles files;
};

TEST_F(Extraction, SuccessfulRunNotifiesInOrderAndWritesEveryFile) {
    const auto bodies = product_bodies();
    const auto payload = test::decompressed_payload(bodies);
    const auto compressed = test::compress(payload);
    run(compressed);
    ASSERT_TRUE(ok) << log.back();

    // One progress per delivered chunk, never backwards; the last of each
    // run of them is the position at the end of the entry.
    const std::string p = "progress ";
    std::vector<std::string> collapsed;
    std::uint64_t last_position = 0;
    for (const auto& line : log) {
        if (line.rfind(p, 0) == 0) {
            const auto position = std::stoull(line.substr(p.size()));
            EXPECT_GE(position, last_position);
            last_position = position;
            if (!collapsed.empty() && collapsed.back().rfind(p, 0) == 0) {
                collapsed.pop_back();
            }
        }
        collapsed.push_back(line);
    }
    const std::size_t total = payload.size();
    const auto at = [&](std::size_t position) {
        return p + std::to_string(position) + "/" + std::to_string(total);
    };
    const std::size_t offset = total - 15000;
    const std::string oak = relative(materials(L"Oak.kmat"));
    const std::string user = relative(materials(L"User.kmat"));
    const std::string dll = relative(lang(L"Kardelo.de.dll"));
    const std::string notes = relative(install() + L"\\Setup\\Notes.txt");
    EXPECT_EQ(collapsed,
              (std::vector<std::string>{
                  "started", at(offset), "begin " + oak, at(offset + 10000), "end " + oak,
                  "begin " + user, at(offset + 10000), "end " + user, "begin " + dll, at(total),
                  "end " + dll, "begin " + notes, at(total), "end " + notes,
                  "finished " + std::to_string(compressed.size()) + "/" + std::to_string(total)}));
    EXPECT_EQ(test::read_file(materials(L"Oak.kmat")), bodies[0].bytes);
    EXPECT_TRUE(files.exists(materials(L"User.kmat")));
    EXPECT_EQ(test::read_file(lang(L"Kardelo.de.dll")), bodies[2].bytes);
    EXPECT_EQ(test::read_file(install() + L"\\Setup\\Notes.txt"), "");
    // Rights opened once per shared folder, before the first file below it.
    ASSERT_EQ(files.grants.size(), 2u);
    EXPECT_EQ(relative(files.grants[0].directory), "ProgramData\\Quorvane");
    EXPECT_EQ(relative(files.grants[1].directory), "ProgramData\\Quorvane\\Materials");
    EXPECT_EQ(files.grants[1].access_mask, 0x1F01FFu);
    EXPECT_EQ(files.grants[1].inheritance_flags, 3u);
}

// Answers `answer` to the `count`-th notification of alternative `Kind`.
template <typename Kind> Answer on_nth(int count, result answer) {
    auto seen = std::make_shared<int>(0);
    return [=](const notification& n) {
        return std::holds_alternative<Kind>(n) && ++*seen == count ? answer : result::proceed;
    };
}

TEST_F(Extraction, FailuresEndWithOneFailedNotification) {
    using namespace extraction;
    const auto bodies = product_bodies();
    const auto payload = test::decompressed_payload(bodies);
    const auto compressed = test::compress(payload);
    // Damage the decompressor notices before it hands out bytes (the block
    // header) or after the last one (the stream's checksum). Damage inside a
    // block comes out as wrong bytes first, which the table or a body's
    // checksum refuses.
    auto damaged_header = compressed;
    damaged_header[5] = static_cast<char>(~damaged_header[5]);
    auto damaged_trailer = compressed;
    damaged_trailer[compressed.size() - 3] =
        static_cast<char>(~damaged_trailer[compressed.size() - 3]);
    auto wrong_crc = payload;
    wrong_crc[payload.size() - 1] = static_cast<char>(~wrong_crc[payload.size() - 1]);

    const std::string oak = "ProgramData\\Quorvane\\Materials\\Oak.kmat";
    const std::string dll = "Install\\Lang\\Kardelo.de.dll";
    const struct {
        const char* what;
        std::string compressed;
        Answer answer;
        std::string failure;
    } cases[] = {
        {"damaged block header", damaged_header, proceed, "failed compress:6 "},
        {"damaged stream checksum", damaged_trailer, proceed, "failed compress:6 " + dll},
        {"stream cut short", compressed.substr(0, compressed.size() - 20), proceed,
         "failed compress:6 "},
        {"no compressed bytes", "", proceed, "failed compress:6 "},
        {"nothing decompressed", test::compress(""), proceed, "failed compress:7 "},
        {"byte after the last body", test::compress(payload + "!"), proceed, "failed compress:7 "},
        {"decompressed stream shorter than the table",
         test::compress(payload.substr(0, payload.size() - 10)), proceed,
         "failed compress:7 " + dll},
        {"table cut short", test::compress(payload.substr(0, 30)), proceed, "failed compress:7 "},
        {"wrong checksum", test::compress(wrong_crc), proceed, "failed compress:3 " + dll},
        {"cancel after the table", compressed, on_nth<progress>(1, result::cancel),
         "failed compress:5 "},
        {"cancel after file_begin", compressed, on_nth<file_begin>(1, result::cancel),
         "failed compress:5 "},
        {"cancel after a body's progress", compressed, on_nth<progress>(2, result::cancel),
         "failed compress:5 " + oak},
        {"cancel after file_end", compressed, on_nth<file_end>(1, result::cancel),
         "failed compress:5 " + oak},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        std::filesystem::remove_all(test::native_path(install()));
        std::filesystem::remove_all(test::native_path(scratch / L"ProgramData"));
        log.clear();
        run(c.compressed, c.answer);
        EXPECT_FALSE(ok);
        ASSERT_FALSE(log.empty());
        EXPECT_EQ(log.back(), c.failure);
        EXPECT_EQ(
            std::count_if(log.begin(), log.end(),
                          [](const std::string& line) { return line.rfind("failed", 0) == 0; }),
            1);
    }
}

TEST_F(Extraction, ChunkEndingABodyEarlyIsTakenUpToThatBody) {
    const std::vector<test::Body> bodies = {{{L"a.txt", L"<InstallPath>"}, "ten bytes!"},
                                            {{L"b.txt", L"<InstallPath>"}, body(5000, 'b')}};
    const auto payload = test::decompressed_payload(bodies);
    const std::size_t offset = payload.size() - 5010;
    ExtractionSink sink(files, install(), L"", L"", [](notification) { return result::proceed; });
    EXPECT_EQ(sink.write(payload.data(), 4096), offset);
    EXPECT_EQ(sink.write(payload.data() + offset, 4096), 10u);
    EXPECT_EQ(sink.write(payload.data() + offset + 10, 4096), 4096u);
    EXPECT_EQ(test::read_file(install() + L"\\a.txt"), "ten bytes!");
}

TEST_F(Extraction, NothingIsWrittenBeforeTheTableIsAccepted) {
    run(test::compress(test::decompressed_payload(product_bodies())),
        on_nth<extraction::progress>(1, result::cancel));
    EXPECT_FALSE(files.exists(materials(L"Oak.kmat")));
    EXPECT_FALSE(files.exists(install()));
}

TEST_F(Extraction, BytesAfterTheLastBodyFailAfterEveryFileIsVerified) {
    run(test::compress(test::decompressed_payload(product_bodies()) + "!"));
    EXPECT_FALSE(ok);
    EXPECT_EQ(log[log.size() - 2], "end " + relative(install() + L"\\Setup\\Notes.txt"));
}

TEST_F(Extraction, SkippedFileIsLeftAloneWhileProgressAdvances) {
    test::write_file(materials(L"Oak.kmat"), "changed by the user");
    test::set_read_only(materials(L"Oak.kmat"), true);
    const auto skip_oak = [](const notification& n) {
        const auto* begin = std::get_if<extraction::file_begin>(&n);
        return begin && begin->entry->destination.find(L"Oak") != std::wstring::npos
                   ? result::skip
                   : result::proceed;
    };
    run(test::compress(test::decompressed_payload(product_bodies())), skip_oak);
    ASSERT_TRUE(ok);
    EXPECT_EQ(test::read_file(materials(L"Oak.kmat")), "changed by the user");
    EXPECT_TRUE(test::is_read_only(materials(L"Oak.kmat")));
    const std::string oak = relative(materials(L"Oak.kmat"));
    const auto begin = std::find(log.begin(), log.end(), "begin " + oak);
    ASSERT_NE(begin, log.end());
    EXPECT_EQ(begin[1].rfind("progress ", 0), 0u);
    EXPECT_EQ(std::find(log.begin(), log.end(), "end " + oak), log.end());
    // A skip answered to anything but file_begin is a plain proceed.
    log.clear();
    run(test::compress(test::decompressed_payload(product_bodies())),
        on_nth<extraction::progress>(2, result::skip));
    EXPECT_TRUE(ok);
    EXPECT_NE(std::find(log.begin(), log.end(), "end " + oak), log.end());
}

TEST_F(Extraction, ReadOnlyDestinationIsMadeWritableAndReplaced) {
    const auto bodies = product_bodies();
    test::write_file(lang(L"Kardelo.de.dll"), "old module");
    test::set_read_only(lang(L"Kardelo.de.dll"), true);
    run(test::compress(test::decompressed_payload(bodies)));
    ASSERT_TRUE(ok);
    EXPECT_EQ(test::read_file(lang(L"Kardelo.de.dll")), bodies[2].bytes);
    EXPECT_FALSE(test::is_read_only(lang(L"Kardelo.de.dll")));
}

TEST_F(Extraction, FolderThatCannotBeCreatedNamesTheEntry) {
    test::write_file(install(), "a file where the folder belongs");
    run(test::compress(test::decompressed_payload(product_bodies())));
    EXPECT_FALSE(ok);
    const auto* failure = &log.back();
    EXPECT_NE(failure->find(" Install\\Lang\\Kardelo.de.dll"), std::string::npos) << *failure;
    EXPECT_EQ(failure->find("compress"), std::string::npos) << *failure;
}

TEST_F(Extraction, SharingViolationsAreRetriedThreeTimes) {
    const auto compressed = test::compress(test::decompressed_payload(product_bodies()));
    files.sharing_violations = 3;
    run(compressed);
    EXPECT_TRUE(ok);
    EXPECT_EQ(files.pauses, 3);

    files.sharing_violations = 4;
    files.pauses = 0;
    log.clear();
    run(compressed);
    EXPECT_FALSE(ok);
    EXPECT_EQ(files.pauses, 3);
    EXPECT_EQ(log.back(), "failed system:32 " + relative(materials(L"Oak.kmat")));
}

TEST_F(Extraction, MissingSpecialFolderFailsBeforeAnythingIsWritten) {
    files.folders.folders.clear();
    run(test::compress(test::decompressed_payload(product_bodies())));
    EXPECT_EQ(log, (std::vector<std::string>{"started", "failed compress:7 "}));
}

TEST(ErrorCode, FollowsTheExceptionKind) {
    auto& files = system_file_system();
    errno = 0;
    const std::system_error denied(5, std::system_category());
    EXPECT_EQ(to_error_code(denied, L"x", files),
              std::make_pair(denied.code(), std::wstring(L"x")));
    const std::filesystem::filesystem_error no_folder("mkdir", test::native_path(L"C:\\Install"),
                                                      std::error_code(3, std::system_category()));
    const auto [code, path] = to_error_code(no_folder, L"", files);
    EXPECT_EQ(code.value(), 3);
    EXPECT_EQ(test::native_path(path), test::native_path(L"C:\\Install"));
    EXPECT_EQ(to_error_code(std::runtime_error("?"), L"", files).first,
              compress_errc::unexpected_error);
    EXPECT_EQ(to_error_code(std::bad_alloc(), L"", files).first, compress_errc::unexpected_error);
    // A stream failure reports the file functions' last error.
    errno = ENOSPC;
    const auto stream = to_error_code(std::ios_base::failure("write"), L"", files).first;
    EXPECT_TRUE(stream == std::error_code(ENOSPC, std::generic_category()) ||
                stream.category() == std::system_category())
        << stream.message();
}

} // namespace
} // namespace qv
