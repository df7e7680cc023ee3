#pragma once
// The output side of one extraction: gathers the table, then writes each
// body straight into its file and checks it.
#include "payload/extraction.hpp"
#include "payload/header_reader.hpp"
#include "payload/placeholders.hpp"

#include <memory>
#include <optional>

namespace qv {

class ExtractionSink {
public:
    ExtractionSink(FileSystem& files, std::wstring install_folder, std::wstring sample_folder,
                   std::wstring temp_folder, const NotificationHandler& handler);

    // Takes a prefix of the chunk (possibly nothing) and returns its length;
    // the caller delivers the rest again. Once a call has thrown, every
    // later call takes everything and does nothing.
    std::size_t write(const char* data, std::size_t size);

    // Entries of size 0 at the end of the table get no bytes: handled here
    // once the stream has ended.
    void finish_empty_entries();

    std::uint64_t position() const { return position_; }
    std::uint64_t total() const { return total_; }
    // The destination of the entry being handled, for error reports.
    std::optional<std::wstring> current_destination() const;

private:
    std::size_t read_table(const char* data, std::size_t size);
    std::size_t write_body(const char* data, std::size_t size);
    void begin_entry(PayloadEntry& entry);
    void end_entry(PayloadEntry& entry);
    void open_destination(const std::wstring& path);
    void grant_pending_rights(const std::wstring& directory);
    void notify(notification n);

    FileSystem& files_;
    std::wstring install_folder_;
    std::wstring sample_folder_;
    std::wstring temp_folder_;
    NotificationHandler handler_;

    PayloadHeaderReader header_;
    std::uint64_t position_ = 0;
    std::uint64_t total_ = 0;
    std::unique_ptr<OutputFile> output_;
    std::size_t index_ = 0; // 0 while gathering the table, then entry number from 1
    std::uint64_t remaining_ = 0;
    bool entry_started_ = false;
    bool skipping_ = false;
    bool write_failed_ = false;
    RightsDirectories rights_directories_;
};

} // namespace qv
