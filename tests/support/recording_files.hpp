#pragma once
// The system's files with a few answers a test chooses: special folders from
// a table, sharing violations on reading back, pauses and grants recorded.
#include "payload/file_system.hpp"
#include "support/table_folders.hpp"

#include <functional>
#include <vector>

namespace qv::test {

class RecordingFiles final : public FileSystem {
public:
    struct Grant {
        std::wstring directory;
        std::uint32_t access_mask;
        std::uint32_t inheritance_flags;
    };

    TableFolders folders;
    int sharing_violations = 0; // the next reads back that fail with error 32
    int pauses = 0;
    std::vector<Grant> grants;
    std::function<void()> on_pause;

    bool exists(const std::wstring& path) const override { return real().exists(path); }
    bool is_directory(const std::wstring& path) const override { return real().is_directory(path); }
    void create_directories(const std::wstring& path) override { real().create_directories(path); }
    void make_writable(const std::wstring& path) noexcept override { real().make_writable(path); }
    std::unique_ptr<OutputFile> create_exclusive(const std::wstring& path) override {
        return real().create_exclusive(path);
    }
    std::unique_ptr<InputFile> open_shared_read(const std::wstring& path) override {
        if (sharing_violations > 0) {
            --sharing_violations;
            throw std::system_error(32, std::system_category(), "in use");
        }
        return real().open_shared_read(path);
    }
    void grant_access(const std::wstring& directory, std::uint32_t access_mask,
                      std::uint32_t inheritance_flags) override {
        grants.push_back({directory, access_mask, inheritance_flags});
    }
    void pause_one_second() override {
        ++pauses;
        if (on_pause) {
            on_pause();
        }
    }
    std::error_code last_file_error() const override { return real().last_file_error(); }
    const SpecialFolders& special_folders() const override { return folders; }

private:
    static FileSystem& real() { return system_file_system(); }
};

} // namespace qv::test
