#include "sys/everyone_only_win.hpp"

#include <system_error>

namespace qv {
namespace {

[[noreturn]] void throw_last_error(const char* what) {
    throw std::system_error(static_cast<int>(GetLastError()), std::system_category(), what);
}

Sid everyone_sid() {
    try {
        return sid_of(WellKnownSid::everyone);
    } catch (hresult code) {
        throw std::system_error(win32_code_of(code), std::system_category(), "Everyone");
    }
}

} // namespace

EveryoneOnly::EveryoneOnly(DWORD access) : everyone_(everyone_sid()) {
    const DWORD size = sizeof(ACL) + sizeof(ACCESS_ALLOWED_ACE) + GetLengthSid(everyone_.get());
    dacl_.reset(LocalAlloc(LPTR, size));
    const auto dacl = static_cast<PACL>(dacl_.get());
    if (!dacl || !InitializeAcl(dacl, size, ACL_REVISION) ||
        !AddAccessAllowedAce(dacl, ACL_REVISION, access, everyone_.get()) ||
        !InitializeSecurityDescriptor(&descriptor_, SECURITY_DESCRIPTOR_REVISION) ||
        !SetSecurityDescriptorDacl(&descriptor_, TRUE, dacl, FALSE)) {
        throw_last_error("cannot set the access list of a shared object");
    }
    attributes_ = {sizeof attributes_, &descriptor_, FALSE};
}

} // namespace qv
