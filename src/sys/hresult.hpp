#pragma once
// HRESULTs travel as plain 32-bit integers thrown by the platform helpers and
// become text only where they are shown.
#include <cstdint>

namespace qv {

using hresult = std::int32_t;

namespace hr {
inline constexpr hresult fail = static_cast<hresult>(0x80004005u);
inline constexpr hresult invalid_arg = static_cast<hresult>(0x80070057u);
inline constexpr hresult unexpected = static_cast<hresult>(0x8000FFFFu);
inline constexpr hresult not_impl = static_cast<hresult>(0x80004001u);
} // namespace hr

// A Win32 error e above 0 becomes (e & 0xFFFF) | 0x80070000; 0 and values
// that already are HRESULTs stay as they are.
constexpr hresult hresult_from_win32(std::uint32_t error) {
    const auto value = static_cast<hresult>(error);
    return value > 0 ? static_cast<hresult>((error & 0xFFFFu) | 0x80070000u) : value;
}

// The Win32 code an HRESULT of the Win32 facility carries, else the HRESULT.
constexpr int win32_code_of(hresult code) {
    const auto value = static_cast<std::uint32_t>(code);
    return (value & 0xFFFF0000u) == 0x80070000u ? static_cast<int>(value & 0xFFFFu) : code;
}

[[noreturn]] inline void throw_hresult(hresult code) {
    throw code;
}

} // namespace qv
