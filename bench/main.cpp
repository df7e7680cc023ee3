// extract_bench: times the extraction engine against the system bzip2.
//
//   extract_bench [--mib N] [--runs N] [--seed N] [--scratch FOLDER]
//
// Makes a payload of N MiB of file bodies (200 by default) and keeps it in
// the scratch folder (build/bench/scratch by default) as
// payload-<N>m-s<seed>-v<generator>.bz2 for later runs; delete it to make it
// again. Each run times `bzip2 -dc` plus reading its output back, and the
// engine, each in a child process of its own, in alternating order; the best
// of --runs (3) counts, and the largest memory growth. Exit status 0 when
// engine/baseline <= 1.05 and the engine's peak resident memory grows by less
// than 8 MiB, 1 when a target is missed, 2 on errors.
#include "child_process.hpp"
#include "measurements.hpp"
#include "payload_file.hpp"
#include "product_files.hpp"
#include "scratch_folder.hpp"

#include <algorithm>
#include <cinttypes>
#include <cstdio>
#include <exception>
#include <filesystem>
#include <limits>
#include <sstream>
#include <string>

namespace {

using namespace qv::bench;
namespace fs = std::filesystem;

constexpr double ratio_target = 1.05;
constexpr double memory_target_mib = 8;
constexpr double mib = 1024.0 * 1024.0;

constexpr char usage[] =
    "usage: extract_bench [--mib N] [--runs N] [--seed N] [--scratch FOLDER]\n";

struct UsageError {};

struct Options {
    std::uint64_t mib = 200;
    std::uint64_t runs = 3;
    std::uint64_t seed = 1;
    fs::path scratch = QV_BENCH_SCRATCH;
};

std::uint64_t positive(const std::string& text) {
    if (text.empty() || text.find_first_not_of("0123456789") != std::string::npos) {
        throw UsageError{};
    }
    const std::uint64_t value = std::stoull(text);
    if (value == 0) {
        throw UsageError{};
    }
    return value;
}

Options parse_options(int argc, char** argv) {
    Options options;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (i + 1 == argc) {
            throw UsageError{};
        }
        const std::string value = argv[++i];
        if (arg == "--mib") {
            options.mib = positive(value);
        } else if (arg == "--runs") {
            options.runs = positive(value);
        } else if (arg == "--seed") {
            options.seed = positive(value);
        } else if (arg == "--scratch") {
            options.scratch = value;
        } else {
            throw UsageError{};
        }
    }
    return options;
}

// The child's side: one measurement, reported as "seconds bytes".
int run_child(const std::string& which, const fs::path& payload, const fs::path& folder) {
    const Sample sample =
        which == "engine" ? engine_run(payload, folder) : baseline_run(payload, folder);
    std::printf("%.6f %" PRIu64 "\n", sample.seconds, sample.memory_growth);
    return 0;
}

Sample measure(const std::string& which, const fs::path& payload, const fs::path& scratch) {
    static const fs::path self = fs::read_symlink("/proc/self/exe");
    const ScratchFolder folder(scratch / "run");
    std::istringstream output(
        output_of({self.string(), "--child", which, payload.string(), folder.path().string()}));
    Sample sample;
    if (!(output >> sample.seconds >> sample.memory_growth)) {
        throw std::runtime_error("unreadable report of the " + which + " run");
    }
    return sample;
}

const char* verdict(bool met) {
    return met ? "PASS" : "MISS";
}

int run_benchmark(const Options& options) {
    const fs::path payload = cached_payload(options.scratch, options.mib, options.seed);
    std::printf("payload: %" PRIu64 " MiB in %zu files, %.1f MiB compressed\n  %s\n", options.mib,
                product_files(options.mib << 20, options.seed).size(),
                static_cast<double>(fs::file_size(payload)) / mib, payload.c_str());

    double baseline = std::numeric_limits<double>::infinity();
    double engine = baseline;
    std::uint64_t growth = 0;
    for (std::uint64_t run = 1; run <= options.runs; ++run) {
        // Alternating, so that neither always finds the other's dirty pages.
        Sample b, e;
        if (run % 2 == 1) {
            b = measure("baseline", payload, options.scratch);
            e = measure("engine", payload, options.scratch);
        } else {
            e = measure("engine", payload, options.scratch);
            b = measure("baseline", payload, options.scratch);
        }
        std::printf("run %" PRIu64 ": baseline %.3f s, engine %.3f s, engine memory +%.1f MiB\n",
                    run, b.seconds, e.seconds, static_cast<double>(e.memory_growth) / mib);
        std::fflush(stdout);
        baseline = std::min(baseline, b.seconds);
        engine = std::min(engine, e.seconds);
        growth = std::max(growth, e.memory_growth);
    }

    const double ratio = engine / baseline;
    const double growth_mib = static_cast<double>(growth) / mib;
    const bool ratio_met = ratio <= ratio_target;
    const bool memory_met = growth_mib < memory_target_mib;
    std::printf("\nbest of %" PRIu64 "\n", options.runs);
    std::printf("  baseline (bzip2 -dc, read back)  %8.3f s\n", baseline);
    std::printf("  engine (extract_payload)         %8.3f s\n", engine);
    std::printf("  engine / baseline                %8.3f     target <= %.2f  %s\n", ratio,
                ratio_target, verdict(ratio_met));
    std::printf("  engine memory growth             %8.1f MiB target <  %.0f MiB %s\n", growth_mib,
                memory_target_mib, verdict(memory_met));
    return ratio_met && memory_met ? 0 : 1;
}

} // namespace

int main(int argc, char** argv) {
    try {
        if (argc == 5 && std::string(argv[1]) == "--child") {
            return run_child(argv[2], argv[3], argv[4]);
        }
        return run_benchmark(parse_options(argc, argv));
    } catch (const UsageError&) {
        std::fputs(usage, stderr);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "extract_bench: %s\n", e.what());
    }
    return 2;
}
