#pragma once
// The process-wide current language: it selects the installer's texts and is
// the language the product is installed in.
#include "app/language_table.hpp"

#include <cstdint>
#include <optional>
#include <string>

namespace qv {

struct LanguageSettings {
    std::uint32_t available_mask = 1; // French only
    int index = 0;
    lcid_t lcid = 0;
    std::uint32_t code_page = 1252;
    void* resource_module = nullptr; // none: the setup program itself
};

// Operations on an explicit settings record and locale source, so that the
// rules can be exercised with fakes; the overloads below use the process's.
LanguageSettings make_language_settings(LocaleSource& locale);
lcid_t adjusted_lcid(const LocaleSource& locale, int index);
void apply_process_locale(LocaleSource& locale, int index);
void set_language(LanguageSettings& settings, LocaleSource& locale, int index);
int default_language(const LanguageSettings& settings, const LocaleSource& locale,
                     std::uint32_t mask);
// Start-up choice: the user's language, a stored offered index, then English
// when the installer is not translated into the result.
void choose_initial_language(LanguageSettings& settings, LocaleSource& locale,
                             std::optional<std::uint32_t> stored_language);
std::wstring native_language_name(const LocaleSource& locale, int index);
bool is_right_to_left(const LocaleSource& locale, int index);

LanguageSettings& language_settings();
void set_language(int index);
int default_language(std::uint32_t mask);
std::wstring native_language_name(int index);
bool is_right_to_left(int index);
bool is_right_to_left();

} // namespace qv
