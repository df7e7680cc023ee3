#pragma once
// Who the product is: its code, names per language, version and folders.
#include "sys/platform.hpp"

#include <cstdint>
#include <string>

namespace qv {

inline constexpr int product_code = 517;
inline constexpr wchar_t product_name_french[] = L"Kardelo";
inline constexpr wchar_t product_name_other[] = L"Kardexa";
inline constexpr wchar_t display_version[] = L"5.26g";
inline constexpr wchar_t full_version_text[] = L"5.26.7.1";
inline constexpr wchar_t maker_folder_name[] = L"Quorvane";

// Four 16-bit parts, major highest, as in a file version.
constexpr std::uint64_t pack_version(unsigned major, unsigned minor, unsigned build,
                                     unsigned revision) {
    return (std::uint64_t{major} << 48) | (std::uint64_t{minor} << 32) |
           (std::uint64_t{build} << 16) | revision;
}
inline constexpr std::uint64_t full_version = pack_version(5, 26, 7, 1);

// Throws std::logic_error("logic error") for a code without a row.
std::wstring product_registry_name(int code);

// The product's name in a language: "Kardelo" in French, "Kardexa" elsewhere,
// followed by " 5.26g" unless `without_version`.
std::wstring product_name(int language, bool without_version);
std::wstring product_folder_name(int language);

std::wstring product_name(bool without_version);
std::wstring product_folder_name();
// Message 1000, with " – " and the product name with version when asked.
std::wstring installer_title(const StringSource& strings, int language, bool with_product);
std::wstring installer_title(bool with_product);

// Set once during start-up from the program's own version resource.
const std::wstring& application_id();
void set_application_id(std::wstring id);

} // namespace qv
