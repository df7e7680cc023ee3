#include "sys/platform.hpp"

#include "sys/owner_window.hpp"

#include <windows.h>

#include <shlobj.h>

#include <clocale>
#include <locale.h>

namespace qv {
namespace {

// Reads the string table block itself: LoadStringW cannot tell a missing
// string from an empty one.
class ResourceStrings final : public StringSource {
public:
    std::optional<std::wstring> load_string(unsigned id) const override {
        HMODULE module = GetModuleHandleW(nullptr);
        HRSRC info = FindResourceW(module, MAKEINTRESOURCEW(id / 16 + 1), MAKEINTRESOURCEW(6));
        if (!info) {
            return std::nullopt;
        }
        HGLOBAL loaded = LoadResource(module, info);
        const auto* p = static_cast<const WCHAR*>(loaded ? LockResource(loaded) : nullptr);
        if (!p) {
            return std::nullopt;
        }
        const WCHAR* end = p + SizeofResource(module, info) / sizeof(WCHAR);
        for (unsigned i = 0; i < id % 16 && p < end; ++i) {
            p += 1 + *p;
        }
        if (p >= end || p + 1 + *p > end) {
            return std::nullopt;
        }
        return std::wstring(p + 1, *p);
    }
};

class Win32Locale final : public LocaleSource {
public:
    lcid_t user_default_lcid() const override { return GetUserDefaultLCID(); }
    langid_t user_default_langid() const override { return GetUserDefaultLangID(); }
    std::wstring locale_name(lcid_t lcid) const override {
        wchar_t name[LOCALE_NAME_MAX_LENGTH];
        return LCIDToLocaleName(lcid, name, LOCALE_NAME_MAX_LENGTH, 0) > 0 ? name : L"";
    }
    std::uint32_t ansi_code_page(lcid_t lcid) const override {
        DWORD value = 0;
        const int got =
            GetLocaleInfoW(lcid, LOCALE_IDEFAULTANSICODEPAGE | LOCALE_RETURN_NUMBER,
                           reinterpret_cast<LPWSTR>(&value), sizeof value / sizeof(wchar_t));
        return got > 0 ? value : 0;
    }
    std::uint32_t system_ansi_code_page() const override { return GetACP(); }
    std::wstring native_language_name(lcid_t lcid) const override {
        wchar_t name[128];
        return GetLocaleInfoW(lcid, LOCALE_SNATIVELANGNAME, name, 128) > 0 ? name : L"";
    }
    std::optional<std::array<std::uint32_t, 4>> unicode_subsets(lcid_t lcid) const override {
        LOCALESIGNATURE signature{};
        if (GetLocaleInfoW(lcid, LOCALE_FONTSIGNATURE, reinterpret_cast<LPWSTR>(&signature),
                           sizeof signature / sizeof(wchar_t)) == 0) {
            return std::nullopt;
        }
        return std::array<std::uint32_t, 4>{signature.lsUsb[0], signature.lsUsb[1],
                                            signature.lsUsb[2], signature.lsUsb[3]};
    }
    void set_thread_locale(lcid_t lcid) override { SetThreadLocale(lcid); }
    void use_process_wide_locale() override { _configthreadlocale(_DISABLE_PER_THREAD_LOCALE); }
    void set_runtime_locale(const std::wstring& name) override {
        _wsetlocale(LC_ALL, L"C");
        if (!name.empty()) {
            _wsetlocale(LC_CTYPE, name.c_str());
            _wsetlocale(LC_COLLATE, name.c_str());
            _wsetlocale(LC_TIME, name.c_str());
        }
    }
};

class ShellFolders final : public SpecialFolders {
public:
    std::optional<std::wstring> folder(int csidl) const override {
        // The answer is whatever lands in the buffer; the result code is not
        // reliable across systems.
        wchar_t path[MAX_PATH] = {};
        SHGetFolderPathW(dialog_owner_window(), csidl, nullptr, SHGFP_TYPE_CURRENT, path);
        if (path[0] == L'\0') {
            return std::nullopt;
        }
        return std::wstring(path);
    }
};

class Win32TempPath final : public TempPathSource {
public:
    TempPathResult temp_path() const override {
        wchar_t path[MAX_PATH];
        TempPathResult result;
        result.length = GetTempPathW(MAX_PATH, path);
        result.error = GetLastError();
        if (result.length > 0 && result.length < MAX_PATH) {
            result.path = path;
        }
        return result;
    }
};

} // namespace

bool equal_ignoring_case(std::wstring_view a, std::wstring_view b) {
    return CompareStringW(LOCALE_USER_DEFAULT, NORM_IGNORECASE, a.data(),
                          static_cast<int>(a.size()), b.data(),
                          static_cast<int>(b.size())) == CSTR_EQUAL;
}

const StringSource& system_strings() {
    static const ResourceStrings strings;
    return strings;
}

LocaleSource& system_locale() {
    static Win32Locale locale;
    return locale;
}

const SpecialFolders& system_folders() {
    static const ShellFolders folders;
    return folders;
}

const TempPathSource& system_temp_path() {
    static const Win32TempPath temp;
    return temp;
}

} // namespace qv
