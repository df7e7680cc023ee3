#pragma once
// The few file operations the uninstall log needs, behind an interface: the
// Win32 one shares and creates exactly as the log asks for; the POSIX one
// serves the native tests and fuzzing. Paths are Windows path text.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace qv {

// Attribute sets as Win32 has them; the POSIX files keep only read-only.
inline constexpr std::uint32_t normal_attributes = 0x80;
// Read-only, archive, not content-indexed.
inline constexpr std::uint32_t written_log_attributes = 0x2021;

class LogInput {
public:
    virtual ~LogInput() = default;
    // Bytes read, 0 at the end; nothing on a read error.
    virtual std::optional<std::size_t> read(char* data, std::size_t size) = 0;
};

// A file being written unbuffered, closed by the destructor.
class LogOutput {
public:
    virtual ~LogOutput() = default;
    // One write call; false unless every byte was written.
    virtual bool write(std::string_view bytes) = 0;
};

class LogFiles {
public:
    virtual ~LogFiles() = default;
    // An existing file, shared for reading; nothing when it cannot be opened.
    virtual std::unique_ptr<LogInput> open_existing(const std::wstring& path) = 0;
    // Always a new empty file with normal attributes, shared with nobody.
    virtual std::unique_ptr<LogOutput> create_new(const std::wstring& path) = 0;
    // Failures are ignored.
    virtual void set_attributes(const std::wstring& path, std::uint32_t attributes) = 0;
    virtual void remove(const std::wstring& path) = 0;
    virtual bool folder_exists(const std::wstring& path) const = 0;
    // Nothing when the code page is unknown or refuses the bytes.
    virtual std::optional<std::wstring> ansi_to_utf16(std::string_view bytes,
                                                      std::uint32_t code_page) const = 0;
};

LogFiles& system_log_files();

} // namespace qv
