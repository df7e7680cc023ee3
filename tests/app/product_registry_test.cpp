// Runs in the test prefix's own registry: HKLM is throw-away there.
#include "app/language.hpp"
#include "app/product_registry.hpp"

#include <gtest/gtest.h>

#include <windows.h>

#include <fstream>

namespace qv {
namespace {

constexpr REGSAM wow32 = KEY_WOW64_32KEY;

unique_hkey create_key(const std::wstring& path) {
    HKEY key = nullptr;
    EXPECT_EQ(RegCreateKeyExW(HKEY_LOCAL_MACHINE, path.c_str(), 0, nullptr, 0,
                              KEY_ALL_ACCESS | wow32, nullptr, &key, nullptr),
              ERROR_SUCCESS);
    return unique_hkey(key);
}

void delete_key(const std::wstring& path) {
    RegDeleteTreeW(HKEY_LOCAL_MACHINE, nullptr); // nothing: keep the root
    HKEY parent = nullptr;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, path.c_str(), 0, KEY_ALL_ACCESS | wow32, &parent) ==
        ERROR_SUCCESS) {
        RegDeleteTreeW(parent, nullptr);
        RegCloseKey(parent);
        RegDeleteKeyExW(HKEY_LOCAL_MACHINE, path.c_str(), wow32, 0);
    }
}

void set_raw(HKEY key, const wchar_t* name, DWORD type, const void* data, DWORD size) {
    ASSERT_EQ(RegSetValueExW(key, name, 0, type, static_cast<const BYTE*>(data), size),
              ERROR_SUCCESS);
}

std::wstring existing_file() {
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    const std::wstring path = std::wstring(temp) + L"qv-registered-Kardelo.exe";
    std::ofstream(path.c_str()) << "MZ";
    return path;
}

TEST(RegisteredProductPath, ReadingRules) {
    delete_key(maker_key_path);
    EXPECT_EQ(read_registered_product_path(), L""); // no key

    auto key = create_key(maker_key_path);
    EXPECT_EQ(read_registered_product_path(), L""); // no value

    const std::wstring file = existing_file();
    const std::wstring name = product_path_value_name();
    const auto bytes = static_cast<DWORD>((file.size() + 1) * sizeof(wchar_t));
    // Windows adds a forgotten terminator when one follows the data: the
    // unterminated case needs another character there.
    const std::wstring unterminated = file + L"!";
    const DWORD chars = static_cast<DWORD>(file.size() * sizeof(wchar_t));
    const std::wstring missing = L"C:\\no\\such\\Kardelo.exe";
    const DWORD number = 7;
    struct Case {
        DWORD type;
        const void* data;
        DWORD size;
        bool found;
    } cases[] = {
        {REG_SZ, file.c_str(), bytes, true},
        {REG_EXPAND_SZ, file.c_str(), bytes, true},
        {REG_SZ, unterminated.c_str(), chars, false},     // no terminating NUL
        {REG_SZ, unterminated.c_str(), chars + 1, false}, // odd size
        {REG_MULTI_SZ, file.c_str(), bytes, false},
        {REG_DWORD, &number, sizeof number, false},
        {REG_SZ, missing.c_str(), static_cast<DWORD>((missing.size() + 1) * 2), false},
        {REG_SZ, L"", 2, false},
    };
    for (const auto& c : cases) {
        set_raw(key.get(), name.c_str(), c.type, c.data, c.size);
        EXPECT_EQ(read_registered_product_path(), c.found ? file : L"")
            << "type " << c.type << " size " << c.size;
    }
    delete_key(maker_key_path);
    DeleteFileW(file.c_str());
}

TEST(StoredLanguage, OfferedIndexWins) {
    const std::wstring path = uninstall_key_path();
    delete_key(path);
    EXPECT_FALSE(stored_product_language().has_value());
    {
        auto key = create_key(path);
        for (DWORD value : {2u, 6u}) {
            set_raw(key.get(), L"QvLanguage", REG_DWORD, &value, sizeof value);
            EXPECT_EQ(stored_product_language(), value);
        }
    }
    LanguageSettings settings;
    choose_initial_language(settings, system_locale(), 2u);
    EXPECT_EQ(settings.index, 2);
    choose_initial_language(settings, system_locale(), stored_product_language()); // 6
    EXPECT_NE(settings.index, 6);
    delete_key(path);
}

} // namespace
} // namespace qv
