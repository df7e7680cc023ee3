#pragma once
// The packing list of a product: one line per payload entry, in archive
// order, `KIND<TAB>DESTINATION<TAB>SOURCE`. KIND is a payload kind by name,
// DESTINATION a placeholder path, SOURCE a file relative to the root folder
// (by default the manifest's own). '#' starts a comment line; blank lines
// are ignored. UTF-8.
#include "payload/payload_format.hpp"

#include <filesystem>
#include <optional>
#include <stdexcept>
#include <string_view>
#include <vector>

namespace qv::pack {

struct ManifestItem {
    // source_path is the SOURCE text as written; size and crc32 are filled
    // in when the file is packed.
    PayloadEntry entry;
    std::filesystem::path file;
    std::size_t line = 0;
};

class ManifestError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

std::optional<PayloadKind> kind_from_name(std::string_view name);
std::string_view kind_name(std::uint32_t kind);

// Every entry checked before anything is packed: the kind, the placeholder,
// the source file, the installed path's length on a typical machine and
// duplicate destinations. Throws ManifestError naming the file and line.
std::vector<ManifestItem> read_manifest(const std::filesystem::path& manifest,
                                        const std::optional<std::filesystem::path>& root);

// The full path of the installed file on a typical machine (the length check
// uses it).
std::wstring typical_install_path(const PayloadEntry& entry);

} // namespace qv::pack
