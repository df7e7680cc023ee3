#pragma once
// advapi32 reached at run time: the module is found once per process and each
// function on its first use. A missing module throws E_UNEXPECTED, a missing
// function E_NOTIMPL, a failed call the HRESULT of its last error.
#include "sys/hresult.hpp"
#include "sys/win32_handles.hpp"

#include <cstddef>
#include <string>

namespace qv {

// The function of advapi32 with this name.
FARPROC advapi_proc(const char* name);

void free_sid(PSID sid) noexcept;
using unique_sid = unique_any<win32_traits<PSID, free_sid, nullptr>>;
using unique_local = unique_any<win32_traits<HLOCAL, LocalFree, nullptr>>;

// Holds the thread's impersonation; reverting to self ends it.
struct impersonation_traits {
    using value_type = bool;
    static constexpr bool invalid() noexcept { return false; }
    static void close(bool) noexcept;
};
using unique_impersonation = unique_any<impersonation_traits>;

// Zeroed memory; E_OUTOFMEMORY when there is none.
unique_local local_alloc_zeroed(std::size_t size);

unique_handle open_process_token(DWORD access);
// The thread's token, or the process's when the thread has none.
unique_handle open_thread_token(DWORD access);
unique_local get_token_information(HANDLE token, TOKEN_INFORMATION_CLASS type);
LUID lookup_privilege_value(const wchar_t* name);
// Also fails when the token lacks a privilege of `state`.
void adjust_token_privileges(HANDLE token, TOKEN_PRIVILEGES& state, TOKEN_PRIVILEGES* previous);
bool check_token_membership(HANDLE token, PSID sid);
unique_impersonation impersonate_self(SECURITY_IMPERSONATION_LEVEL level);

unique_sid allocate_and_initialize_sid(SID_IDENTIFIER_AUTHORITY authority, BYTE count, DWORD rid0,
                                       DWORD rid1);
DWORD get_length_sid(PSID sid);
bool is_valid_sid(PSID sid);
std::wstring get_user_name();
unique_local lookup_account_name(const wchar_t* name, SID_NAME_USE& use);

void initialize_acl(PACL acl, DWORD size, DWORD revision);
ACL_SIZE_INFORMATION get_acl_size_information(PACL acl);
const ACE_HEADER* get_ace(PACL acl, DWORD index);
void add_ace(PACL acl, DWORD revision, DWORD start, void* aces, DWORD size);
void add_access_allowed_ace(PACL acl, DWORD revision, DWORD mask, PSID sid);
void add_access_allowed_ace_ex(PACL acl, DWORD revision, DWORD flags, DWORD mask, PSID sid);

struct DaclInfo {
    bool present = false;
    PACL acl = nullptr;
    bool defaulted = false;
};
void initialize_security_descriptor(PSECURITY_DESCRIPTOR descriptor, DWORD revision);
DaclInfo get_security_descriptor_dacl(PSECURITY_DESCRIPTOR descriptor);
void set_security_descriptor_dacl(PSECURITY_DESCRIPTOR descriptor, bool present, PACL acl,
                                  bool defaulted);
void set_security_descriptor_owner(PSECURITY_DESCRIPTOR descriptor, PSID owner, bool defaulted);
void set_security_descriptor_group(PSECURITY_DESCRIPTOR descriptor, PSID group, bool defaulted);
SECURITY_DESCRIPTOR_CONTROL get_security_descriptor_control(PSECURITY_DESCRIPTOR descriptor);
void set_security_descriptor_control(PSECURITY_DESCRIPTOR descriptor,
                                     SECURITY_DESCRIPTOR_CONTROL of_interest,
                                     SECURITY_DESCRIPTOR_CONTROL to_set);
bool is_valid_security_descriptor(PSECURITY_DESCRIPTOR descriptor);

unique_local get_file_security(const std::wstring& path, SECURITY_INFORMATION parts);
void set_file_security(const std::wstring& path, SECURITY_INFORMATION parts,
                       PSECURITY_DESCRIPTOR descriptor);

// Whether `token` is granted `desired` by `descriptor`.
bool access_check(PSECURITY_DESCRIPTOR descriptor, HANDLE token, DWORD desired,
                  GENERIC_MAPPING mapping);

} // namespace qv
