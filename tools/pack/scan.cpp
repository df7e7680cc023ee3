#include "scan.hpp"

#include "payload/bzip2_decoder.hpp"
#include "payload/crc32.hpp"
#include "payload/header_reader.hpp"
#include "sys/path_text.hpp"
#include "sys/utf.hpp"

#include <algorithm>
#include <cstdio>
#include <string>
#include <system_error>

namespace qv::pack {
namespace {

// Thrown by the sink once a listing has its table.
struct TableRead {};

std::string hex32(std::uint32_t value) {
    char text[11];
    std::snprintf(text, sizeof text, "0x%08x", value);
    return text;
}

class Checker {
public:
    explicit Checker(bool verify) : verify_(verify) {}

    std::size_t write(const char* data, std::size_t size) {
        got_bytes_ = got_bytes_ || size != 0;
        if (!header_.complete()) {
            const std::size_t taken = header_.take(data, size);
            if (header_.complete()) {
                table_read();
            }
            return taken;
        }
        if (index_ == entries().size()) {
            throw ArchiveError(std::to_string(size) + " or more bytes after the last entry");
        }
        auto& entry = entries()[index_];
        const auto n = static_cast<std::size_t>(std::min<std::uint64_t>(size, remaining_));
        crc_ = crc32_update(crc_, data, n);
        remaining_ -= n;
        if (remaining_ == 0) {
            if (crc_ != entry.crc32) {
                throw ArchiveError(describe(index_) + ": CRC-32 " + hex32(crc_) +
                                   ", the table says " + hex32(entry.crc32));
            }
            next_entry();
        }
        return n;
    }

    // The end of the stream: every entry must be complete.
    void finish() {
        if (!header_.complete()) {
            throw ArchiveError(got_bytes_ ? "the archive ends inside its table"
                                          : "the archive holds no data");
        }
        // Empty bodies at the end of the table get no more bytes.
        while (index_ < entries().size() && entries()[index_].size == 0) {
            write(nullptr, 0);
        }
        if (index_ < entries().size()) {
            throw ArchiveError(describe(index_) + ": the archive ends after " +
                               std::to_string(entries()[index_].size - remaining_) + " of " +
                               std::to_string(entries()[index_].size) + " bytes");
        }
    }

    // The entry being read when something failed, for the message.
    std::string where() const {
        return header_.complete() && index_ < entries().size() ? describe(index_)
                                                               : std::string("the table");
    }

    ScanReport report() { return {std::move(header_.table()), total_}; }

private:
    std::vector<PayloadEntry>& entries() { return header_.table().entries; }
    const std::vector<PayloadEntry>& entries() const { return header_.table().entries; }

    std::string describe(std::size_t index) const {
        const auto& entry = entries()[index];
        return "entry " + std::to_string(index + 1) + " (" +
               utf16_to_utf8(path_append(entry.destination, payload_file_name(entry.source_path))) +
               ")";
    }

    void table_read() {
        header_.release();
        total_ = header_.table().data_offset;
        for (const auto& entry : entries()) {
            if (entry.size > UINT64_MAX - total_) {
                throw ArchiveError("the body sizes overflow 64 bits");
            }
            total_ += entry.size;
        }
        if (!verify_) {
            throw TableRead{};
        }
        start_entry();
    }

    void start_entry() {
        crc_ = 0;
        remaining_ = index_ < entries().size() ? entries()[index_].size : 0;
    }

    void next_entry() {
        ++index_;
        start_entry();
    }

    bool verify_;
    PayloadHeaderReader header_;
    bool got_bytes_ = false;
    std::size_t index_ = 0;
    std::uint64_t remaining_ = 0;
    std::uint64_t total_ = 0;
    std::uint32_t crc_ = 0;
};

} // namespace

ScanReport scan_archive(std::streambuf& compressed, bool verify) {
    Checker checker(verify);
    try {
        bzip2_decompress(compressed, [&checker](const char* data, std::size_t size) {
            return checker.write(data, size);
        });
        checker.finish();
    } catch (const TableRead&) {
    } catch (const std::system_error& e) {
        throw ArchiveError(checker.where() + ": " + e.what());
    }
    return checker.report();
}

} // namespace qv::pack
