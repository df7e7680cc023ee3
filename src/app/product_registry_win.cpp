#include "app/product_registry.hpp"

#include "app/language.hpp"
#include "app/product.hpp"

#include <system_error>

namespace qv {

std::wstring uninstall_key_path() {
    return L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\" +
           product_registry_name(product_code);
}

std::wstring product_path_value_name() {
    return product_registry_name(product_code) + L" Path";
}

std::wstring read_registered_product_path(HKEY root) {
    const auto key = open_key(root, maker_key_path);
    if (!key) {
        return {};
    }
    const auto path = read_string_value(key->get(), product_path_value_name().c_str());
    if (!path || path->empty() || GetFileAttributesW(path->c_str()) == INVALID_FILE_ATTRIBUTES) {
        return {};
    }
    return *path;
}

const std::wstring& registered_product_path() {
    static const std::wstring path = read_registered_product_path();
    return path;
}

std::optional<std::uint32_t> stored_product_language(HKEY root) {
    try {
        const auto key = open_key(root, uninstall_key_path());
        return key ? read_dword_value(key->get(), L"QvLanguage") : std::nullopt;
    } catch (const std::system_error&) {
        return std::nullopt; // an unreadable value keeps the user's language
    }
}

void initialize_language() {
    choose_initial_language(language_settings(), system_locale(), stored_product_language());
}

} // namespace qv
