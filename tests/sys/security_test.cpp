#include "sys/security.hpp"

#include <gtest/gtest.h>

#include <sddl.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <optional>
#include <string>
#include <variant>
#include <vector>

namespace qv {
namespace {

constexpr DWORD folder_access = 0x1F01FF;
constexpr DWORD folder_inheritance = OBJECT_INHERIT_ACE | CONTAINER_INHERIT_ACE;
constexpr DWORD file_access = 0x13019F;

template <typename Call> std::optional<hresult> thrown(Call call) {
    try {
        call();
    } catch (hresult code) {
        return code;
    }
    return std::nullopt;
}

std::wstring sid_string(PSID sid) {
    wchar_t* text = nullptr;
    if (!ConvertSidToStringSidW(sid, &text)) {
        return L"(invalid)";
    }
    const unique_local owned(text);
    return text;
}

std::string account(PSID sid) {
    const std::wstring text = sid_string(sid);
    return text == L"S-1-5-32-544"   ? "A"
           : text == L"S-1-5-32-545" ? "U"
           : text == L"S-1-1-0"      ? "E"
           : text == L"S-1-5-11"     ? "N"
                                     : "?";
}

// "U t0 f3 m1f01ff" per entry, then the descriptor's inheritance control.
std::vector<std::string> describe(PSECURITY_DESCRIPTOR descriptor) {
    BOOL present = FALSE;
    BOOL defaulted = FALSE;
    PACL acl = nullptr;
    EXPECT_TRUE(GetSecurityDescriptorDacl(descriptor, &present, &acl, &defaulted));
    std::vector<std::string> lines;
    for (DWORD i = 0; present && acl && i < acl->AceCount; ++i) {
        void* ace = nullptr;
        EXPECT_TRUE(GetAce(acl, i, &ace));
        const auto* entry = static_cast<const ACCESS_ALLOWED_ACE*>(ace);
        char text[64];
        std::snprintf(text, sizeof text, "%s t%x f%x m%lx",
                      account(const_cast<DWORD*>(&entry->SidStart)).c_str(), entry->Header.AceType,
                      entry->Header.AceFlags, entry->Mask);
        lines.push_back(text);
    }
    SECURITY_DESCRIPTOR_CONTROL control = 0;
    DWORD revision = 0;
    EXPECT_TRUE(GetSecurityDescriptorControl(descriptor, &control, &revision));
    char text[32];
    std::snprintf(text, sizeof text, "control %x",
                  control &
                      (SE_DACL_AUTO_INHERIT_REQ | SE_DACL_AUTO_INHERITED | SE_DACL_PROTECTED));
    lines.push_back(text);
    return lines;
}

struct Entry {
    BYTE type;
    BYTE flags;
    DWORD mask;
    WellKnownSid who;
};
enum class Dacl { absent, null, entries };

// A descriptor as a file's could be, self-relative like GetFileSecurityW's.
std::vector<std::uint8_t> old_descriptor(Dacl kind, const std::vector<Entry>& entries,
                                         SECURITY_DESCRIPTOR_CONTROL control) {
    std::vector<DWORD> acl_memory(128);
    const auto acl = reinterpret_cast<PACL>(acl_memory.data());
    EXPECT_TRUE(InitializeAcl(acl, 512, ACL_REVISION));
    for (const auto& e : entries) {
        const Sid sid = sid_of(e.who);
        EXPECT_TRUE(e.type == ACCESS_ALLOWED_ACE_TYPE
                        ? AddAccessAllowedAceEx(acl, ACL_REVISION, e.flags, e.mask, sid.get())
                        : AddAccessDeniedAceEx(acl, ACL_REVISION, e.flags, e.mask, sid.get()));
    }
    SECURITY_DESCRIPTOR absolute{};
    EXPECT_TRUE(InitializeSecurityDescriptor(&absolute, SECURITY_DESCRIPTOR_REVISION));
    if (kind != Dacl::absent) {
        EXPECT_TRUE(
            SetSecurityDescriptorDacl(&absolute, TRUE, kind == Dacl::null ? nullptr : acl, FALSE));
    }
    EXPECT_TRUE(SetSecurityDescriptorControl(&absolute, control, control));
    DWORD size = 0;
    MakeSelfRelativeSD(&absolute, nullptr, &size);
    std::vector<std::uint8_t> self_relative(size);
    EXPECT_TRUE(MakeSelfRelativeSD(&absolute, self_relative.data(), &size));
    return self_relative;
}

TEST(Security, GrantedDescriptorReplacesTheUsersEntries) {
    using enum WellKnownSid;
    const BYTE allowed = ACCESS_ALLOWED_ACE_TYPE;
    const BYTE denied = ACCESS_DENIED_ACE_TYPE;
    struct Case {
        const char* name;
        Dacl kind;
        std::vector<Entry> entries;
        SECURITY_DESCRIPTOR_CONTROL control;
        DWORD mask;
        DWORD flags;
        std::vector<std::string> expected;
    } cases[] = {
        {"explicit Users entry",
         Dacl::entries,
         {{allowed, 0, 0x1F01FF, administrators},
          {allowed, 0, 0x120089, users},
          {denied, 0, 1, everyone}},
         0,
         file_access,
         0,
         {"A t0 f0 m1f01ff", "E t1 f0 m1", "U t0 f0 m13019f", "control 0"}},
        {"inherited entries, auto-inherited",
         Dacl::entries,
         {{allowed, 0x13, 0x1200A9, users},
          {allowed, 0x13, 0x1F01FF, administrators},
          {allowed, 0x10, 0x1301BF, authenticated_users}},
         SE_DACL_AUTO_INHERITED,
         folder_access,
         folder_inheritance,
         {"U t0 f3 m1f01ff", "A t0 f13 m1f01ff", "N t0 f10 m1301bf", "control 500"}},
        {"null DACL",
         Dacl::null,
         {},
         0,
         folder_access,
         folder_inheritance,
         {"U t0 f3 m1f01ff", "control 0"}},
        {"no DACL", Dacl::absent, {}, 0, file_access, 0, {"U t0 f0 m13019f", "control 0"}},
        {"protected",
         Dacl::entries,
         {{allowed, 3, 1, users}, {allowed, 0, 0x120089, everyone}},
         SE_DACL_PROTECTED,
         file_access,
         0,
         {"E t0 f0 m120089", "U t0 f0 m13019f", "control 1000"}},
    };
    const Sid users_sid = sid_of(users);
    for (auto& c : cases) {
        std::vector<std::uint8_t> old = old_descriptor(c.kind, c.entries, c.control);
        GrantedDescriptor granted =
            granted_descriptor(old.data(), users_sid.get(), c.mask, c.flags);
        EXPECT_TRUE(IsValidSecurityDescriptor(&granted.descriptor)) << c.name;
        EXPECT_EQ(describe(&granted.descriptor), c.expected) << c.name;
    }
    std::vector<std::uint8_t> old = old_descriptor(Dacl::null, {}, 0);
    EXPECT_EQ(thrown([&] { granted_descriptor(old.data(), nullptr, file_access, 0); }),
              hr::invalid_arg);
}

class SecurityFiles : public testing::Test {
protected:
    void SetUp() override {
        root_ = std::filesystem::temp_directory_path() /
                ("qv-security-" + std::to_string(GetCurrentProcessId()));
        std::filesystem::create_directories(root_ / L"shared");
        for (const auto* name : {L"data.bin", L"probe.bin"}) {
            const unique_handle file(CreateFileW((root_ / name).c_str(), GENERIC_WRITE, 0, nullptr,
                                                 CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
            ASSERT_NE(file.get(), INVALID_HANDLE_VALUE);
        }
    }
    void TearDown() override { std::filesystem::remove_all(root_); }

    std::wstring path(const wchar_t* name) const { return (root_ / name).wstring(); }

    // Whether a distinctive DACL written to a file reads back the same.
    bool platform_keeps_dacls() const {
        const std::vector<std::uint8_t> written = old_descriptor(
            Dacl::entries,
            {{ACCESS_DENIED_ACE_TYPE, 0, 0x40, WellKnownSid::everyone},
             {ACCESS_ALLOWED_ACE_TYPE, 0, 0x1301BF, WellKnownSid::authenticated_users}},
            0);
        const std::wstring probe = path(L"probe.bin");
        EXPECT_TRUE(SetFileSecurityW(probe.c_str(), DACL_SECURITY_INFORMATION,
                                     const_cast<std::uint8_t*>(written.data())));
        const unique_local read = get_file_security(probe, DACL_SECURITY_INFORMATION);
        return describe(read.get()) == describe(const_cast<std::uint8_t*>(written.data()));
    }

    std::filesystem::path root_;
};

TEST_F(SecurityFiles, GrantAccessOnFileAndFolder) {
    const Sid users = sid_of(WellKnownSid::users);
    struct Case {
        std::wstring path;
        DWORD mask;
        DWORD flags;
        std::vector<std::string> expected;
    } cases[] = {
        {path(L"shared"), folder_access, folder_inheritance, {}},
        {path(L"data.bin"), file_access, 0, {}},
    };
    for (auto& c : cases) {
        // What the platform reports now decides what must be written.
        const unique_local old = get_file_security(c.path, DACL_SECURITY_INFORMATION);
        GrantedDescriptor expected = granted_descriptor(old.get(), users.get(), c.mask, c.flags);
        c.expected = describe(&expected.descriptor);
        char users_entry[32];
        std::snprintf(users_entry, sizeof users_entry, "U t0 f%lx m%lx", c.flags, c.mask);
        EXPECT_EQ(std::count(c.expected.begin(), c.expected.end(), users_entry), 1);
        EXPECT_TRUE(grant_access(c.path, c.mask, c.flags));
    }
    if (!platform_keeps_dacls()) {
        GTEST_SKIP() << "this platform rebuilds file DACLs on reading";
    }
    for (const auto& c : cases) {
        const unique_local written = get_file_security(c.path, DACL_SECURITY_INFORMATION);
        EXPECT_EQ(describe(written.get()), c.expected);
    }
}

TEST_F(SecurityFiles, GrantAccessOnAMissingFileThrows) {
    EXPECT_EQ(thrown([&] { grant_access(path(L"missing.bin"), file_access, 0); }),
              static_cast<hresult>(0x80070002u));
}

TEST(Security, WellKnownSids) {
    const std::pair<WellKnownSid, const wchar_t*> cases[] = {
        {WellKnownSid::everyone, L"S-1-1-0"},
        {WellKnownSid::administrators, L"S-1-5-32-544"},
        {WellKnownSid::users, L"S-1-5-32-545"},
        {WellKnownSid::authenticated_users, L"S-1-5-11"},
    };
    for (const auto& [which, expected] : cases) {
        EXPECT_EQ(sid_string(sid_of(which).get()), expected);
    }
    const std::wstring by_name = sid_string(sid_of(WellKnownSid::current_user).get());
    EXPECT_EQ(by_name.rfind(L"S-1-5-21-", 0), 0u) << by_name;
    EXPECT_EQ(sid_string(sid_of(WellKnownSid::token_user).get()), by_name);
    EXPECT_EQ(thrown([] { sid_of(static_cast<WellKnownSid>(6)); }), hr::invalid_arg);
}

TEST(Security, AdministratorOnThisPlatform) {
    EXPECT_TRUE(administrators_membership());
    EXPECT_TRUE(administrators_access_check());
    EXPECT_TRUE(is_administrator());
}

TEST(Security, AdministratorFallsBackOnlyWhenMembershipFails) {
    constexpr hresult access_denied = static_cast<hresult>(0x80070005u);
    // An answer, or the HRESULT thrown instead.
    using Answer = std::variant<bool, hresult>;
    struct Case {
        Answer membership;
        Answer access_check;
        bool expected;
        bool checked_access;
    } cases[] = {
        {true, false, true, false},
        {false, true, false, false},
        {hr::not_impl, true, true, true},
        {access_denied, false, false, true},
        {access_denied, hr::fail, false, true},
    };
    for (const auto& c : cases) {
        bool checked_access = false;
        const auto answer = [](const Answer& a) {
            if (const auto* code = std::get_if<hresult>(&a)) {
                throw_hresult(*code);
            }
            return std::get<bool>(a);
        };
        const AdminChecks checks{[&] { return answer(c.membership); },
                                 [&] {
                                     checked_access = true;
                                     return answer(c.access_check);
                                 }};
        EXPECT_EQ(is_administrator(checks), c.expected);
        EXPECT_EQ(checked_access, c.checked_access);
    }
}

TEST(Security, RestrictedTokenIsNoMember) {
    HANDLE process = nullptr;
    ASSERT_TRUE(OpenProcessToken(GetCurrentProcess(), TOKEN_DUPLICATE | TOKEN_QUERY, &process));
    const unique_handle process_token(process);
    const Sid administrators = sid_of(WellKnownSid::administrators);
    SID_AND_ATTRIBUTES deny_only{administrators.get(), 0};
    HANDLE restricted = nullptr;
    ASSERT_TRUE(
        CreateRestrictedToken(process, 0, 1, &deny_only, 0, nullptr, 0, nullptr, &restricted));
    const unique_handle restricted_token(restricted);
    ASSERT_TRUE(ImpersonateLoggedOnUser(restricted));
    {
        const unique_impersonation impersonating(true);
        EXPECT_FALSE(administrators_membership());
        EXPECT_FALSE(is_administrator());
    }
    EXPECT_TRUE(administrators_membership());
}

bool privilege_enabled(const wchar_t* name) {
    HANDLE token = nullptr;
    EXPECT_TRUE(OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token));
    const unique_handle owned(token);
    LUID luid{};
    EXPECT_TRUE(LookupPrivilegeValueW(nullptr, name, &luid));
    const unique_local info = get_token_information(token, TokenPrivileges);
    const auto* privileges = static_cast<const TOKEN_PRIVILEGES*>(info.get());
    for (DWORD i = 0; i < privileges->PrivilegeCount; ++i) {
        const auto& entry = privileges->Privileges[i];
        if (entry.Luid.LowPart == luid.LowPart && entry.Luid.HighPart == luid.HighPart) {
            return (entry.Attributes & SE_PRIVILEGE_ENABLED) != 0;
        }
    }
    return false;
}

TEST(Security, EnablePrivilege) {
    const struct {
        const wchar_t* name;
        bool enable;
        bool expected;
    } cases[] = {
        {L"SeBackupPrivilege", false, true}, {L"SeBackupPrivilege", true, true},
        {L"SeRestorePrivilege", true, true}, {L"SeCreateTokenPrivilege", true, false}, // not held
        {L"SeNoSuchPrivilege", true, false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(enable_privilege(c.name, c.enable), c.expected) << c.name;
        if (c.expected) {
            EXPECT_EQ(privilege_enabled(c.name), c.enable) << c.name;
        }
    }
}

TEST(Security, ResolverFindsAdvapiFunctionsByName) {
    EXPECT_EQ(advapi_proc("GetLengthSid"),
              GetProcAddress(GetModuleHandleW(L"advapi32.dll"), "GetLengthSid"));
    EXPECT_EQ(thrown([] { advapi_proc("QvNoSuchFunction"); }), hr::not_impl);
}

} // namespace
} // namespace qv
