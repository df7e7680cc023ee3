#include "record/key_backup_win.hpp"

#include "sys/security.hpp"
#include "sys/win32_handles.hpp"

#include <string>

namespace qv {
namespace {

constexpr wchar_t backup_privilege[] = L"SeBackupPrivilege";
constexpr wchar_t restore_privilege[] = L"SeRestorePrivilege";
// Set before a restore: a real restore removes it with everything else.
constexpr wchar_t restore_marker[] = L"qv restore pending";

class EnabledPrivilege {
public:
    explicit EnabledPrivilege(const wchar_t* name) : name_(name) { enable_privilege(name_, true); }
    ~EnabledPrivilege() { enable_privilege(name_, false); }
    EnabledPrivilege(const EnabledPrivilege&) = delete;
    EnabledPrivilege& operator=(const EnabledPrivilege&) = delete;

private:
    const wchar_t* name_;
};

bool has_value(HKEY key, const wchar_t* name) {
    return RegQueryValueExW(key, name, nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
}

// Wine answers RegRestoreKeyW with success and restores nothing: load the
// saved hive under a temporary name and copy it over the key instead. Both
// systems do this the same way.
bool copy_from_hive(HKEY key, const std::wstring& file) {
    const EnabledPrivilege loading(backup_privilege);
    const std::wstring name = L"qv-restore-" + std::to_wstring(GetCurrentProcessId());
    if (RegLoadKeyW(HKEY_LOCAL_MACHINE, name.c_str(), file.c_str()) != ERROR_SUCCESS) {
        return false;
    }
    bool copied = false;
    {
        HKEY loaded = nullptr;
        if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, name.c_str(), 0, KEY_READ, &loaded) ==
            ERROR_SUCCESS) {
            const unique_hkey owner(loaded);
            copied = RegDeleteTreeW(key, nullptr) == ERROR_SUCCESS &&
                     RegCopyTreeW(loaded, nullptr, key) == ERROR_SUCCESS;
        }
    }
    RegUnLoadKeyW(HKEY_LOCAL_MACHINE, name.c_str());
    return copied;
}

} // namespace

bool save_key(HKEY key, const std::wstring& file) {
    const EnabledPrivilege privilege(backup_privilege);
    return RegSaveKeyW(key, file.c_str(), nullptr) == ERROR_SUCCESS;
}

bool restore_key(HKEY key, const std::wstring& file) {
    const EnabledPrivilege privilege(restore_privilege);
    const DWORD marker = 1;
    RegSetValueExW(key, restore_marker, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&marker),
                   sizeof marker);
    const bool restored = RegRestoreKeyW(key, file.c_str(), 0) == ERROR_SUCCESS;
    if (restored && !has_value(key, restore_marker)) {
        return true;
    }
    const bool copied = copy_from_hive(key, file);
    RegDeleteValueW(key, restore_marker);
    return copied;
}

} // namespace qv
