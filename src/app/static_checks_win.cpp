#include "app/static_checks_win.hpp"

#include "app/file_version_info.hpp"
#include "app/product.hpp"
#include "sys/platform.hpp"
#include "sys/program_path.hpp"
#include "sys/unique_handle.hpp"

#include <windows.h>

#include <commctrl.h>
#include <shlobj.h>
#include <shlwapi.h>

#include <locale>
#include <memory>
#include <optional>

namespace qv {
namespace {

constexpr DWORD common_controls_6 = 0x60000;
constexpr DWORD all_control_classes = 0xC0FF;
constexpr wchar_t counter_suffix[] = L".{a3526b56-ca7c-4e16-8a26-da7758a378fd}";

std::wstring& documents_cache() {
    static std::wstring folder;
    return folder;
}

std::optional<InstanceCounter>& counter_slot() {
    static std::optional<InstanceCounter> counter;
    return counter;
}

struct module_traits {
    using value_type = HMODULE;
    static HMODULE invalid() noexcept { return nullptr; }
    static void close(HMODULE module) noexcept { FreeLibrary(module); }
};
using unique_module = unique_any<module_traits>;

struct actctx_traits {
    using value_type = HANDLE;
    static HANDLE invalid() noexcept { return nullptr; }
    static void close(HANDLE context) noexcept { ReleaseActCtx(context); }
};
using unique_actctx = unique_any<actctx_traits>;

// Wine reports comctl32 5.81 even with the Common-Controls 6.0 assembly
// active; the activation context shows which assembly serves comctl32.
// An old comctl32 on Windows has no such context, so nothing changes there.
bool activation_context_has_common_controls_6() {
    ACTCTX_SECTION_KEYED_DATA data{};
    data.cbSize = sizeof data;
    if (!FindActCtxSectionStringW(FIND_ACTCTX_SECTION_KEY_RETURN_HACTCTX, nullptr,
                                  ACTIVATION_CONTEXT_SECTION_DLL_REDIRECTION, L"comctl32.dll",
                                  &data)) {
        return false;
    }
    const unique_actctx context(data.hActCtx);
    SIZE_T needed = 0;
    DWORD index = data.ulAssemblyRosterIndex;
    QueryActCtxW(0, context.get(), &index, AssemblyDetailedInformationInActivationContext, nullptr,
                 0, &needed);
    if (needed == 0) {
        return false;
    }
    auto buffer = std::make_unique<std::byte[]>(needed);
    if (!QueryActCtxW(0, context.get(), &index, AssemblyDetailedInformationInActivationContext,
                      buffer.get(), needed, &needed)) {
        return false;
    }
    const auto* info =
        reinterpret_cast<const ACTIVATION_CONTEXT_ASSEMBLY_DETAILED_INFORMATION*>(buffer.get());
    if (!info->lpAssemblyEncodedAssemblyIdentity) {
        return false;
    }
    const std::wstring identity(info->lpAssemblyEncodedAssemblyIdentity,
                                info->ulEncodedAssemblyIdentityLength / sizeof(wchar_t));
    return identity.find(L"Microsoft.Windows.Common-Controls") != std::wstring::npos &&
           identity.find(L"version=\"6.") != std::wstring::npos;
}

bool has_common_controls_6() {
    HMODULE module = GetModuleHandleW(L"comctl32.dll");
    unique_module loaded_here;
    if (!module) {
        loaded_here.reset(
            LoadLibraryExW(L"Comctl32.dll", nullptr, LOAD_LIBRARY_SEARCH_DEFAULT_DIRS));
        if (!loaded_here) {
            loaded_here.reset(LoadLibraryW(L"Comctl32.dll"));
        }
        module = loaded_here.get();
    }
    if (!module) {
        return false;
    }
    const auto get_version = reinterpret_cast<DLLGETVERSIONPROC>(
        reinterpret_cast<void*>(GetProcAddress(module, "DllGetVersion")));
    DLLVERSIONINFO info{};
    info.cbSize = sizeof info;
    if (get_version && SUCCEEDED(get_version(&info)) &&
        (info.dwMajorVersion << 16 | info.dwMinorVersion) >= common_controls_6) {
        return true;
    }
    return activation_context_has_common_controls_6();
}

class PlatformChecks final : public StaticChecks {
public:
    bool processor_has_sse2() const override {
        return IsProcessorFeaturePresent(PF_XMMI64_INSTRUCTIONS_AVAILABLE);
    }

    bool initialize_process() override {
        SetErrorMode(SetErrorMode(0) | SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
        auto& locale = system_locale();
        locale.use_process_wide_locale();
        try {
            // MinGW's library knows the "C" locale only: the classic one
            // then stands in for the user's.
            std::locale user = std::locale::classic();
            try {
                const auto name = locale.locale_name(locale.user_default_lcid());
                user = std::locale(std::string(name.begin(), name.end()));
            } catch (const std::runtime_error&) {
            }
            std::locale::global(user);
            return std::has_facet<std::ctype<wchar_t>>(user) &&
                   std::has_facet<std::codecvt<wchar_t, char, std::mbstate_t>>(user);
        } catch (const std::exception&) {
            return false;
        }
    }

    bool initialize_application() override {
        PWSTR documents = nullptr;
        if (FAILED(SHGetKnownFolderPath(FOLDERID_Documents, 0, nullptr, &documents))) {
            CoTaskMemFree(documents);
            return false;
        }
        documents_cache() = documents;
        CoTaskMemFree(documents);
        if (!has_common_controls_6()) {
            return false;
        }
        INITCOMMONCONTROLSEX classes{sizeof classes, all_control_classes};
        if (!InitCommonControlsEx(&classes)) {
            return false;
        }
        const auto& own = FileVersionInfo::of_program();
        set_application_id(choose_application_id(own.string_value(L"ApplicationId"),
                                                 own.string_value(L"ProductName"), program_path()));
        try {
            counter_slot().emplace(L"Global\\" + application_id() + counter_suffix);
        } catch (const std::exception&) {
            return false;
        }
        return true;
    }

    void show_unsupported_processor() override {
        MessageBoxW(nullptr, unsupported_processor_text, nullptr, MB_ICONERROR);
    }

    void show_initialization_error() override {
        MessageBoxW(nullptr, initialization_error_text, nullptr,
                    MB_ICONERROR | MB_TASKMODAL | MB_SETFOREGROUND);
    }
};

} // namespace

const std::wstring& documents_folder() {
    return documents_cache();
}

InstanceCounter& instance_counter() {
    return *counter_slot();
}

int run_static_checks(bool& processor_checked) {
    PlatformChecks checks;
    return run_static_checks(checks, processor_checked);
}

} // namespace qv
