#pragma once
// The version resource of a file or of the setup program: its file version,
// its strings of the first Unicode translation, and the text that names the
// product and its version to the user.
#include "sys/platform.hpp"

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace qv {

inline constexpr std::uint32_t file_flag_debug = 0x1;
inline constexpr std::uint32_t file_flag_pre_release = 0x2;
inline constexpr std::uint32_t file_flag_private_build = 0x8;

class FileVersionInfo {
public:
    // Empty information when the file has none or cannot be read.
    static FileVersionInfo from_file(const std::wstring& path);
    // The setup program's own, read in place, once.
    static const FileVersionInfo& of_program();

    // major<<48 | minor<<32 | build<<16 | revision; 0 without fixed information.
    std::uint64_t file_version() const;
    // The value of the first Unicode translation, without a counted NUL.
    std::wstring string_value(const std::wstring& name) const;
    std::wstring localized_product_name() const;
    std::wstring product_version() const;
    std::wstring legal_copyright() const;
    std::wstring version_text() const;

private:
    // A block read from a file, or the program's own in place; neither: empty.
    FileVersionInfo(std::vector<std::byte> buffer, const void* resource);
    const void* block() const;

    std::vector<std::byte> buffer_;
    const void* resource_ = nullptr;
    std::uint64_t file_version_ = 0;
    std::uint32_t file_flags_ = 0;           // already masked
    std::vector<std::wstring> translations_; // "%04hx%04hx" keys of code page 1200
};

// The rules on plain inputs, the same for every file.

// One key per (language, code page) pair of `translation` whose code page is
// 1200, in order; a trailing partial pair is ignored.
std::vector<std::wstring> unicode_translation_keys(std::span<const std::byte> translation);

// The product family's names: the last "Kardelo" becomes "Kardenau" in German
// when `special_build` (the first examined file's, once per process) is
// "Kardenau", and "Kardexa" in every other language but French.
std::wstring localize_product_name(std::wstring name, std::wstring_view special_build,
                                   int language);

// Name, product version, then what `file_flags` (masked) says of the build;
// "bêta" is spelt "beta" outside French.
std::wstring compose_version_text(std::wstring name, std::wstring_view product_version,
                                  std::uint32_t file_flags, lcid_t lcid);

} // namespace qv
