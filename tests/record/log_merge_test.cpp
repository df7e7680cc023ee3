#include "log_entries.hpp"
#include "record/log_merge.hpp"

#include <gtest/gtest.h>

namespace qv {
namespace {

using Kind = UninstallEntryKind;
using test::described;
using test::entry;
using test::file;

TEST(LogMerge, PreviousEntriesJoinTheFrontUnlessSuperseded) {
    struct Case {
        const char* name;
        std::list<UninstallLogEntry> previous;
        std::list<UninstallLogEntry> entries;
        std::list<UninstallLogEntry> merged;
    };
    const Case cases[] = {
        {"untouched previous entries stay on top in their order",
         {file(L"C:\\D\\a.kmat", 3), file(L"C:\\K\\k.exe", 1), file(L"C:\\D\\b.kmat", 3)},
         {file(L"C:\\K\\k.exe", 1)},
         {file(L"C:\\D\\a.kmat", 3), file(L"C:\\D\\b.kmat", 3), file(L"C:\\K\\k.exe", 1)}},
        {"the same path in other spelling supersedes a folder or file",
         {entry(Kind::folder, L"C:\\K"), file(L"C:\\K\\Lang\\x.dll", 0)},
         {entry(Kind::folder, L"c:/k/"), file(L"c:\\k\\lang\\.\\X.DLL", 0)},
         {entry(Kind::folder, L"c:/k/"), file(L"c:\\k\\lang\\.\\X.DLL", 0)}},
        {"a path of another kind does not",
         {entry(Kind::folder, L"C:\\K\\x")},
         {file(L"C:\\K\\x", 1)},
         {entry(Kind::folder, L"C:\\K\\x"), file(L"C:\\K\\x", 1)}},
        {"of previous entries alike only the last survives",
         {file(L"C:\\K\\k.exe", 1, false), entry(Kind::program_shortcut, L"C:\\M\\old.lnk"),
          file(L"C:\\K\\K.EXE", 1), entry(Kind::program_shortcut, L"C:\\M\\new.lnk")},
         {},
         {file(L"C:\\K\\K.EXE", 1), entry(Kind::program_shortcut, L"C:\\M\\new.lnk")}},
        {"one shortcut of each kind, one key, one registration: this run's",
         {entry(Kind::program_shortcut, L"C:\\M\\a.lnk"), entry(Kind::uninstall_shortcut, L"u"),
          entry(Kind::desktop_shortcut, L"C:\\D\\a.lnk"), entry(Kind::uninstall_key, L""),
          entry(Kind::registration, L"")},
         {entry(Kind::program_shortcut, L"C:\\M\\b.lnk"), entry(Kind::uninstall_key, L"", false),
          entry(Kind::registration, L"", false)},
         {entry(Kind::uninstall_shortcut, L"u"), entry(Kind::desktop_shortcut, L"C:\\D\\a.lnk"),
          entry(Kind::program_shortcut, L"C:\\M\\b.lnk"), entry(Kind::uninstall_key, L"", false),
          entry(Kind::registration, L"", false)}},
    };
    for (const auto& c : cases) {
        auto previous = c.previous;
        auto entries = c.entries;
        merge_previous_entries(previous, entries);
        EXPECT_EQ(described(entries), described(c.merged)) << c.name;
        EXPECT_TRUE(previous.empty()) << c.name;
    }
}

TEST(LogMerge, MovesEntriesWithoutCopying) {
    std::list<UninstallLogEntry> previous = {file(L"C:\\D\\a.kmat", 3)};
    std::list<UninstallLogEntry> entries = {file(L"C:\\K\\k.exe", 1)};
    const UninstallLogEntry* kept = &previous.front();
    merge_previous_entries(previous, entries);
    EXPECT_EQ(&entries.front(), kept);
}

} // namespace
} // namespace qv
