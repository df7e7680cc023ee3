#include "sys/registry_string.hpp"

namespace qv {

std::optional<std::wstring> registry_string(std::uint32_t type, const std::uint8_t* data,
                                            std::size_t size) {
    if ((type != reg_sz && type != reg_expand_sz) || size % 2 != 0) {
        return std::nullopt;
    }
    if (size == 0) {
        return std::wstring();
    }
    const std::size_t count = size / 2;
    auto unit = [data](std::size_t i) {
        return static_cast<wchar_t>(data[2 * i] | (data[2 * i + 1] << 8));
    };
    if (unit(count - 1) != L'\0') {
        return std::nullopt;
    }
    std::wstring text;
    for (std::size_t i = 0; i + 1 < count && unit(i) != L'\0'; ++i) {
        text.push_back(unit(i));
    }
    return text;
}

} // namespace qv
