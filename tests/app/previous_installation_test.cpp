#include "app/previous_installation.hpp"
#include "app/product.hpp"

#include <gtest/gtest.h>

#include <set>

namespace qv {
namespace {

class TableEvidence final : public InstallationEvidence {
public:
    std::wstring program = L"C:\\Kardelo 5\\Kardelo.exe";
    std::optional<Version> version;
    std::optional<std::wstring> uninstaller = L"C:\\Kardelo 5\\Uninstall.exe";
    std::set<std::wstring> files;
    // What the log read by the detection names.
    std::wstring logged_install_folder = L"C:\\Kardelo 5";
    std::wstring logged_start_menu_folder = L"C:\\Menu\\Kardelo 5";
    mutable std::vector<std::wstring> logs_read;

    std::wstring registered_program() const override { return program; }
    std::optional<Version> version_of(const std::wstring&) const override { return version; }
    std::optional<std::wstring> uninstall_string() const override { return uninstaller; }
    std::wstring setup_program_folder() const override { return L"D:\\Setup"; }
    bool file_exists(const std::wstring& path) const override { return files.count(path) != 0; }
    void read_log(UninstallLog& log, const std::wstring* path) const override {
        logs_read.push_back(path ? *path : L"(none)");
        log.previous_install_folder = path ? logged_install_folder : L"";
        log.previous_start_menu_folder = path ? logged_start_menu_folder : L"";
    }
};

TEST(PreviousInstallation, VersionDecidesTheKindOfRun) {
    const struct {
        std::optional<std::uint64_t> version;
        InstallStatus status;
    } cases[] = {
        {pack_version(5, 26, 7, 2), InstallStatus::newer_version},
        {pack_version(5, 27, 0, 0), InstallStatus::newer_version},
        {pack_version(6, 0, 0, 0), InstallStatus::newer_version},
        {pack_version(5, 26, 7, 1), InstallStatus::same_version},
        {pack_version(5, 26, 7, 0), InstallStatus::older_version},
        {pack_version(5, 26, 6, 9), InstallStatus::older_version},
        {pack_version(4, 9, 0, 0), InstallStatus::older_version},
        {std::nullopt, InstallStatus::same_version},
    };
    for (const auto& c : cases) {
        TableEvidence evidence;
        evidence.files.insert(L"C:\\Kardelo 5\\Uninstall.ulog");
        if (c.version) {
            evidence.version = InstallationEvidence::Version{*c.version, L"Kardexa 5.26x"};
        }
        InstallerState state;
        detect_previous_installation(state, evidence);
        EXPECT_EQ(state.install_status, c.status) << (c.version ? *c.version : 0);
        const bool older = c.status == InstallStatus::older_version;
        const bool shows_version = older || c.status == InstallStatus::newer_version;
        EXPECT_EQ(state.previous_version, older ? *c.version : 0);
        EXPECT_EQ(state.previous_version_text, shows_version ? L"Kardexa 5.26x" : L"");
        // A refused run takes nothing over from the log.
        const bool reads_log = c.status != InstallStatus::newer_version;
        EXPECT_EQ(
            evidence.logs_read,
            std::vector<std::wstring>{reads_log ? L"C:\\Kardelo 5\\Uninstall.ulog" : L"(none)"});
        EXPECT_EQ(state.install_folder, reads_log ? L"C:\\Kardelo 5" : L"");
    }
}

TEST(PreviousInstallation, NoRegisteredProgramIsAFirstInstallation) {
    TableEvidence evidence;
    evidence.program.clear();
    InstallerState state;
    detect_previous_installation(state, evidence);
    EXPECT_EQ(state.install_status, InstallStatus::none);
    EXPECT_EQ(evidence.logs_read, std::vector<std::wstring>{L"(none)"});
}

TEST(PreviousInstallation, LogIsLookedForInThreePlaces) {
    TableEvidence evidence;
    evidence.program = L"E:\\Other\\Kardelo.exe";
    EXPECT_EQ(locate_uninstall_log(evidence), L"");
    evidence.files = {L"E:\\Other\\Uninstall.ulog"};
    EXPECT_EQ(locate_uninstall_log(evidence), L"E:\\Other\\Uninstall.ulog");
    // The uninstaller's folder has no log: the one beside the setup program.
    evidence.files.insert(L"D:\\Setup\\Uninstall.ulog");
    EXPECT_EQ(locate_uninstall_log(evidence), L"D:\\Setup\\Uninstall.ulog");
    evidence.files.insert(L"C:\\Kardelo 5\\Uninstall.ulog");
    EXPECT_EQ(locate_uninstall_log(evidence), L"C:\\Kardelo 5\\Uninstall.ulog");
    evidence.uninstaller.reset();
    EXPECT_EQ(locate_uninstall_log(evidence), L"D:\\Setup\\Uninstall.ulog");
}

TEST(PreviousInstallation, FolderTheLogNoLongerFindsStaysForTheDefaults) {
    TableEvidence evidence;
    evidence.version = InstallationEvidence::Version{full_version, L"Kardexa 5.26g"};
    evidence.files.insert(L"D:\\Setup\\Uninstall.ulog");
    evidence.logged_install_folder.clear(); // the log names a vanished folder
    InstallerState state;
    detect_previous_installation(state, evidence);
    EXPECT_EQ(state.install_folder, L"");
    EXPECT_EQ(state.start_menu_folder, L"C:\\Menu\\Kardelo 5");
}

} // namespace
} // namespace qv
