#include "payload/resource.hpp"

#include "app/language.hpp"

#include <windows.h>

namespace qv {
namespace {

std::pair<const char*, std::size_t> find_in(HMODULE module, int name, int type) {
    HRSRC info = FindResourceW(module, MAKEINTRESOURCEW(name), MAKEINTRESOURCEW(type));
    if (!info) {
        return {nullptr, 0};
    }
    // Loaded resources stay mapped with their module; there is nothing to free.
    HGLOBAL loaded = LoadResource(module, info);
    const DWORD size = loaded ? SizeofResource(module, info) : 0;
    const void* bytes = size ? LockResource(loaded) : nullptr;
    if (!bytes) {
        return {nullptr, 0};
    }
    return {static_cast<const char*>(bytes), size};
}

} // namespace

std::pair<const char*, std::size_t> find_resource(int name, int type, bool executable_only) {
    HMODULE executable = GetModuleHandleW(nullptr);
    auto& settings = language_settings();
    if (!settings.resource_module) {
        settings.resource_module = executable;
    }
    const auto module = static_cast<HMODULE>(settings.resource_module);
    auto found = find_in(module, name, type);
    if (!found.first && !executable_only && module != executable) {
        found = find_in(executable, name, type);
    }
    return found;
}

imemstream open_resource_stream(int type, int name) {
    const auto [bytes, size] = find_resource(name, type, false);
    return imemstream(bytes, size);
}

} // namespace qv
