#pragma once
// What a previous installation left in the registry (HKEY_LOCAL_MACHINE).
#include "sys/registry.hpp"

#include <cstdint>
#include <optional>
#include <string>

namespace qv {

// "Software\Microsoft\Windows\CurrentVersion\Uninstall\Kardelo 5".
std::wstring uninstall_key_path();
inline constexpr wchar_t maker_key_path[] = L"Software\\Quorvane";
// "Kardelo 5 Path".
std::wstring product_path_value_name();

// The installed program's path when the value names an existing file, else
// empty; registry errors other than "not found" raise std::system_error.
std::wstring read_registered_product_path(HKEY root = HKEY_LOCAL_MACHINE);
// The same, read once per process.
const std::wstring& registered_product_path();

// "QvLanguage" of the uninstall entry, when it can be read.
std::optional<std::uint32_t> stored_product_language(HKEY root = HKEY_LOCAL_MACHINE);

// Start-up: the user's language, then the previous installation's.
void initialize_language();

} // namespace qv
