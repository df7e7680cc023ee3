#pragma once
// What counts as a string in a registry value: REG_SZ or REG_EXPAND_SZ (not
// expanded), an even byte size, and a terminating NUL as the last character.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

namespace qv {

inline constexpr std::uint32_t reg_sz = 1;
inline constexpr std::uint32_t reg_expand_sz = 2;

// `data` holds `size` bytes of UTF-16LE; nothing when the value does not count.
std::optional<std::wstring> registry_string(std::uint32_t type, const std::uint8_t* data,
                                            std::size_t size);

} // namespace qv
