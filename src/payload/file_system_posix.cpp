#include "payload/buffered_output.hpp"
#include "sys/posix_files.hpp"
#include "sys/utf.hpp"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <filesystem>
#include <thread>
#include <utility>

// The engine's files on other hosts, for tests, fuzzing and benchmarks:
// Windows path text with "/" for "\", no sharing modes, no access rights.
namespace qv {
namespace {

[[noreturn]] void throw_errno(const char* what) {
    throw std::system_error(errno, std::system_category(), what);
}

class PosixOutput final : public BufferedOutputFile {
public:
    explicit PosixOutput(int fd) : fd_(fd) {}

    void close() override {
        flush();
        if (::close(fd_.release()) != 0) {
            throw_errno("cannot close file");
        }
    }

private:
    void write_through(const char* data, std::size_t size) override {
        while (size != 0) {
            const ssize_t n = ::write(fd_.get(), data, size);
            if (n < 0) {
                if (errno == EINTR) {
                    continue;
                }
                throw_errno("cannot write file");
            }
            data += n;
            size -= static_cast<std::size_t>(n);
        }
    }

    Descriptor fd_;
};

class PosixInput final : public InputFile {
public:
    explicit PosixInput(int fd) : fd_(fd) {}

    std::size_t read(char* data, std::size_t size) override {
        for (;;) {
            const ssize_t n = ::read(fd_.get(), data, size);
            if (n >= 0) {
                return static_cast<std::size_t>(n);
            }
            if (errno != EINTR) {
                throw_errno("cannot read file");
            }
        }
    }

private:
    Descriptor fd_;
};

class PosixFileSystem final : public FileSystem {
public:
    bool exists(const std::wstring& path) const override {
        struct stat info {};
        return ::stat(native_path(path).c_str(), &info) == 0;
    }

    bool is_directory(const std::wstring& path) const override {
        struct stat info {};
        return ::stat(native_path(path).c_str(), &info) == 0 && S_ISDIR(info.st_mode);
    }

    void create_directories(const std::wstring& path) override {
        std::filesystem::create_directories(native_path(path));
    }

    void make_writable(const std::wstring& path) noexcept override {
        const std::string file = native_path(path);
        struct stat info {};
        if (::stat(file.c_str(), &info) == 0 && S_ISREG(info.st_mode)) {
            ::chmod(file.c_str(), info.st_mode | S_IWUSR);
        }
    }

    std::unique_ptr<OutputFile> create_exclusive(const std::wstring& path) override {
        const int fd =
            ::open(native_path(path).c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
        if (fd < 0) {
            throw_errno("cannot create file");
        }
        return std::make_unique<PosixOutput>(fd);
    }

    std::unique_ptr<InputFile> open_shared_read(const std::wstring& path) override {
        const int fd = ::open(native_path(path).c_str(), O_RDONLY | O_CLOEXEC);
        if (fd < 0) {
            throw_errno("cannot open file");
        }
        return std::make_unique<PosixInput>(fd);
    }

    void grant_access(const std::wstring&, std::uint32_t, std::uint32_t) override {}

    void pause_one_second() override { std::this_thread::sleep_for(std::chrono::seconds(1)); }

    std::error_code last_file_error() const override {
        return errno != 0 ? std::error_code(errno, std::generic_category()) : std::error_code();
    }

    const SpecialFolders& special_folders() const override { return system_folders(); }
};

} // namespace

FileSystem& system_file_system() {
    static PosixFileSystem files;
    return files;
}

} // namespace qv
