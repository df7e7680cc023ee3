#pragma once
// The twenty languages: the index is what the registry stores.
#include "sys/platform.hpp"

#include <array>
#include <cstdint>

namespace qv {

struct LanguageRow {
    lcid_t lcid;
    unsigned string_base; // resource id of message 1000 in this language
    unsigned flag_icon;
};

inline constexpr int language_count = 20;
inline constexpr int french = 0;
inline constexpr int english = 1;

inline constexpr std::array<LanguageRow, language_count> LanguageTable{{
    {1036, 1000, 144},  // 0 French
    {1033, 2000, 145},  // 1 English (United States)
    {1031, 3000, 141},  // 2 German
    {3082, 4000, 143},  // 3 Spanish (modern sort)
    {2070, 5000, 148},  // 4 Portuguese (Portugal)
    {1043, 7000, 147},  // 5 Dutch
    {1030, 8000, 142},  // 6 Danish
    {1055, 9000, 149},  // 7 Turkish
    {1026, 11000, 150}, // 8 Bulgarian
    {1048, 12000, 151}, // 9 Romanian
    {2052, 10000, 152}, // 10 Chinese (Simplified)
    {1040, 6000, 146},  // 11 Italian
    {1029, 13000, 153}, // 12 Czech
    {1044, 14000, 154}, // 13 Norwegian (Bokmal)
    {1032, 15000, 155}, // 14 Greek
    {1045, 16000, 156}, // 15 Polish
    {1037, 17000, 157}, // 16 Hebrew
    {1066, 18000, 158}, // 17 Vietnamese
    {1041, 19000, 160}, // 18 Japanese
    {1038, 20000, 161}, // 19 Hungarian
}};

// Bit i stands for index i.
inline constexpr std::uint32_t offered_language_mask = 0x84FBF;
inline constexpr std::uint32_t translated_language_mask = 0xA9F; // 0-4, 7, 9, 11

constexpr bool is_offered_language(std::int64_t index) {
    return index >= 0 && index < language_count && ((offered_language_mask >> index) & 1u);
}
constexpr bool is_installer_translated(int index) {
    return !(index >= 0 && index < language_count) || ((translated_language_mask >> index) & 1u);
}
constexpr lcid_t language_lcid(int index) {
    return LanguageTable.at(index).lcid;
}

// Index for a language identifier, or -1 for a language without a row.
int language_index_for(langid_t langid);

// The order in which the start page lists the offered languages.
inline constexpr std::array<int, 13> language_list_order{0, 1, 2, 3, 11, 4, 5, 14, 7, 8, 9, 10, 19};

} // namespace qv
