#include "app/product.hpp"

#include "app/language.hpp"
#include "app/messages.hpp"

#include <stdexcept>
#include <string_view>

namespace qv {
namespace {

struct RegistryNameRow {
    int code;
    const wchar_t* name;
};

// The maker's products; this installer uses only 517.
constexpr RegistryNameRow registry_names[] = {
    {515, L"Kardelo 4"},
    {516, L"Kardelo Viewer 5"},
    {517, L"Kardelo 5"},
};

std::wstring localized(std::wstring name, int language) {
    if (language != french) {
        const auto at = name.find(product_name_french);
        if (at != std::wstring::npos) {
            name.replace(at, std::wstring_view(product_name_french).size(), product_name_other);
        }
    }
    return name;
}

std::wstring& application_id_storage() {
    static std::wstring id;
    return id;
}

} // namespace

std::wstring product_registry_name(int code) {
    for (const auto& row : registry_names) {
        if (row.code == code) {
            return row.name;
        }
    }
    throw std::logic_error("logic error");
}

std::wstring product_name(int language, bool without_version) {
    std::wstring name = localized(product_name_french, language);
    if (!without_version) {
        name.append(L" ").append(display_version);
    }
    return name;
}

std::wstring product_folder_name(int language) {
    return localized(product_registry_name(product_code), language);
}

std::wstring product_name(bool without_version) {
    return product_name(language_settings().index, without_version);
}

std::wstring product_folder_name() {
    return product_folder_name(language_settings().index);
}

std::wstring installer_title(const StringSource& strings, int language, bool with_product) {
    std::wstring title = load_message(strings, language, 1000);
    if (with_product) {
        title.append(L" \u2013 ").append(product_name(language, false));
    }
    return title;
}

std::wstring installer_title(bool with_product) {
    return installer_title(system_strings(), language_settings().index, with_product);
}

const std::wstring& application_id() {
    return application_id_storage();
}

void set_application_id(std::wstring id) {
    application_id_storage() = std::move(id);
}

} // namespace qv
