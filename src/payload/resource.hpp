#pragma once
// Resources of the setup program: the payload archive (type 260, name 134)
// and the version information are read in place, never copied.
#include "payload/memstream.hpp"

#include <cstddef>
#include <utility>

namespace qv {

inline constexpr int payload_resource_type = 260;
inline constexpr int payload_resource_name = 134;

// The resource's bytes in the module resources come from (the setup program
// unless the language settings name another one), then, unless
// `executable_only`, in the setup program itself. (nullptr, 0) when it is
// missing, empty or cannot be loaded. The bytes live as long as the process.
std::pair<const char*, std::size_t> find_resource(int name, int type, bool executable_only);

// An input stream over the resource; an empty one when it is missing.
imemstream open_resource_stream(int type, int name);

} // namespace qv
