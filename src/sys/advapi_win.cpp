#include "sys/advapi_win.hpp"

#include <algorithm>

namespace qv {
namespace {

[[noreturn]] void throw_last_error() {
    throw_hresult(hresult_from_win32(GetLastError()));
}

void check(BOOL ok) {
    if (!ok) {
        throw_last_error();
    }
}

// Asking for the size fails with ERROR_INSUFFICIENT_BUFFER when it works.
void check_size_query(BOOL ok) {
    if (!ok && GetLastError() != ERROR_INSUFFICIENT_BUFFER) {
        throw_last_error();
    }
}

// No lock: only the UI thread comes here.
HMODULE advapi_module() {
    static HMODULE module = nullptr;
    if (!module) {
        module = GetModuleHandleW(L"advapi32.dll");
    }
    if (!module) {
        module = LoadLibraryExW(L"advapi32.dll", nullptr, LOAD_LIBRARY_SEARCH_DEFAULT_DIRS);
    }
    if (!module) {
        // Systems without the search flags refuse them.
        module = LoadLibraryW(L"advapi32.dll");
    }
    if (!module) {
        throw_hresult(hr::unexpected);
    }
    return module;
}

template <std::size_t N> struct export_name {
    char text[N];
    constexpr export_name(const char (&name)[N]) { std::copy_n(name, N, text); }
};

// One slot per function, filled on first use.
template <export_name Name, typename Fn> struct advapi_export {
    static inline Fn* slot = nullptr;
    static Fn* get() {
        if (!slot) {
            // Through void (*)(): FARPROC itself stands for no real signature.
            slot = reinterpret_cast<Fn*>(reinterpret_cast<void (*)()>(advapi_proc(Name.text)));
        }
        return slot;
    }
};

// The name and its declared type from one token, so they cannot disagree.
#define QV_ADVAPI(name) advapi_export<#name, decltype(::name)>::get()

using free_sid_export = advapi_export<"FreeSid", decltype(::FreeSid)>;

// A size query, then the call again into a zeroed buffer of that size.
template <typename Call> unique_local read_sized(Call call) {
    DWORD size = 0;
    check_size_query(call(nullptr, 0, &size));
    unique_local buffer = local_alloc_zeroed(size);
    check(call(buffer.get(), size, &size));
    return buffer;
}

} // namespace

FARPROC advapi_proc(const char* name) {
    const FARPROC proc = GetProcAddress(advapi_module(), name);
    if (!proc) {
        throw_hresult(hr::not_impl);
    }
    return proc;
}

void free_sid(PSID sid) noexcept {
    // Resolved before the SID was allocated.
    if (const auto release = free_sid_export::slot) {
        release(sid);
    }
}

void impersonation_traits::close(bool) noexcept {
    try {
        check(QV_ADVAPI(RevertToSelf)());
    } catch (hresult) {
        // Nothing left to undo it with.
    }
}

unique_local local_alloc_zeroed(std::size_t size) {
    HLOCAL memory = LocalAlloc(LPTR, size);
    if (!memory) {
        throw_hresult(static_cast<hresult>(E_OUTOFMEMORY));
    }
    return unique_local(memory);
}

unique_handle open_process_token(DWORD access) {
    HANDLE token = nullptr;
    check(QV_ADVAPI(OpenProcessToken)(GetCurrentProcess(), access, &token));
    return unique_handle(token);
}

unique_handle open_thread_token(DWORD access) {
    HANDLE token = nullptr;
    if (QV_ADVAPI(OpenThreadToken)(GetCurrentThread(), access, TRUE, &token)) {
        return unique_handle(token);
    }
    if (GetLastError() != ERROR_NO_TOKEN) {
        throw_last_error();
    }
    return open_process_token(access);
}

unique_local get_token_information(HANDLE token, TOKEN_INFORMATION_CLASS type) {
    const auto get = QV_ADVAPI(GetTokenInformation);
    return read_sized([&](void* buffer, DWORD size, DWORD* needed) {
        return get(token, type, buffer, size, needed);
    });
}

LUID lookup_privilege_value(const wchar_t* name) {
    LUID luid{};
    check(QV_ADVAPI(LookupPrivilegeValueW)(nullptr, name, &luid));
    return luid;
}

void adjust_token_privileges(HANDLE token, TOKEN_PRIVILEGES& state, TOKEN_PRIVILEGES* previous) {
    DWORD previous_size = 0;
    SetLastError(ERROR_SUCCESS);
    check(QV_ADVAPI(AdjustTokenPrivileges)(token, FALSE, &state,
                                           previous ? static_cast<DWORD>(sizeof *previous) : 0,
                                           previous, previous ? &previous_size : nullptr));
    // Success with ERROR_NOT_ALL_ASSIGNED: the token lacks the privilege.
    if (GetLastError() != ERROR_SUCCESS) {
        throw_last_error();
    }
}

bool check_token_membership(HANDLE token, PSID sid) {
    BOOL member = FALSE;
    check(QV_ADVAPI(CheckTokenMembership)(token, sid, &member));
    return member != FALSE;
}

unique_impersonation impersonate_self(SECURITY_IMPERSONATION_LEVEL level) {
    QV_ADVAPI(RevertToSelf); // ending it must not depend on finding the function
    check(QV_ADVAPI(ImpersonateSelf)(level));
    return unique_impersonation(true);
}

unique_sid allocate_and_initialize_sid(SID_IDENTIFIER_AUTHORITY authority, BYTE count, DWORD rid0,
                                       DWORD rid1) {
    free_sid_export::get(); // freeing must not depend on finding the function
    PSID sid = nullptr;
    check(
        QV_ADVAPI(AllocateAndInitializeSid)(&authority, count, rid0, rid1, 0, 0, 0, 0, 0, 0, &sid));
    return unique_sid(sid);
}

DWORD get_length_sid(PSID sid) {
    return QV_ADVAPI(GetLengthSid)(sid);
}

bool is_valid_sid(PSID sid) {
    return QV_ADVAPI(IsValidSid)(sid) != FALSE;
}

std::wstring get_user_name() {
    const auto get = QV_ADVAPI(GetUserNameW);
    DWORD length = 0;
    check_size_query(get(nullptr, &length));
    std::wstring name(length, L'\0');
    check(get(name.data(), &length));
    name.resize(length > 0 ? length - 1 : 0); // the count includes the terminator
    return name;
}

unique_local lookup_account_name(const wchar_t* name, SID_NAME_USE& use) {
    const auto lookup = QV_ADVAPI(LookupAccountNameW);
    DWORD sid_size = 0;
    DWORD domain_length = 0;
    check_size_query(lookup(nullptr, name, nullptr, &sid_size, nullptr, &domain_length, &use));
    unique_local sid = local_alloc_zeroed(sid_size);
    const unique_local domain = local_alloc_zeroed(domain_length * sizeof(wchar_t));
    check(lookup(nullptr, name, sid.get(), &sid_size, static_cast<wchar_t*>(domain.get()),
                 &domain_length, &use));
    return sid;
}

void initialize_acl(PACL acl, DWORD size, DWORD revision) {
    check(QV_ADVAPI(InitializeAcl)(acl, size, revision));
}

ACL_SIZE_INFORMATION get_acl_size_information(PACL acl) {
    ACL_SIZE_INFORMATION info{};
    check(QV_ADVAPI(GetAclInformation)(acl, &info, sizeof info, AclSizeInformation));
    return info;
}

const ACE_HEADER* get_ace(PACL acl, DWORD index) {
    void* ace = nullptr;
    check(QV_ADVAPI(GetAce)(acl, index, &ace));
    return static_cast<const ACE_HEADER*>(ace);
}

void add_ace(PACL acl, DWORD revision, DWORD start, void* aces, DWORD size) {
    check(QV_ADVAPI(AddAce)(acl, revision, start, aces, size));
}

void add_access_allowed_ace(PACL acl, DWORD revision, DWORD mask, PSID sid) {
    check(QV_ADVAPI(AddAccessAllowedAce)(acl, revision, mask, sid));
}

void add_access_allowed_ace_ex(PACL acl, DWORD revision, DWORD flags, DWORD mask, PSID sid) {
    check(QV_ADVAPI(AddAccessAllowedAceEx)(acl, revision, flags, mask, sid));
}

void initialize_security_descriptor(PSECURITY_DESCRIPTOR descriptor, DWORD revision) {
    check(QV_ADVAPI(InitializeSecurityDescriptor)(descriptor, revision));
}

DaclInfo get_security_descriptor_dacl(PSECURITY_DESCRIPTOR descriptor) {
    BOOL present = FALSE;
    BOOL defaulted = FALSE;
    PACL acl = nullptr;
    check(QV_ADVAPI(GetSecurityDescriptorDacl)(descriptor, &present, &acl, &defaulted));
    return {present != FALSE, acl, defaulted != FALSE};
}

void set_security_descriptor_dacl(PSECURITY_DESCRIPTOR descriptor, bool present, PACL acl,
                                  bool defaulted) {
    check(QV_ADVAPI(SetSecurityDescriptorDacl)(descriptor, present, acl, defaulted));
}

void set_security_descriptor_owner(PSECURITY_DESCRIPTOR descriptor, PSID owner, bool defaulted) {
    check(QV_ADVAPI(SetSecurityDescriptorOwner)(descriptor, owner, defaulted));
}

void set_security_descriptor_group(PSECURITY_DESCRIPTOR descriptor, PSID group, bool defaulted) {
    check(QV_ADVAPI(SetSecurityDescriptorGroup)(descriptor, group, defaulted));
}

SECURITY_DESCRIPTOR_CONTROL get_security_descriptor_control(PSECURITY_DESCRIPTOR descriptor) {
    SECURITY_DESCRIPTOR_CONTROL control = 0;
    DWORD revision = 0;
    check(QV_ADVAPI(GetSecurityDescriptorControl)(descriptor, &control, &revision));
    return control;
}

void set_security_descriptor_control(PSECURITY_DESCRIPTOR descriptor,
                                     SECURITY_DESCRIPTOR_CONTROL of_interest,
                                     SECURITY_DESCRIPTOR_CONTROL to_set) {
    check(QV_ADVAPI(SetSecurityDescriptorControl)(descriptor, of_interest, to_set));
}

bool is_valid_security_descriptor(PSECURITY_DESCRIPTOR descriptor) {
    return QV_ADVAPI(IsValidSecurityDescriptor)(descriptor) != FALSE;
}

unique_local get_file_security(const std::wstring& path, SECURITY_INFORMATION parts) {
    const auto get = QV_ADVAPI(GetFileSecurityW);
    return read_sized([&](void* buffer, DWORD size, DWORD* needed) {
        return get(path.c_str(), parts, buffer, size, needed);
    });
}

void set_file_security(const std::wstring& path, SECURITY_INFORMATION parts,
                       PSECURITY_DESCRIPTOR descriptor) {
    check(QV_ADVAPI(SetFileSecurityW)(path.c_str(), parts, descriptor));
}

bool access_check(PSECURITY_DESCRIPTOR descriptor, HANDLE token, DWORD desired,
                  GENERIC_MAPPING mapping) {
    PRIVILEGE_SET privileges{};
    DWORD privileges_size = sizeof privileges;
    DWORD granted = 0;
    BOOL status = FALSE;
    check(QV_ADVAPI(AccessCheck)(descriptor, token, desired, &mapping, &privileges,
                                 &privileges_size, &granted, &status));
    return status != FALSE;
}

} // namespace qv
