#include "payload/extraction_sink.hpp"

#include "payload/compress_error.hpp"
#include "sys/path_text.hpp"
#include "sys/program_path.hpp"

#include <algorithm>

namespace qv {
namespace {

using result = notification::result;

// Full access for the built-in Users group, inherited by files and folders.
constexpr std::uint32_t shared_folder_access = 0x1F01FF;
constexpr std::uint32_t inherit_to_files_and_folders = 3;

} // namespace

ExtractionSink::ExtractionSink(FileSystem& files, std::wstring install_folder,
                               std::wstring sample_folder, std::wstring temp_folder,
                               const NotificationHandler& handler)
    : files_(files), install_folder_(std::move(install_folder)),
      sample_folder_(std::move(sample_folder)), temp_folder_(std::move(temp_folder)),
      handler_(handler) {}

std::size_t ExtractionSink::write(const char* data, std::size_t size) {
    if (write_failed_) {
        return size;
    }
    try {
        return index_ == 0 ? read_table(data, size) : write_body(data, size);
    } catch (...) {
        write_failed_ = true;
        throw;
    }
}

void ExtractionSink::finish_empty_entries() {
    auto& entries = header_.table().entries;
    while (index_ != 0 && position_ == total_ && index_ <= entries.size()) {
        write(nullptr, 0);
    }
}

std::optional<std::wstring> ExtractionSink::current_destination() const {
    if (!entry_started_) {
        return std::nullopt;
    }
    return header_.table().entries[index_ - 1].destination;
}

void ExtractionSink::notify(notification n) {
    if (handler_(std::move(n)) == result::cancel) {
        throw_compress_error(compress_errc::interrupted);
    }
}

std::size_t ExtractionSink::read_table(const char* data, std::size_t size) {
    const std::size_t taken = header_.take(data, size);
    if (!header_.complete()) {
        return taken;
    }
    auto& table = header_.table();
    DestinationContext context{install_folder_, sample_folder_, temp_folder_,
                               &files_.special_folders(), &rights_directories_};
    total_ = table.data_offset;
    for (auto& entry : table.entries) {
        entry.destination = path_append(resolve_destination(entry.destination, context),
                                        payload_file_name(entry.source_path));
        if (entry.size > UINT64_MAX - total_) {
            throw_compress_error(compress_errc::unexpected_error,
                                 "payload body sizes overflow 64 bits");
        }
        total_ += entry.size;
    }
    position_ = table.data_offset;
    notify(extraction::progress{position_, total_});
    index_ = 1;
    return taken;
}

std::size_t ExtractionSink::write_body(const char* data, std::size_t size) {
    auto& entries = header_.table().entries;
    if (index_ > entries.size()) {
        throw_compress_error(compress_errc::unexpected_error, "data after the last payload entry");
    }
    auto& entry = entries[index_ - 1];
    if (!entry_started_) {
        begin_entry(entry);
    }
    const auto n = static_cast<std::size_t>(std::min<std::uint64_t>(size, remaining_));
    if (!skipping_) {
        output_->write(data, n);
    }
    remaining_ -= n;
    position_ += n;
    notify(extraction::progress{position_, total_});
    if (remaining_ == 0) {
        end_entry(entry);
    }
    return n;
}

void ExtractionSink::begin_entry(PayloadEntry& entry) {
    const result answer = handler_(extraction::file_begin{&entry});
    if (answer == result::cancel) {
        throw_compress_error(compress_errc::interrupted);
    }
    remaining_ = entry.size;
    entry_started_ = true;
    skipping_ = answer == result::skip;
    if (!skipping_) {
        open_destination(entry.destination);
        header_.release();
    }
}

void ExtractionSink::end_entry(PayloadEntry& entry) {
    if (!skipping_) {
        auto file = std::move(output_);
        file->close();
        file.reset();
        if (file_crc32(files_, entry.destination) != entry.crc32) {
            throw_compress_error(compress_errc::invalid_checksum);
        }
        notify(extraction::file_end{&entry});
    }
    entry_started_ = false;
    skipping_ = false;
    ++index_;
}

void ExtractionSink::open_destination(const std::wstring& path) {
    const std::wstring parent = folder_of(path);
    if (files_.exists(path)) {
        files_.make_writable(path);
    } else if (!parent.empty() && !files_.exists(parent)) {
        files_.create_directories(parent);
    }
    grant_pending_rights(parent);
    output_ = files_.create_exclusive(path);
}

void ExtractionSink::grant_pending_rights(const std::wstring& directory) {
    for (auto& record : rights_directories_) {
        if (record.granted) {
            continue;
        }
        for (std::wstring walked = directory; !walked.empty() && files_.is_directory(walked);
             walked = folder_of(walked)) {
            if (same_path(walked, record.path)) {
                record.granted = true;
                files_.grant_access(record.path, shared_folder_access,
                                    inherit_to_files_and_folders);
                break;
            }
        }
    }
}

} // namespace qv
