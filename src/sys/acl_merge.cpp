#include "sys/acl_merge.hpp"

#include <algorithm>
#include <iterator>

namespace qv {
namespace {

// Type, flags, size, then the access mask: what every entry starts with.
constexpr std::size_t ace_fixed_part = 8;
constexpr std::size_t guid_size = 16;

std::uint32_t read_u32(std::span<const std::uint8_t> bytes, std::size_t at) {
    return std::uint32_t{bytes[at]} | std::uint32_t{bytes[at + 1]} << 8 |
           std::uint32_t{bytes[at + 2]} << 16 | std::uint32_t{bytes[at + 3]} << 24;
}

bool is_object_type(std::uint8_t type) {
    constexpr std::uint8_t object_types[] = {0x05, 0x06, 0x07, 0x08, 0x0B, 0x0C, 0x0F, 0x10};
    return std::find(std::begin(object_types), std::end(object_types), type) !=
           std::end(object_types);
}

// Object entries put their own flags and up to two GUIDs before the SID.
std::size_t sid_offset(std::span<const std::uint8_t> raw) {
    if (!is_object_type(raw[0])) {
        return ace_fixed_part;
    }
    if (raw.size() < ace_fixed_part + 4) {
        return raw.size();
    }
    const std::uint32_t object_flags = read_u32(raw, ace_fixed_part);
    std::size_t offset = ace_fixed_part + 4;
    for (const std::uint32_t guid_present : {1u, 2u}) {
        if (object_flags & guid_present) {
            offset += guid_size;
        }
    }
    return offset;
}

} // namespace

AceRecord ace_record(std::span<const std::uint8_t> raw) {
    AceRecord record;
    record.raw.assign(raw.begin(), raw.end());
    if (raw.size() < ace_fixed_part) {
        return record;
    }
    record.type = raw[0];
    record.flags = raw[1];
    record.mask = read_u32(raw, 4);
    // A SID: revision, sub-authority count, 6-byte authority, then 4 bytes
    // per sub-authority.
    const std::size_t at = sid_offset(raw);
    if (at + 8 <= raw.size()) {
        const std::size_t length = 8 + 4 * std::size_t{raw[at + 1]};
        if (at + length <= raw.size()) {
            const auto sid = raw.subspan(at, length);
            record.sid.assign(sid.begin(), sid.end());
        }
    }
    return record;
}

MergedAces merge(const std::vector<AceRecord>& old, AceRecord added) {
    const auto first_inherited = std::find_if(old.begin(), old.end(), [](const AceRecord& entry) {
        return (entry.flags & ace_inherited) != 0;
    });
    MergedAces result;
    const auto keep_others = [&](auto begin, auto end) {
        std::copy_if(begin, end, std::back_inserter(result.entries),
                     [&](const AceRecord& entry) { return entry.sid != added.sid; });
    };
    keep_others(old.begin(), first_inherited);
    result.added = result.entries.size();
    keep_others(first_inherited, old.end());
    result.entries.insert(result.entries.begin() + result.added, std::move(added));
    return result;
}

std::uint32_t acl_size_plus_allowed_entry(std::uint32_t bytes_in_use, std::uint32_t sid_length) {
    return bytes_in_use + static_cast<std::uint32_t>(ace_fixed_part) + sid_length;
}

std::uint16_t inherited_dacl_control(std::uint16_t old_control) {
    if (old_control & dacl_auto_inherited) {
        return dacl_auto_inherit_req | dacl_auto_inherited;
    }
    if (old_control & dacl_protected) {
        return dacl_protected;
    }
    return 0;
}

} // namespace qv
