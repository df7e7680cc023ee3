#include "payload/compress_error.hpp"
#include "payload/placeholders.hpp"

#include "support/table_folders.hpp"

#include <gtest/gtest.h>

#include <map>

namespace qv {
namespace {

using test::TableFolders;

struct Fixture {
    TableFolders shell;
    RightsDirectories rights;
    DestinationContext context;
    Fixture() {
        shell.folders = {{38, L"C:\\Program Files"},
                         {43, L"C:\\Program Files\\Common Files"},
                         {35, L"C:\\ProgramData"},
                         {26, L"C:\\Users\\u\\AppData\\Roaming"},
                         {46, L"C:\\Users\\Public\\Documents"},
                         {5, L"C:\\Users\\u\\Documents"},
                         {25, L"C:\\Users\\Public\\Desktop"},
                         {16, L"C:\\Users\\u\\Desktop"},
                         {36, L"C:\\Windows"},
                         {37, L"C:\\Windows\\System32"}};
        context.install_folder = L"C:\\Program Files\\Quorvane\\Kardexa 5";
        context.sample_folder = L"Kardexa Examples";
        context.temp_folder = L"C:\\Temp\\quorvane_{x}";
        context.folders = &shell;
        context.rights = &rights;
    }
    std::vector<std::wstring> recorded() const {
        std::vector<std::wstring> paths;
        for (const auto& r : rights) {
            paths.push_back(r.path);
        }
        return paths;
    }
};

TEST(Placeholders, Table) {
    const std::pair<const wchar_t*, const wchar_t*> cases[] = {
        {L"<InstallPath>", L"C:\\Program Files\\Quorvane\\Kardexa 5"},
        {L"<InstallPath>\\Lang", L"C:\\Program Files\\Quorvane\\Kardexa 5\\Lang"},
        {L"<InstallPath>/Lang/", L"C:\\Program Files\\Quorvane\\Kardexa 5\\Lang"},
        {L"<ProgramFiles>\\x", L"C:\\Program Files\\x"},
        {L"<ProgramCommon>\\x", L"C:\\Program Files\\Common Files\\x"},
        {L"<UserData>\\x", L"C:\\Users\\u\\AppData\\Roaming\\x"},
        {L"<Documents>\\x", L"C:\\Users\\u\\Documents\\x"},
        {L"<Desktop>", L"C:\\Users\\u\\Desktop"},
        {L"<WinDir>\\Fonts", L"C:\\Windows\\Fonts"},
        {L"<System>", L"C:\\Windows\\System32"},
        {L"<Temporary>\\Setup", L"C:\\Temp\\quorvane_{x}\\Setup"},
        {L"<commondata>\\x", L"x"},         // case matters: dropped
        {L"<Install Path>\\Lang", L"Lang"}, // unknown: dropped
        {L"D:\\Fixed\\Place", L"D:\\Fixed\\Place"},
        {L"", L""},
    };
    for (const auto& [destination, expected] : cases) {
        Fixture f;
        EXPECT_EQ(resolve_destination(destination, f.context), expected) << destination;
        EXPECT_TRUE(f.rights.empty()) << destination;
    }
}

TEST(Placeholders, SharedFoldersRecordEachDirectoryOnce) {
    Fixture f;
    EXPECT_EQ(resolve_destination(L"<CommonData>\\Quorvane\\Materials", f.context),
              L"C:\\ProgramData\\Quorvane\\Materials");
    resolve_destination(L"<CommonData>\\Quorvane\\Materials", f.context);
    resolve_destination(L"<CommonData>\\quorvane\\Kardelo 5", f.context);
    EXPECT_EQ(f.recorded(), (std::vector<std::wstring>{L"C:\\ProgramData\\Quorvane",
                                                       L"C:\\ProgramData\\Quorvane\\Materials",
                                                       L"C:\\ProgramData\\quorvane\\Kardelo 5"}));
    EXPECT_FALSE(f.rights.front().granted);
}

TEST(Placeholders, FallbacksAndMissingFolders) {
    Fixture f;
    f.shell.folders.erase(35); // no all-users data: the user's, still recorded
    EXPECT_EQ(resolve_destination(L"<CommonData>\\Q", f.context),
              L"C:\\Users\\u\\AppData\\Roaming\\Q");
    EXPECT_EQ(f.recorded(), std::vector<std::wstring>{L"C:\\Users\\u\\AppData\\Roaming\\Q"});
    f.shell.folders.erase(46);
    EXPECT_EQ(resolve_destination(L"<CommonDocuments>", f.context), L"C:\\Users\\u\\Documents");
    f.shell.folders.erase(26);
    try {
        resolve_destination(L"<CommonData>\\Q", f.context);
        FAIL() << "no exception";
    } catch (const std::system_error& e) {
        EXPECT_EQ(e.code(), compress_errc::unexpected_error);
    }
    // No fallback for the user's own folders.
    EXPECT_THROW(resolve_destination(L"<UserData>", f.context), std::system_error);
    f.context.temp_folder.clear();
    EXPECT_EQ(resolve_destination(L"<Temporary>\\Setup", f.context),
              L"C:\\Program Files\\Quorvane\\Kardexa 5\\Setup");
}

TEST(Placeholders, SampleRule) {
    Fixture f;
    EXPECT_EQ(resolve_destination(L"<SamplePath>", f.context),
              L"C:\\Users\\Public\\Desktop\\Kardexa Examples");
    EXPECT_EQ(f.recorded(),
              std::vector<std::wstring>{L"C:\\Users\\Public\\Desktop\\Kardexa Examples"});

    for (const wchar_t* absolute : {L"D:\\Samples", L"\\\\server\\share\\Samples"}) {
        Fixture g;
        g.context.sample_folder = absolute;
        EXPECT_EQ(resolve_destination(L"<SamplePath>", g.context), absolute);
        EXPECT_TRUE(g.rights.empty());
    }
    Fixture empty;
    empty.context.sample_folder.clear();
    empty.shell.folders.erase(25);
    EXPECT_EQ(resolve_destination(L"<SamplePath>", empty.context), L"C:\\Users\\u\\Desktop");
    EXPECT_TRUE(empty.rights.empty());
}

} // namespace
} // namespace qv
