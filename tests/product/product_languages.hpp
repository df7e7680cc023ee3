#pragma once
// The language modules in the order that the manifest packs them.
#include <ostream>
#include <windows.h>

namespace qv::test {

struct product_language {
    const wchar_t* code;
    LANGID id;
};

inline constexpr product_language product_languages[] = {
    {L"en", 0x0409}, {L"de", 0x0407}, {L"es", 0x0C0A}, {L"pt", 0x0816},
    {L"nl", 0x0413}, {L"tr", 0x041F}, {L"bg", 0x0402}, {L"ro", 0x0418},
    {L"zh", 0x0804}, {L"it", 0x0410}, {L"el", 0x0408}, {L"hu", 0x040E},
};

// Names the language in the names of parameterised tests.
inline void PrintTo(const product_language& language, std::ostream* out) {
    for (const wchar_t* c = language.code; *c; ++c) {
        *out << static_cast<char>(*c);
    }
}

} // namespace qv::test
