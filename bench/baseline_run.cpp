#include "child_process.hpp"
#include "measurements.hpp"

#include "payload/crc32.hpp"

#include <array>
#include <chrono>
#include <fcntl.h>
#include <stdexcept>
#include <unistd.h>

namespace qv::bench {
namespace {

std::uint32_t read_back_crc(const std::filesystem::path& file) {
    unique_fd in(check(::open(file.c_str(), O_RDONLY | O_CLOEXEC), "open"));
    std::array<char, 4096> block{};
    std::uint32_t crc = 0;
    while (const auto got =
               check(static_cast<int>(::read(in.get(), block.data(), block.size())), "read")) {
        crc = crc32_update(crc, block.data(), static_cast<std::size_t>(got));
    }
    return crc;
}

} // namespace

Sample baseline_run(const std::filesystem::path& payload, const std::filesystem::path& folder) {
    const auto output = folder / "payload.out";
    const auto start = std::chrono::steady_clock::now();
    {
        unique_fd out(
            check(::open(output.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644), "open"));
        ChildProcess bzip2({"bzip2", "-dc", payload.string()}, out.get());
        if (!bzip2.wait()) {
            throw std::runtime_error("bzip2 -dc " + payload.string() + " failed");
        }
    }
    // Only the reading is of interest here: the engine checks its CRCs.
    static_cast<void>(read_back_crc(output));
    const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
    return {elapsed.count(), 0};
}

} // namespace qv::bench
