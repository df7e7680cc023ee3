#include "payload/placeholders.hpp"

#include "payload/compress_error.hpp"
#include "sys/path_text.hpp"

#include <string_view>

namespace qv {
namespace {

enum class Base { install, sample, folder, temporary };

struct Placeholder {
    std::wstring_view name;
    Base base;
    int csidl;
    int fallback; // -1: none
    bool records;
};

constexpr Placeholder placeholders[] = {
    {L"<InstallPath>", Base::install, 0, -1, false},
    {L"<SamplePath>", Base::sample, 0, -1, false},
    {L"<ProgramFiles>", Base::folder, 38, -1, false},
    {L"<ProgramCommon>", Base::folder, 43, -1, false},
    {L"<CommonData>", Base::folder, 35, 26, true},
    {L"<UserData>", Base::folder, 26, -1, false},
    {L"<CommonDocuments>", Base::folder, 46, 5, true},
    {L"<Documents>", Base::folder, 5, -1, false},
    {L"<CommonDesktop>", Base::folder, 25, 16, true},
    {L"<Desktop>", Base::folder, 16, -1, false},
    {L"<WinDir>", Base::folder, 36, -1, false},
    {L"<System>", Base::folder, 37, -1, false},
    {L"<Temporary>", Base::temporary, 0, -1, false},
};

constexpr int csidl_common_desktop = 25;
constexpr int csidl_desktop = 16;

void record(DestinationContext& context, const std::wstring& dir) {
    if (context.rights) {
        record_rights_directory(*context.rights, dir);
    }
}

std::wstring sample_base(DestinationContext& context) {
    if (context.sample_folder.empty()) {
        return system_folder(*context.folders, csidl_common_desktop, csidl_desktop, true);
    }
    if (is_absolute_path(context.sample_folder)) {
        return context.sample_folder;
    }
    std::wstring folder =
        path_append(system_folder(*context.folders, csidl_common_desktop, csidl_desktop, true),
                    context.sample_folder);
    record(context, folder);
    return folder;
}

} // namespace

void record_rights_directory(RightsDirectories& list, const std::wstring& dir) {
    for (const auto& known : list) {
        if (same_path(known.path, dir)) {
            return;
        }
    }
    list.push_back({dir, false});
}

std::wstring system_folder(const SpecialFolders& folders, int csidl, int fallback_csidl,
                           bool use_fallback) {
    auto folder = folders.folder(csidl);
    if (!folder && use_fallback) {
        folder = folders.folder(fallback_csidl);
    }
    if (!folder) {
        const std::string what = "special folder " + std::to_string(csidl) + " not found";
        throw_compress_error(compress_errc::unexpected_error, what.c_str());
    }
    return *folder;
}

bool is_placeholder_name(std::wstring_view component) {
    for (const auto& p : placeholders) {
        if (p.name == component) {
            return true;
        }
    }
    return false;
}

std::wstring resolve_destination(const std::wstring& destination, DestinationContext& context) {
    const auto parts = split_path(destination);
    if (parts.empty()) {
        return destination;
    }
    const std::wstring& first = parts.front();
    if (first.front() != L'<' || first.back() != L'>') {
        return destination;
    }
    std::wstring result;
    bool records = false;
    for (const auto& p : placeholders) {
        if (p.name != first) {
            continue;
        }
        records = p.records;
        switch (p.base) {
        case Base::install:
            result = context.install_folder;
            break;
        case Base::sample:
            result = sample_base(context);
            break;
        case Base::folder:
            result = system_folder(*context.folders, p.csidl, p.fallback, p.fallback >= 0);
            break;
        case Base::temporary:
            result = context.temp_folder.empty() ? context.install_folder : context.temp_folder;
            break;
        }
        break;
    }
    for (std::size_t i = 1; i < parts.size(); ++i) {
        result = path_append(std::move(result), parts[i]);
        if (records) {
            record(context, result);
        }
    }
    return result;
}

} // namespace qv
