#pragma once
// The file operations the extraction engine needs, behind an interface: the
// Win32 one opens files without sharing and grants rights; the POSIX one
// serves the native tests, fuzzing and benchmarks; tests fake failures.
// Paths are Windows path text (UTF-16, "\" or "/").
#include "sys/platform.hpp"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <system_error>

namespace qv {

// A file being written. Failures throw std::system_error with the system's
// code.
class OutputFile {
public:
    virtual ~OutputFile() = default;
    virtual void write(const char* data, std::size_t size) = 0;
    // Writes out what is buffered and closes; the destructor only closes.
    virtual void close() = 0;
};

class InputFile {
public:
    virtual ~InputFile() = default;
    // 0 at the end; failures throw std::system_error.
    virtual std::size_t read(char* data, std::size_t size) = 0;
};

class FileSystem {
public:
    virtual ~FileSystem() = default;

    // A failed test counts as absent.
    virtual bool exists(const std::wstring& path) const = 0;
    virtual bool is_directory(const std::wstring& path) const = 0;
    // With every missing ancestor; throws std::system_error.
    virtual void create_directories(const std::wstring& path) = 0;
    // Clears the read-only attribute of an existing file (of a link's
    // target); errors are ignored.
    virtual void make_writable(const std::wstring& path) noexcept = 0;
    // Created or truncated, opened for writing, shared with nobody.
    virtual std::unique_ptr<OutputFile> create_exclusive(const std::wstring& path) = 0;
    // Opened for reading, shared for reading only.
    virtual std::unique_ptr<InputFile> open_shared_read(const std::wstring& path) = 0;
    // Gives the built-in Users group the access on a folder; throws
    // std::system_error.
    virtual void grant_access(const std::wstring& directory, std::uint32_t access_mask,
                              std::uint32_t inheritance_flags) = 0;
    // The pause between two attempts at a file another process holds.
    virtual void pause_one_second() = 0;
    // The last error of the runtime's file functions: the system's, else
    // errno; 0 when neither is set.
    virtual std::error_code last_file_error() const = 0;
    virtual const SpecialFolders& special_folders() const = 0;
};

FileSystem& system_file_system();

} // namespace qv
