#pragma once
// Error codes become text only where they are shown: the system's own text
// for a Win32 code or an HRESULT, the program's string resources for its own
// codes. Nothing here fails; the last resort is "Error".
#include "sys/hresult.hpp"
#include "sys/platform.hpp"

#include <cstdint>
#include <optional>
#include <string>

namespace qv {

// The system's message table.
class SystemMessages {
public:
    struct Answer {
        std::optional<std::wstring> text;
        std::uint32_t error = 0; // why there is no text
    };
    virtual ~SystemMessages() = default;
    // Language 0 lets the system choose.
    virtual Answer message(std::uint32_t code, langid_t language) const = 0;
};

inline constexpr std::uint32_t error_resource_lang_not_found = 1815;

// Customer codes (bit 29) are the program's own; with bit 27 as well, their
// low 16 bits name a string resource that holds the text.
inline constexpr std::uint32_t customer_code_bit = 0x20000000;
inline constexpr std::uint32_t string_resource_bit = 0x08000000;

// The message without its trailing line breaks, in `language` or else in the
// system's choice; the text of E_FAIL for a code without one.
std::wstring error_text(const SystemMessages& messages, hresult code, langid_t language);
// error_text in the system's choice of language, knowing customer codes.
std::wstring error_text_ex(const SystemMessages& messages, const StringSource& strings,
                           hresult code);

#ifdef _WIN32
// FormatMessageW over the system's table.
const SystemMessages& system_messages();
// The two above with the system's table and the program's string resources.
std::wstring error_text(hresult code, langid_t language);
std::wstring error_text_ex(hresult code);
#endif

} // namespace qv
