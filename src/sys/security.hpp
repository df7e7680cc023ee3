#pragma once
// The installer's access-control helpers: whether the user administers the
// machine, rights for the built-in Users group on what gets installed, and
// the privileges of the process. Failures are thrown as HRESULTs unless a
// function says otherwise.
#include "sys/advapi_win.hpp"

#include <cstdint>
#include <functional>
#include <string>
#include <utility>
#include <variant>

namespace qv {

enum class WellKnownSid {
    everyone = 0,            // S-1-1-0
    administrators = 1,      // S-1-5-32-544
    users = 2,               // S-1-5-32-545
    authenticated_users = 3, // S-1-5-11
    current_user = 4,        // the account of the user name; must be a user account
    token_user = 5,          // the user of the thread's token, else of the process's
};

// A SID with the release its allocation needs: the system's for the built-in
// ones, plain memory for those looked up or copied.
class Sid {
public:
    explicit Sid(unique_sid allocated) noexcept : storage_(std::move(allocated)) {}
    explicit Sid(unique_local copied) noexcept : storage_(std::move(copied)) {}
    PSID get() const noexcept;

private:
    std::variant<unique_sid, unique_local> storage_;
};

Sid sid_of(WellKnownSid which);

// The two answers is_administrator() weighs; each throws when it cannot tell.
struct AdminChecks {
    std::function<bool()> membership;
    std::function<bool()> access_check;
};
// The membership answer; the access check only when membership cannot tell;
// false when neither can.
bool is_administrator(const AdminChecks& checks) noexcept;
// CheckTokenMembership of the thread's or process's token in Administrators.
bool administrators_membership();
// An access check of the process's identity, impersonated, against a
// descriptor that lets Administrators alone in.
bool administrators_access_check();
// is_administrator(checks) with the two above.
bool is_administrator() noexcept;

// What grant_access writes: an absolute descriptor whose DACL is `dacl`.
struct GrantedDescriptor {
    unique_local dacl;
    SECURITY_DESCRIPTOR descriptor{};
};
// The old descriptor's DACL with every entry of `account` replaced by one
// access-allowed entry, placed before the inherited entries; the old DACL's
// protection or auto-inheritance carries over.
GrantedDescriptor granted_descriptor(PSECURITY_DESCRIPTOR old, PSID account,
                                     std::uint32_t access_mask, std::uint32_t inheritance_flags);
// Gives Users the access on the file or folder in place of what it had there;
// true, or throws.
bool grant_access(const std::wstring& path, std::uint32_t access_mask,
                  std::uint32_t inheritance_flags);

// Enables or disables the privilege in the process token; false on any
// failure, among them a privilege the token does not hold.
bool enable_privilege(const std::wstring& name, bool enable) noexcept;

} // namespace qv
