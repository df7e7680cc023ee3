#include "sys/error_text.hpp"

#include "sys/advapi_win.hpp"

#include <windows.h>

namespace qv {
namespace {

class FormatMessageTable final : public SystemMessages {
public:
    Answer message(std::uint32_t code, langid_t language) const override {
        wchar_t* buffer = nullptr;
        const DWORD length = FormatMessageW(
            FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                FORMAT_MESSAGE_IGNORE_INSERTS,
            nullptr, code, language, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
        const DWORD error = GetLastError();
        const unique_local owned(buffer);
        if (length == 0) {
            return {std::nullopt, error};
        }
        return {std::wstring(buffer, length), 0};
    }
};

} // namespace

const SystemMessages& system_messages() {
    static const FormatMessageTable table;
    return table;
}

std::wstring error_text(hresult code, langid_t language) {
    return error_text(system_messages(), code, language);
}

std::wstring error_text_ex(hresult code) {
    return error_text_ex(system_messages(), system_strings(), code);
}

} // namespace qv
