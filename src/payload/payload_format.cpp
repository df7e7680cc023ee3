#include "payload/payload_format.hpp"

#include "payload/compress_error.hpp"

#include <string>

namespace qv {
namespace {

class TableReader {
public:
    TableReader(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}

    std::size_t remaining() const { return size_ - pos_; }

    std::uint64_t number(std::size_t bytes) {
        need(bytes);
        std::uint64_t value = 0;
        for (std::size_t i = 0; i < bytes; ++i) {
            value |= std::uint64_t{data_[pos_ + i]} << (8 * i);
        }
        pos_ += bytes;
        return value;
    }
    std::uint32_t u32() { return static_cast<std::uint32_t>(number(4)); }
    std::uint64_t u64() { return number(8); }

    std::wstring text() {
        const std::uint64_t units = u32();
        if (units > remaining() / 2) {
            malformed("string longer than the table");
        }
        std::wstring result(static_cast<std::size_t>(units), L'\0');
        for (auto& c : result) {
            c = static_cast<wchar_t>(number(2));
        }
        return result;
    }

    [[noreturn]] void malformed(const char* what) const {
        const std::string text =
            "malformed payload table at byte " + std::to_string(pos_) + ": " + what;
        throw_compress_error(compress_errc::unexpected_error, text.c_str());
    }

private:
    void need(std::size_t bytes) const {
        if (bytes > remaining()) {
            malformed("table runs past data_offset");
        }
    }

    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t pos_ = 0;
};

void put(std::vector<std::uint8_t>& out, std::uint64_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) {
        out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
    }
}

void put_text(std::vector<std::uint8_t>& out, const std::wstring& text) {
    put(out, text.size(), 4);
    for (wchar_t c : text) {
        put(out, static_cast<std::uint16_t>(c), 2);
    }
}

} // namespace

PayloadTable parse_payload_table(const std::uint8_t* data, std::size_t size) {
    TableReader in(data, size);
    PayloadTable table;
    table.data_offset = in.u64();
    if (table.data_offset < payload_header_size || table.data_offset != size) {
        in.malformed("data_offset does not match the header");
    }
    const std::uint32_t count = in.u32();
    if (count > in.remaining() / payload_min_entry_size) {
        in.malformed("more entries than the table can hold");
    }
    table.entries.resize(count);
    for (auto& entry : table.entries) {
        entry.source_path = in.text();
        entry.destination = in.text();
        entry.kind = in.u32();
        entry.size = in.u64();
        entry.crc32 = in.u32();
    }
    return table;
}

std::vector<std::uint8_t> serialize_payload_table(const std::vector<PayloadEntry>& entries) {
    std::vector<std::uint8_t> out(payload_header_size);
    for (const auto& entry : entries) {
        put_text(out, entry.source_path);
        put_text(out, entry.destination);
        put(out, entry.kind, 4);
        put(out, entry.size, 8);
        put(out, entry.crc32, 4);
    }
    std::vector<std::uint8_t> header;
    put(header, out.size(), 8);
    put(header, entries.size(), 4);
    std::copy(header.begin(), header.end(), out.begin());
    return out;
}

std::wstring payload_file_name(const std::wstring& source_path) {
    const auto at = source_path.find_last_of(L"\\/");
    return at == std::wstring::npos ? source_path : source_path.substr(at + 1);
}

} // namespace qv
