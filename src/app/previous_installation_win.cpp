#include "app/file_version_info.hpp"
#include "app/previous_installation.hpp"
#include "app/product_registry.hpp"
#include "sys/program_path.hpp"
#include "sys/registry.hpp"

#include <windows.h>

namespace qv {
namespace {

class SystemEvidence final : public InstallationEvidence {
public:
    std::wstring registered_program() const override { return registered_product_path(); }

    std::optional<Version> version_of(const std::wstring& program) const override {
        const auto info = FileVersionInfo::from_file(program);
        if (info.file_version() == 0) {
            return std::nullopt;
        }
        return Version{info.file_version(), info.version_text()};
    }

    std::optional<std::wstring> uninstall_string() const override {
        const auto key = open_key(HKEY_LOCAL_MACHINE, uninstall_key_path());
        return key ? read_string_value(key->get(), L"UninstallString") : std::nullopt;
    }

    std::wstring setup_program_folder() const override { return folder_of(program_path()); }

    bool file_exists(const std::wstring& path) const override {
        const DWORD attributes = GetFileAttributesW(path.c_str());
        return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
    }

    void read_log(UninstallLog& log, const std::wstring* path) const override { log.read(path); }
};

} // namespace

const InstallationEvidence& system_installation_evidence() {
    static const SystemEvidence evidence;
    return evidence;
}

} // namespace qv
