#pragma once
// Gathers the header and table of a decompressed payload from chunks of any
// size, taking from each only the bytes still missing, and reads the table
// once all `data_offset` bytes are there.
#include "payload/memstream.hpp"
#include "payload/payload_format.hpp"

#include <cstddef>
#include <memory>

namespace qv {

class PayloadHeaderReader {
public:
    PayloadHeaderReader();

    // Takes what the header and table still lack from [data, data + size)
    // and returns that count: the rest of the chunk belongs to the bodies.
    // A malformed header or table throws the engine's unexpected_error.
    std::size_t take(const char* data, std::size_t size);

    bool complete() const { return complete_; }
    // The table; valid once complete.
    PayloadTable& table() { return table_; }
    const PayloadTable& table() const { return table_; }
    // Frees the gathered bytes (the table stays).
    void release() { buffer_.reset(); }

private:
    std::size_t held() const;

    std::unique_ptr<memstream> buffer_;
    std::uint64_t wanted_ = 8; // the data_offset field, then data_offset
    bool complete_ = false;
    PayloadTable table_;
};

} // namespace qv
