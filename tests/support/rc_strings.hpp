#pragma once
// String sources for tests: a table the test writes, and the string tables
// the setup program ships (its real resources under Windows, the generated
// resource script elsewhere).
#include "sys/platform.hpp"

#include <map>

namespace qv::test {

class MapStrings final : public StringSource {
public:
    std::map<unsigned, std::wstring> strings;
    std::optional<std::wstring> load_string(unsigned id) const override {
        const auto it = strings.find(id);
        return it == strings.end() ? std::nullopt : std::optional(it->second);
    }
};

const StringSource& shipped_strings();

} // namespace qv::test
