#include "app/messages.hpp"

#include "sys/hresult.hpp"

namespace qv {
namespace {

bool is_untranslated(const StringSource& strings, unsigned id) {
    const auto text = strings.load_string(id);
    return text && *text == L"#";
}

} // namespace

unsigned message_id(const StringSource& strings, int language, unsigned number) {
    const int l = is_installer_translated(language) ? language : english;
    if (l == french) {
        return number;
    }
    const unsigned candidate = number + LanguageTable.at(l).string_base - 1000;
    if (!is_untranslated(strings, candidate)) {
        return candidate;
    }
    if (l == english) {
        return number;
    }
    const unsigned english_id = number + 1000;
    return is_untranslated(strings, english_id) ? number : english_id;
}

std::wstring load_message(const StringSource& strings, int language, unsigned number) {
    return strings.load_string(message_id(strings, language, number)).value_or(std::wstring());
}

std::wstring format_text(std::wstring_view format, std::initializer_list<std::wstring_view> args) {
    std::wstring out;
    out.reserve(format.size());
    for (std::size_t i = 0; i < format.size(); ++i) {
        const wchar_t c = format[i];
        if (c != L'%' || i + 1 == format.size()) {
            out.push_back(c);
            continue;
        }
        const wchar_t next = format[++i];
        if (next >= L'1' && next <= L'9') {
            std::size_t n = static_cast<std::size_t>(next - L'0');
            if (i + 1 < format.size() && format[i + 1] >= L'0' && format[i + 1] <= L'9') {
                n = n * 10 + static_cast<std::size_t>(format[++i] - L'0');
            }
            if (n <= args.size()) {
                out.append(args.begin()[n - 1]);
            }
        } else if (next == L'0') {
            break; // ends the message without a line break
        } else if (next == L'n') {
            out.append(L"\r\n");
        } else if (next == L'r') {
            out.push_back(L'\r');
        } else if (next == L't') {
            out.push_back(L'\t');
        } else {
            out.push_back(next); // "%%", "%.", "%!" and the like give the character
        }
    }
    return out;
}

std::wstring format_message(const StringSource& strings, int language, unsigned number,
                            std::initializer_list<std::wstring_view> args) {
    const auto format = strings.load_string(message_id(strings, language, number));
    if (!format) {
        throw_hresult(hr::fail);
    }
    if (format->empty()) {
        throw_hresult(hr::invalid_arg);
    }
    return format_text(*format, args);
}

unsigned message_id(unsigned number) {
    return message_id(system_strings(), language_settings().index, number);
}

std::wstring load_message(unsigned number) {
    return load_message(system_strings(), language_settings().index, number);
}

std::wstring format_message(unsigned number, std::initializer_list<std::wstring_view> args) {
    return format_message(system_strings(), language_settings().index, number, args);
}

} // namespace qv
