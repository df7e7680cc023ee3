#include "product_languages.hpp"
#include "product_paths.hpp"
#include "sys/win32_handles.hpp"
#include "version_info.hpp"

#include <gtest/gtest.h>

#include <iterator>
#include <string_view>

namespace qv::test {

namespace {

using unique_module = unique_any<win32_traits<HMODULE, FreeLibrary, nullptr>>;

class language_module : public testing::TestWithParam<product_language> {
protected:
    std::wstring path() const {
        return stage_path(std::wstring(L"Lang/Kardelo.") + GetParam().code + L".dll");
    }
};

TEST_P(language_module, greets_in_its_own_language) {
    const unique_module module(LoadLibraryExW(path().c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE));
    ASSERT_TRUE(module) << GetLastError();
    wchar_t text[256];
    ASSERT_GT(LoadStringW(module.get(), 1, text, static_cast<int>(std::size(text))), 0);
    EXPECT_NE(std::wstring_view(text).find(L"Kardexa"), std::wstring_view::npos);
    // Strings 0 to 15 are the first block of a string table.
    EXPECT_TRUE(FindResourceExW(module.get(), RT_STRING, MAKEINTRESOURCEW(1), GetParam().id));
    EXPECT_EQ(version_info(path()).first_translation(), (translation{GetParam().id, 1200}));
}

TEST_P(language_module, loads_as_a_module_without_code) {
    const unique_module module(LoadLibraryW(path().c_str()));
    ASSERT_TRUE(module) << GetLastError();
    const auto* base = reinterpret_cast<const std::byte*>(module.get());
    const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
    const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
    EXPECT_EQ(nt->OptionalHeader.AddressOfEntryPoint, 0u);
}

INSTANTIATE_TEST_SUITE_P(product, language_module, testing::ValuesIn(product_languages));

} // namespace

} // namespace qv::test
