#pragma once
// Where the build put the product's files, as Windows paths.
#include <string>
#include <string_view>

namespace qv::test {

// `relative` with forward slashes, as the manifest writes it.
std::wstring stage_path(std::wstring_view relative);
// Kardelo.exe of the variant `name`, such as "5.26.6.0".
std::wstring variant_program_path(std::wstring_view name);
// Kardelo.exe built with the application id "KardeloProbe".
std::wstring probe_program_path();
std::wstring manifest_path();

} // namespace qv::test
