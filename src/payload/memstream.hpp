#pragma once
// Streams over one contiguous block of memory: either a block the caller
// keeps (read in place, never freed here) or one the buffer grows itself.
// Lengths stay 32-bit: no payload part comes near 4 GiB.
#include <cstddef>
#include <cstdint>
#include <ios>
#include <istream>
#include <new>
#include <stdexcept>
#include <streambuf>
#include <string>
#include <utility>

namespace qv {

// The capacity after `old` when a write finds the block full; 0 when it
// cannot grow within 32 bits.
constexpr std::uint32_t next_capacity(std::uint32_t old) noexcept {
    std::uint64_t increment = old < 512 ? 256 : old / 2;
    while (increment != 0 && old + increment > 0xFFFFFFFFu) {
        increment /= 2;
    }
    return increment == 0 ? 0 : static_cast<std::uint32_t>(old + increment);
}

template <typename CharT, typename Traits = std::char_traits<CharT>>
class basic_membuf : public std::basic_streambuf<CharT, Traits> {
public:
    using char_type = CharT;
    using traits_type = Traits;
    using int_type = typename Traits::int_type;
    using pos_type = typename Traits::pos_type;
    using off_type = typename Traits::off_type;
    using openmode = std::ios_base::openmode;

    // Empty: the first write allocates a block of our own.
    explicit basic_membuf(openmode mode = std::ios_base::in | std::ios_base::out) : mode_(mode) {
        place_positions();
    }

    // Over the caller's block, which stays the caller's. Its whole length is
    // content unless `trunc` is given.
    basic_membuf(CharT* data, std::size_t size, openmode mode) : mode_(mode) {
        if (!std::in_range<std::uint32_t>(size) || (data == nullptr && size != 0)) {
            throw std::length_error("qv::basic_membuf: block out of range");
        }
        buf_ = data;
        capacity_ = static_cast<std::uint32_t>(size);
        high_water_ = has(mode_, std::ios_base::trunc) ? 0 : capacity_;
        place_positions();
    }

    basic_membuf(const basic_membuf&) = delete;
    basic_membuf& operator=(const basic_membuf&) = delete;

    ~basic_membuf() override {
        if (owned_) {
            delete[] buf_;
        }
    }

    std::uint32_t capacity() const noexcept { return capacity_; }

    // All content up to the high-water mark, wherever the read position is.
    std::pair<const CharT*, std::size_t> data() const noexcept { return {buf_, content_end()}; }

protected:
    int_type overflow(int_type c) override {
        if (!has(mode_, std::ios_base::out)) {
            return Traits::eof();
        }
        if (Traits::eq_int_type(c, Traits::eof())) {
            return Traits::not_eof(c);
        }
        settle();
        if (has(mode_, std::ios_base::app)) {
            set_put(high_water_);
        }
        if (this->pptr() == nullptr || this->pptr() == this->epptr()) {
            if (!grow()) {
                return Traits::eof();
            }
        }
        *this->pptr() = Traits::to_char_type(c);
        this->pbump(1);
        return c;
    }

    int_type pbackfail(int_type c) override {
        if (this->gptr() == nullptr || this->gptr() == this->eback()) {
            return Traits::eof();
        }
        if (Traits::eq_int_type(c, Traits::eof())) {
            this->gbump(-1);
            return Traits::not_eof(c);
        }
        const CharT ch = Traits::to_char_type(c);
        if (!Traits::eq(ch, this->gptr()[-1])) {
            if (!has(mode_, std::ios_base::out)) {
                return Traits::eof();
            }
            this->gptr()[-1] = ch;
        }
        this->gbump(-1);
        return c;
    }

    int_type underflow() override {
        settle();
        if (this->gptr() != nullptr && this->gptr() < this->egptr()) {
            return Traits::to_int_type(*this->gptr());
        }
        return Traits::eof();
    }

    pos_type seekoff(off_type off, std::ios_base::seekdir dir, openmode which) override {
        const pos_type failed = pos_type(off_type(-1));
        const bool move_in = has(which, std::ios_base::in);
        const bool move_out = has(which, std::ios_base::out);
        if (!move_in && !move_out) {
            return failed;
        }
        // Both positions relative to "the" current one is ambiguous.
        if (dir == std::ios_base::cur && move_in && move_out) {
            return failed;
        }
        // Without `out` there is no put position to move.
        if (move_out && !has(mode_, std::ios_base::out)) {
            return failed;
        }
        settle();
        off_type base = 0;
        if (dir == std::ios_base::end) {
            base = off_type(high_water_);
        } else if (dir == std::ios_base::cur) {
            base = off_type(move_in ? get_pos() : put_pos());
        } else if (dir != std::ios_base::beg) {
            return failed;
        }
        if (off < -base || off > off_type(high_water_) - base) {
            return failed;
        }
        const auto target = static_cast<std::uint32_t>(base + off);
        if (move_out && has(mode_, std::ios_base::app) && target != high_water_) {
            return failed;
        }
        if (move_in) {
            this->setg(at(0), at(target), at(high_water_));
        }
        if (move_out) {
            set_put(target);
        }
        return pos_type(off_type(target));
    }

    pos_type seekpos(pos_type pos, openmode which) override {
        return seekoff(off_type(pos), std::ios_base::beg, which);
    }

    int sync() override { return 0; }

private:
    static bool has(openmode mode, openmode bit) noexcept { return (mode & bit) != openmode{}; }

    CharT* at(std::uint32_t pos) const noexcept { return buf_ == nullptr ? nullptr : buf_ + pos; }

    std::uint32_t offset(const CharT* p) const noexcept {
        return p == nullptr ? 0 : static_cast<std::uint32_t>(p - buf_);
    }
    std::uint32_t get_pos() const noexcept { return offset(this->gptr()); }
    std::uint32_t put_pos() const noexcept { return offset(this->pptr()); }

    std::uint32_t content_end() const noexcept {
        const std::uint32_t put = put_pos();
        return put > high_water_ ? put : high_water_;
    }

    // Makes everything written so far readable.
    void settle() noexcept {
        high_water_ = content_end();
        this->setg(at(0), at(get_pos()), at(high_water_));
    }

    // pbump takes an int, the block may be longer.
    void set_put(std::uint32_t pos) noexcept {
        if (!has(mode_, std::ios_base::out)) {
            return;
        }
        this->setp(at(0), at(capacity_));
        constexpr std::uint32_t step = 0x7FFFFFFF;
        while (pos > step) {
            this->pbump(static_cast<int>(step));
            pos -= step;
        }
        this->pbump(static_cast<int>(pos));
    }

    void place_positions() noexcept {
        const bool at_end = has(mode_, std::ios_base::ate);
        this->setg(at(0), at(at_end ? high_water_ : 0), at(high_water_));
        set_put(at_end || has(mode_, std::ios_base::app) ? high_water_ : 0);
    }

    // Moves the content to a larger block of our own.
    bool grow() noexcept {
        const std::uint32_t new_capacity = next_capacity(capacity_);
        if (new_capacity == 0) {
            return false;
        }
        CharT* block = new (std::nothrow) CharT[new_capacity];
        if (block == nullptr) {
            return false;
        }
        const std::uint32_t used = content_end();
        const std::uint32_t get = get_pos();
        const std::uint32_t get_end = offset(this->egptr());
        const std::uint32_t put = put_pos();
        if (used != 0) {
            Traits::copy(block, buf_, used);
        }
        if (owned_) {
            delete[] buf_;
        }
        buf_ = block;
        capacity_ = new_capacity;
        owned_ = true;
        high_water_ = used;
        this->setg(at(0), at(get), at(get_end));
        set_put(put);
        return true;
    }

    CharT* buf_ = nullptr;
    std::uint32_t capacity_ = 0;
    std::uint32_t high_water_ = 0;
    openmode mode_;
    bool owned_ = false;
};

// Reads the caller's block in place; it is never written.
template <typename CharT, typename Traits = std::char_traits<CharT>>
class basic_imemstream : public std::basic_istream<CharT, Traits> {
public:
    using membuf_type = basic_membuf<CharT, Traits>;

    basic_imemstream() : basic_imemstream(nullptr, 0) {}

    basic_imemstream(const CharT* data, std::size_t size,
                     std::ios_base::openmode mode = std::ios_base::in)
        : std::basic_istream<CharT, Traits>(nullptr),
          // Without `out` the buffer never writes through this pointer.
          buf_(const_cast<CharT*>(data), size,
               (mode | std::ios_base::in) & ~(std::ios_base::out | std::ios_base::app)) {
        this->init(&buf_);
    }

    // Non-const buffer from a const stream, as the standard streams do.
    membuf_type* rdbuf() const noexcept { return const_cast<membuf_type*>(&buf_); }

private:
    membuf_type buf_;
};

// Reads and writes a block of its own that grows as needed.
template <typename CharT, typename Traits = std::char_traits<CharT>>
class basic_memstream : public std::basic_iostream<CharT, Traits> {
public:
    using membuf_type = basic_membuf<CharT, Traits>;

    explicit basic_memstream(std::ios_base::openmode mode = std::ios_base::in | std::ios_base::out)
        : std::basic_iostream<CharT, Traits>(nullptr), buf_(mode) {
        this->init(&buf_);
    }

    membuf_type* rdbuf() const noexcept { return const_cast<membuf_type*>(&buf_); }

    std::pair<const CharT*, std::size_t> data() const noexcept { return buf_.data(); }

private:
    membuf_type buf_;
};

using membuf = basic_membuf<char>;
using imemstream = basic_imemstream<char>;
using memstream = basic_memstream<char>;

} // namespace qv
