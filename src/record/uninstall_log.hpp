#pragma once
// The installation journal and its file form. For now it carries what the
// start-up takes over from a previous installation's log: its folders.
#include <string>

namespace qv {

struct UninstallLog {
    std::wstring previous_install_folder;
    std::wstring previous_start_menu_folder;
};

} // namespace qv
