#pragma once
// Finds a resource by integer type and name in a Windows executable's bytes
// (32- or 64-bit), the first language found, without loading the image.
#include <cstddef>
#include <optional>
#include <stdexcept>
#include <string_view>

namespace qv::pack {

struct ByteRange {
    std::size_t offset = 0;
    std::size_t size = 0;
};

class ImageError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

bool looks_like_executable(std::string_view image);

// Nothing when the executable has no such resource; ImageError when its
// headers or resource directory are damaged.
std::optional<ByteRange> find_pe_resource(std::string_view image, unsigned type, unsigned name);

} // namespace qv::pack
