#pragma once
// What the program tells its dialog layer. Start-up fills the hooks before
// any window exists; an empty one leaves the layer to its own defaults.
#include <windows.h>

#include <functional>
#include <string>

namespace qv {

// The owner of a message box, and a window that the owner's lookup disabled
// and that is enabled again once the box has closed.
struct MessageBoxOwner {
    HWND owner = nullptr;
    HWND reenable = nullptr;
};

struct ApplicationHooks {
    std::function<std::wstring()> caption; // of message boxes
    std::function<HICON()> icon;           // of the program's windows
    // True suppresses the boxes that have only an OK button.
    std::function<bool()> silent;
    std::function<MessageBoxOwner()> owner;
    // Told false when a message box opens and true when it has closed.
    std::function<void(bool closed)> message_box_shown;
};

// The process's table, empty until filled.
ApplicationHooks& application_hooks();

} // namespace qv
