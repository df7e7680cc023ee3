#include "payload/buffered_output.hpp"
#include "sys/hresult.hpp"
#include "sys/security.hpp"
#include "sys/win32_files.hpp"
#include "sys/win32_handles.hpp"

#include <cerrno>
#include <filesystem>

namespace qv {
namespace {

[[noreturn]] void throw_last_error(const char* what) {
    throw std::system_error(static_cast<int>(GetLastError()), std::system_category(), what);
}

DWORD attributes_of(const std::wstring& path) {
    return GetFileAttributesW(path.c_str());
}

class WindowsOutput final : public BufferedOutputFile {
public:
    explicit WindowsOutput(HANDLE file) : file_(file) {}

    void close() override {
        flush();
        if (!CloseHandle(file_.release())) {
            throw_last_error("cannot close file");
        }
    }

private:
    void write_through(const char* data, std::size_t size) override {
        while (size != 0) {
            const DWORD part = size < 0x40000000u ? static_cast<DWORD>(size) : 0x40000000u;
            DWORD written = 0;
            if (!WriteFile(file_.get(), data, part, &written, nullptr)) {
                throw_last_error("cannot write file");
            }
            data += written;
            size -= written;
        }
    }

    unique_handle file_;
};

class WindowsInput final : public InputFile {
public:
    explicit WindowsInput(HANDLE file) : file_(file) {}

    std::size_t read(char* data, std::size_t size) override {
        DWORD got = 0;
        const DWORD part = size < 0x40000000u ? static_cast<DWORD>(size) : 0x40000000u;
        if (!ReadFile(file_.get(), data, part, &got, nullptr)) {
            throw_last_error("cannot read file");
        }
        return got;
    }

private:
    unique_handle file_;
};

class WindowsFileSystem final : public FileSystem {
public:
    bool exists(const std::wstring& path) const override {
        return attributes_of(path) != INVALID_FILE_ATTRIBUTES;
    }

    bool is_directory(const std::wstring& path) const override {
        const DWORD attributes = attributes_of(path);
        return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
    }

    // Folder by folder, so that a failure carries the system's own code.
    void create_directories(const std::wstring& path) override {
        if (path.empty() || is_directory(path)) {
            return;
        }
        const auto at = path.find_last_of(L"\\/");
        if (at != std::wstring::npos && at != 0 && path[at - 1] != L':') {
            create_directories(path.substr(0, at));
        }
        if (!CreateDirectoryW(path.c_str(), nullptr) && GetLastError() != ERROR_ALREADY_EXISTS) {
            const std::error_code code(static_cast<int>(GetLastError()), std::system_category());
            throw std::filesystem::filesystem_error("cannot create folder",
                                                    std::filesystem::path(path), code);
        }
    }

    // Through a handle, which reaches a link's target.
    void make_writable(const std::wstring& path) noexcept override {
        const unique_handle file(open_file(path, FILE_READ_ATTRIBUTES | FILE_WRITE_ATTRIBUTES,
                                           FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                           OPEN_EXISTING));
        FILE_BASIC_INFO info{};
        if (file && GetFileInformationByHandleEx(file.get(), FileBasicInfo, &info, sizeof info) &&
            (info.FileAttributes & FILE_ATTRIBUTE_READONLY)) {
            info.FileAttributes &= ~static_cast<DWORD>(FILE_ATTRIBUTE_READONLY);
            SetFileInformationByHandle(file.get(), FileBasicInfo, &info, sizeof info);
        }
    }

    std::unique_ptr<OutputFile> create_exclusive(const std::wstring& path) override {
        HANDLE file = open_file(path, GENERIC_WRITE, 0, CREATE_ALWAYS);
        if (!file) {
            throw_last_error("cannot create file");
        }
        return std::make_unique<WindowsOutput>(file);
    }

    std::unique_ptr<InputFile> open_shared_read(const std::wstring& path) override {
        HANDLE file = open_file(path, GENERIC_READ, FILE_SHARE_READ, OPEN_EXISTING);
        if (!file) {
            throw_last_error("cannot open file");
        }
        return std::make_unique<WindowsInput>(file);
    }

    // The rights helpers throw HRESULTs; the engine reports system errors.
    void grant_access(const std::wstring& directory, std::uint32_t access_mask,
                      std::uint32_t inheritance_flags) override {
        try {
            qv::grant_access(directory, access_mask, inheritance_flags);
        } catch (hresult code) {
            throw std::system_error(win32_code_of(code), std::system_category(),
                                    "cannot open the folder's rights");
        }
    }

    void pause_one_second() override { Sleep(1000); }

    std::error_code last_file_error() const override {
        if (const DWORD error = GetLastError()) {
            return {static_cast<int>(error), std::system_category()};
        }
        return errno != 0 ? std::error_code(errno, std::generic_category()) : std::error_code();
    }

    const SpecialFolders& special_folders() const override { return system_folders(); }
};

} // namespace

FileSystem& system_file_system() {
    static WindowsFileSystem files;
    return files;
}

} // namespace qv
