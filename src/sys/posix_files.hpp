#pragma once
// Windows path text on other hosts, and an owned file descriptor.
#include "sys/utf.hpp"

#include <unistd.h>

#include <algorithm>
#include <string>
#include <utility>

namespace qv {

// UTF-8 with "/" for "\".
inline std::string native_path(const std::wstring& path) {
    std::string text = utf16_to_utf8(path);
    std::replace(text.begin(), text.end(), '\\', '/');
    return text;
}

class Descriptor {
public:
    explicit Descriptor(int fd) : fd_(fd) {}
    ~Descriptor() {
        if (fd_ >= 0) {
            ::close(fd_);
        }
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int get() const { return fd_; }
    int release() { return std::exchange(fd_, -1); }

private:
    int fd_;
};

} // namespace qv
