#pragma once
// Special folders a test lists by CSIDL.
#include "sys/platform.hpp"

#include <map>

namespace qv::test {

class TableFolders final : public SpecialFolders {
public:
    std::map<int, std::wstring> folders;
    std::optional<std::wstring> folder(int csidl) const override {
        const auto it = folders.find(csidl);
        return it == folders.end() ? std::nullopt : std::optional(it->second);
    }
};

} // namespace qv::test
