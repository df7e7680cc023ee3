#pragma once
// One owning template for the platform's handles: the invalid value is part
// of the type, ownership only moves, release() hands it back explicitly.
#include <utility>

namespace qv {

template <typename Traits> class unique_any {
public:
    using value_type = typename Traits::value_type;

    unique_any() noexcept = default;
    explicit unique_any(value_type value) noexcept : value_(value) {}
    unique_any(unique_any&& other) noexcept : value_(other.release()) {}
    unique_any& operator=(unique_any&& other) noexcept {
        reset(other.release());
        return *this;
    }
    unique_any(const unique_any&) = delete;
    unique_any& operator=(const unique_any&) = delete;
    ~unique_any() { reset(); }

    value_type get() const noexcept { return value_; }
    explicit operator bool() const noexcept { return value_ != Traits::invalid(); }
    [[nodiscard]] value_type release() noexcept { return std::exchange(value_, Traits::invalid()); }
    void reset(value_type value = Traits::invalid()) noexcept {
        const value_type old = std::exchange(value_, value);
        if (old != Traits::invalid()) {
            Traits::close(old);
        }
    }

private:
    value_type value_ = Traits::invalid();
};

} // namespace qv
