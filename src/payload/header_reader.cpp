#include "payload/header_reader.hpp"

#include "payload/compress_error.hpp"

#include <algorithm>
#include <string>

namespace qv {
namespace {

constexpr std::size_t offset_field_size = 8;

std::uint64_t read_u64(const char* p) {
    std::uint64_t value = 0;
    for (std::size_t i = 0; i < 8; ++i) {
        value |= std::uint64_t{static_cast<unsigned char>(p[i])} << (8 * i);
    }
    return value;
}

} // namespace

PayloadHeaderReader::PayloadHeaderReader()
    : buffer_(std::make_unique<memstream>(std::ios_base::in | std::ios_base::out)) {}

std::size_t PayloadHeaderReader::held() const {
    return buffer_->data().second;
}

std::size_t PayloadHeaderReader::take(const char* data, std::size_t size) {
    std::size_t taken = 0;
    while (!complete_ && taken < size) {
        const auto missing = static_cast<std::size_t>(wanted_ - held());
        const std::size_t n = std::min(missing, size - taken);
        if (!buffer_->write(data + taken, static_cast<std::streamsize>(n))) {
            throw_compress_error(compress_errc::unexpected_error,
                                 "payload table too large for memory");
        }
        taken += n;
        if (held() != wanted_) {
            break;
        }
        const auto [bytes, count] = buffer_->data();
        if (wanted_ == offset_field_size) {
            const std::uint64_t data_offset = read_u64(bytes);
            if (data_offset < payload_header_size || data_offset > payload_max_data_offset) {
                throw_compress_error(
                    compress_errc::unexpected_error,
                    ("malformed payload header: data_offset " + std::to_string(data_offset))
                        .c_str());
            }
            wanted_ = data_offset;
        } else {
            table_ = parse_payload_table(reinterpret_cast<const std::uint8_t*>(bytes), count);
            complete_ = true;
        }
    }
    return taken;
}

} // namespace qv
