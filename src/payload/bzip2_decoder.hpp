#pragma once
// Push-style bzip2 decompression: compressed blocks are read from a stream
// buffer and the decompressed bytes handed to a sink in chunks of at most
// 4096 bytes. The sink takes a prefix of each chunk (possibly nothing) and
// gets the rest again, until it has taken all of it.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <streambuf>

namespace qv {

inline constexpr std::size_t bzip2_chunk_size = 4096;

using ChunkSink = std::function<std::size_t(const char* data, std::size_t size)>;

// Decompresses `source` to its end and returns the count of compressed
// bytes read. A damaged stream, or one that ends before its end marker (an
// empty one included), throws the engine's bzip2_error. Streams written one
// after the other are read as one.
std::uint64_t bzip2_decompress(std::streambuf& source, const ChunkSink& sink);

} // namespace qv
