#include "ui/message_box_recorder.hpp"

#include "ui/application_hooks.hpp"

namespace qv::test {

MessageBoxRecorder::MessageBoxRecorder() : saved_(message_box_platform()) {
    application_hooks() = {};
    message_box_platform() = {
        [this](HWND owner, const wchar_t* text, const wchar_t* caption, UINT type) {
            shown.push_back(
                {owner, text, caption ? std::optional<std::wstring>(caption) : std::nullopt, type});
            if (while_shown) {
                while_shown();
            }
            return answer;
        },
        [this](const wchar_t* text) { debug_output.emplace_back(text); }};
}

MessageBoxRecorder::~MessageBoxRecorder() {
    message_box_platform() = saved_;
    application_hooks() = {};
}

} // namespace qv::test
