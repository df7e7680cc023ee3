#include "app/file_version_info.hpp"

#include "app/language_table.hpp"
#include "app/product.hpp"

#include <cstring>
#include <cwchar>
#include <iterator>

namespace qv {
namespace {

// The substitution is this product family's (codes 512..767) only.
static_assert(product_code >= 512 && product_code <= 767);

constexpr int german = 2;
constexpr std::uint16_t unicode_code_page = 1200;
constexpr std::uint32_t primary_language_french = 0x0C;

std::wstring replace_last(std::wstring text, std::wstring_view pattern,
                          std::wstring_view replacement) {
    const auto at = text.rfind(pattern);
    if (at != std::wstring::npos) {
        text.replace(at, pattern.size(), replacement);
    }
    return text;
}

} // namespace

std::vector<std::wstring> unicode_translation_keys(std::span<const std::byte> translation) {
    std::vector<std::wstring> keys;
    std::uint16_t pair[2];
    for (; translation.size() >= sizeof pair; translation = translation.subspan(sizeof pair)) {
        std::memcpy(pair, translation.data(), sizeof pair);
        if (pair[1] == unicode_code_page) {
            wchar_t key[9];
            std::swprintf(key, std::size(key), L"%04hx%04hx", pair[0], pair[1]);
            keys.emplace_back(key);
        }
    }
    return keys;
}

std::wstring localize_product_name(std::wstring name, std::wstring_view special_build,
                                   int language) {
    if (language == german && special_build == L"Kardenau") {
        return replace_last(std::move(name), product_name_french, L"Kardenau");
    }
    if (language != french) {
        return replace_last(std::move(name), product_name_french, product_name_other);
    }
    return name;
}

std::wstring compose_version_text(std::wstring name, std::wstring_view product_version,
                                  std::uint32_t file_flags, lcid_t lcid) {
    std::wstring text = std::move(name);
    if (!product_version.empty()) {
        text.append(L" ").append(product_version);
    }
    if ((file_flags & file_flag_pre_release) && (lcid & 0x3FFu) != primary_language_french) {
        text = replace_last(std::move(text), L"b\u00EAta", L"beta");
    }
    if (file_flags & file_flag_private_build) {
        text.append(L" \u2013 Private");
    }
    if (file_flags & file_flag_debug) {
        text.append(L" \u2013 Debug");
    }
    return text;
}

} // namespace qv
