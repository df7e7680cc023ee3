#pragma once
// Stands in for the platform's message box and debugger output, and empties
// the hooks, for as long as it lives.
#include "ui/message_box.hpp"

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace qv::test {

struct ShownBox {
    HWND owner = nullptr;
    std::wstring text;
    std::optional<std::wstring> caption; // none: the platform's own
    UINT type = 0;
};

class MessageBoxRecorder {
public:
    MessageBoxRecorder();
    ~MessageBoxRecorder();
    MessageBoxRecorder(const MessageBoxRecorder&) = delete;
    MessageBoxRecorder& operator=(const MessageBoxRecorder&) = delete;

    std::vector<ShownBox> shown;
    std::vector<std::wstring> debug_output;
    int answer = IDOK;
    std::function<void()> while_shown; // runs as the box would be on screen

private:
    MessageBoxPlatform saved_;
};

} // namespace qv::test
