// qvpack: makes the payload archive of a product and checks archives and
// setup programs.
#include "manifest.hpp"
#include "pe_resource.hpp"
#include "scan.hpp"
#include "writer.hpp"

#include "payload/memstream.hpp"
#include "payload/resource.hpp"
#include "sys/path_text.hpp"
#include "sys/utf.hpp"

#include <cstdio>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>

namespace {

using namespace qv;
using namespace qv::pack;

constexpr char usage[] =
    "usage: qvpack pack MANIFEST -o ARCHIVE [--root FOLDER]\n"
    "       qvpack list ARCHIVE|SETUP.EXE\n"
    "       qvpack verify ARCHIVE|SETUP.EXE\n"
    "\n"
    "A manifest line is KIND<TAB>DESTINATION<TAB>SOURCE; SOURCE is relative to\n"
    "--root, by default the manifest's folder. Installed paths are checked\n"
    "against MAX_PATH with the folders of a typical machine.\n";

struct UsageError {};

std::string read_file(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    if (!in) {
        throw std::runtime_error("cannot open " + file.string());
    }
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return std::move(bytes).str();
}

// The archive itself, or the one a setup program carries.
std::string_view archive_bytes(const std::string& file, const std::string& name) {
    if (!looks_like_executable(file)) {
        return file;
    }
    const auto range = find_pe_resource(file, payload_resource_type, payload_resource_name);
    if (!range) {
        throw ArchiveError(name + " carries no payload resource");
    }
    return std::string_view(file).substr(range->offset, range->size);
}

int run_pack(int argc, char** argv) {
    std::optional<std::filesystem::path> manifest, output, root;
    for (int i = 2; i < argc; ++i) {
        const std::string arg = argv[i];
        if ((arg == "-o" || arg == "--root") && i + 1 < argc) {
            (arg == "-o" ? output : root) = argv[++i];
        } else if (!manifest && arg.front() != '-') {
            manifest = arg;
        } else {
            throw UsageError{};
        }
    }
    if (!manifest || !output) {
        throw UsageError{};
    }
    auto items = read_manifest(*manifest, root);
    // Written beside the target and renamed, so that a failure leaves no
    // half archive under the final name.
    auto partial = *output;
    partial += ".partial";
    try {
        std::ofstream out(partial, std::ios::binary | std::ios::trunc);
        if (!out) {
            throw std::runtime_error("cannot create " + partial.string());
        }
        pack_archive(items, out);
        out.close();
        if (!out) {
            throw std::runtime_error("cannot write " + partial.string());
        }
        std::filesystem::rename(partial, *output);
    } catch (...) {
        std::error_code ignored;
        std::filesystem::remove(partial, ignored);
        throw;
    }
    return 0;
}

int list_or_verify(const std::string& command, const std::string& name) {
    const std::string file = read_file(name);
    const auto archive = archive_bytes(file, name);
    imemstream in(archive.data(), archive.size());
    const auto report = scan_archive(*in.rdbuf(), command == "verify");
    if (command == "list") {
        std::printf("%-16s %12s %10s  %s\n", "kind", "size", "crc32", "destination  file");
        for (const auto& entry : report.table.entries) {
            std::printf("%-16s %12llu 0x%08x  %s  %s\n", std::string(kind_name(entry.kind)).c_str(),
                        static_cast<unsigned long long>(entry.size), entry.crc32,
                        utf16_to_utf8(entry.destination).c_str(),
                        utf16_to_utf8(payload_file_name(entry.source_path)).c_str());
        }
    }
    std::printf("%zu entries, data_offset %llu, %llu bytes, %zu bytes compressed%s\n",
                report.table.entries.size(),
                static_cast<unsigned long long>(report.table.data_offset),
                static_cast<unsigned long long>(report.total), archive.size(),
                command == "verify" ? ": every body verified" : "");
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    try {
        const std::string command = argc > 1 ? argv[1] : "";
        if (command == "pack") {
            return run_pack(argc, argv);
        }
        if ((command == "list" || command == "verify") && argc == 3) {
            return list_or_verify(command, argv[2]);
        }
        throw UsageError{};
    } catch (const UsageError&) {
        std::fputs(usage, stderr);
        return 2;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "qvpack: %s\n", e.what());
        return 1;
    }
}
