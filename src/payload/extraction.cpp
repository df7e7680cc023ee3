#include "payload/extraction.hpp"

#include "payload/bzip2_decoder.hpp"
#include "payload/compress_error.hpp"
#include "payload/crc32.hpp"
#include "payload/extraction_sink.hpp"
#include "sys/utf.hpp"

#include <array>
#include <filesystem>
#include <ios>
#include <memory>

namespace qv {
namespace {

constexpr int sharing_violation = 32; // ERROR_SHARING_VIOLATION
constexpr int crc_attempts = 4;

std::wstring first_path(const std::filesystem::filesystem_error& error) {
#ifdef _WIN32
    return error.path1().wstring();
#else
    return utf8_to_utf16(error.path1().string()).value_or(std::wstring());
#endif
}

std::uint32_t crc_of_file(FileSystem& files, const std::wstring& path) {
    const auto file = files.open_shared_read(path);
    std::array<char, 4096> block{};
    std::uint32_t crc = 0;
    while (const std::size_t got = file->read(block.data(), block.size())) {
        crc = crc32_update(crc, block.data(), got);
    }
    return crc;
}

} // namespace

std::pair<std::error_code, std::wstring>
to_error_code(const std::exception& error, const std::wstring& path, const FileSystem& files) {
    std::wstring where = path;
    if (where.empty()) {
        if (const auto* fs_error = dynamic_cast<const std::filesystem::filesystem_error*>(&error)) {
            where = first_path(*fs_error);
        }
    }
    if (dynamic_cast<const std::ios_base::failure*>(&error)) {
        if (const auto last = files.last_file_error()) {
            return {last, where};
        }
    }
    if (const auto* system = dynamic_cast<const std::system_error*>(&error)) {
        return {system->code(), where};
    }
    return {make_error_code(compress_errc::unexpected_error), where};
}

std::uint32_t file_crc32(FileSystem& files, const std::wstring& path) {
    for (int attempt = 1;; ++attempt) {
        try {
            return crc_of_file(files, path);
        } catch (const std::exception& e) {
            const auto code = to_error_code(e, path, files).first;
            if (attempt == crc_attempts ||
                code != std::error_code(sharing_violation, std::system_category())) {
                throw;
            }
        }
        files.pause_one_second();
    }
}

std::uint32_t file_crc32(const std::wstring& path) {
    return file_crc32(system_file_system(), path);
}

void make_writable(const std::wstring& path) {
    system_file_system().make_writable(path);
}

bool extract_payload(std::istream& source, FileSystem& files, std::wstring install_folder,
                     std::wstring sample_folder, std::wstring temp_folder,
                     const NotificationHandler& handler) {
    std::wstring current_path;
    try {
        handler(extraction::started{});
        auto sink = std::make_unique<ExtractionSink>(files, std::move(install_folder),
                                                     std::move(sample_folder),
                                                     std::move(temp_folder), handler);
        try {
            const std::uint64_t compressed =
                bzip2_decompress(*source.rdbuf(), [&sink](const char* data, std::size_t size) {
                    return sink->write(data, size);
                });
            sink->finish_empty_entries();
            if (sink->total() == 0 || sink->position() != sink->total()) {
                throw_compress_error(compress_errc::unexpected_error,
                                     "the payload ends before its table says");
            }
            handler(extraction::finished{compressed, sink->total()});
        } catch (...) {
            // The path of the entry being handled; the sink's open file is
            // closed (not deleted) before the handler hears of the failure.
            current_path = sink->current_destination().value_or(std::wstring());
            throw;
        }
        return true;
    } catch (const std::exception& e) {
        auto [code, path] = to_error_code(e, current_path, files);
        handler(extraction::failed{code, std::move(path)});
        return false;
    }
}

bool extract_payload(std::istream& source, std::wstring install_folder, std::wstring sample_folder,
                     std::wstring temp_folder, const NotificationHandler& handler) {
    return extract_payload(source, system_file_system(), std::move(install_folder),
                           std::move(sample_folder), std::move(temp_folder), handler);
}

} // namespace qv
