#include "app/language.hpp"
#include "app/product.hpp"
#include "log_entries.hpp"
#include "record/log_format.hpp"
#include "support/scratch_folder.hpp"

#include <gtest/gtest.h>

namespace qv {
namespace {

using Kind = UninstallEntryKind;
using test::described;
using test::entry;
using test::file;

std::wstring joined(const std::vector<std::wstring>& lines) {
    std::wstring text;
    for (const auto& line : lines) {
        text += line;
    }
    return text;
}

bool exists(const std::wstring& path) {
    return std::filesystem::exists(test::native_path(path));
}

class UninstallLogFile : public ::testing::Test {
protected:
    test::ScratchFolder scratch{std::string("log-") +
                                ::testing::UnitTest::GetInstance()->current_test_info()->name()};
    const std::wstring log_path = scratch / L"Uninstall.ulog";
    const std::wstring install = scratch / L"Kardexa 5";
    const std::wstring menu = scratch / L"Menu";

    UninstallLogFile() {
        test::write_file(install + L"\\Kardelo.exe", "");
        test::write_file(menu + L"\\Kardexa.lnk", "");
    }
};

TEST_F(UninstallLogFile, WritesByteOrderMarkThenLines) {
    UninstallLog log;
    log.entries = {entry(Kind::folder, L"C:\\ProgramData\\Quorvane"), file(L"C:\\K\\k.exe", 1),
                   entry(Kind::uninstall_key, L"")};
    const auto lines = log_lines({product_name(false), L"", install, menu}, log.entries);
    ASSERT_TRUE(log.write(log_path, install, menu));
    const std::string bytes = test::read_file(log_path);
    EXPECT_EQ(bytes.substr(0, 54), "\xFF\xFE" + utf16le_bytes(L"// Uninstall Log File v1\r\n"));
    EXPECT_EQ(bytes, std::string(byte_order_mark) + utf16le_bytes(joined(lines)));
    EXPECT_TRUE(test::is_read_only(log_path));
}

TEST_F(UninstallLogFile, ReplacesReadOnlyLog) {
    test::write_file(log_path, "an older log");
    test::set_read_only(log_path, true);
    UninstallLog log;
    ASSERT_TRUE(log.write(log_path, install, menu));
    EXPECT_EQ(test::read_file(log_path).substr(0, 2), byte_order_mark);
    EXPECT_TRUE(test::is_read_only(log_path));
}

TEST_F(UninstallLogFile, UpdateCarriesPreviousEntriesForward) {
    UninstallLog first;
    first.entries = {entry(Kind::folder, L"C:\\Data"),
                     file(L"C:\\Data\\a.kmat", 3),
                     file(L"C:\\Data\\b.kmat", 3),
                     file(L"C:\\K\\k.exe", 1),
                     entry(Kind::program_shortcut, L"C:\\M\\old.lnk"),
                     entry(Kind::desktop_shortcut, L"", false),
                     entry(Kind::uninstall_key, L""),
                     entry(Kind::registration, L"")};
    ASSERT_TRUE(first.write(log_path, install, menu));

    UninstallLog second;
    second.read(&log_path);
    const std::wstring product = product_name(false);
    EXPECT_EQ(second.previous_label, product);
    EXPECT_EQ(second.previous_install_folder, install);
    EXPECT_EQ(second.previous_start_menu_folder, menu);
    EXPECT_EQ(described(second.previous_entries), described(first.entries));

    second.entries = {file(L"C:\\K\\k.exe", 1), entry(Kind::program_shortcut, L"C:\\M\\new.lnk"),
                      entry(Kind::uninstall_key, L""), entry(Kind::registration, L"", false)};
    ASSERT_TRUE(second.write(log_path, install, menu));
    EXPECT_TRUE(second.previous_entries.empty());
    const std::string update_line =
        utf16le_bytes(L"// Install " + product + L" -- Update (" + product + L")\r\n");
    EXPECT_NE(test::read_file(log_path).find(update_line), std::string::npos);

    UninstallLog third;
    third.read(&log_path);
    EXPECT_EQ(third.previous_label, product);
    EXPECT_EQ(described(third.previous_entries),
              described({entry(Kind::folder, L"C:\\Data"), file(L"C:\\Data\\a.kmat", 3),
                         file(L"C:\\Data\\b.kmat", 3), entry(Kind::desktop_shortcut, L"", false),
                         file(L"C:\\K\\k.exe", 1), entry(Kind::program_shortcut, L"C:\\M\\new.lnk"),
                         entry(Kind::uninstall_key, L""), entry(Kind::registration, L"", false)}));
}

// Bytes below 0x100, which Windows-1252 shares with Latin-1.
std::string latin1(const std::wstring& text) {
    std::string bytes;
    for (const wchar_t c : text) {
        bytes.push_back(static_cast<char>(c));
    }
    return bytes;
}

TEST_F(UninstallLogFile, AnsiLogReadsTheSame) {
    const std::wstring folder = scratch / L"Donn\u00e9es";
    test::write_file(folder + L"\\x", "");
    const std::vector<std::wstring> lines = {
        L"// Uninstall Log File v1\r\n",
        L"// ###\r\n",
        L"// Install Kardexa 5.25a\r\n",
        L"// Install Path : " + folder + L"\r\n",
        L"// Shortcut Path : " + menu + L"\r\n",
        L"// ---\r\n",
        L"0000:0103:1 -- C:\\Donn\u00e9es\\\u00c9rable.kmat\r\n",
    };
    test::write_file(log_path, latin1(joined(lines)));
    language_settings().code_page = 1252;
    UninstallLog ansi;
    ansi.read(&log_path);
    test::write_file(log_path, std::string(byte_order_mark) + utf16le_bytes(joined(lines)));
    UninstallLog utf16;
    utf16.read(&log_path);
    for (const auto* log : {&ansi, &utf16}) {
        EXPECT_EQ(log->previous_label, L"Kardexa 5.25a");
        EXPECT_EQ(log->previous_install_folder, folder);
        EXPECT_EQ(log->previous_start_menu_folder, menu);
        EXPECT_EQ(described(log->previous_entries),
                  described({file(L"C:\\Donn\u00e9es\\\u00c9rable.kmat", 3)}));
    }
}

TEST_F(UninstallLogFile, BackupsGoEvenWhenTheLogCannotBeCreated) {
    for (const bool creatable : {true, false}) {
        const std::wstring backups[] = {scratch / L"qv1.tmp", scratch / L"qv2.tmp"};
        test::write_file(backups[0], "old program");
        test::write_file(backups[1], "old data");
        test::set_read_only(backups[1], true);
        UninstallLog log;
        log.entries = {file(L"C:\\K\\k.exe", 1), entry(Kind::folder, L"C:\\K\\Lang"),
                       file(L"C:\\D\\a.kmat", 3)};
        log.entries.front().backup_path = backups[0];
        log.entries.back().backup_path = backups[1];
        const std::wstring path = creatable ? log_path : scratch / L"missing\\Uninstall.ulog";
        EXPECT_EQ(log.write(path, install, menu), creatable);
        EXPECT_EQ(exists(path), creatable);
        for (const auto& backup : backups) {
            EXPECT_FALSE(exists(backup)) << creatable;
        }
        for (const auto& e : log.entries) {
            EXPECT_TRUE(e.backup_path.empty()) << creatable;
        }
    }
}

TEST_F(UninstallLogFile, ReadWithoutPathOrFileOnlyClearsTheFolders) {
    const std::wstring missing = scratch / L"none.ulog";
    for (const std::wstring* path : {static_cast<const std::wstring*>(nullptr), &missing}) {
        UninstallLog log;
        log.previous_install_folder = install;
        log.previous_start_menu_folder = menu;
        log.previous_label = L"Kardexa 5.25a";
        log.previous_entries = {file(L"C:\\K\\k.exe", 1)};
        log.read(path);
        EXPECT_EQ(log.previous_install_folder, L"");
        EXPECT_EQ(log.previous_start_menu_folder, L"");
        EXPECT_EQ(log.previous_label, L"Kardexa 5.25a");
        EXPECT_EQ(log.previous_entries.size(), 1u);
    }
}

TEST(UninstallLog, HasInstalledFileOfThePreviousInstallation) {
    UninstallLog log;
    log.previous_entries = {file(L"C:\\Data\\a.kmat", 3), file(L"C:\\Data\\b.kmat", 3, false),
                            entry(Kind::folder, L"C:\\Data\\c"),
                            entry(Kind::program_shortcut, L"C:\\Data\\d")};
    log.entries = {file(L"C:\\Data\\e.kmat", 3)};
    const std::pair<const wchar_t*, bool> cases[] = {
        {L"C:\\Data\\a.kmat", true},     {L"c:\\data\\a.kmat", false}, {L"C:/Data/a.kmat", false},
        {L"C:\\Data\\.\\a.kmat", false}, {L"C:\\Data\\b.kmat", false}, {L"C:\\Data\\c", false},
        {L"C:\\Data\\d", false},         {L"C:\\Data\\e.kmat", false}, {L"", false},
    };
    for (const auto& [path, installed] : cases) {
        EXPECT_EQ(log.has_installed_file(path), installed) << testing::PrintToString(path);
    }
}

} // namespace
} // namespace qv
