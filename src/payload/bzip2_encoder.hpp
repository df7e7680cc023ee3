#pragma once
// bzip2 compression into a stream, as the packaging step and the tests make
// payloads. Block size 9 (900 kB) unless told otherwise.
#include <cstddef>
#include <memory>
#include <ostream>

namespace qv {

class Bzip2Encoder {
public:
    explicit Bzip2Encoder(std::ostream& out, int block_size = 9);
    ~Bzip2Encoder();
    Bzip2Encoder(const Bzip2Encoder&) = delete;
    Bzip2Encoder& operator=(const Bzip2Encoder&) = delete;

    void write(const void* data, std::size_t size);
    // Writes the end marker; nothing may be written afterwards.
    void finish();

private:
    struct State;
    std::unique_ptr<State> state_;
};

} // namespace qv
