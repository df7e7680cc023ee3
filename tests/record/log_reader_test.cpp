#include "log_entries.hpp"
#include "memory_log_input.hpp"
#include "record/log_format.hpp"
#include "record/log_reader.hpp"
#include "support/scratch_folder.hpp"

#include <gtest/gtest.h>

namespace qv {
namespace {

using Kind = UninstallEntryKind;
using test::described;
using test::entry;
using test::file;

std::string utf16_file(const std::vector<std::wstring>& lines) {
    std::string bytes(byte_order_mark);
    for (const auto& line : lines) {
        bytes += utf16le_bytes(line);
    }
    return bytes;
}

UninstallLog read_bytes(std::string bytes, std::size_t failing_at = std::string::npos) {
    test::MemoryLogInput input(std::move(bytes), failing_at);
    UninstallLog log;
    read_log(input, 1252, system_log_files(), log);
    return log;
}

const std::vector<std::wstring> header = {
    L"// Uninstall Log File v1\r\n", L"// ####\r\n",
    L"// Install Kardexa 5.26g\r\n", L"// Install Path : C:\\K\r\n",
    L"// Shortcut Path : C:\\M\r\n", L"// ---\r\n"};

std::vector<std::wstring> with_header(std::vector<std::wstring> entry_lines) {
    auto lines = header;
    lines.insert(lines.end(), entry_lines.begin(), entry_lines.end());
    return lines;
}

TEST(LogReader, ReadsWhatTheWriterWrote) {
    const test::ScratchFolder scratch("log-reader-round-trip");
    const std::wstring install = scratch / L"Kardexa 5";
    const std::wstring menu = scratch / L"Menu \u00e9\u20ac";
    test::write_file(install + L"\\Kardelo.exe", "");
    test::write_file(menu + L"\\x.lnk", "");
    const std::list<UninstallLogEntry> entries = {
        entry(Kind::folder, L"C:\\ProgramData\\Quorvane"),
        file(L"C:\\K\\Lang\\Kardelo.de.dll", 0),
        file(L"C:\\K\\Kardelo.exe", 1),
        file(L"C:\\K\\Uninstall.exe", 2),
        file(L"C:\\ProgramData\\Quorvane\\Materials\\\u00c9rable.kmat", 3),
        file(L"C:\\Samples\\a.kdx", 4),
        file(L"C:\\K\\Notes.txt", 5, false),
        entry(Kind::program_shortcut, L"C:\\M\\Kardexa 5.26g.lnk"),
        entry(Kind::uninstall_shortcut, L"", false),
        entry(Kind::desktop_shortcut, L"C:\\Desktop\\Kardexa 5.26g.lnk"),
        entry(Kind::uninstall_key, L""),
        entry(Kind::registration, L""),
    };
    struct Case {
        LogHeader header;
        std::wstring label, install_folder, start_menu_folder;
    };
    const Case cases[] = {
        {{L"Kardexa 5.26g", L"", install, menu}, L"Kardexa 5.26g", install, menu},
        {{L"Kardexa 5.26g", L"Kardexa 5.25a", install, menu}, L"Kardexa 5.26g", install, menu},
        // Folders that are gone, or files, are not taken over.
        {{L"Kardelo 5.26g", L"x", scratch / L"gone", install + L"\\Kardelo.exe"},
         L"Kardelo 5.26g",
         L"",
         L""},
        // Nor is an empty one, which keeps the entries coming all the same.
        {{L"Kardexa 5.26g", L"", L"", L""}, L"Kardexa 5.26g", L"", L""},
    };
    for (const auto& c : cases) {
        const auto log = read_bytes(utf16_file(log_lines(c.header, entries)));
        EXPECT_EQ(log.previous_label, c.label);
        EXPECT_EQ(log.previous_install_folder, c.install_folder);
        EXPECT_EQ(log.previous_start_menu_folder, c.start_menu_folder);
        EXPECT_EQ(described(log.previous_entries), described(entries));
    }
}

TEST(LogReader, AcceptsLooseSpelling) {
    const std::pair<std::wstring, UninstallLogEntry> cases[] = {
        {L"0:ff:1 -- C:\\K", entry(Kind::folder, L"C:\\K")},
        {L" 0012 : 0103 : 0   --  \tC:\\D\\a b.kmat \t\v\f", file(L"C:\\D\\a b.kmat", 3, false)},
        {L"0000:0101:1 --", file(L"", 1)},
        {L"0000:0106:1 -- x", file(L"x", 6)},
        {L"0000:0500:1 -- HKEY_LOCAL_MACHINE\\x", entry(Kind::uninstall_key, L"", true, 0)},
        {L"0000:02ff:1-- y", entry(Kind::program_shortcut, L"y")},
        {L"0000:03ff:1 -- --z --", entry(Kind::uninstall_shortcut, L"--z --")},
    };
    for (const auto& [line, expected] : cases) {
        const auto log = read_bytes(utf16_file(with_header({line + L"\r\n"})));
        EXPECT_EQ(described(log.previous_entries), described({expected})) << line;
    }
    const auto log = read_bytes(utf16_file({L"////\t Uninstall Log File v01  \r\n", L"//x\r\n",
                                            L"//Install  Kardexa 5.25a  -- Update (5.0)\r\n"}));
    EXPECT_EQ(log.previous_label, L"Kardexa 5.25a");
}

// The reading ends at the damaged line and keeps what came before.
TEST(LogReader, DamagedLineEndsTheReading) {
    const wchar_t* damaged[] = {
        L"-001:00ff:1 -- C:\\x",
        L"0001;00ff:1 -- C:\\x",
        L"0001:0700:1 -- C:\\x",
        L"0001:-1:1 -- C:\\x",
        L"0001:00ff;1 -- C:\\x",
        L"0001:00ff:2 -- C:\\x",
        L"0001:00ff:1 - C:\\x",
        L"0001:00ff:1 ---C:\\x",
        L"0001:00ff:1",
        L"0001:zz:1 -- C:\\x",
        L"",
        L"x:00ff:1 -- C:\\x",
        L"99999999999:00ff:1 --",
    };
    for (const wchar_t* line : damaged) {
        const auto log = read_bytes(
            utf16_file(with_header({L"0000:00ff:1 -- C:\\a\r\n", std::wstring(line) + L"\r\n",
                                    L"0002:00ff:1 -- C:\\b\r\n"})));
        EXPECT_EQ(described(log.previous_entries), described({entry(Kind::folder, L"C:\\a")}))
            << line;
        EXPECT_EQ(log.previous_label, L"Kardexa 5.26g");
    }
}

TEST(LogReader, HeaderRules) {
    struct Case {
        std::vector<std::wstring> lines;
        std::wstring label;
        std::size_t entries;
    };
    const std::wstring one = L"0000:00ff:1 -- C:\\a\r\n";
    const Case cases[] = {
        {{L"// Uninstall Log File v2\r\n", header[1], header[2], one}, L"", 0},
        {{L"// Uninstall Log File\r\n", header[1], header[2], one}, L"", 0},
        {{L"// Uninstall Log File vX\r\n", header[1], header[2], one}, L"", 0},
        {{L"Uninstall Log File v1\r\n", header[1], header[2], one}, L"", 0},
        {{one, header[0], header[1], header[2]}, L"", 0},
        {{header[0], header[1], L"// Setup Kardexa\r\n", one}, L"", 0},
        {{header[0], header[1], header[2], L"// Path : C:\\K\r\n", one}, L"Kardexa 5.26g", 0},
        {{header[0], header[1], header[2], header[3], L"// C:\\M\r\n", one}, L"Kardexa 5.26g", 0},
        // Header lines past the fifth, and between entries, are ignored.
        {{header[0], header[1], header[2], header[3], header[4], one, L"// Install x\r\n", one},
         L"Kardexa 5.26g",
         2},
    };
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        const auto log = read_bytes(utf16_file(cases[i].lines));
        EXPECT_EQ(log.previous_label, cases[i].label) << i;
        EXPECT_EQ(log.previous_entries.size(), cases[i].entries) << i;
    }
}

// 1022 bytes of a line, its end included, are accepted; a longer line ends
// the reading.
TEST(LogReader, LongLines) {
    const std::wstring start = L"0001:00ff:1 -- ";
    struct Case {
        bool utf16;
        std::size_t bytes; // of the long line, "\r\n" included
        bool accepted;
    };
    const Case cases[] = {
        {true, 1022, true},  {true, 1024, false},  {true, 4000, false},
        {false, 1022, true}, {false, 1023, false}, {false, 4000, false},
    };
    for (const auto& c : cases) {
        const std::size_t units = c.utf16 ? c.bytes / 2 : c.bytes;
        const std::wstring long_line =
            start + std::wstring(units - start.size() - 2, L'x') + L"\r\n";
        const auto lines =
            with_header({L"0000:00ff:1 -- C:\\a\r\n", long_line, L"0002:00ff:1 -- C:\\b\r\n"});
        std::string bytes;
        if (c.utf16) {
            bytes = utf16_file(lines);
        } else {
            for (const auto& line : lines) {
                for (const wchar_t unit : line) {
                    bytes.push_back(static_cast<char>(unit));
                }
            }
        }
        const auto log = read_bytes(bytes);
        EXPECT_EQ(log.previous_entries.size(), c.accepted ? 3u : 1u) << c.utf16 << " " << c.bytes;
        if (c.accepted) {
            EXPECT_EQ(std::next(log.previous_entries.begin())->path.size(),
                      units - start.size() - 2);
        }
    }
}

TEST(LogReader, EndOfFile) {
    const auto lines = with_header({L"0000:00ff:1 -- C:\\a\r\n", L"0001:00ff:1 -- C:\\b"});
    const std::string bytes = utf16_file(lines);
    // A last line without its end counts; an odd last byte does not.
    EXPECT_EQ(read_bytes(bytes).previous_entries.size(), 2u);
    EXPECT_EQ(read_bytes(bytes + "\n").previous_entries.size(), 2u);
    EXPECT_EQ(read_bytes(bytes.substr(0, bytes.size() - 1)).previous_entries.back().path, L"C:\\");
    // A read error drops the line it interrupts.
    EXPECT_EQ(read_bytes(bytes, bytes.size() - 2).previous_entries.size(), 1u);
    EXPECT_EQ(read_bytes(bytes, 0).previous_label, L"");
    EXPECT_EQ(read_bytes("").previous_entries.size(), 0u);
    EXPECT_EQ(read_bytes("\xFF").previous_entries.size(), 0u);
}

} // namespace
} // namespace qv
