#pragma once
// Every visible text is a message numbered 1000 + n on the French base; the
// lookup finds the current language's text, falling back to English and then
// French for entries stored as "#".
#include "app/language.hpp"

#include <initializer_list>
#include <string>
#include <string_view>

namespace qv {

unsigned message_id(const StringSource& strings, int language, unsigned number);
std::wstring load_message(const StringSource& strings, int language, unsigned number);

// "%1".."%99" take the arguments, "%%" gives "%", as the platform's message
// formatting does for strings; throws E_FAIL when the message cannot be
// loaded and E_INVALIDARG when it is empty.
std::wstring format_message(const StringSource& strings, int language, unsigned number,
                            std::initializer_list<std::wstring_view> args);
std::wstring format_text(std::wstring_view format, std::initializer_list<std::wstring_view> args);

unsigned message_id(unsigned number);
std::wstring load_message(unsigned number);
std::wstring format_message(unsigned number, std::initializer_list<std::wstring_view> args);

} // namespace qv
