#pragma once
// Code-page text decoded without the platform: Windows-1252 and UTF-8, the
// code pages the hosts other than Windows need for logs.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace qv {

inline constexpr std::uint32_t code_page_1252 = 1252;
inline constexpr std::uint32_t code_page_utf8 = 65001;

// Nothing for another code page, or for bytes that are not UTF-8 in 65001.
std::optional<std::wstring> decode_code_page(std::string_view bytes, std::uint32_t code_page);

} // namespace qv
