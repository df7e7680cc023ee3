#include "payload/bzip2_encoder.hpp"

#include <bzlib.h>

#include <array>
#include <stdexcept>

namespace qv {

struct Bzip2Encoder::State {
    std::ostream& out;
    bz_stream stream{};
    bool finished = false;
    std::array<char, 64 * 1024> buffer{};

    // Runs the compressor until it has taken all input (or, finishing, until
    // the end marker is out).
    void run(int action) {
        for (;;) {
            stream.next_out = buffer.data();
            stream.avail_out = static_cast<unsigned>(buffer.size());
            const int rc = BZ2_bzCompress(&stream, action);
            if (rc != BZ_RUN_OK && rc != BZ_FINISH_OK && rc != BZ_STREAM_END) {
                throw std::runtime_error("bzip2 compression failed");
            }
            out.write(buffer.data(),
                      static_cast<std::streamsize>(buffer.size() - stream.avail_out));
            if (!out) {
                throw std::runtime_error("cannot write the compressed stream");
            }
            if (action == BZ_RUN ? stream.avail_in == 0 : rc == BZ_STREAM_END) {
                return;
            }
        }
    }
};

Bzip2Encoder::Bzip2Encoder(std::ostream& out, int block_size) : state_(new State{out}) {
    if (BZ2_bzCompressInit(&state_->stream, block_size, 0, 0) != BZ_OK) {
        throw std::runtime_error("cannot start bzip2 compression");
    }
}

Bzip2Encoder::~Bzip2Encoder() {
    BZ2_bzCompressEnd(&state_->stream);
}

void Bzip2Encoder::write(const void* data, std::size_t size) {
    if (state_->finished) {
        throw std::logic_error("bzip2 stream already finished");
    }
    auto p = static_cast<const char*>(data);
    // avail_in is 32-bit.
    while (size != 0) {
        const std::size_t part = size < 0x40000000u ? size : 0x40000000u;
        state_->stream.next_in = const_cast<char*>(p);
        state_->stream.avail_in = static_cast<unsigned>(part);
        state_->run(BZ_RUN);
        p += part;
        size -= part;
    }
}

void Bzip2Encoder::finish() {
    if (!state_->finished) {
        state_->stream.avail_in = 0;
        state_->run(BZ_FINISH);
        state_->finished = true;
    }
}

} // namespace qv
