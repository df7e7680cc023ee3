#include "sys/error_text.hpp"

namespace qv {
namespace {

// An untranslated language is asked again in the system's choice.
std::optional<std::wstring> system_text(const SystemMessages& messages, std::uint32_t code,
                                        langid_t language) {
    SystemMessages::Answer answer = messages.message(code, language);
    if (!answer.text && answer.error == error_resource_lang_not_found && language != 0) {
        answer = messages.message(code, 0);
    }
    return answer.text;
}

} // namespace

std::wstring error_text(const SystemMessages& messages, hresult code, langid_t language) {
    if (auto text = system_text(messages, static_cast<std::uint32_t>(code), language)) {
        text->erase(text->find_last_not_of(L"\r\n") + 1);
        // A text of line breaks alone says nothing either.
        if (!text->empty()) {
            return *std::move(text);
        }
    }
    return code == hr::fail ? L"Error" : error_text(messages, hr::fail, language);
}

std::wstring error_text_ex(const SystemMessages& messages, const StringSource& strings,
                           hresult code) {
    const auto bits = static_cast<std::uint32_t>(code);
    if (!(bits & customer_code_bit)) {
        return error_text(messages, code, 0);
    }
    if (bits & string_resource_bit) {
        const auto text = strings.load_string(bits & 0xFFFFu);
        if (text && !text->empty()) {
            return *text;
        }
    }
    return error_text(messages, hr::fail, 0);
}

} // namespace qv
