#pragma once
// The version resource of a file, read the way Windows' own tools read it.
#include <cstddef>
#include <optional>
#include <string>
#include <vector>
#include <windows.h>

namespace qv::test {

struct translation {
    WORD language;
    WORD code_page;
    bool operator==(const translation&) const = default;
};

class version_info {
public:
    // Throws std::runtime_error when `file` has no version resource.
    explicit version_info(const std::wstring& file);

    const VS_FIXEDFILEINFO& fixed() const;
    translation first_translation() const;
    // A value of the first translation's string table.
    std::optional<std::wstring> string(const std::wstring& name) const;

private:
    const void* query(const std::wstring& path, UINT& length) const;

    std::vector<std::byte> block_;
};

} // namespace qv::test
