#include "record/log_files.hpp"
#include "sys/win32_files.hpp"
#include "sys/win32_handles.hpp"

namespace qv {
namespace {

class WindowsLogInput final : public LogInput {
public:
    explicit WindowsLogInput(HANDLE file) : file_(file) {}

    std::optional<std::size_t> read(char* data, std::size_t size) override {
        DWORD got = 0;
        const DWORD part = size < 0x40000000u ? static_cast<DWORD>(size) : 0x40000000u;
        if (!ReadFile(file_.get(), data, part, &got, nullptr)) {
            return std::nullopt;
        }
        return got;
    }

private:
    unique_handle file_;
};

class WindowsLogOutput final : public LogOutput {
public:
    explicit WindowsLogOutput(HANDLE file) : file_(file) {}

    // Log lines are short; one call carries a whole line.
    bool write(std::string_view bytes) override {
        DWORD written = 0;
        return WriteFile(file_.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written,
                         nullptr) &&
               written == bytes.size();
    }

private:
    unique_handle file_;
};

class WindowsLogFiles final : public LogFiles {
public:
    std::unique_ptr<LogInput> open_existing(const std::wstring& path) override {
        HANDLE file = open_file(path, GENERIC_READ, FILE_SHARE_READ, OPEN_EXISTING);
        return file ? std::make_unique<WindowsLogInput>(file) : nullptr;
    }

    std::unique_ptr<LogOutput> create_new(const std::wstring& path) override {
        HANDLE file = open_file(path, GENERIC_WRITE, 0, CREATE_ALWAYS);
        return file ? std::make_unique<WindowsLogOutput>(file) : nullptr;
    }

    void set_attributes(const std::wstring& path, std::uint32_t attributes) override {
        SetFileAttributesW(path.c_str(), attributes);
    }

    void remove(const std::wstring& path) override { DeleteFileW(path.c_str()); }

    bool folder_exists(const std::wstring& path) const override {
        const DWORD attributes = GetFileAttributesW(path.c_str());
        return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
    }

    std::optional<std::wstring> ansi_to_utf16(std::string_view bytes,
                                              std::uint32_t code_page) const override {
        if (bytes.empty()) {
            return std::wstring();
        }
        const int size = static_cast<int>(bytes.size());
        const int length = MultiByteToWideChar(code_page, 0, bytes.data(), size, nullptr, 0);
        if (length <= 0) {
            return std::nullopt;
        }
        std::wstring text(static_cast<std::size_t>(length), L'\0');
        MultiByteToWideChar(code_page, 0, bytes.data(), size, text.data(), length);
        return text;
    }
};

} // namespace

LogFiles& system_log_files() {
    static WindowsLogFiles files;
    return files;
}

} // namespace qv
