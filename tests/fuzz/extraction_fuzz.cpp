// Feeds arbitrary payloads to the extraction engine. The first byte says
// whether the rest is a compressed stream as it is, or a decompressed one to
// compress first (which reaches the table and body logic far more often).
// Every path the engine writes is confined below one scratch folder.
#include "payload/bzip2_encoder.hpp"
#include "payload/extraction.hpp"
#include "sys/path_text.hpp"

#include <cstdint>
#include <filesystem>
#include <sstream>
#include <unistd.h>

namespace {

using namespace qv;

class EveryFolder final : public SpecialFolders {
public:
    std::optional<std::wstring> folder(int csidl) const override {
        return L"special\\" + std::to_wstring(csidl);
    }
};

// Maps every path below the jail: drive letters, roots and ".." dropped.
class JailedFiles final : public FileSystem {
public:
    explicit JailedFiles(std::wstring root) : root_(std::move(root)) {}

    bool exists(const std::wstring& path) const override { return real().exists(jail(path)); }
    bool is_directory(const std::wstring& path) const override {
        return real().is_directory(jail(path));
    }
    void create_directories(const std::wstring& path) override {
        real().create_directories(jail(path));
    }
    void make_writable(const std::wstring& path) noexcept override {
        real().make_writable(jail(path));
    }
    std::unique_ptr<OutputFile> create_exclusive(const std::wstring& path) override {
        return real().create_exclusive(jail(path));
    }
    std::unique_ptr<InputFile> open_shared_read(const std::wstring& path) override {
        return real().open_shared_read(jail(path));
    }
    void grant_access(const std::wstring&, std::uint32_t, std::uint32_t) override {}
    void pause_one_second() override {}
    std::error_code last_file_error() const override { return real().last_file_error(); }
    const SpecialFolders& special_folders() const override { return folders_; }

private:
    static FileSystem& real() { return system_file_system(); }

    std::wstring jail(const std::wstring& path) const {
        std::wstring result = root_;
        for (const auto& part : split_path(path)) {
            if (part != L".." && part != L"." && part.find(L':') == std::wstring::npos &&
                part.find(L'\0') == std::wstring::npos) {
                result = path_append(std::move(result), part);
            }
        }
        return result;
    }

    std::wstring root_;
    EveryFolder folders_;
};

std::filesystem::path scratch_root() {
    static const auto root =
        std::filesystem::temp_directory_path() / ("qv-extraction-fuzz-" + std::to_string(getpid()));
    return root;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) {
        return 0;
    }
    std::string stream(reinterpret_cast<const char*>(data + 1), size - 1);
    if (data[0] & 1) {
        std::ostringstream compressed;
        Bzip2Encoder encoder(compressed, 1);
        encoder.write(stream.data(), stream.size());
        encoder.finish();
        stream = std::move(compressed).str();
    }
    const auto root = scratch_root();
    std::filesystem::remove_all(root);
    std::filesystem::create_directories(root);
    JailedFiles files(std::wstring(root.native().begin(), root.native().end()));
    std::istringstream source(stream);
    int failures = 0;
    extract_payload(source, files, L"install", L"samples", L"temp", [&](notification n) {
        failures += std::holds_alternative<extraction::failed>(n) ? 1 : 0;
        return static_cast<notification::result>(data[0] >> 1 & 3);
    });
    if (failures > 1) {
        __builtin_trap();
    }
    std::filesystem::remove_all(root);
    return 0;
}
