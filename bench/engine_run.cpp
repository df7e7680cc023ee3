#include "measurements.hpp"

#include "payload/extraction.hpp"
#include "sys/utf.hpp"

#include <chrono>
#include <fstream>
#include <stdexcept>
#include <string>

namespace qv::bench {
namespace {

// A field of /proc/self/status in bytes, such as "VmHWM".
std::uint64_t status_bytes(const std::string& field) {
    std::ifstream status("/proc/self/status");
    const std::string prefix = field + ":";
    for (std::string line; std::getline(status, line);) {
        if (line.starts_with(prefix)) {
            return std::stoull(line.substr(prefix.size())) * 1024;
        }
    }
    throw std::runtime_error("no " + field + " in /proc/self/status");
}

// Lowers the peak to the current resident size, so that the peak read
// afterwards belongs to the extraction alone. Where the kernel does not
// allow it the start-up peak stays, which only overstates the growth.
void reset_peak_memory() {
    std::ofstream("/proc/self/clear_refs") << "5";
}

std::wstring wide(const std::filesystem::path& path) {
    return utf8_to_utf16(path.string()).value();
}

} // namespace

Sample engine_run(const std::filesystem::path& payload, const std::filesystem::path& folder) {
    std::ifstream source(payload, std::ios::binary);
    if (!source) {
        throw std::runtime_error("cannot open " + payload.string());
    }
    std::string failure;
    const NotificationHandler handler = [&failure](notification n) {
        if (const auto* failed = std::get_if<extraction::failed>(&n)) {
            failure = failed->code.message();
            if (!failed->path.empty()) {
                failure += ": " + utf16_to_utf8(failed->path);
            }
        }
        return notification::result::proceed;
    };
    const auto install = wide(folder / "Kardelo 5");
    const auto samples = wide(folder / "Samples");
    const auto temporary = wide(folder / "Temp");
    reset_peak_memory();
    const std::uint64_t resident = status_bytes("VmRSS");
    const auto start = std::chrono::steady_clock::now();
    const bool ok = extract_payload(source, install, samples, temporary, handler);
    const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
    const std::uint64_t peak = status_bytes("VmHWM");
    if (!ok) {
        throw std::runtime_error("extraction failed: " + failure);
    }
    return {elapsed.count(), peak > resident ? peak - resident : 0};
}

} // namespace qv::bench
