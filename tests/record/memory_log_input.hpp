#pragma once
// A log file held in memory, for the reader's tests and its fuzz target.
#include "record/log_files.hpp"

#include <algorithm>
#include <string>

namespace qv::test {

class MemoryLogInput final : public LogInput {
public:
    // Reads fail once `failing_at` bytes have been served.
    explicit MemoryLogInput(std::string bytes, std::size_t failing_at = std::string::npos)
        : bytes_(std::move(bytes)), failing_at_(failing_at) {}

    std::optional<std::size_t> read(char* data, std::size_t size) override {
        if (at_ >= failing_at_) {
            return std::nullopt;
        }
        const std::size_t n = std::min({size, bytes_.size() - at_, failing_at_ - at_});
        std::copy_n(bytes_.data() + at_, n, data);
        at_ += n;
        return n;
    }

private:
    std::string bytes_;
    std::size_t failing_at_;
    std::size_t at_ = 0;
};

} // namespace qv::test
