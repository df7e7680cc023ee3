#include "manifest.hpp"

#include "payload/placeholders.hpp"
#include "sys/path_text.hpp"
#include "sys/utf.hpp"

#include <array>
#include <fstream>
#include <map>
#include <string>

namespace qv::pack {
namespace {

constexpr std::array<std::string_view, 6> kind_names = {"language_module", "program", "uninstaller",
                                                        "shared_data",     "sample",  "temporary"};

// Paths installed below these folders must stay within MAX_PATH; the user
// name and folders are as long as they commonly get.
class TypicalFolders final : public SpecialFolders {
public:
    std::optional<std::wstring> folder(int csidl) const override {
        static const std::map<int, std::wstring> folders = {
            {5, L"C:\\Users\\Administrator.WORKSTATION\\Documents"},
            {16, L"C:\\Users\\Administrator.WORKSTATION\\Desktop"},
            {25, L"C:\\Users\\Public\\Desktop"},
            {26, L"C:\\Users\\Administrator.WORKSTATION\\AppData\\Roaming"},
            {35, L"C:\\ProgramData"},
            {36, L"C:\\Windows"},
            {37, L"C:\\Windows\\system32"},
            {38, L"C:\\Program Files (x86)"},
            {43, L"C:\\Program Files (x86)\\Common Files"},
            {46, L"C:\\Users\\Public\\Documents"},
        };
        const auto it = folders.find(csidl);
        return it == folders.end() ? std::nullopt : std::optional(it->second);
    }
};

constexpr std::size_t max_path_chars = 259; // MAX_PATH without its terminator

[[noreturn]] void fail(const std::filesystem::path& manifest, std::size_t line,
                       const std::string& what) {
    throw ManifestError(manifest.string() + ":" + std::to_string(line) + ": " + what);
}

std::vector<std::string> split_tabs(const std::string& line) {
    std::vector<std::string> fields;
    std::size_t start = 0;
    for (;;) {
        const auto tab = line.find('\t', start);
        fields.push_back(line.substr(start, tab - start));
        if (tab == std::string::npos) {
            return fields;
        }
        start = tab + 1;
    }
}

} // namespace

std::optional<PayloadKind> kind_from_name(std::string_view name) {
    for (std::size_t i = 0; i < kind_names.size(); ++i) {
        if (kind_names[i] == name) {
            return static_cast<PayloadKind>(i);
        }
    }
    return std::nullopt;
}

std::string_view kind_name(std::uint32_t kind) {
    return kind < kind_names.size() ? kind_names[kind] : std::string_view("unknown");
}

std::wstring typical_install_path(const PayloadEntry& entry) {
    static const TypicalFolders folders;
    DestinationContext context{L"C:\\Program Files (x86)\\Quorvane\\Kardexa 5", L"Kardexa Examples",
                               L"C:\\Users\\ADMINI~1.WOR\\AppData\\Local\\Temp\\quorvane_"
                               L"{00000000-0000-0000-0000-000000000000}",
                               &folders, nullptr};
    return path_append(resolve_destination(entry.destination, context),
                       payload_file_name(entry.source_path));
}

std::vector<ManifestItem> read_manifest(const std::filesystem::path& manifest,
                                        const std::optional<std::filesystem::path>& root) {
    std::ifstream in(manifest, std::ios::binary);
    if (!in) {
        throw ManifestError("cannot open the manifest " + manifest.string());
    }
    const std::filesystem::path base = root ? *root : manifest.parent_path();
    std::vector<ManifestItem> items;
    std::string line;
    for (std::size_t number = 1; std::getline(in, line); ++number) {
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        if (line.empty() || line.front() == '#') {
            continue;
        }
        const auto fields = split_tabs(line);
        if (fields.size() != 3) {
            fail(manifest, number, "expected KIND<TAB>DESTINATION<TAB>SOURCE");
        }
        const auto kind = kind_from_name(fields[0]);
        if (!kind) {
            fail(manifest, number, "unknown kind '" + fields[0] + "'");
        }
        const auto destination = utf8_to_utf16(fields[1]);
        const auto source = utf8_to_utf16(fields[2]);
        if (!destination || !source) {
            fail(manifest, number, "not UTF-8");
        }
        const auto parts = split_path(*destination);
        if (parts.empty() || !is_placeholder_name(parts.front())) {
            fail(manifest, number,
                 "destination '" + fields[1] + "' does not begin with a known placeholder");
        }
        ManifestItem item;
        item.entry.kind = static_cast<std::uint32_t>(*kind);
        item.entry.destination = *destination;
        item.entry.source_path = *source;
        item.file = base / std::filesystem::path(std::u8string(fields[2].begin(), fields[2].end()));
        item.line = number;
        std::error_code error;
        if (!std::filesystem::is_regular_file(item.file, error)) {
            fail(manifest, number, "no such file: " + item.file.string());
        }
        if (payload_file_name(*source).empty()) {
            fail(manifest, number, "source '" + fields[2] + "' names no file");
        }
        const auto installed = typical_install_path(item.entry);
        if (installed.size() > max_path_chars) {
            fail(manifest, number,
                 "installed path would be " + std::to_string(installed.size()) +
                     " characters (at most " + std::to_string(max_path_chars) +
                     "): " + utf16_to_utf8(installed));
        }
        for (const auto& earlier : items) {
            if (same_path(typical_install_path(earlier.entry), installed)) {
                fail(manifest, number,
                     "same destination as line " + std::to_string(earlier.line) + ": " +
                         utf16_to_utf8(installed));
            }
        }
        items.push_back(std::move(item));
    }
    return items;
}

} // namespace qv::pack
