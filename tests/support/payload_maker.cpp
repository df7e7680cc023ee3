#include "support/payload_maker.hpp"

#include "payload/bzip2_encoder.hpp"
#include "payload/crc32.hpp"

#include <sstream>

namespace qv::test {

std::string decompressed_payload(std::vector<Body> bodies) {
    std::vector<PayloadEntry> entries;
    std::string tail;
    for (auto& body : bodies) {
        body.entry.size = body.bytes.size();
        body.entry.crc32 = crc32_update(0, body.bytes.data(), body.bytes.size());
        entries.push_back(body.entry);
        tail += body.bytes;
    }
    const auto table = serialize_payload_table(entries);
    return std::string(table.begin(), table.end()) + tail;
}

std::string compress(const std::string& bytes) {
    std::ostringstream out;
    Bzip2Encoder encoder(out);
    encoder.write(bytes.data(), bytes.size());
    encoder.finish();
    return std::move(out).str();
}

} // namespace qv::test
