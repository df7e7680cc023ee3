#pragma once
// The entries of a DACL that gives one account a single new entry: the
// account's old entries go, and the new one closes the explicit part so that
// it is checked before anything inherited. Plain data, the same on every host.
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace qv {

inline constexpr std::uint8_t ace_inherited = 0x10;

inline constexpr std::uint16_t dacl_auto_inherit_req = 0x0100;
inline constexpr std::uint16_t dacl_auto_inherited = 0x0400;
inline constexpr std::uint16_t dacl_protected = 0x1000;

struct AceRecord {
    std::uint8_t type = 0;
    std::uint8_t flags = 0;
    std::uint32_t mask = 0;
    std::vector<std::uint8_t> sid;
    // The entry as stored, header included; empty for the one being added.
    std::vector<std::uint8_t> raw;
};

// The record of a stored entry; its SID stays empty when the bytes hold none.
AceRecord ace_record(std::span<const std::uint8_t> raw);

struct MergedAces {
    std::vector<AceRecord> entries; // in DACL order
    std::size_t added = 0;          // index of the new entry
};

// `old` without the entries of added.sid, with `added` after the explicit
// entries that precede the first inherited one.
MergedAces merge(const std::vector<AceRecord>& old, AceRecord added);

// Bytes for an ACL holding `bytes_in_use` (an empty one's header when there is
// no ACL yet) and one more access-allowed entry for a SID of this length.
std::uint32_t acl_size_plus_allowed_entry(std::uint32_t bytes_in_use, std::uint32_t sid_length);

// The control bits the new descriptor takes over from the old one's control;
// 0 when there are none to set.
std::uint16_t inherited_dacl_control(std::uint16_t old_control);

} // namespace qv
