#include "product_files.hpp"

#include <cmath>
#include <cstdio>

namespace qv::bench {
namespace {

struct Group {
    const wchar_t* folder; // below <InstallPath>
    const wchar_t* name;   // printf pattern with the file's number
    PayloadKind kind;
    ContentKind content;
    int count;
    int percent; // of the body bytes; 0 for empty files
};

constexpr Group groups[] = {
    {L"Lang", L"Kardelo.%02d.dll", PayloadKind::language_module, ContentKind::binary, 12, 3},
    {L"Plugins", L"qv_plugin_%03d.dll", PayloadKind::program, ContentKind::binary, 120, 32},
    {L"Help", L"topic_%03d.html", PayloadKind::program, ContentKind::text, 90, 12},
    {L"Data", L"catalog_%03d.xml", PayloadKind::program, ContentKind::text, 40, 8},
    {L"Media", L"texture_%03d.kpak", PayloadKind::program, ContentKind::random, 30, 20},
    {L"Logs", L"empty_%d.log", PayloadKind::program, ContentKind::text, 6, 0},
    {L"", L"Kardelo.exe", PayloadKind::program, ContentKind::binary, 1, 25},
};

std::wstring file_name(const wchar_t* pattern, int number) {
    wchar_t text[64];
    std::swprintf(text, std::size(text), pattern, number);
    return text;
}

std::wstring in_folder(const wchar_t* base, const wchar_t* folder) {
    return *folder ? std::wstring(base) + L"\\" + folder : base;
}

// Sizes spread over a factor of fifty, as a product's files are.
void share_out(std::vector<ProductFile>& files, std::size_t first, std::uint64_t budget, Rng& rng) {
    std::vector<double> weights;
    double sum = 0;
    for (std::size_t i = first; i < files.size(); ++i) {
        weights.push_back(std::exp(std::log(50.0) * static_cast<double>(rng.below(1000)) / 1000));
        sum += weights.back();
    }
    std::uint64_t given = 0;
    for (std::size_t i = first; i < files.size(); ++i) {
        files[i].size =
            static_cast<std::uint64_t>(static_cast<double>(budget) * weights[i - first] / sum);
        given += files[i].size;
    }
    files.back().size += budget - given;
}

} // namespace

std::vector<ProductFile> product_files(std::uint64_t body_bytes, std::uint64_t seed) {
    Rng rng(seed);
    std::vector<ProductFile> files;
    std::uint64_t given = 0;
    for (const Group& group : groups) {
        const std::size_t first = files.size();
        for (int i = 0; i < group.count; ++i) {
            files.push_back({in_folder(L"stage", group.folder) + L"\\" + file_name(group.name, i),
                             in_folder(L"<InstallPath>", group.folder), group.kind, group.content,
                             0, rng.next()});
        }
        // The last group takes what rounding left over.
        const std::uint64_t budget =
            &group == std::end(groups) - 1 ? body_bytes - given : body_bytes / 100 * group.percent;
        if (budget > 0) {
            share_out(files, first, budget, rng);
        }
        given += budget;
    }
    return files;
}

} // namespace qv::bench
