#include "payload_file.hpp"

#include "content.hpp"
#include "product_files.hpp"

#include "payload/bzip2_encoder.hpp"
#include "payload/crc32.hpp"

#include <cstdio>
#include <fstream>
#include <stdexcept>
#include <string>
#include <vector>

namespace qv::bench {
namespace {

constexpr int generator_version = 2;
constexpr std::size_t chunk_size = 64 * 1024;

// Feeds the file's bytes to `sink` chunk by chunk.
template <typename Sink>
void generate(const ProductFile& file, std::vector<char>& chunk, Sink sink) {
    Content content(file.content, file.seed);
    for (std::uint64_t left = file.size; left > 0;) {
        const auto n = static_cast<std::size_t>(std::min<std::uint64_t>(left, chunk.size()));
        content.fill(chunk.data(), n);
        sink(chunk.data(), n);
        left -= n;
    }
}

void write_payload(const std::filesystem::path& target, std::uint64_t mib, std::uint64_t seed) {
    const auto files = product_files(mib << 20, seed);
    std::vector<char> chunk(chunk_size);
    std::vector<PayloadEntry> entries;
    for (const auto& file : files) {
        std::uint32_t crc = 0;
        generate(file, chunk,
                 [&](const char* data, std::size_t size) { crc = crc32_update(crc, data, size); });
        entries.push_back({file.source_path, file.destination,
                           static_cast<std::uint32_t>(file.kind), file.size, crc});
    }
    std::ofstream out(target, std::ios::binary | std::ios::trunc);
    if (!out) {
        throw std::runtime_error("cannot create " + target.string());
    }
    Bzip2Encoder encoder(out);
    const auto table = serialize_payload_table(entries);
    encoder.write(table.data(), table.size());
    for (const auto& file : files) {
        generate(file, chunk,
                 [&](const char* data, std::size_t size) { encoder.write(data, size); });
    }
    encoder.finish();
    out.close();
    if (!out) {
        throw std::runtime_error("cannot write " + target.string());
    }
}

} // namespace

std::filesystem::path cached_payload(const std::filesystem::path& folder, std::uint64_t mib,
                                     std::uint64_t seed) {
    const auto name = "payload-" + std::to_string(mib) + "m-s" + std::to_string(seed) + "-v" +
                      std::to_string(generator_version) + ".bz2";
    const auto path = folder / name;
    if (std::filesystem::exists(path)) {
        return path;
    }
    std::printf("making %s ...\n", path.string().c_str());
    std::fflush(stdout);
    std::filesystem::create_directories(folder);
    // Renamed when complete: an interrupted run leaves no payload to reuse.
    auto partial = path;
    partial += ".partial";
    write_payload(partial, mib, seed);
    std::filesystem::rename(partial, path);
    return path;
}

} // namespace qv::bench
