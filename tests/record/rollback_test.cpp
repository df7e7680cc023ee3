// Recording what an installation changes and putting it back, on real files.
#include "record/journal.hpp"
#include "record/uninstall_log.hpp"
#include "support/scratch_folder.hpp"

#include <gtest/gtest.h>

#include <windows.h>

namespace qv {
namespace {

bool exists(const std::wstring& path) {
    return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

class Rollback : public ::testing::Test {
protected:
    test::ScratchFolder scratch{::testing::UnitTest::GetInstance()->current_test_info()->name()};
    UninstallLog log;
};

TEST_F(Rollback, PutsBackReplacedFilesAndRemovesCreatedFolders) {
    const auto program = scratch / L"Kardelo 5\\Kardelo.exe";
    test::write_file(program, "old program");
    test::set_read_only(program, true);
    const auto module = scratch / L"Kardelo 5\\Lang\\Deep\\Kardelo.de.dll";
    const auto old_shortcut = scratch / L"Menu\\Kardelo (old).lnk";
    test::write_file(old_shortcut, "old shortcut");
    log.previous_entries.push_back(
        new_entry(UninstallEntryKind::program_shortcut, old_shortcut, true));

    log.record_file(program, 1, false);
    EXPECT_FALSE(exists(program)); // moved away before the new one is written
    const std::wstring backup = log.entries.back().backup_path;
    EXPECT_EQ(test::read_file(backup), "old program");
    test::write_file(program, "new program");
    log.complete(true);

    log.record_file(module, 0, false);
    ASSERT_EQ(log.entries.size(), 4u); // two folders, parent first, then the file
    EXPECT_EQ(log.entries.begin()->kind, UninstallEntryKind::file);
    EXPECT_EQ(std::next(log.entries.begin())->path, scratch / L"Kardelo 5\\Lang");
    EXPECT_EQ(std::next(log.entries.begin(), 2)->path, scratch / L"Kardelo 5\\Lang\\Deep");
    test::write_file(module, "module");
    log.complete(true);

    log.record_shortcut(0, scratch / L"Menu");
    EXPECT_FALSE(exists(old_shortcut)); // whatever its name
    const auto shortcut = scratch / L"Menu\\Kardelo.lnk";
    test::write_file(shortcut, "new shortcut");
    log.complete(true, &shortcut);

    log.rollback();
    EXPECT_TRUE(log.entries.empty());
    EXPECT_EQ(test::read_file(program), "old program");
    EXPECT_TRUE(test::is_read_only(program));
    EXPECT_FALSE(exists(backup));
    EXPECT_FALSE(exists(module));
    EXPECT_FALSE(exists(scratch / L"Kardelo 5\\Lang"));
    EXPECT_TRUE(exists(scratch / L"Kardelo 5"));
    EXPECT_EQ(test::read_file(old_shortcut), "old shortcut");
    EXPECT_FALSE(exists(shortcut));
    EXPECT_EQ(log.previous_entries.size(), 1u);
}

TEST_F(Rollback, SharedDataIsCopiedAndStaysInPlace) {
    const auto material = scratch / L"Materials\\Oak.kmat";
    test::write_file(material, "the user's oak");
    log.record_file(material, 3, true);
    EXPECT_EQ(test::read_file(material), "the user's oak");
    EXPECT_EQ(test::read_file(log.entries.back().backup_path), "the user's oak");
    test::write_file(material, "replaced");
    log.rollback();
    EXPECT_EQ(test::read_file(material), "the user's oak");
}

TEST_F(Rollback, CompleteNeedsAnOpenEntry) {
    log.record_registration();
    const std::wstring path = L"x";
    log.complete(true, &path);
    log.complete(false);
    ASSERT_EQ(log.entries.size(), 1u);
    EXPECT_TRUE(log.entries.back().succeeded);
    EXPECT_EQ(log.entries.back().path, L"x");
    EXPECT_FALSE(log.entry_open);
}

TEST(BackupFile, NamesAFreshTemporaryFile) {
    const auto name = backup_file(nullptr, false);
    ASSERT_FALSE(name.empty());
    EXPECT_FALSE(exists(name));
    EXPECT_NE(name.find(L"\\qv"), std::wstring::npos);
    const std::wstring missing = name + L".missing";
    EXPECT_TRUE(backup_file(&missing, false).empty());
}

} // namespace
} // namespace qv
