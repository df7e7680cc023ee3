#include "writer.hpp"

#include "payload/bzip2_encoder.hpp"
#include "payload/crc32.hpp"

#include <array>
#include <fstream>

namespace qv::pack {
namespace {

// Feeds the file to `use` in blocks; returns its length.
template <typename Use> std::uint64_t for_each_block(const std::filesystem::path& file, Use use) {
    std::ifstream in(file, std::ios::binary);
    if (!in) {
        throw std::runtime_error("cannot read " + file.string());
    }
    std::array<char, 64 * 1024> block{};
    std::uint64_t length = 0;
    while (in) {
        in.read(block.data(), block.size());
        const auto got = static_cast<std::size_t>(in.gcount());
        use(block.data(), got);
        length += got;
    }
    if (in.bad()) {
        throw std::runtime_error("cannot read " + file.string());
    }
    return length;
}

} // namespace

void pack_archive(std::vector<ManifestItem>& items, std::ostream& out, int block_size) {
    std::vector<PayloadEntry> entries;
    for (auto& item : items) {
        std::uint32_t crc = 0;
        item.entry.size = for_each_block(
            item.file, [&crc](const char* p, std::size_t n) { crc = crc32_update(crc, p, n); });
        item.entry.crc32 = crc;
        entries.push_back(item.entry);
    }
    const auto table = serialize_payload_table(entries);
    if (table.size() > payload_max_data_offset) {
        throw std::runtime_error("the table does not fit in 4 GiB");
    }
    Bzip2Encoder encoder(out, block_size);
    encoder.write(table.data(), table.size());
    for (const auto& item : items) {
        std::uint32_t crc = 0;
        const auto length = for_each_block(item.file, [&](const char* p, std::size_t n) {
            crc = crc32_update(crc, p, n);
            encoder.write(p, n);
        });
        if (length != item.entry.size || crc != item.entry.crc32) {
            throw std::runtime_error(item.file.string() + " changed while it was packed");
        }
    }
    encoder.finish();
}

} // namespace qv::pack
