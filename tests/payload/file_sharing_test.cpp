// Sharing as Windows enforces it: the engine's files are closed to others
// while written, and reading back waits for a file another process holds.
#include "payload/crc32.hpp"
#include "payload/extraction.hpp"
#include "support/payload_maker.hpp"
#include "support/recording_files.hpp"
#include "support/scratch_folder.hpp"
#include "sys/win32_handles.hpp"

#include <gtest/gtest.h>

#include <sstream>

namespace qv {
namespace {

HANDLE open_for_reading(const std::wstring& path, DWORD share) {
    HANDLE file =
        CreateFileW(path.c_str(), GENERIC_READ, share, nullptr, OPEN_EXISTING, 0, nullptr);
    return file == INVALID_HANDLE_VALUE ? nullptr : file;
}

TEST(FileSharing, FileBeingWrittenIsSharedWithNobody) {
    test::ScratchFolder scratch("sharing-write");
    test::RecordingFiles files;
    const std::vector<test::Body> bodies = {{{L"Kardelo.exe", L"<InstallPath>"}, "MZ program"}};
    std::istringstream source(test::compress(test::decompressed_payload(bodies)));
    DWORD error_while_written = 0;
    const bool ok = extract_payload(source, files, scratch.path(), L"", L"", [&](notification n) {
        if (std::holds_alternative<extraction::progress>(n) && error_while_written == 0) {
            const unique_handle other(
                open_for_reading(scratch / L"Kardelo.exe", FILE_SHARE_READ | FILE_SHARE_WRITE));
            error_while_written = other ? 0 : GetLastError();
        }
        return notification::result::proceed;
    });
    EXPECT_TRUE(ok);
    // The first progress comes after the table, before the file exists.
    EXPECT_TRUE(error_while_written == ERROR_SHARING_VIOLATION ||
                error_while_written == ERROR_FILE_NOT_FOUND);
    const unique_handle after(open_for_reading(scratch / L"Kardelo.exe", FILE_SHARE_READ));
    EXPECT_TRUE(after);
}

TEST(FileSharing, ReadingBackWaitsForAFileHeldElsewhere) {
    test::ScratchFolder scratch("sharing-read");
    const auto path = scratch / L"Oak.kmat";
    test::write_file(path, "oak");
    test::RecordingFiles files;
    unique_handle holder(open_for_reading(path, 0));
    ASSERT_TRUE(holder);
    files.on_pause = [&] {
        if (files.pauses == 3) {
            holder.reset();
        }
    };
    EXPECT_EQ(file_crc32(files, path), crc32_update(0, "oak", 3));
    EXPECT_EQ(files.pauses, 3);

    holder.reset(open_for_reading(path, 0));
    files.on_pause = nullptr;
    files.pauses = 0;
    try {
        file_crc32(files, path);
        ADD_FAILURE() << "read a file held without sharing";
    } catch (const std::system_error& e) {
        EXPECT_EQ(e.code(), std::error_code(32, std::system_category()));
    }
    EXPECT_EQ(files.pauses, 3);
}

} // namespace
} // namespace qv
