// Feeds arbitrary decompressed payload starts to the header and table reader:
// the first byte chooses the chunk size, the rest is the stream.
#include "payload/header_reader.hpp"

#include <cstddef>
#include <cstdint>
#include <system_error>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) {
        return 0;
    }
    const std::size_t chunk = data[0] % 64 + 1;
    const char* stream = reinterpret_cast<const char*>(data + 1);
    const std::size_t length = size - 1;
    qv::PayloadHeaderReader reader;
    try {
        std::size_t at = 0;
        while (!reader.complete() && at < length) {
            const std::size_t n = chunk < length - at ? chunk : length - at;
            const std::size_t taken = reader.take(stream + at, n);
            if (taken > n) {
                __builtin_trap();
            }
            at += taken;
        }
        if (reader.complete()) {
            // A complete table never claims more than was gathered.
            std::uint64_t strings = 0;
            for (const auto& entry : reader.table().entries) {
                strings += entry.source_path.size() + entry.destination.size();
            }
            if (reader.table().data_offset != at || strings * 2 > at) {
                __builtin_trap();
            }
        }
    } catch (const std::system_error&) {
    }
    return 0;
}
