// StrSlice: construction, comparison, search, cuts and tests.
#include "slices/StrSlice.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <sstream>
#include <string>
#include <string_view>
#include <type_traits>
#include <unordered_set>

#if defined(__linux__)
#include <sys/mman.h>
#include <unistd.h>
#endif

namespace {

using conkit::StrSlice;

StrSlice bytes(const char* text, std::uint32_t count) {
    return StrSlice(text, count);
}

int sign(int value) {
    return (value > 0) - (value < 0);
}

TEST(StrSliceTest, Construction) {
    const StrSlice none;
    EXPECT_TRUE(none.isEmpty());
    EXPECT_TRUE(none.empty());
    EXPECT_EQ(none.size(), 0U);
    EXPECT_EQ(none.data(), nullptr);
    EXPECT_EQ(none.end(), nullptr);

    const char* literal = "abc";
    StrSlice str(literal);
    EXPECT_EQ(str.size(), 3U);
    EXPECT_EQ(str.end(), literal + 3);

    char buffer[8] = {'b', 'u', 'f', 'f', 'e', 'r', '!', '!'};
    str = StrSlice(buffer, 8);
    str = "hello";
    EXPECT_EQ(str.size(), 5U);
    str = "0123456789";
    EXPECT_EQ(str.length(), 10U);
    EXPECT_EQ(std::string(buffer, 8), "buffer!!"); // never written

    EXPECT_TRUE(bytes(nullptr, 5).isEmpty());
    EXPECT_TRUE(bytes(literal, 0).isEmpty());
    EXPECT_TRUE(bytes(nullptr, 5).empty());
    EXPECT_FALSE(bytes(literal, 1).empty());
    EXPECT_EQ(StrSlice(static_cast<const char*>(nullptr)).size(), 0U);
    str.assign(literal, 2);
    EXPECT_TRUE(str.equals("ab"));
    EXPECT_EQ(str[1], 'b');
    StrSlice other;
    other.assign(str);
    EXPECT_EQ(other.data(), literal);
    EXPECT_EQ(other.size(), 2U);
    str.clear();
    EXPECT_EQ(str.data(), nullptr);
}

TEST(StrSliceTest, StandardLibraryFit) {
    const std::string owned("a\0b", 3);
    const StrSlice fromString = owned;
    const StrSlice fromView = std::string_view("a\0b", 3);
    EXPECT_EQ(fromString.size(), 3U);
    EXPECT_TRUE(fromString == fromView);
    // Mixed comparisons, either way round.
    EXPECT_TRUE(fromView == std::string_view("a\0b", 3) && std::string_view("a\0b", 3) == fromView);
    EXPECT_TRUE(fromView != std::string_view("a") && std::string_view("a") != fromView);
    EXPECT_TRUE(owned == fromView && StrSlice("x") == "x" && "x" == StrSlice("x"));
    EXPECT_TRUE("y" != StrSlice("x") && std::string("y") != StrSlice("x"));
    const std::string_view back = fromString;
    EXPECT_EQ(back, owned);
    EXPECT_EQ(std::string_view(bytes(nullptr, 9)), std::string_view());
    EXPECT_EQ(std::hash<StrSlice>()(fromView), std::hash<std::string_view>()(back));
    std::unordered_set<StrSlice> seen{"x", "y", "x"};
    EXPECT_EQ(seen.size(), 2U);
    std::ostringstream out;
    out << StrSlice("slice") << bytes(nullptr, 3);
    EXPECT_EQ(out.str(), "slice");
    std::string text;
    for (const char c : StrSlice("abc")) {
        text += c;
    }
    EXPECT_EQ(text, "abc");
}

TEST(StrSliceTest, Compare) {
    struct Row {
        StrSlice left, right;
        int ordinal, noCase;
    };
    const Row rows[] = {
        {"abc", "abd", -1, -1},
        {"ab", "abc", -1, -1},
        {"abc", "ab", 1, 1},
        {StrSlice(), bytes("x", 0), 0, 0},
        {StrSlice(), "x", -1, -1},
        {"x", bytes("", 0), 1, 1},
        {bytes(nullptr, 4), StrSlice(), 0, 0},
        {"ABC", "abc", -1, 0},
        {"abc", "ABD", 1, -1},
        {"b", "A", 1, 1},
        {"ab", "ABC", 1, -1},
        {"[", "a", -1, -1}, // '[' sorts between 'Z' and 'a' ...
        {"[", "A", 1, -1},  // ... so folding turns this pair round
        {bytes("a\0b", 3), bytes("a\0c", 3), -1, -1},
        {bytes("a\0", 2), bytes("a", 1), 1, 1},
        {"\xE9", "a", 1, -1}, // unsigned bytes, then signed bytes
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(std::string(row.left) + " vs " + std::string(row.right));
        EXPECT_EQ(row.left.compare(row.right), row.ordinal);
        EXPECT_EQ(row.left.compare(row.right.data(), row.right.size()), row.ordinal);
        EXPECT_EQ(row.left.compareNoCase(row.right), row.noCase);
        EXPECT_EQ(row.left.equals(row.right), row.ordinal == 0);
        EXPECT_EQ(row.left == row.right, row.ordinal == 0);
        EXPECT_EQ(row.left != row.right, row.ordinal != 0);
        EXPECT_EQ(row.left < row.right, row.ordinal < 0);
        EXPECT_EQ(row.left >= row.right, row.ordinal >= 0);
        EXPECT_EQ(row.left.equalsNoCase(row.right), row.noCase == 0);
    }
    EXPECT_EQ(StrSlice("abc").compare("abc"), 0);
    EXPECT_EQ(StrSlice("abc").compareNoCase("ABC"), 0);
}

TEST(StrSliceTest, NullSoughtAfterTheCountChecks) {
    // The counts are checked first; only where characters would then be read
    // does a null pointer count as the empty text.
    const char* const none = nullptr;
    EXPECT_FALSE(StrSlice("he").hasPrefix(none, 5));
    EXPECT_FALSE(StrSlice("he").hasSuffix(none, 3));
    EXPECT_TRUE(StrSlice("he").hasPrefix(none, 2));
    EXPECT_EQ(StrSlice("abc").find(none, 5, 0), -1);
    EXPECT_EQ(StrSlice("abc").find(none, 7, 1), -1);
    EXPECT_EQ(StrSlice("abc").find(none, 2, 1), 1);
    EXPECT_EQ(StrSlice("abc").rfind(none, 4, 0), -1);
    EXPECT_EQ(StrSlice("abc").rfind(none, 2, 0), 3);
    EXPECT_EQ(StrSlice().compare(none, 5), -1);
    EXPECT_EQ(StrSlice().compareNoCase(none, 5), -1);
    EXPECT_EQ(StrSlice("x").compare(none, 3), 1);
    EXPECT_EQ(StrSlice().compare(none, 0), 0);
}

TEST(StrSliceTest, CompareNoCaseEveryBytePair) {
    // Each pair alone, and inside 50-byte texts at every offset, so that the
    // vector blocks and the byte-wise tail both meet every pair.
    std::string left(50, '.');
    std::string right(50, '.');
    for (int a = 0; a < 256; ++a) {
        for (int b = 0; b < 256; ++b) {
            const int folded = static_cast<signed char>(std::tolower(a)) -
                               static_cast<signed char>(std::tolower(b));
            const std::size_t at = static_cast<std::size_t>(a + b) % left.size();
            left[at] = static_cast<char>(a);
            right[at] = static_cast<char>(b);
            ASSERT_EQ(bytes(&left[at], 1).compareNoCase(&right[at], 1), sign(folded))
                << a << " " << b;
            ASSERT_EQ(StrSlice(left).compareNoCase(StrSlice(right)), sign(folded)) << a << " " << b;
            left[at] = right[at] = '.';
        }
    }
}

TEST(StrSliceTest, CompareNoCaseEverySizeAndPlace) {
    // Sizes from 1 to 130 cover one block under a mask, one whole block and
    // the loops beyond. Two texts of letters that differ in case everywhere
    // are equal; one pair of bytes at each place then decides, while the
    // bytes just past the end, which differ too, must not.
    struct Row {
        char left, right;
        int order;
    };
    const Row rows[] = {
        {'Q', '[', 1},     // 'q' after '['; an unfolded 'Q' sorts before it
        {'@', '`', -1},    // the case bit alone, but no letters
        {'\xE9', 'a', -1}, // signed bytes: 0xE9 before ASCII
        {'z', '{', -1},
    };
    std::string left(131, ' ');
    std::string right(131, ' ');
    for (std::uint32_t size = 1; size <= 130; ++size) {
        for (std::size_t i = 0; i < left.size(); ++i) {
            left[i] = static_cast<char>((i % 3 == 0 ? 'A' : 'a') + i % 26);
            right[i] = static_cast<char>(left[i] ^ 0x20);
        }
        right[size] = '{';
        ASSERT_EQ(bytes(left.data(), size).compareNoCase(right.data(), size), 0) << size;
        ASSERT_EQ(bytes(left.data(), size).compareNoCase(right.data(), size + 1), -1) << size;
        ASSERT_EQ(bytes(left.data(), size).compareNoCase(right.data(), size - 1), 1) << size;
        for (std::uint32_t at = 0; at < size; ++at) {
            for (const Row& row : rows) {
                const char keptLeft = left[at];
                const char keptRight = right[at];
                left[at] = row.left;
                right[at] = row.right;
                ASSERT_EQ(bytes(left.data(), size).compareNoCase(right.data(), size), row.order)
                    << size << " " << at << " " << row.left;
                ASSERT_EQ(bytes(right.data(), size).compareNoCase(left.data(), size), -row.order)
                    << size << " " << at << " " << row.left;
                left[at] = keptLeft;
                right[at] = keptRight;
            }
        }
    }
}

#if defined(__linux__)
TEST(StrSliceTest, CompareNoCaseReadsNothingPastTheEnd) {
    // Texts that end where an unreadable page begins: no size may read on.
    const long page = sysconf(_SC_PAGESIZE);
    const auto pageSize = static_cast<std::size_t>(page);
    void* map =
        mmap(nullptr, 2 * pageSize, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    ASSERT_NE(map, MAP_FAILED);
    char* end = static_cast<char*>(map) + pageSize;
    ASSERT_EQ(mprotect(end, pageSize, PROT_NONE), 0);
    std::fill(end - 130, end, 'k');
    const std::string other(130, 'K');
    for (std::uint32_t size = 0; size <= 130; ++size) {
        EXPECT_EQ(bytes(end - size, size).compareNoCase(other.data(), size), 0) << size;
        EXPECT_EQ(bytes(other.data(), size).compareNoCase(end - size, size), 0) << size;
    }
    munmap(map, 2 * pageSize);
}
#endif

TEST(StrSliceTest, FindAndRfind) {
    const StrSlice abc("abc");
    EXPECT_EQ(abc.find('c', 0), 2);
    EXPECT_EQ(abc.find("abc", 0), 0);
    EXPECT_EQ(abc.find("c", 0), 2);
    EXPECT_EQ(abc.find("bc", 2), -1); // 2 + 2 exceeds 3
    EXPECT_EQ(abc.find("", 1), 1);
    EXPECT_EQ(abc.find("", 3), -1);
    EXPECT_EQ(abc.find('a', 3), -1);
    EXPECT_EQ(StrSlice().find("", 0), -1);
    EXPECT_EQ(bytes(nullptr, 3).find('\0', 0), -1);
    EXPECT_EQ(bytes("a\0b\0c", 5).find(bytes("\0c", 2).data(), 2, 0), 3);

    const StrSlice abca("abca");
    EXPECT_EQ(abca.rfind('a', StrSlice::npos), 3);
    EXPECT_EQ(abca.rfind('a', 2), 0);
    EXPECT_EQ(abca.rfind('a', 4), 3); // beyond the end: from the last character
    EXPECT_EQ(abca.rfind('z', 3), -1);
    EXPECT_EQ(StrSlice().rfind('a', StrSlice::npos), -1);

    const StrSlice abab("abab");
    EXPECT_EQ(abab.rfind("ab", 0), 2);
    EXPECT_EQ(abab.rfind("ab", 1), 0);
    EXPECT_EQ(abab.rfind("ab", 3), -1); // 3 + 2 exceeds 4
    EXPECT_EQ(abab.rfind("", 1), 3);
    EXPECT_EQ(abab.rfind("ab", 4), -1);
}

TEST(StrSliceTest, SearchesNeverWrap) {
    // Starts and counts near 2^32: start + count must not wrap to a small sum.
    const StrSlice abc("abc");
    EXPECT_EQ(abc.find("a", 0xFFFFFFFFu), -1);
    EXPECT_EQ(abc.find("ab", 0xFFFFFFFFu, 1), -1);
    EXPECT_EQ(abc.rfind("ab", 0xFFFFFFFFu, 1), -1);
    EXPECT_EQ(abc.rfind("abc", 0xFFFFFFFEu), -1);
    EXPECT_EQ(abc.substr(0xFFFFFFFFu, 0xFFFFFFFFu).data(), nullptr);
    EXPECT_EQ(abc.substr(1, 0xFFFFFFFFu).size(), 2U);
    EXPECT_FALSE(abc.hasPrefix("abc", 0xFFFFFFFFu));
    EXPECT_FALSE(abc.hasSuffix("abc", 0xFFFFFFFFu));
}

// Which overload each call picks, checked while compiling. A call that is
// well-formed on StrSlice but ill-formed once one overload is deleted (in a
// class that otherwise has all of them) picks that overload: deleting any
// other would leave the call as it was.

#define CONKIT_CALL(Name, ...)                                                                     \
    template <class S, class = void> struct Name : std::false_type {};                             \
    template <class S>                                                                             \
    struct Name<S, std::void_t<decltype(std::declval<const S&>().__VA_ARGS__)>> : std::true_type { \
    }

#define CONKIT_WITHOUT(Name, ...)                                                                  \
    struct Name : StrSlice {                                                                       \
        using StrSlice::compare;                                                                   \
        using StrSlice::find;                                                                      \
        using StrSlice::rfind;                                                                     \
        __VA_ARGS__ const noexcept = delete;                                                       \
    }

CONKIT_WITHOUT(NoFindChar, std::int32_t find(char, std::uint32_t = 0));
CONKIT_WITHOUT(NoFindCounted, std::int32_t find(const char*, std::uint32_t, std::uint32_t));
CONKIT_WITHOUT(NoFindText, std::int32_t find(const char*, std::uint32_t = 0));
CONKIT_WITHOUT(NoFindSlice, std::int32_t find(const StrSlice&, std::uint32_t = 0));
CONKIT_WITHOUT(NoRfindChar, std::int32_t rfind(char, std::uint32_t = StrSlice::npos));
CONKIT_WITHOUT(NoRfindText, std::int32_t rfind(const char*, std::uint32_t = 0));
CONKIT_WITHOUT(NoRfindSlice, std::int32_t rfind(const StrSlice&, std::uint32_t = 0));
CONKIT_WITHOUT(NoCompareText, int compare(const char*));
CONKIT_WITHOUT(NoCompareSlice, int compare(const StrSlice&));

// Arguments of the types that callers pass, for the unevaluated calls below.
#define CONKIT_ARG(Type) std::declval<Type>()

CONKIT_CALL(FindLiteral, find("abc"));
CONKIT_CALL(FindLiteralFrom, find("abc", 1));
CONKIT_CALL(FindPointer, find(CONKIT_ARG(const char*)));
CONKIT_CALL(FindCStr, find(CONKIT_ARG(const std::string&).c_str(), 0U));
CONKIT_CALL(FindNull, find(nullptr));
CONKIT_CALL(FindChar, find('c'));
CONKIT_CALL(FindCharFrom, find('c', 1));
CONKIT_CALL(FindCounted, find("abc", 3, 0));
CONKIT_CALL(FindString, find(CONKIT_ARG(const std::string&)));
CONKIT_CALL(FindView, find(CONKIT_ARG(std::string_view), 1));
CONKIT_CALL(FindSlice, find(StrSlice("abc")));
CONKIT_CALL(RfindLiteral, rfind("ab"));
CONKIT_CALL(RfindLiteralTrailing, rfind("ab", 1));
CONKIT_CALL(RfindChar, rfind('a'));
CONKIT_CALL(RfindCharFrom, rfind('a', 2));
CONKIT_CALL(RfindString, rfind(CONKIT_ARG(const std::string&), 1));
CONKIT_CALL(CompareLiteral, compare("abc"));
CONKIT_CALL(CompareString, compare(CONKIT_ARG(const std::string&)));
CONKIT_CALL(CompareView, compare(CONKIT_ARG(std::string_view)));

/// `Call` is well-formed and picks the overload that `Without` deletes.
template <template <class, class> class Call, class Without>
constexpr bool picks = Call<StrSlice, void>::value && !Call<Without, void>::value;

static_assert(picks<FindLiteral, NoFindText> && picks<FindLiteralFrom, NoFindText>);
static_assert(picks<FindPointer, NoFindText> && picks<FindCStr, NoFindText>);
static_assert(picks<FindNull, NoFindText>);
static_assert(picks<FindChar, NoFindChar> && picks<FindCharFrom, NoFindChar>);
static_assert(picks<FindCounted, NoFindCounted>);
static_assert(picks<FindString, NoFindSlice> && picks<FindView, NoFindSlice>);
static_assert(picks<FindSlice, NoFindSlice>);
static_assert(picks<RfindLiteral, NoRfindText> && picks<RfindLiteralTrailing, NoRfindText>);
static_assert(picks<RfindChar, NoRfindChar> && picks<RfindCharFrom, NoRfindChar>);
static_assert(picks<RfindString, NoRfindSlice>);
static_assert(picks<CompareLiteral, NoCompareText>);
static_assert(picks<CompareString, NoCompareSlice> && picks<CompareView, NoCompareSlice>);

#undef CONKIT_ARG
#undef CONKIT_CALL
#undef CONKIT_WITHOUT

TEST(StrSliceTest, Cuts) {
    const StrSlice hello("hello");
    EXPECT_TRUE(hello.substr(1, 100).equals("ello"));
    EXPECT_EQ(hello.substr(5, 1).data(), nullptr);
    EXPECT_EQ(hello.substr(0, 0).data(), hello.data());
    EXPECT_TRUE(hello.substr(0, 0).isEmpty());
    EXPECT_TRUE(hello.subRange(1, 3).equals("el"));
    EXPECT_TRUE(hello.subRange(1, 99) == hello.subRange(1, 5));
    EXPECT_EQ(hello.subRange(5, 6).data(), nullptr);
    EXPECT_EQ(hello.subRange(3, 1).data(), nullptr); // end below begin
    EXPECT_EQ(bytes(nullptr, 9).substr(1, 2).data(), nullptr);

    StrSlice moving = hello;
    EXPECT_TRUE(moving.advance(2));
    EXPECT_TRUE(moving.equals("llo"));
    EXPECT_FALSE(moving.advance(4));
    EXPECT_TRUE(moving.equals("llo"));
    EXPECT_TRUE(moving.advance(3));
    EXPECT_EQ(moving.data(), hello.end());
    EXPECT_TRUE(moving.isEmpty());
    StrSlice null(nullptr, 5);
    EXPECT_FALSE(null.advance(1));
    EXPECT_TRUE(null.advance(0));
}

TEST(StrSliceTest, Tests) {
    EXPECT_TRUE(StrSlice("0123456789").isDigits());
    for (const char* text : {"", "-1", "12a", " 1", "1.5", "\xB2"}) {
        EXPECT_FALSE(StrSlice(text).isDigits()) << text;
    }
    const StrSlice hello("hello");
    EXPECT_TRUE(hello.hasPrefix("he"));
    EXPECT_TRUE(hello.hasPrefix("hello"));
    EXPECT_FALSE(hello.hasPrefix("hello!"));
    EXPECT_FALSE(hello.hasPrefix("hE"));
    EXPECT_TRUE(hello.hasPrefix(""));
    EXPECT_TRUE(hello.hasSuffix("lo"));
    EXPECT_TRUE(hello.hasSuffix("hello"));
    EXPECT_FALSE(hello.hasSuffix("xhello"));
    EXPECT_TRUE(StrSlice().hasSuffix(""));
    EXPECT_TRUE(StrSlice().hasPrefix("x", 0));
    EXPECT_FALSE(StrSlice().hasPrefix("x"));
    EXPECT_TRUE(bytes("a\0b", 3).hasSuffix(bytes("\0b", 2).data(), 2));
    EXPECT_FALSE(bytes("a\0b", 3).hasSuffix(bytes("\0c", 2).data(), 2));
}

#if defined(__linux__)
TEST(StrSliceTest, PositionsBeyondTheSignedResult) {
    // 2 GiB of untouched zero pages and one 'x' past position 2^31 - 1.
    const std::size_t size = (std::size_t{1} << 31) + 4096;
    void* map = mmap(nullptr, size, PROT_READ | PROT_WRITE,
                     MAP_PRIVATE | MAP_ANONYMOUS | MAP_NORESERVE, -1, 0);
    if (map == MAP_FAILED && sizeof(void*) < 8) {
        GTEST_SKIP() << "no 2 GiB of address space in one piece for a 32-bit process";
    }
    ASSERT_NE(map, MAP_FAILED);
    char* zeros = static_cast<char*>(map);
    zeros[0x80000005] = 'x';
    const StrSlice big(zeros, static_cast<std::uint32_t>(size));
    EXPECT_EQ(big.find('x', 0x7FFFFFF0u), -1); // no int32 holds its position
    EXPECT_EQ(big.find("x", 0x7FFFFFF0u), -1);
    EXPECT_EQ(big.rfind('\0'), 0x7FFFFFFF); // the last position that can be told
    EXPECT_EQ(big.rfind(bytes("\0", 1).data(), 1, 0), 0x7FFFFFFF);
    StrSlice head;
    StrSlice tail;
    EXPECT_EQ(big.substr(0x7FFFFFF0u).split('x', head, tail), 2); // cuts have no such limit
    EXPECT_EQ(head.size(), 21U);
    munmap(map, size);

    // A longer view is cut to the largest count, never wrapped to a short one
    // (only a 64-bit size_t can describe one).
    if constexpr (sizeof(std::size_t) > 4) {
        const std::size_t fiveGiB = std::size_t{5} << 30;
        void* reserved =
            mmap(nullptr, fiveGiB, PROT_NONE, MAP_PRIVATE | MAP_ANONYMOUS | MAP_NORESERVE, -1, 0);
        ASSERT_NE(reserved, MAP_FAILED);
        const StrSlice huge(std::string_view(static_cast<const char*>(reserved), fiveGiB));
        EXPECT_EQ(huge.size(), StrSlice::npos);
        munmap(reserved, fiveGiB);
    }
}
#else
TEST(StrSliceTest, PositionsBeyondTheSignedResult) {
    GTEST_SKIP() << "maps 2 GiB of zero pages with Linux's mmap";
}
#endif

} // namespace
