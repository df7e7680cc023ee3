#include "sys/platform.hpp"

#include <algorithm>
#include <cstdlib>
#include <cwctype>

// Hosts other than Windows build the portable core for its tools and tests:
// no string resources, a fixed locale, no special folders.
namespace qv {
namespace {

class NoStrings final : public StringSource {
public:
    std::optional<std::wstring> load_string(unsigned) const override { return std::nullopt; }
};

struct LocaleRow {
    lcid_t lcid;
    const wchar_t* name;
    const wchar_t* native;
};

constexpr LocaleRow locale_rows[] = {
    {1036, L"fr-FR", L"français"}, {1033, L"en-US", L"English"},   {1031, L"de-DE", L"Deutsch"},
    {3082, L"es-ES", L"español"},  {2070, L"pt-PT", L"português"}, {1043, L"nl-NL", L"Nederlands"},
    {1055, L"tr-TR", L"Türkçe"},   {1026, L"bg-BG", L"български"}, {1048, L"ro-RO", L"română"},
    {2052, L"zh-CN", L"中文"},     {1040, L"it-IT", L"italiano"},  {1032, L"el-GR", L"Ελληνικά"},
    {1038, L"hu-HU", L"magyar"},
};

const LocaleRow* find_row(lcid_t lcid) {
    for (const auto& row : locale_rows) {
        if (row.lcid == lcid) {
            return &row;
        }
    }
    return nullptr;
}

class FixedLocale final : public LocaleSource {
public:
    lcid_t user_default_lcid() const override { return 1033; }
    langid_t user_default_langid() const override { return 1033; }
    std::wstring locale_name(lcid_t lcid) const override {
        const auto* row = find_row(lcid);
        return row ? row->name : L"";
    }
    std::uint32_t ansi_code_page(lcid_t) const override { return 1252; }
    std::uint32_t system_ansi_code_page() const override { return 1252; }
    std::wstring native_language_name(lcid_t lcid) const override {
        const auto* row = find_row(lcid);
        return row ? row->native : L"";
    }
    std::optional<std::array<std::uint32_t, 4>> unicode_subsets(lcid_t) const override {
        return std::nullopt;
    }
    // The host's own locale is left alone.
    void set_thread_locale(lcid_t) override {}
    void use_process_wide_locale() override {}
    void set_runtime_locale(const std::wstring&) override {}
};

class NoFolders final : public SpecialFolders {
public:
    std::optional<std::wstring> folder(int) const override { return std::nullopt; }
};

class EnvTempPath final : public TempPathSource {
public:
    TempPathResult temp_path() const override {
        const char* dir = std::getenv("TMPDIR");
        const std::string path = std::string(dir && *dir ? dir : "/tmp") + "/";
        TempPathResult result;
        result.path.assign(path.begin(), path.end());
        result.length = static_cast<std::uint32_t>(result.path.size());
        return result;
    }
};

} // namespace

bool equal_ignoring_case(std::wstring_view a, std::wstring_view b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](wchar_t x, wchar_t y) {
        return std::towlower(static_cast<std::wint_t>(x)) ==
               std::towlower(static_cast<std::wint_t>(y));
    });
}

const StringSource& system_strings() {
    static const NoStrings strings;
    return strings;
}

LocaleSource& system_locale() {
    static FixedLocale locale;
    return locale;
}

const SpecialFolders& system_folders() {
    static const NoFolders folders;
    return folders;
}

const TempPathSource& system_temp_path() {
    static const EnvTempPath temp;
    return temp;
}

} // namespace qv
