#pragma once
// The two registry entries that make the installed product known: the
// system's list of installed programs, and the maker's key that later runs
// read the program's path from.
#include "record/uninstall_log.hpp"

#include <string>

namespace qv {

// The maker's contact values of the entry (fictional, reserved ranges).
inline constexpr wchar_t maker_web_address[] = L"https://www.quorvane.example/kardelo";
inline constexpr wchar_t maker_telephone[] = L"+33 1 99 00 52 60";

// Creates or updates the entry, recorded in `log` before anything changes.
// True when the key was there or made and DisplayName and UninstallString
// were written.
bool write_uninstall_entry(UninstallLog& log, const std::wstring& program_path,
                           const std::wstring& uninstaller_path);

// "Kardelo 5 Path" below HKEY_LOCAL_MACHINE\Software\Quorvane; not recorded.
bool register_product_path(const std::wstring& program_path);

} // namespace qv
