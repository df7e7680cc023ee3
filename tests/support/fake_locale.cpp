#include "support/fake_locale.hpp"

namespace qv::test {

// Names made from the number keep the fake free of real locale data.
std::wstring FakeLocale::locale_name(lcid_t lcid) const {
    return L"loc-" + std::to_wstring(lcid);
}

std::uint32_t FakeLocale::ansi_code_page(lcid_t lcid) const {
    const auto it = code_pages.find(lcid);
    return it == code_pages.end() ? 0 : it->second;
}

std::wstring FakeLocale::native_language_name(lcid_t lcid) const {
    return L"name " + std::to_wstring(lcid);
}

std::optional<std::array<std::uint32_t, 4>> FakeLocale::unicode_subsets(lcid_t lcid) const {
    const auto it = subsets.find(lcid);
    if (it == subsets.end()) {
        return std::nullopt;
    }
    return it->second;
}

} // namespace qv::test
