#pragma once
#include <optional>
#include <string>

namespace qv::kardelo {

// A string of the program's own version resource, such as "ApplicationId",
// from the first language that the resource names.
std::optional<std::wstring> own_version_string(const wchar_t* name);

} // namespace qv::kardelo
