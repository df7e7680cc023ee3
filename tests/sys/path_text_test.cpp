#include "sys/path_text.hpp"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace qv {
namespace {

TEST(PathText, AppendPutsOneBackslash) {
    const std::tuple<const wchar_t*, const wchar_t*, const wchar_t*> cases[] = {
        {L"C:\\a", L"b", L"C:\\a\\b"},   {L"C:\\a\\", L"b", L"C:\\a\\b"},
        {L"C:\\a", L"\\b", L"C:\\a\\b"}, {L"C:\\", L"b", L"C:\\b"},
        {L"C:\\a", L"", L"C:\\a"},       {L"", L"b", L"b"},
        {L"C:/a/", L"/b", L"C:/a/b"},
    };
    for (const auto& [base, component, expected] : cases) {
        EXPECT_EQ(path_append(base, component), expected);
    }
    EXPECT_EQ(split_path(L"\\a//b\\c\\"), (std::vector<std::wstring>{L"a", L"b", L"c"}));
    EXPECT_TRUE(split_path(L"\\/").empty());
}

TEST(PathText, Absolute) {
    EXPECT_TRUE(is_absolute_path(L"D:\\Samples"));
    EXPECT_TRUE(is_absolute_path(L"d:/Samples"));
    EXPECT_TRUE(is_absolute_path(L"\\\\server\\share"));
    EXPECT_FALSE(is_absolute_path(L"D:Samples"));
    EXPECT_FALSE(is_absolute_path(L"\\Samples"));
    EXPECT_FALSE(is_absolute_path(L"Samples"));
}

TEST(PathText, SamePathForFoldersThatDoNotExistYet) {
    const std::tuple<const wchar_t*, const wchar_t*, bool> cases[] = {
        {L"C:\\ProgramData\\Quorvane", L"C:\\ProgramData\\Quorvane", true},
        {L"C:\\ProgramData\\Quorvane", L"c:\\programdata\\QUORVANE", true},
        {L"C:\\ProgramData\\Quorvane\\", L"C:\\ProgramData\\Quorvane", true},
        {L"C:\\ProgramData\\.\\x\\..\\Quorvane", L"C:/ProgramData/Quorvane", true},
        {L"C:\\ProgramData\\Quorvane", L"C:\\ProgramData\\Quorvane 5", false},
        {L"C:\\ProgramData\\Quorvane", L"C:\\ProgramData", false},
        {L"Lang", L"lang", true},
        {L"Lang", L"C:\\Lang", false},
    };
    for (const auto& [a, b, same] : cases) {
        EXPECT_EQ(same_path(a, b), same)
            << std::filesystem::path(a) << " " << std::filesystem::path(b);
    }
    // Text the host cannot turn into a path is still compared as text.
    const std::wstring unpaired(1, static_cast<wchar_t>(0xD800));
    EXPECT_TRUE(same_path(L"C:\\x" + unpaired, L"c:\\X" + unpaired));
}

TEST(PathText, SamePathForExistingObjects) {
    const auto dir = std::filesystem::temp_directory_path() / "qv-same-path";
    std::filesystem::create_directories(dir / "sub");
    std::ofstream(dir / "sub" / "file.txt") << "x";
    const std::wstring base = dir.wstring();
    EXPECT_TRUE(same_path(base + L"/sub/file.txt", base + L"/sub/../sub/file.txt"));
    EXPECT_FALSE(same_path(base + L"/sub/file.txt", base + L"/sub"));
    std::filesystem::remove_all(dir);
}

} // namespace
} // namespace qv
