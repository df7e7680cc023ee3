#include "pe_resource.hpp"

#include <cstdint>
#include <string>

namespace qv::pack {
namespace {

class Image {
public:
    explicit Image(std::string_view bytes) : bytes_(bytes) {}

    std::uint32_t u16(std::size_t at) const { return static_cast<std::uint32_t>(number(at, 2)); }
    std::uint32_t u32(std::size_t at) const { return static_cast<std::uint32_t>(number(at, 4)); }

    // File offset of a relative virtual address, through the section table.
    std::size_t file_offset(std::uint32_t rva) const {
        for (std::size_t i = 0; i < section_count_; ++i) {
            const std::size_t header = sections_ + 40 * i;
            const std::uint32_t virtual_size = u32(header + 8);
            const std::uint32_t address = u32(header + 12);
            const std::uint32_t raw_size = u32(header + 16);
            const std::uint32_t raw_offset = u32(header + 20);
            const std::uint32_t extent = virtual_size > raw_size ? virtual_size : raw_size;
            if (rva >= address && rva - address < extent) {
                return std::size_t{raw_offset} + (rva - address);
            }
        }
        throw ImageError("address " + std::to_string(rva) + " lies in no section");
    }

    // The resource directory's RVA, or 0 when the image has none.
    std::uint32_t resource_directory() {
        if (u16(0) != 0x5A4D) { // "MZ"
            throw ImageError("not a Windows executable");
        }
        const std::size_t pe = u32(0x3C);
        if (u32(pe) != 0x00004550) { // "PE\0\0"
            throw ImageError("not a Windows executable");
        }
        section_count_ = u16(pe + 6);
        const std::size_t optional = pe + 24;
        sections_ = optional + u16(pe + 20);
        const std::uint32_t magic = u16(optional);
        if (magic != 0x10B && magic != 0x20B) {
            throw ImageError("unknown optional header");
        }
        const std::size_t directories = optional + (magic == 0x20B ? 112 : 96);
        const std::uint32_t directory_count = u32(directories - 4);
        return directory_count > 2 ? u32(directories + 2 * 8) : 0;
    }

private:
    std::uint64_t number(std::size_t at, std::size_t size) const {
        if (at > bytes_.size() || bytes_.size() - at < size) {
            throw ImageError("the executable is cut short");
        }
        std::uint64_t value = 0;
        for (std::size_t i = 0; i < size; ++i) {
            value |= std::uint64_t{static_cast<unsigned char>(bytes_[at + i])} << (8 * i);
        }
        return value;
    }

    std::string_view bytes_;
    std::size_t section_count_ = 0;
    std::size_t sections_ = 0;
};

constexpr std::uint32_t subdirectory_bit = 0x80000000u;
constexpr std::uint32_t name_is_string_bit = 0x80000000u;

// The entry of a directory at `directory` (file offset) with this integer
// id, or with `id` absent the first entry; its offset field.
std::optional<std::uint32_t> directory_entry(const Image& image, std::size_t directory,
                                             std::optional<unsigned> id) {
    const std::uint32_t named = image.u16(directory + 12);
    const std::uint32_t numbered = image.u16(directory + 14);
    for (std::uint32_t i = 0; i < named + numbered; ++i) {
        const std::size_t entry = directory + 16 + 8 * std::size_t{i};
        const std::uint32_t entry_name = image.u32(entry);
        if (!id || ((entry_name & name_is_string_bit) == 0 && entry_name == *id)) {
            return image.u32(entry + 4);
        }
    }
    return std::nullopt;
}

} // namespace

bool looks_like_executable(std::string_view image) {
    return image.substr(0, 2) == "MZ";
}

std::optional<ByteRange> find_pe_resource(std::string_view bytes, unsigned type, unsigned name) {
    Image image(bytes);
    const std::uint32_t root_rva = image.resource_directory();
    if (root_rva == 0) {
        return std::nullopt;
    }
    const std::size_t root = image.file_offset(root_rva);
    std::size_t level = root;
    // type, then name, then the first language; each level points to the next.
    const std::optional<unsigned> ids[] = {type, name, std::nullopt};
    for (std::size_t depth = 0; depth < 3; ++depth) {
        const auto offset = directory_entry(image, level, ids[depth]);
        if (!offset) {
            return std::nullopt;
        }
        const bool is_directory = (*offset & subdirectory_bit) != 0;
        if (is_directory != (depth < 2)) {
            throw ImageError("damaged resource directory");
        }
        level = root + (*offset & ~subdirectory_bit);
    }
    const std::uint32_t data_rva = image.u32(level);
    const std::uint32_t size = image.u32(level + 4);
    const std::size_t data = image.file_offset(data_rva);
    if (data > bytes.size() || bytes.size() - data < size) {
        throw ImageError("the resource runs past the end of the executable");
    }
    return ByteRange{data, size};
}

} // namespace qv::pack
