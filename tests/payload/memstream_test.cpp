#include "payload/memstream.hpp"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <string_view>
#include <tuple>
#include <vector>

namespace qv {
namespace {

using std::ios_base;
using traits = std::char_traits<char>;

constexpr auto eof = traits::eof();

// Reaches the protected put-back directly, past the inline fast path.
struct exposed_membuf : membuf {
    using membuf::membuf;
    using membuf::pbackfail;
};

std::string content(const membuf& buf) {
    const auto [data, size] = buf.data();
    return std::string(data == nullptr ? "" : std::string_view(data, size));
}

std::vector<char> block(std::string_view text) {
    return {text.begin(), text.end()};
}

std::streamoff get_pos(membuf& buf) {
    return buf.pubseekoff(0, ios_base::cur, ios_base::in);
}
std::streamoff put_pos(membuf& buf) {
    return buf.pubseekoff(0, ios_base::cur, ios_base::out);
}

TEST(MemBuf, NextCapacity) {
    const struct {
        std::uint32_t old;
        std::uint32_t expected;
    } cases[] = {
        {0, 256},
        {255, 511},
        {256, 512},
        {511, 767},
        {512, 768},
        {768, 1152},
        {1152, 1728},
        {1728, 2592},
        {0xAAAAAAAA, 0xFFFFFFFF}, // half still fits exactly
        {0xC0000000, 0xF0000000}, // half halved once
        {0xF0000000, 0xFF000000}, // halved four times
        {0xFFFFFFFE, 0xFFFFFFFF}, // down to 1
        {0xFFFFFFFF, 0},          // cannot grow
    };
    for (const auto& c : cases) {
        EXPECT_EQ(next_capacity(c.old), c.expected) << std::hex << c.old;
    }
}

TEST(MemBuf, OwnedBlockGrowsInSteps) {
    membuf buf;
    EXPECT_EQ(buf.capacity(), 0u);
    std::vector<std::uint32_t> seen;
    for (int i = 0; i < 2000; ++i) {
        ASSERT_EQ(buf.sputc(static_cast<char>(i)), static_cast<unsigned char>(i));
        if (seen.empty() || seen.back() != buf.capacity()) {
            seen.push_back(buf.capacity());
        }
    }
    EXPECT_EQ(seen, (std::vector<std::uint32_t>{256, 512, 768, 1152, 1728, 2592}));
    const auto [data, size] = buf.data();
    ASSERT_EQ(size, 2000u);
    for (std::size_t i = 0; i < size; ++i) {
        ASSERT_EQ(data[i], static_cast<char>(i)) << i;
    }
}

TEST(MemStream, WrittenCanBeReadBack) {
    memstream s;
    s << "hello world " << 42;
    std::string a, b;
    int n = 0;
    s >> a >> b >> n;
    EXPECT_EQ(a, "hello");
    EXPECT_EQ(b, "world");
    EXPECT_EQ(n, 42);
    EXPECT_EQ(s.get(), eof);

    // Interleaved: what is written after reading to the end is readable too.
    memstream t;
    t << "ab";
    EXPECT_EQ(t.get(), 'a');
    t << "cd";
    std::string rest;
    t >> rest;
    EXPECT_EQ(rest, "bcd");
}

TEST(MemStream, DataIgnoresTheReadPosition) {
    memstream s;
    const std::string text = "0123456789abcdefghij";
    s << text;
    char head[8];
    ASSERT_TRUE(s.read(head, sizeof head));
    EXPECT_EQ(std::string(head, sizeof head), "01234567");
    auto [data, size] = s.data();
    EXPECT_EQ(std::string(data, size), text);

    // Moving the put position back keeps the content written beyond it.
    ASSERT_TRUE(s.seekp(2));
    s << 'X';
    std::tie(data, size) = s.data();
    EXPECT_EQ(std::string(data, size), "01X3456789abcdefghij");
}

TEST(MemBuf, Modes) {
    const struct {
        ios_base::openmode mode;
        int first_read;
        bool write_ok;
        const char* content; // after writing 'X'
        const char* block;   // the caller's block afterwards
    } cases[] = {
        {ios_base::in, 'a', false, "abcdef", "abcdef"},
        {ios_base::in | ios_base::out, 'a', true, "Xbcdef", "Xbcdef"},
        {ios_base::in | ios_base::ate, eof, false, "abcdef", "abcdef"},
        {ios_base::in | ios_base::out | ios_base::ate, eof, true, "abcdefX", "abcdef"},
        {ios_base::in | ios_base::out | ios_base::trunc, eof, true, "X", "Xbcdef"},
        {ios_base::in | ios_base::out | ios_base::app, 'a', true, "abcdefX", "abcdef"},
        {ios_base::in | ios_base::app, 'a', false, "abcdef", "abcdef"},
    };
    for (const auto& c : cases) {
        auto v = block("abcdef");
        membuf buf(v.data(), v.size(), c.mode);
        EXPECT_EQ(buf.sgetc(), c.first_read) << c.mode;
        EXPECT_EQ(buf.sputc('X'), c.write_ok ? 'X' : eof) << c.mode;
        EXPECT_EQ(content(buf), c.content) << c.mode;
        EXPECT_EQ(std::string(v.begin(), v.end()), c.block) << c.mode;
    }
}

TEST(MemStream, AppendModeAppendsAfterSeekingBack) {
    memstream s(ios_base::in | ios_base::out | ios_base::app);
    s << "abc";
    EXPECT_FALSE(s.seekp(0));
    s.clear();
    s << "d";
    EXPECT_TRUE(s.seekg(0));
    std::string all;
    s >> all;
    EXPECT_EQ(all, "abcd");
}

TEST(ImemStream, NeverWrites) {
    const ios_base::openmode modes[] = {ios_base::in, ios_base::out, ios_base::in | ios_base::out,
                                        ios_base::out | ios_base::app};
    for (const auto mode : modes) {
        auto v = block("abc");
        imemstream s(v.data(), v.size(), mode);
        EXPECT_EQ(s.rdbuf()->sputc('X'), eof) << mode;
        EXPECT_EQ(s.rdbuf()->sputn("XYZ", 3), 0) << mode;
        EXPECT_EQ(s.rdbuf()->pubseekoff(0, ios_base::beg, ios_base::out), std::streampos(-1));
        EXPECT_EQ(s.get(), 'a') << mode; // `in` is always there
        EXPECT_FALSE(s.putback('Z')) << mode;
        EXPECT_EQ(std::string(v.begin(), v.end()), "abc") << mode;
    }
}

TEST(ImemStream, AteStartsAtTheEnd) {
    auto v = block("abc");
    imemstream s(v.data(), v.size(), ios_base::ate);
    EXPECT_EQ(s.tellg(), 3);
    EXPECT_EQ(s.get(), eof);
    s.clear();
    ASSERT_TRUE(s.seekg(-1, ios_base::end));
    EXPECT_EQ(s.get(), 'c');
}

TEST(ImemStream, TruncLeavesNothingToRead) {
    auto v = block("abc");
    imemstream s(v.data(), v.size(), ios_base::trunc);
    EXPECT_EQ(s.get(), eof);
    EXPECT_EQ(s.rdbuf()->data().second, 0u);
}

TEST(ImemStream, DefaultReadsEofAtOnce) {
    imemstream s;
    EXPECT_EQ(s.rdbuf()->sgetc(), eof);
    EXPECT_EQ(s.get(), eof);
    EXPECT_TRUE(s.eof());
    EXPECT_EQ(s.rdbuf()->data().second, 0u);
}

TEST(MemBuf, Seeks) {
    constexpr auto in = ios_base::in;
    constexpr auto out = ios_base::out;
    constexpr auto beg = ios_base::beg;
    constexpr auto cur = ios_base::cur;
    constexpr auto end = ios_base::end;
    // Starting from 10 bytes written: get position 0, put position 10.
    const struct {
        std::streamoff off;
        ios_base::seekdir dir;
        ios_base::openmode which;
        std::streamoff result;
        std::streamoff get_after;
        std::streamoff put_after;
    } cases[] = {
        {0, beg, in, 0, 0, 10},
        {10, beg, in, 10, 10, 10},
        {11, beg, in, -1, 0, 10},
        {-1, beg, in, -1, 0, 10},
        {0, end, in, 10, 10, 10},
        {-10, end, in, 0, 0, 10},
        {-11, end, in, -1, 0, 10},
        {1, end, in, -1, 0, 10},
        {3, cur, in, 3, 3, 10},
        {-1, cur, in, -1, 0, 10},
        {-3, cur, out, 7, 0, 7},
        {1, cur, out, -1, 0, 10},
        {4, beg, out, 4, 0, 4},
        {5, beg, in | out, 5, 5, 5},
        {-2, end, in | out, 8, 8, 8},
        {0, cur, in | out, -1, 0, 10},
        {0, beg, ios_base::openmode{}, -1, 0, 10},
    };
    for (const auto& c : cases) {
        membuf buf;
        ASSERT_EQ(buf.sputn("0123456789", 10), 10);
        EXPECT_EQ(buf.pubseekoff(c.off, c.dir, c.which), std::streampos(c.result))
            << c.off << ' ' << c.dir << ' ' << c.which;
        EXPECT_EQ(get_pos(buf), c.get_after) << c.off << ' ' << c.dir << ' ' << c.which;
        EXPECT_EQ(put_pos(buf), c.put_after) << c.off << ' ' << c.dir << ' ' << c.which;
    }
}

TEST(MemBuf, SeeksReachTheHighWaterMarkOnly) {
    membuf buf;
    ASSERT_EQ(buf.sputn("0123456789", 10), 10);
    ASSERT_EQ(buf.pubseekpos(2, ios_base::out), std::streampos(2));
    EXPECT_EQ(buf.pubseekpos(10, ios_base::in), std::streampos(10));
    EXPECT_EQ(buf.pubseekpos(11, ios_base::in), std::streampos(-1));
    EXPECT_EQ(buf.pubseekpos(10, ios_base::out), std::streampos(10));
    EXPECT_EQ(buf.pubseekpos(11, ios_base::out), std::streampos(-1));
    EXPECT_EQ(buf.pubseekpos(3, ios_base::in), std::streampos(3));
    EXPECT_EQ(buf.sgetc(), '3');
}

TEST(MemBuf, AppendPutPositionOnlyAtTheEnd) {
    const struct {
        std::streamoff off;
        ios_base::seekdir dir;
        ios_base::openmode which;
        std::streamoff result;
    } cases[] = {
        {0, ios_base::beg, ios_base::out, -1},
        {9, ios_base::beg, ios_base::out, -1},
        {10, ios_base::beg, ios_base::out, 10},
        {0, ios_base::end, ios_base::out, 10},
        {-1, ios_base::end, ios_base::out, -1},
        {0, ios_base::cur, ios_base::out, 10},
        {0, ios_base::beg, ios_base::in, 0},
        {0, ios_base::beg, ios_base::in | ios_base::out, -1},
        {0, ios_base::end, ios_base::in | ios_base::out, 10},
    };
    for (const auto& c : cases) {
        membuf buf(ios_base::in | ios_base::out | ios_base::app);
        ASSERT_EQ(buf.sputn("0123456789", 10), 10);
        EXPECT_EQ(buf.pubseekoff(c.off, c.dir, c.which), std::streampos(c.result))
            << c.off << ' ' << c.dir << ' ' << c.which;
    }
}

TEST(MemBuf, PutBack) {
    const struct {
        ios_base::openmode mode;
        int read_first; // bytes read before putting back
        int put_back;
        int result;
        int next; // then at the read position
        const char* content;
    } cases[] = {
        {ios_base::in, 2, 'b', 'b', 'b', "abc"},
        {ios_base::in, 2, eof, traits::not_eof(eof), 'b', "abc"},
        {ios_base::in, 2, 'x', eof, 'c', "abc"},
        {ios_base::in | ios_base::out, 2, 'x', 'x', 'x', "axc"},
        {ios_base::in | ios_base::out, 2, 'b', 'b', 'b', "abc"},
        {ios_base::in, 0, 'a', eof, 'a', "abc"},
        {ios_base::in | ios_base::out, 0, 'x', eof, 'a', "abc"},
        {ios_base::in | ios_base::out, 0, eof, eof, 'a', "abc"},
    };
    for (const auto& c : cases) {
        auto v = block("abc");
        exposed_membuf buf(v.data(), v.size(), c.mode);
        for (int i = 0; i < c.read_first; ++i) {
            buf.sbumpc();
        }
        EXPECT_EQ(buf.pbackfail(c.put_back), c.result) << c.mode << ' ' << c.put_back;
        EXPECT_EQ(buf.sgetc(), c.next) << c.mode << ' ' << c.put_back;
        EXPECT_EQ(content(buf), c.content) << c.mode << ' ' << c.put_back;
    }
}

TEST(MemStream, PutBackThroughTheStream) {
    memstream s;
    s << "abc";
    EXPECT_EQ(s.get(), 'a');
    EXPECT_TRUE(s.putback('a'));
    EXPECT_FALSE(s.putback('z')); // at the beginning
    s.clear();
    EXPECT_EQ(s.get(), 'a');
    EXPECT_TRUE(s.putback('Q')); // out mode: overwrites
    auto [data, size] = s.data();
    EXPECT_EQ(std::string(data, size), "Qbc");
}

TEST(MemStream, BulkReadsAcrossGrownBlocks) {
    std::string text;
    for (int i = 0; i < 5000; ++i) {
        text.push_back(static_cast<char>('a' + i % 26));
    }
    memstream s;
    // Single bytes and a large block, so both paths grow the buffer.
    for (std::size_t i = 0; i < 300; ++i) {
        s.put(text[i]);
    }
    ASSERT_TRUE(s.write(text.data() + 300, 4700));
    EXPECT_GE(s.rdbuf()->capacity(), 5000u);

    std::string got(1000, '\0');
    ASSERT_EQ(s.rdbuf()->sgetn(got.data(), 1000), 1000);
    EXPECT_EQ(got, text.substr(0, 1000));

    std::string rest(5000, '\0');
    s.read(rest.data(), 5000);
    EXPECT_EQ(s.gcount(), 4000);
    EXPECT_TRUE(s.eof());
    rest.resize(4000);
    EXPECT_EQ(rest, text.substr(1000));

    s.clear();
    ASSERT_TRUE(s.seekg(4990));
    EXPECT_EQ(s.rdbuf()->sgetn(got.data(), 100), 10);
}

TEST(MemBuf, ExternalBlockIsNeverFreed) {
    const auto original = block("the caller's block, kept by the caller");
    auto v = original;
    {
        imemstream s(v.data(), v.size());
        std::string word;
        s >> word;
        EXPECT_EQ(word, "the");
    }
    {
        // Writing past the end moves to a block of its own.
        membuf buf(v.data(), v.size(), ios_base::in | ios_base::out | ios_base::ate);
        ASSERT_EQ(buf.sputn("0123456789", 10), 10);
        EXPECT_NE(buf.data().first, v.data());
        EXPECT_GT(buf.capacity(), v.size());
        EXPECT_EQ(content(buf), std::string(original.begin(), original.end()) + "0123456789");
    }
    EXPECT_EQ(v, original);
    v.push_back('!'); // still ours to use
    EXPECT_EQ(v.back(), '!');
}

} // namespace
} // namespace qv
