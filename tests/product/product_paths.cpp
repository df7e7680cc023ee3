#include "product_paths.hpp"

#include <algorithm>

namespace qv::test {

namespace {

std::wstring windows_path(std::wstring path) {
    std::ranges::replace(path, L'/', L'\\');
    return path;
}

} // namespace

std::wstring stage_path(std::wstring_view relative) {
    return windows_path(std::wstring(QV_PRODUCT_STAGE_DIR L"/").append(relative));
}

std::wstring variant_program_path(std::wstring_view name) {
    return windows_path(std::wstring(QV_PRODUCT_VARIANTS_DIR L"/").append(name) + L"/Kardelo.exe");
}

std::wstring probe_program_path() {
    return windows_path(QV_PRODUCT_PROBE_PATH);
}

std::wstring manifest_path() {
    return windows_path(QV_PRODUCT_MANIFEST_PATH);
}

} // namespace qv::test
