#include "app/installer_state.hpp"
#include "app/messages.hpp"
#include "app/product.hpp"

#include "support/rc_strings.hpp"

#include "support/table_folders.hpp"

#include <gtest/gtest.h>

#include <map>
#include <stdexcept>

namespace qv {
namespace {

TEST(Product, NamesFollowTheLanguage) {
    EXPECT_EQ(product_name(0, false), L"Kardelo 5.26g");
    EXPECT_EQ(product_name(0, true), L"Kardelo");
    EXPECT_EQ(product_name(1, false), L"Kardexa 5.26g");
    EXPECT_EQ(product_name(19, true), L"Kardexa");
    EXPECT_EQ(product_folder_name(0), L"Kardelo 5");
    EXPECT_EQ(product_folder_name(2), L"Kardexa 5");
    EXPECT_EQ(product_registry_name(product_code), L"Kardelo 5");
    EXPECT_EQ(full_version, 0x0005001A00070001ull);
}

TEST(Product, UnknownCodeIsALogicError) {
    try {
        product_registry_name(4711);
        FAIL() << "no exception";
    } catch (const std::logic_error& e) {
        EXPECT_STREQ(e.what(), "logic error");
    }
}

TEST(Product, InstallerTitle) {
    const auto& s = test::shipped_strings();
    EXPECT_EQ(installer_title(s, 1, true), L"Installer \u2013 Kardexa 5.26g");
    EXPECT_EQ(installer_title(s, 1, false), L"Installer");
    EXPECT_EQ(installer_title(s, 0, true), load_message(s, 0, 1000) + L" \u2013 Kardelo 5.26g");
    EXPECT_EQ(installer_title(s, 5, true),
              L"Installer \u2013 Kardexa 5.26g"); // Dutch: English texts
}

TEST(InstallerState, InitialValuesAndPreviousInstallation) {
    InstallerState state;
    EXPECT_EQ(state.install_status, InstallStatus::none);
    EXPECT_TRUE(state.create_start_menu_shortcut);
    EXPECT_TRUE(state.create_desktop_shortcut);
    EXPECT_FALSE(state.advanced_mode);
    EXPECT_FALSE(state.installation_succeeded);
    EXPECT_FALSE(state.instance_lock.owned());
    EXPECT_EQ(static_cast<int>(InstallStatus::newer_version), -1);

    state.previous_version_text = L"Kardelo 5.26f";
    const std::pair<InstallStatus, bool> cases[] = {{InstallStatus::none, false},
                                                    {InstallStatus::same_version, false},
                                                    {InstallStatus::older_version, true},
                                                    {InstallStatus::newer_version, true}};
    for (const auto& [status, copies] : cases) {
        state.install_status = status;
        std::wstring text = L"untouched";
        EXPECT_EQ(previous_installation(state, &text), status);
        EXPECT_EQ(text, copies ? L"Kardelo 5.26f" : L"untouched");
        EXPECT_EQ(previous_installation(state), status);
    }
}

using test::TableFolders;

TEST(DefaultFolders, ProgramFilesAndStartMenu) {
    TableFolders shell;
    shell.folders = {{38, L"C:\\Program Files (x86)"},
                     {23, L"C:\\ProgramData\\Microsoft\\Windows\\Start Menu\\Programs"},
                     {2, L"C:\\Users\\u\\Start Menu\\Programs"}};
    InstallerState english;
    complete_default_folders(english, shell, 1);
    EXPECT_EQ(english.install_folder, L"C:\\Program Files (x86)\\Quorvane\\Kardexa 5");
    EXPECT_EQ(english.start_menu_folder,
              L"C:\\ProgramData\\Microsoft\\Windows\\Start Menu\\Programs\\Quorvane\\Kardexa 5");

    InstallerState french;
    shell.folders.erase(23); // no common programs folder: the user's
    complete_default_folders(french, shell, 0);
    EXPECT_EQ(french.install_folder, L"C:\\Program Files (x86)\\Quorvane\\Kardelo 5");
    EXPECT_EQ(french.start_menu_folder, L"C:\\Users\\u\\Start Menu\\Programs\\Quorvane\\Kardelo 5");

    InstallerState from_log; // the log named an install folder only
    from_log.install_folder = L"D:\\Apps\\Kardexa";
    complete_default_folders(from_log, shell, 1);
    EXPECT_EQ(from_log.install_folder, L"D:\\Apps\\Kardexa");
    EXPECT_EQ(from_log.start_menu_folder,
              L"C:\\Users\\u\\Start Menu\\Programs\\Quorvane\\Kardexa 5");
}

class FixedTemp final : public TempPathSource {
public:
    TempPathResult result;
    TempPathResult temp_path() const override { return result; }
};

TEST(TempFolder, NameIsAVersion4Uuid) {
    FixedTemp temp;
    temp.result = {16, L"C:\\Users\\u\\Tmp\\", 0};
    InstallerState state;
    std::wstring error;
    ASSERT_TRUE(make_temp_folder(state, error, temp));
    const std::wstring prefix = L"C:\\Users\\u\\Tmp\\quorvane_{";
    ASSERT_EQ(state.temp_folder.size(), prefix.size() + 37);
    EXPECT_EQ(state.temp_folder.substr(0, prefix.size()), prefix);
    const std::wstring uuid = state.temp_folder.substr(prefix.size(), 36);
    EXPECT_EQ(state.temp_folder.back(), L'}');
    EXPECT_EQ(uuid[14], L'4');
    EXPECT_NE(std::wstring(L"89ab").find(uuid[19]), std::wstring::npos);
    for (std::size_t i = 0; i < uuid.size(); ++i) {
        const bool dash = i == 8 || i == 13 || i == 18 || i == 23;
        EXPECT_TRUE(dash ? uuid[i] == L'-' : std::iswxdigit(uuid[i]) && !std::iswupper(uuid[i]));
    }
    const std::wstring first = state.temp_folder;
    ASSERT_TRUE(make_temp_folder(state, error, temp));
    EXPECT_NE(state.temp_folder, first);
}

TEST(TempFolder, TooLongOrFailedTempPath) {
    const std::tuple<std::uint32_t, std::uint32_t, bool, const wchar_t*> cases[] = {
        {246, 0, true, L""},
        {247, 0, false, L"00000000 (GetTempPath)"},
        {300, 0xCB, false, L"000000cb (GetTempPath)"},
        {0, 5, false, L"00000005 (GetTempPath)"},
    };
    for (const auto& [length, error_code, ok, text] : cases) {
        FixedTemp temp;
        temp.result = {length, std::wstring(length, L'x'), error_code};
        InstallerState state;
        std::wstring error;
        EXPECT_EQ(make_temp_folder(state, error, temp), ok) << length;
        EXPECT_EQ(error, text);
        EXPECT_EQ(state.temp_folder.empty(), !ok);
    }
}

} // namespace
} // namespace qv
