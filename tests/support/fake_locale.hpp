#pragma once
// A locale source whose answers a test sets, recording what was switched.
#include "sys/platform.hpp"

#include <map>
#include <vector>

namespace qv::test {

class FakeLocale final : public LocaleSource {
public:
    lcid_t user_lcid = 1033;
    std::map<lcid_t, std::uint32_t> code_pages; // missing: 0
    std::map<lcid_t, std::array<std::uint32_t, 4>> subsets;
    std::vector<std::wstring> runtime_locales;
    std::vector<lcid_t> thread_locales;

    lcid_t user_default_lcid() const override { return user_lcid; }
    langid_t user_default_langid() const override { return static_cast<langid_t>(user_lcid); }
    std::wstring locale_name(lcid_t lcid) const override;
    std::uint32_t ansi_code_page(lcid_t lcid) const override;
    std::uint32_t system_ansi_code_page() const override { return 1250; }
    std::wstring native_language_name(lcid_t lcid) const override;
    std::optional<std::array<std::uint32_t, 4>> unicode_subsets(lcid_t lcid) const override;
    void set_thread_locale(lcid_t lcid) override { thread_locales.push_back(lcid); }
    void use_process_wide_locale() override {}
    void set_runtime_locale(const std::wstring& name) override { runtime_locales.push_back(name); }
};

} // namespace qv::test
