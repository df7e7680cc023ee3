#include "record/code_page.hpp"
#include "record/log_files.hpp"
#include "sys/posix_files.hpp"
#include "sys/utf.hpp"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

// The log's files on other hosts: Windows path text with "/" for "\", no
// sharing modes, the read-only attribute as the absence of write permission.
namespace qv {
namespace {

class PosixLogInput final : public LogInput {
public:
    explicit PosixLogInput(int fd) : fd_(fd) {}

    std::optional<std::size_t> read(char* data, std::size_t size) override {
        ssize_t n = 0;
        do {
            n = ::read(fd_.get(), data, size);
        } while (n < 0 && errno == EINTR);
        return n < 0 ? std::nullopt : std::optional(static_cast<std::size_t>(n));
    }

private:
    Descriptor fd_;
};

class PosixLogOutput final : public LogOutput {
public:
    explicit PosixLogOutput(int fd) : fd_(fd) {}

    bool write(std::string_view bytes) override {
        ssize_t n = 0;
        do {
            n = ::write(fd_.get(), bytes.data(), bytes.size());
        } while (n < 0 && errno == EINTR);
        return n >= 0 && static_cast<std::size_t>(n) == bytes.size();
    }

private:
    Descriptor fd_;
};

class PosixLogFiles final : public LogFiles {
public:
    std::unique_ptr<LogInput> open_existing(const std::wstring& path) override {
        const int fd = ::open(native_path(path).c_str(), O_RDONLY | O_CLOEXEC);
        return fd < 0 ? nullptr : std::make_unique<PosixLogInput>(fd);
    }

    std::unique_ptr<LogOutput> create_new(const std::wstring& path) override {
        const int fd =
            ::open(native_path(path).c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
        return fd < 0 ? nullptr : std::make_unique<PosixLogOutput>(fd);
    }

    void set_attributes(const std::wstring& path, std::uint32_t attributes) override {
        const std::string file = native_path(path);
        struct stat info {};
        if (::stat(file.c_str(), &info) != 0) {
            return;
        }
        constexpr mode_t write_bits = S_IWUSR | S_IWGRP | S_IWOTH;
        const mode_t mode = (attributes & 1u) ? info.st_mode & ~write_bits : info.st_mode | S_IWUSR;
        ::chmod(file.c_str(), mode & 07777);
    }

    void remove(const std::wstring& path) override { ::unlink(native_path(path).c_str()); }

    bool folder_exists(const std::wstring& path) const override {
        struct stat info {};
        return ::stat(native_path(path).c_str(), &info) == 0 && S_ISDIR(info.st_mode);
    }

    std::optional<std::wstring> ansi_to_utf16(std::string_view bytes,
                                              std::uint32_t code_page) const override {
        return decode_code_page(bytes, code_page);
    }
};

} // namespace

LogFiles& system_log_files() {
    static PosixLogFiles files;
    return files;
}

} // namespace qv
