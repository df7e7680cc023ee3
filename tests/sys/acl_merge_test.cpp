#include "sys/acl_merge.hpp"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

namespace qv {
namespace {

using bytes = std::vector<std::uint8_t>;

constexpr std::uint8_t allowed = 0x00;
constexpr std::uint8_t denied = 0x01;
constexpr std::uint8_t allowed_object = 0x05;

// S-1-5-32-544, S-1-5-32-545 and S-1-1-0.
const bytes administrators = {1, 2, 0, 0, 0, 0, 0, 5, 32, 0, 0, 0, 0x20, 2, 0, 0};
const bytes users = {1, 2, 0, 0, 0, 0, 0, 5, 32, 0, 0, 0, 0x21, 2, 0, 0};
const bytes everyone = {1, 1, 0, 0, 0, 0, 0, 1, 0, 0, 0, 0};

void append_u32(bytes& out, std::uint32_t value) {
    for (int shift = 0; shift < 32; shift += 8) {
        out.push_back(static_cast<std::uint8_t>(value >> shift));
    }
}

// An entry as a DACL stores it; `object` goes between the mask and the SID.
bytes ace_bytes(std::uint8_t type, std::uint8_t flags, std::uint32_t mask, const bytes& sid,
                const bytes& object = {}) {
    const std::size_t size = 8 + object.size() + sid.size();
    bytes out = {type, flags, static_cast<std::uint8_t>(size),
                 static_cast<std::uint8_t>(size >> 8)};
    append_u32(out, mask);
    out.insert(out.end(), object.begin(), object.end());
    out.insert(out.end(), sid.begin(), sid.end());
    return out;
}

std::string account(const bytes& sid) {
    return sid == administrators ? "A" : sid == users ? "U" : sid == everyone ? "E" : "?";
}

// "U t0 f3 m1f01ff new": account, type, flags, mask, and whether it is the
// entry being added rather than a copy of a stored one.
std::string describe(const AceRecord& entry) {
    char text[64];
    std::snprintf(text, sizeof text, "%s t%x f%x m%x%s", account(entry.sid).c_str(), entry.type,
                  entry.flags, entry.mask, entry.raw.empty() ? " new" : "");
    return text;
}

TEST(AclMerge, UsersEntryReplacesAllOthersBeforeTheInherited) {
    const AceRecord new_users{allowed, 3, 0x1F01FF, users, {}};
    struct Case {
        const char* name;
        std::vector<bytes> old;
        std::vector<std::string> expected;
        std::size_t added;
    } cases[] = {
        {"explicit Users entry",
         {ace_bytes(allowed, 0, 1, administrators), ace_bytes(allowed, 0, 0x120089, users),
          ace_bytes(allowed, 0, 2, everyone)},
         {"A t0 f0 m1", "E t0 f0 m2", "U t0 f3 m1f01ff new"},
         2},
        {"only inherited entries",
         {ace_bytes(allowed, 0x13, 1, administrators), ace_bytes(allowed, 0x10, 5, users),
          ace_bytes(allowed, 0x10, 2, everyone)},
         {"U t0 f3 m1f01ff new", "A t0 f13 m1", "E t0 f10 m2"},
         0},
        {"no DACL", {}, {"U t0 f3 m1f01ff new"}, 0},
        {"mixed, explicit after inherited",
         {ace_bytes(denied, 0, 4, users), ace_bytes(allowed, 0, 1, administrators),
          ace_bytes(allowed, 2, 8, users), ace_bytes(allowed, 0x10, 2, everyone),
          ace_bytes(allowed, 0x10, 0x10, users), ace_bytes(allowed, 0, 0x20, administrators),
          ace_bytes(denied, 0x10, 0x40, everyone)},
         {"A t0 f0 m1", "U t0 f3 m1f01ff new", "E t0 f10 m2", "A t0 f0 m20", "E t1 f10 m40"},
         1},
    };
    for (const auto& c : cases) {
        std::vector<AceRecord> old;
        for (const auto& raw : c.old) {
            old.push_back(ace_record(raw));
        }
        const MergedAces merged = merge(old, new_users);
        std::vector<std::string> got;
        for (const auto& entry : merged.entries) {
            got.push_back(describe(entry));
        }
        EXPECT_EQ(got, c.expected) << c.name;
        EXPECT_EQ(merged.added, c.added) << c.name;
    }
}

TEST(AclMerge, RecordsOfStoredEntries) {
    const bytes guid(16, 0xAB);
    bytes both_guids = {3, 0, 0, 0};
    both_guids.insert(both_guids.end(), 2 * guid.size(), 0xCD);
    bytes inherited_guid = {2, 0, 0, 0};
    inherited_guid.insert(inherited_guid.end(), guid.begin(), guid.end());
    bytes truncated = ace_bytes(allowed, 0, 7, users);
    truncated.pop_back();
    struct Case {
        bytes raw;
        std::string expected;
    } cases[] = {
        {ace_bytes(allowed, 3, 0x1F01FF, users), "U t0 f3 m1f01ff"},
        {ace_bytes(denied, 0x10, 0x13019F, everyone), "E t1 f10 m13019f"},
        {ace_bytes(allowed_object, 0, 0x30, users, both_guids), "U t5 f0 m30"},
        {ace_bytes(allowed_object, 2, 0x30, administrators, inherited_guid), "A t5 f2 m30"},
        {truncated, "? t0 f0 m7"},
        {{0, 3, 4, 0}, "? t0 f0 m0"},
    };
    for (const auto& c : cases) {
        const AceRecord record = ace_record(c.raw);
        EXPECT_EQ(describe(record), c.expected);
        EXPECT_EQ(record.raw, c.raw) << c.expected;
    }
}

TEST(AclMerge, SizeHoldsOneMoreAccessAllowedEntry) {
    const bytes added = ace_bytes(allowed, 0, 0, users);
    EXPECT_EQ(acl_size_plus_allowed_entry(8, static_cast<std::uint32_t>(users.size())),
              8 + added.size());
    EXPECT_EQ(acl_size_plus_allowed_entry(60, 12), 80u);
}

TEST(AclMerge, ControlBitsFollowTheOldDescriptor) {
    const std::pair<std::uint16_t, std::uint16_t> cases[] = {
        {0x0000, 0x0000}, // nothing to take over
        {0x1004, 0x1000}, // protected stays protected
        {0x0404, 0x0500}, // auto-inherited asks for it again
        {0x1400, 0x0500}, // both: auto-inheritance wins
        {0x0100, 0x0000}, // a request alone is not taken over
    };
    for (const auto& [old_control, expected] : cases) {
        EXPECT_EQ(inherited_dacl_control(old_control), expected) << std::hex << old_control;
    }
}

} // namespace
} // namespace qv
