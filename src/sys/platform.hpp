#pragma once
// The few platform services the portable logic needs. Windows implements them
// over Win32 (src/sys/win), other hosts with small stand-ins (src/sys/posix);
// tests hand their own fakes to the functions that take them.
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace qv {

using lcid_t = std::uint32_t;
using langid_t = std::uint16_t;

// String resources of the setup program.
class StringSource {
public:
    virtual ~StringSource() = default;
    // The string with this id, or nothing when there is no such resource.
    virtual std::optional<std::wstring> load_string(unsigned id) const = 0;
};

// The platform's locale data and the process/thread locale switches.
class LocaleSource {
public:
    virtual ~LocaleSource() = default;
    virtual lcid_t user_default_lcid() const = 0;
    virtual langid_t user_default_langid() const = 0;
    // Locale name such as "en-US"; empty when unknown.
    virtual std::wstring locale_name(lcid_t lcid) const = 0;
    // Default ANSI code page of the locale; 0 when it has none.
    virtual std::uint32_t ansi_code_page(lcid_t lcid) const = 0;
    virtual std::uint32_t system_ansi_code_page() const = 0;
    virtual std::wstring native_language_name(lcid_t lcid) const = 0;
    // The four 32-bit words of the locale's Unicode subset bitfield.
    virtual std::optional<std::array<std::uint32_t, 4>> unicode_subsets(lcid_t lcid) const = 0;
    virtual void set_thread_locale(lcid_t lcid) = 0;
    // Runtime library: process-wide locale settings, then "C" for everything
    // but character types, collation and time, which follow `name`.
    virtual void use_process_wide_locale() = 0;
    virtual void set_runtime_locale(const std::wstring& name) = 0;
};

// Special folders by CSIDL; nothing when the platform has none.
class SpecialFolders {
public:
    virtual ~SpecialFolders() = default;
    virtual std::optional<std::wstring> folder(int csidl) const = 0;
};

// The user's temporary folder as the platform reports it.
struct TempPathResult {
    std::uint32_t length = 0; // characters the platform reported; 0 on failure
    std::wstring path;
    std::uint32_t error = 0; // last system error
};
class TempPathSource {
public:
    virtual ~TempPathSource() = default;
    virtual TempPathResult temp_path() const = 0;
};

// The platform's locale-aware comparison without regard to case.
bool equal_ignoring_case(std::wstring_view a, std::wstring_view b);

const StringSource& system_strings();
LocaleSource& system_locale();
const SpecialFolders& system_folders();
const TempPathSource& system_temp_path();

} // namespace qv
