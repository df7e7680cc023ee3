#include "app/language.hpp"
#include "app/product_registry.hpp"
#include "install/uninstall_registration.hpp"
#include "registry_probe.hpp"

#include <gtest/gtest.h>

namespace qv {
namespace {

using test::RegistryValue;

RegistryValue text_value(const std::wstring& text) {
    const auto* bytes = reinterpret_cast<const BYTE*>(text.c_str());
    return {REG_SZ, std::vector<BYTE>(bytes, bytes + (text.size() + 1) * 2)};
}

RegistryValue dword_value(DWORD value) {
    const auto* bytes = reinterpret_cast<const BYTE*>(&value);
    return {REG_DWORD, std::vector<BYTE>(bytes, bytes + 4)};
}

class UninstallRegistration : public ::testing::Test {
protected:
    void SetUp() override { test::delete_tree(uninstall_key_path()); }
    void TearDown() override { test::delete_tree(uninstall_key_path()); }

    const std::wstring program = L"C:\\Program Files (x86)\\Quorvane\\Kardexa 5\\Kardelo.exe";
    const std::wstring uninstaller = L"C:\\Program Files (x86)\\Quorvane\\Kardexa 5\\Uninstall.exe";
};

TEST_F(UninstallRegistration, WritesTheTwelveValuesAndRollsBackANewKey) {
    set_language(2); // German
    UninstallLog log;
    ASSERT_TRUE(write_uninstall_entry(log, program, uninstaller));
    const auto key = test::snapshot(uninstall_key_path());
    ASSERT_TRUE(key);
    const std::map<std::wstring, RegistryValue> expected = {
        {L"DisplayName", text_value(L"Kardexa 5.26g")},
        {L"UninstallString", text_value(uninstaller)},
        {L"DisplayIcon", text_value(program + L",0")},
        {L"DisplayVersion", text_value(L"5.26.7.1")},
        {L"Publisher", text_value(L"Quorvane")},
        {L"URLInfoAbout", text_value(maker_web_address)},
        {L"HelpLink", text_value(maker_web_address)},
        {L"URLUpdateInfo", text_value(maker_web_address)},
        {L"HelpTelephone", text_value(maker_telephone)},
        {L"NoModify", dword_value(1)},
        {L"NoRepair", dword_value(1)},
        {L"QvLanguage", dword_value(2)},
    };
    EXPECT_EQ(key->values, expected);
    ASSERT_EQ(log.entries.size(), 1u);
    EXPECT_EQ(log.entries.back().kind, UninstallEntryKind::uninstall_key);
    EXPECT_TRUE(log.entries.back().succeeded);
    EXPECT_TRUE(log.entries.back().backup_path.empty());
    EXPECT_FALSE(log.entry_open);

    test::set_value(uninstall_key_path() + L"\\Sub", L"x", REG_SZ, L"y", 4);
    log.rollback();
    EXPECT_FALSE(test::snapshot(uninstall_key_path()));
    EXPECT_TRUE(log.entries.empty());
    set_language(0);
}

TEST_F(UninstallRegistration, KeepsForeignValuesAndRollsBackToTheOldKeyExactly) {
    set_language(0);
    const std::wstring old_name = L"Kardelo 5.25a";
    test::set_value(uninstall_key_path(), L"DisplayName", REG_SZ, old_name.c_str(),
                    static_cast<DWORD>((old_name.size() + 1) * 2));
    test::set_value(uninstall_key_path(), L"Comments", REG_EXPAND_SZ, L"%TEMP%", 14);
    const DWORD answer = 42;
    test::set_value(uninstall_key_path() + L"\\Sub", L"Answer", REG_DWORD, &answer, 4);
    const auto before = test::snapshot(uninstall_key_path());
    ASSERT_TRUE(before);

    UninstallLog log;
    ASSERT_TRUE(write_uninstall_entry(log, program, uninstaller));
    const auto during = test::snapshot(uninstall_key_path());
    EXPECT_EQ(during->values.at(L"DisplayName"), text_value(L"Kardelo 5.26g"));
    EXPECT_EQ(during->values.at(L"Comments"), before->values.at(L"Comments"));
    EXPECT_EQ(during->values.at(L"QvLanguage"), dword_value(0));
    EXPECT_FALSE(log.entries.back().backup_path.empty());

    const std::wstring backup = log.entries.back().backup_path;
    log.rollback();
    EXPECT_EQ(test::snapshot(uninstall_key_path()), before);
    EXPECT_EQ(GetFileAttributesW(backup.c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST(ProductPath, IsWrittenWithItsTerminator) {
    const std::wstring program = L"C:\\Kardelo 5\\Kardelo.exe";
    ASSERT_TRUE(register_product_path(program));
    const auto maker = test::snapshot(maker_key_path);
    ASSERT_TRUE(maker);
    EXPECT_EQ(maker->values.at(product_path_value_name()), text_value(program));
    test::delete_tree(maker_key_path);
}

} // namespace
} // namespace qv
