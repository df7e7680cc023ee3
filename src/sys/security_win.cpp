#include "sys/security.hpp"

#include "sys/acl_merge.hpp"

#include <cstring>
#include <new>
#include <vector>

namespace qv {
namespace {

constexpr hresult out_of_memory = static_cast<hresult>(E_OUTOFMEMORY);

Sid built_in_sid(SID_IDENTIFIER_AUTHORITY authority, BYTE count, DWORD rid0, DWORD rid1 = 0) {
    return Sid(allocate_and_initialize_sid(authority, count, rid0, rid1));
}

Sid copied_sid(PSID sid) {
    if (!sid || !is_valid_sid(sid)) {
        throw_hresult(hr::invalid_arg);
    }
    const DWORD length = get_length_sid(sid);
    unique_local copy = local_alloc_zeroed(length);
    std::memcpy(copy.get(), sid, length);
    return Sid(std::move(copy));
}

Sid current_user_sid() {
    SID_NAME_USE use = SidTypeUnknown;
    unique_local sid = lookup_account_name(get_user_name().c_str(), use);
    if (use != SidTypeUser) {
        throw_hresult(hr::unexpected);
    }
    return Sid(std::move(sid));
}

Sid token_user_sid() {
    const unique_handle token = open_thread_token(TOKEN_QUERY);
    const unique_local user = get_token_information(token.get(), TokenUser);
    return copied_sid(static_cast<const TOKEN_USER*>(user.get())->User.Sid);
}

// Runs `call`; false when the platform lacks one of its functions.
template <typename Call> bool where_implemented(Call call) {
    try {
        call();
        return true;
    } catch (hresult code) {
        if (code != hr::not_impl) {
            throw;
        }
        return false;
    }
}

// The old entries as records, merged with the new one for `account`.
MergedAces merged_entries(PACL old, DWORD count, PSID account, DWORD sid_length) {
    try {
        std::vector<AceRecord> records;
        for (DWORD i = 0; i < count; ++i) {
            const ACE_HEADER* ace = get_ace(old, i);
            records.push_back(
                ace_record({reinterpret_cast<const std::uint8_t*>(ace), ace->AceSize}));
        }
        const auto sid = static_cast<const std::uint8_t*>(account);
        AceRecord added; // only its SID matters to the merge
        added.sid.assign(sid, sid + sid_length);
        return merge(records, std::move(added));
    } catch (const std::bad_alloc&) {
        throw_hresult(out_of_memory);
    }
}

// Without the Ex form the entry goes in without inheritance flags.
void add_allowed_entry(PACL acl, DWORD mask, DWORD flags, PSID sid) {
    if (flags != 0 && where_implemented([&] {
            add_access_allowed_ace_ex(acl, ACL_REVISION, flags, mask, sid);
        })) {
        return;
    }
    add_access_allowed_ace(acl, ACL_REVISION, mask, sid);
}

} // namespace

PSID Sid::get() const noexcept {
    return std::visit([](const auto& sid) -> PSID { return sid.get(); }, storage_);
}

Sid sid_of(WellKnownSid which) {
    constexpr SID_IDENTIFIER_AUTHORITY world = SECURITY_WORLD_SID_AUTHORITY;
    constexpr SID_IDENTIFIER_AUTHORITY nt = SECURITY_NT_AUTHORITY;
    switch (which) {
    case WellKnownSid::everyone:
        return built_in_sid(world, 1, SECURITY_WORLD_RID);
    case WellKnownSid::administrators:
        return built_in_sid(nt, 2, SECURITY_BUILTIN_DOMAIN_RID, DOMAIN_ALIAS_RID_ADMINS);
    case WellKnownSid::users:
        return built_in_sid(nt, 2, SECURITY_BUILTIN_DOMAIN_RID, DOMAIN_ALIAS_RID_USERS);
    case WellKnownSid::authenticated_users:
        return built_in_sid(nt, 1, SECURITY_AUTHENTICATED_USER_RID);
    case WellKnownSid::current_user:
        return current_user_sid();
    case WellKnownSid::token_user:
        return token_user_sid();
    }
    throw_hresult(hr::invalid_arg);
}

bool is_administrator(const AdminChecks& checks) noexcept {
    try {
        return checks.membership();
    } catch (...) {
        // Left to the access check.
    }
    try {
        return checks.access_check();
    } catch (...) {
        return false;
    }
}

bool administrators_membership() {
    const Sid administrators = sid_of(WellKnownSid::administrators);
    return check_token_membership(nullptr, administrators.get());
}

bool administrators_access_check() {
    constexpr DWORD read_access = 1;
    constexpr DWORD write_access = 2;
    unique_handle token; // closed after the impersonation ends
    const unique_impersonation impersonation = impersonate_self(SecurityImpersonation);
    token = open_thread_token(TOKEN_QUERY);
    const Sid administrators = sid_of(WellKnownSid::administrators);
    const DWORD acl_size =
        acl_size_plus_allowed_entry(sizeof(ACL), get_length_sid(administrators.get()));
    const unique_local memory = local_alloc_zeroed(acl_size);
    const auto acl = static_cast<PACL>(memory.get());
    initialize_acl(acl, acl_size, ACL_REVISION);
    add_access_allowed_ace(acl, ACL_REVISION, read_access | write_access, administrators.get());
    SECURITY_DESCRIPTOR descriptor{};
    initialize_security_descriptor(&descriptor, SECURITY_DESCRIPTOR_REVISION);
    set_security_descriptor_dacl(&descriptor, true, acl, false);
    set_security_descriptor_owner(&descriptor, administrators.get(), false);
    set_security_descriptor_group(&descriptor, administrators.get(), false);
    if (!is_valid_security_descriptor(&descriptor)) {
        throw_hresult(hr::unexpected);
    }
    return access_check(&descriptor, token.get(), read_access,
                        {read_access, write_access, 0, read_access | write_access});
}

bool is_administrator() noexcept {
    return is_administrator({administrators_membership, administrators_access_check});
}

GrantedDescriptor granted_descriptor(PSECURITY_DESCRIPTOR old, PSID account,
                                     std::uint32_t access_mask, std::uint32_t inheritance_flags) {
    if (!account || !is_valid_sid(account)) {
        throw_hresult(hr::invalid_arg);
    }
    const DaclInfo old_dacl = get_security_descriptor_dacl(old);
    ACL_SIZE_INFORMATION used{0, sizeof(ACL), 0};
    if (old_dacl.present && old_dacl.acl) {
        used = get_acl_size_information(old_dacl.acl);
    }
    const DWORD sid_length = get_length_sid(account);
    const DWORD size = acl_size_plus_allowed_entry(used.AclBytesInUse, sid_length);
    GrantedDescriptor result{local_alloc_zeroed(size), {}};
    const auto acl = static_cast<PACL>(result.dacl.get());
    initialize_acl(acl, size, ACL_REVISION);
    MergedAces merged = merged_entries(old_dacl.acl, used.AceCount, account, sid_length);
    for (std::size_t i = 0; i < merged.entries.size(); ++i) {
        if (i == merged.added) {
            add_allowed_entry(acl, access_mask, inheritance_flags, account);
        } else {
            auto& raw = merged.entries[i].raw;
            add_ace(acl, ACL_REVISION, MAXDWORD, raw.data(), static_cast<DWORD>(raw.size()));
        }
    }
    PSECURITY_DESCRIPTOR descriptor = &result.descriptor;
    initialize_security_descriptor(descriptor, SECURITY_DESCRIPTOR_REVISION);
    set_security_descriptor_dacl(descriptor, true, acl, false);
    // Without the control functions the new DACL keeps the default inheritance.
    where_implemented([&] {
        if (const auto bits = inherited_dacl_control(get_security_descriptor_control(old))) {
            set_security_descriptor_control(descriptor, bits, bits);
        }
    });
    return result;
}

bool grant_access(const std::wstring& path, std::uint32_t access_mask,
                  std::uint32_t inheritance_flags) {
    const Sid users = sid_of(WellKnownSid::users);
    const unique_local old = get_file_security(path, DACL_SECURITY_INFORMATION);
    GrantedDescriptor granted =
        granted_descriptor(old.get(), users.get(), access_mask, inheritance_flags);
    set_file_security(path, DACL_SECURITY_INFORMATION, &granted.descriptor);
    return true;
}

bool enable_privilege(const std::wstring& name, bool enable) noexcept {
    try {
        const unique_handle token = open_process_token(TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY);
        const LUID luid = lookup_privilege_value(name.c_str());
        TOKEN_PRIVILEGES request{1, {{luid, 0}}};
        TOKEN_PRIVILEGES previous{};
        adjust_token_privileges(token.get(), request, &previous);
        previous.PrivilegeCount = 1;
        previous.Privileges[0].Luid = luid;
        if (enable) {
            previous.Privileges[0].Attributes |= SE_PRIVILEGE_ENABLED;
        } else {
            previous.Privileges[0].Attributes &= ~DWORD{SE_PRIVILEGE_ENABLED};
        }
        adjust_token_privileges(token.get(), previous, nullptr);
        return true;
    } catch (...) {
        return false;
    }
}

} // namespace qv
