#pragma once
// UTF-8 <-> UTF-16 on every host. Wide strings hold UTF-16 code units even
// where wchar_t is wider, as the payload and the Windows APIs have them.
#include <optional>
#include <string>
#include <string_view>

namespace qv {

// Nothing for a byte sequence that is not UTF-8 (overlong forms and
// surrogates included).
std::optional<std::wstring> utf8_to_utf16(std::string_view text);
// An unpaired surrogate becomes U+FFFD.
std::string utf16_to_utf8(std::wstring_view text);

} // namespace qv
