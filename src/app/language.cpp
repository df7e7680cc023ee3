#include "app/language.hpp"

#include <cwctype>
#include <locale>

namespace qv {
namespace {

langid_t primary_language(std::uint32_t langid) {
    return static_cast<langid_t>(langid & 0x3FFu);
}

std::string narrow_ascii(const std::wstring& text) {
    std::string result;
    for (wchar_t c : text) {
        result.push_back(c < 0x80 ? static_cast<char>(c) : '?');
    }
    return result;
}

} // namespace

lcid_t adjusted_lcid(const LocaleSource& locale, int index) {
    const lcid_t table = language_lcid(index);
    const lcid_t user = locale.user_default_lcid();
    return (user & 0xFFFFu) == table ? user : table;
}

void apply_process_locale(LocaleSource& locale, int index) {
    const lcid_t lcid = adjusted_lcid(locale, index);
    const lcid_t name_lcid =
        primary_language(locale.user_default_langid()) == primary_language(lcid)
            ? locale.user_default_lcid()
            : lcid;
    const std::wstring name = locale.locale_name(name_lcid);
    // Numbers and money keep the "C" format whatever the language.
    try {
        const std::locale named(narrow_ascii(name));
        std::locale mixed = std::locale::classic()
                                .combine<std::collate<char>>(named)
                                .combine<std::collate<wchar_t>>(named)
                                .combine<std::ctype<char>>(named)
                                .combine<std::ctype<wchar_t>>(named)
                                .combine<std::time_get<char>>(named)
                                .combine<std::time_put<char>>(named);
        std::locale::global(mixed);
    } catch (const std::exception&) {
        std::locale::global(std::locale::classic());
    }
    locale.set_runtime_locale(name);
}

LanguageSettings make_language_settings(LocaleSource& locale) {
    LanguageSettings settings;
    settings.lcid = adjusted_lcid(locale, 0);
    locale.use_process_wide_locale();
    apply_process_locale(locale, 0);
    locale.set_thread_locale(settings.lcid);
    return settings;
}

void set_language(LanguageSettings& settings, LocaleSource& locale, int index) {
    if (index != settings.index) {
        apply_process_locale(locale, index);
    }
    settings.index = index;
    settings.lcid = adjusted_lcid(locale, index);
    const std::uint32_t code_page = locale.ansi_code_page(settings.lcid);
    settings.code_page = code_page != 0 ? code_page : locale.system_ansi_code_page();
    settings.resource_module = nullptr;
}

int default_language(const LanguageSettings& settings, const LocaleSource& locale,
                     std::uint32_t mask) {
    if (mask == 0) {
        mask = settings.available_mask;
    }
    const int index = language_index_for(locale.user_default_langid());
    if (index >= 0 && ((mask >> index) & 1u)) {
        return index;
    }
    return (mask & 2u) ? english : french;
}

void choose_initial_language(LanguageSettings& settings, LocaleSource& locale,
                             std::optional<std::uint32_t> stored_language) {
    set_language(settings, locale, default_language(settings, locale, offered_language_mask));
    if (stored_language && is_offered_language(*stored_language)) {
        set_language(settings, locale, static_cast<int>(*stored_language));
    }
    if (!is_installer_translated(settings.index)) {
        set_language(settings, locale, english);
    }
}

std::wstring native_language_name(const LocaleSource& locale, int index) {
    std::wstring name = locale.native_language_name(adjusted_lcid(locale, index));
    if (!name.empty()) {
        name[0] = static_cast<wchar_t>(std::towupper(static_cast<std::wint_t>(name[0])));
    }
    return name;
}

bool is_right_to_left(const LocaleSource& locale, int index) {
    const auto subsets = locale.unicode_subsets(language_lcid(index));
    if (!subsets) {
        return index == 16; // Hebrew
    }
    return ((*subsets)[3] >> 27) & 1u; // bit 123: right-to-left layout
}

LanguageSettings& language_settings() {
    static LanguageSettings settings = make_language_settings(system_locale());
    return settings;
}

void set_language(int index) {
    set_language(language_settings(), system_locale(), index);
}

int default_language(std::uint32_t mask) {
    return default_language(language_settings(), system_locale(), mask);
}

std::wstring native_language_name(int index) {
    return native_language_name(system_locale(), index);
}

bool is_right_to_left(int index) {
    return is_right_to_left(system_locale(), index);
}

bool is_right_to_left() {
    return is_right_to_left(language_settings().index);
}

} // namespace qv
