#pragma once
// Output files gather small writes (the decompressor hands over 4 kB at a
// time) into larger ones before they reach the system.
#include "payload/file_system.hpp"

#include <cstring>
#include <vector>

namespace qv {

class BufferedOutputFile : public OutputFile {
public:
    void write(const char* data, std::size_t size) final {
        if (buffer_.size() - used_ < size) {
            flush();
        }
        if (size >= buffer_.size()) {
            write_through(data, size);
            return;
        }
        if (size != 0) {
            std::memcpy(buffer_.data() + used_, data, size);
            used_ += size;
        }
    }

protected:
    // Puts the bytes into the file; throws std::system_error.
    virtual void write_through(const char* data, std::size_t size) = 0;

    void flush() {
        if (used_ != 0) {
            const std::size_t n = used_;
            used_ = 0;
            write_through(buffer_.data(), n);
        }
    }

private:
    std::vector<char> buffer_ = std::vector<char>(64 * 1024);
    std::size_t used_ = 0;
};

} // namespace qv
