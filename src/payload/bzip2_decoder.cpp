#include "payload/bzip2_decoder.hpp"

#include "payload/compress_error.hpp"

#include <bzlib.h>

#include <array>
#include <memory>
#include <new>

namespace qv {
namespace {

class Decompressor {
public:
    Decompressor() { start(); }
    ~Decompressor() { BZ2_bzDecompressEnd(&stream_); }
    Decompressor(const Decompressor&) = delete;
    Decompressor& operator=(const Decompressor&) = delete;

    // Another stream follows the end marker of the previous one.
    void restart() {
        BZ2_bzDecompressEnd(&stream_);
        start();
    }

    // Decodes from [in, in + in_size) into `out`; returns the bytes taken.
    std::size_t run(const char* in, std::size_t in_size, char* out, std::size_t out_size,
                    std::size_t& produced) {
        stream_.next_in = const_cast<char*>(in);
        stream_.avail_in = static_cast<unsigned>(in_size);
        stream_.next_out = out;
        stream_.avail_out = static_cast<unsigned>(out_size);
        const int rc = BZ2_bzDecompress(&stream_);
        if (rc == BZ_MEM_ERROR) {
            throw std::bad_alloc();
        }
        if (rc != BZ_OK && rc != BZ_STREAM_END) {
            throw_compress_error(compress_errc::bzip2_error, "damaged compressed stream");
        }
        ended_ = rc == BZ_STREAM_END;
        produced = out_size - stream_.avail_out;
        return in_size - stream_.avail_in;
    }

    bool ended() const { return ended_; }

private:
    void start() {
        stream_ = {};
        ended_ = false;
        if (BZ2_bzDecompressInit(&stream_, 0, 0) != BZ_OK) {
            throw std::bad_alloc();
        }
    }

    bz_stream stream_{};
    bool ended_ = false;
};

void deliver(const ChunkSink& sink, const char* data, std::size_t size) {
    while (size != 0) {
        const std::size_t taken = sink(data, size);
        data += taken;
        size -= taken;
    }
}

} // namespace

std::uint64_t bzip2_decompress(std::streambuf& source, const ChunkSink& sink) {
    Decompressor decompressor;
    std::array<char, bzip2_chunk_size> in{};
    std::array<char, bzip2_chunk_size> out{};
    std::uint64_t read_total = 0;
    bool any_input = false;
    for (;;) {
        const auto got = static_cast<std::size_t>(source.sgetn(in.data(), in.size()));
        if (got == 0) {
            break;
        }
        read_total += got;
        any_input = true;
        std::size_t used = 0;
        while (used < got) {
            if (decompressor.ended()) {
                decompressor.restart();
            }
            std::size_t produced = 0;
            used +=
                decompressor.run(in.data() + used, got - used, out.data(), out.size(), produced);
            deliver(sink, out.data(), produced);
        }
    }
    // The last input may leave decoded bytes behind: drain them.
    while (any_input && !decompressor.ended()) {
        std::size_t produced = 0;
        decompressor.run(nullptr, 0, out.data(), out.size(), produced);
        if (produced == 0) {
            break;
        }
        deliver(sink, out.data(), produced);
    }
    if (!decompressor.ended()) {
        throw_compress_error(compress_errc::bzip2_error, "compressed stream ends early");
    }
    return read_total;
}

} // namespace qv
