#pragma once
// The extraction engine: one forward pass from the compressed payload to
// verified files. The caller follows and steers the run through one handler
// of notifications.
#include "payload/file_system.hpp"
#include "payload/payload_format.hpp"

#include <cstdint>
#include <exception>
#include <functional>
#include <istream>
#include <string>
#include <system_error>
#include <utility>
#include <variant>

namespace qv {

namespace extraction {
struct started {};
struct finished {
    std::uint64_t compressed_read = 0;
    std::uint64_t total = 0;
};
// `entry` is valid during the call only; its destination is the full path.
struct file_begin {
    const PayloadEntry* entry = nullptr;
};
struct file_end {
    const PayloadEntry* entry = nullptr;
};
struct progress {
    std::uint64_t position = 0; // decompressed bytes consumed, header included
    std::uint64_t total = 0;
};
struct failed {
    std::error_code code;
    std::wstring path;
};
} // namespace extraction

// The alternatives' indices are fixed: started 0 ... failed 5.
struct notification
    : std::variant<extraction::started, extraction::finished, extraction::file_begin,
                   extraction::file_end, extraction::progress, extraction::failed> {
    using variant::variant;

    // cancel stops the run after file_begin, progress or file_end; skip
    // after file_begin discards the entry's body. Other values proceed.
    enum class result : std::uint32_t { proceed = 0, cancel = 1, skip = 2 };
};

using NotificationHandler = std::function<notification::result(notification)>;

// Installs the payload from `source` (compressed). True when every entry was
// handled and the stream matched the table; false after a `failed`
// notification. Exceptions not derived from std::exception pass through.
bool extract_payload(std::istream& source, std::wstring install_folder, std::wstring sample_folder,
                     std::wstring temp_folder, const NotificationHandler& handler);
bool extract_payload(std::istream& source, FileSystem& files, std::wstring install_folder,
                     std::wstring sample_folder, std::wstring temp_folder,
                     const NotificationHandler& handler);

// CRC-32 of a file, read back in blocks of 4096 bytes. A sharing violation
// is tried again after a pause, three times at most.
std::uint32_t file_crc32(FileSystem& files, const std::wstring& path);
std::uint32_t file_crc32(const std::wstring& path);

// The code and path a `failed` notification reports for `error`.
std::pair<std::error_code, std::wstring>
to_error_code(const std::exception& error, const std::wstring& path, const FileSystem& files);

void make_writable(const std::wstring& path);

} // namespace qv
