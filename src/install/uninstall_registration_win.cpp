#include "install/uninstall_registration.hpp"

#include "app/language.hpp"
#include "app/product.hpp"
#include "app/product_registry.hpp"
#include "sys/registry.hpp"

namespace qv {

bool write_uninstall_entry(UninstallLog& log, const std::wstring& program_path,
                           const std::wstring& uninstaller_path) {
    const auto uninstall =
        create_key(HKEY_LOCAL_MACHINE, L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall",
                   KEY_ALL_ACCESS);
    if (!uninstall) {
        return false;
    }
    const auto entry =
        create_key(uninstall->key.get(), product_registry_name(product_code), KEY_ALL_ACCESS);
    if (!entry) {
        return false;
    }
    log.record_uninstall_key(entry->existed ? entry->key.get() : nullptr);
    const HKEY key = entry->key.get();
    bool ok = set_string_value(key, L"DisplayName", product_name(false));
    ok = set_string_value(key, L"UninstallString", uninstaller_path) && ok;
    set_string_value(key, L"DisplayIcon", program_path + L",0");
    set_string_value(key, L"DisplayVersion", full_version_text);
    set_string_value(key, L"Publisher", maker_folder_name);
    set_string_value(key, L"URLInfoAbout", maker_web_address);
    set_string_value(key, L"HelpLink", maker_web_address);
    set_string_value(key, L"URLUpdateInfo", maker_web_address);
    set_string_value(key, L"HelpTelephone", maker_telephone);
    set_dword_value(key, L"NoModify", 1);
    set_dword_value(key, L"NoRepair", 1);
    set_dword_value(key, L"QvLanguage", static_cast<std::uint32_t>(language_settings().index));
    log.complete(ok);
    return ok;
}

bool register_product_path(const std::wstring& program_path) {
    try {
        const auto maker = create_key(HKEY_LOCAL_MACHINE, maker_key_path, MAXIMUM_ALLOWED);
        return maker &&
               set_string_value(maker->key.get(), product_path_value_name().c_str(), program_path);
    } catch (const std::exception&) {
        return false;
    }
}

} // namespace qv
