#include "log_entries.hpp"
#include "record/log_format.hpp"

#include <gtest/gtest.h>

namespace qv {
namespace {

using Kind = UninstallEntryKind;
using test::entry;
using test::file;

const std::wstring warning =
    L"// ############ WARNING: Do not delete or modify this file. ############\r\n";

TEST(LogFormat, HeaderLines) {
    struct Case {
        LogHeader header;
        std::vector<std::wstring> lines;
    };
    const Case cases[] = {
        {{L"Kardexa 5.26g", L"", L"C:\\Program Files (x86)\\Quorvane\\Kardexa 5", L"C:\\Menu"},
         {L"// Uninstall Log File v1\r\n", warning, L"// Install Kardexa 5.26g\r\n",
          L"// Install Path : C:\\Program Files (x86)\\Quorvane\\Kardexa 5\r\n",
          L"// Shortcut Path : C:\\Menu\r\n", L"// " + std::wstring(23, L'-') + L"\r\n"}},
        {{L"Kardexa 5.26g", L"Kardexa 5.25a", L"D:\\K", L""},
         {L"// Uninstall Log File v1\r\n", warning,
          L"// Install Kardexa 5.26g -- Update (Kardexa 5.25a)\r\n", L"// Install Path : D:\\K\r\n",
          L"// Shortcut Path : \r\n", L"// " + std::wstring(16, L'-') + L"\r\n"}},
    };
    for (const auto& [header, lines] : cases) {
        EXPECT_EQ(log_lines(header, {}), lines);
    }
}

TEST(LogFormat, EntryLines) {
    const std::list<UninstallLogEntry> entries = {
        entry(Kind::folder, L"C:\\ProgramData\\Quorvane"),
        file(L"C:\\K\\Lang\\Kardelo.de.dll", 0),
        file(L"C:\\K\\Kardelo.exe", 1),
        file(L"C:\\K\\Uninstall.exe", 2),
        file(L"C:\\ProgramData\\Quorvane\\Materials\\Oak.kmat", 3),
        file(L"C:\\Users\\Public\\Documents\\Sample.kdx", 4),
        file(L"C:\\K\\Notes.txt", 5, false),
        entry(Kind::program_shortcut, L"C:\\Menu\\Kardexa 5.26g.lnk"),
        entry(Kind::uninstall_shortcut, L"", false),
        entry(Kind::desktop_shortcut, L"C:\\Users\\Public\\Desktop\\Kardexa 5.26g.lnk"),
        entry(Kind::uninstall_key, L"not written"),
        entry(Kind::registration, L""),
        file(L"C:\\K\\Wide.dat", 0x1FF),
    };
    const std::vector<std::wstring> expected = {
        L"0000:00ff:1 -- C:\\ProgramData\\Quorvane\r\n",
        L"0001:0100:1 -- C:\\K\\Lang\\Kardelo.de.dll\r\n",
        L"0002:0101:1 -- C:\\K\\Kardelo.exe\r\n",
        L"0003:0102:1 -- C:\\K\\Uninstall.exe\r\n",
        L"0004:0103:1 -- C:\\ProgramData\\Quorvane\\Materials\\Oak.kmat\r\n",
        L"0005:0104:1 -- C:\\Users\\Public\\Documents\\Sample.kdx\r\n",
        L"0006:0105:0 -- C:\\K\\Notes.txt\r\n",
        L"0007:02ff:1 -- C:\\Menu\\Kardexa 5.26g.lnk\r\n",
        L"0008:03ff:0 -- \r\n",
        L"0009:04ff:1 -- C:\\Users\\Public\\Desktop\\Kardexa 5.26g.lnk\r\n",
        L"0010:05ff:1 -- "
        L"HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Kardelo "
        L"5\r\n",
        L"0011:06ff:1 -- HKEY_CLASSES_ROOT\\...\r\n",
        L"0012:01ff:1 -- C:\\K\\Wide.dat\r\n",
    };
    const auto lines = log_lines({}, entries);
    ASSERT_EQ(lines.size(), 6 + expected.size());
    EXPECT_EQ(std::vector(lines.begin() + 6, lines.end()), expected);
}

TEST(LogFormat, Utf16LittleEndian) {
    EXPECT_EQ(utf16le_bytes(L"A\u00e9\u20ac\r\n"), std::string("A\0\xE9\0\xAC\x20\r\0\n\0", 10));
}

} // namespace
} // namespace qv
