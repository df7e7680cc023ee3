#pragma once
// A folder made empty for one run and removed with everything in it after.
#include <filesystem>
#include <system_error>

namespace qv::bench {

class ScratchFolder {
public:
    explicit ScratchFolder(std::filesystem::path path) : path_(std::move(path)) {
        std::filesystem::remove_all(path_);
        std::filesystem::create_directories(path_);
    }
    ~ScratchFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    const std::filesystem::path& path() const { return path_; }

private:
    std::filesystem::path path_;
};

} // namespace qv::bench
