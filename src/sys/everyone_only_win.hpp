#pragma once
// Security attributes, not inherited, whose DACL lets Everyone alone in with
// the given rights: the named objects that installers and the product of
// every logged-on user share.
#include "sys/security.hpp"

#include <windows.h>

namespace qv {

class EveryoneOnly {
public:
    // Throws std::system_error with the system's code when the DACL cannot
    // be set.
    explicit EveryoneOnly(DWORD access);
    EveryoneOnly(const EveryoneOnly&) = delete;
    EveryoneOnly& operator=(const EveryoneOnly&) = delete;

    SECURITY_ATTRIBUTES* get() { return &attributes_; }

private:
    Sid everyone_;
    unique_local dacl_;
    SECURITY_DESCRIPTOR descriptor_{};
    SECURITY_ATTRIBUTES attributes_{};
};

} // namespace qv
