// StrSlice numeric conversion: toNumber and parseNumber give what 64-bit glibc
// reads, on every platform.
#include "reference/NumberModel.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cstdint>
#include <cstdlib>
#include <iomanip>
#include <limits>
#include <random>
#include <sstream>
#include <string>
#include <string_view>

namespace {

using conkit::StrSlice;
using conkit_test::Converted;
using conkit_test::NumberReading;
using conkit_test::WholeReading;

template <class T> T converted(StrSlice slice) {
    T out{};
    slice.toNumber(out);
    return out;
}

template <class F, class Bits> F fromBits(Bits bits) {
    static_assert(sizeof(F) == sizeof(Bits));
    F value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

std::string describe(const Converted& c) {
    std::ostringstream out;
    out << c.s << ' ' << c.us << ' ' << c.i << ' ' << c.u << ' ' << c.l << ' ' << c.ul << ' '
        << std::hexfloat << c.f << ' ' << c.d;
    return out.str();
}

/// Checks the eight toNumber forms and parseNumber on `slice` against what
/// glibc reads from its text.
void expectReading(StrSlice slice, const NumberReading& reading, const WholeReading& whole) {
    const Converted got = conkit_test::convertAll(slice);
    const Converted want = conkit_test::expectedFor(reading);
    EXPECT_STREQ(conkit_test::firstDifference(got, want), nullptr)
        << "got  " << describe(got) << "\nwant " << describe(want);
    EXPECT_STREQ(conkit_test::firstParseDifference(slice, reading, whole), nullptr);
}

/// One row of NumberGolden.inc: what 64-bit glibc read from the text.
struct GoldenRow {
    std::string_view text;
    std::int64_t integer;          // strtoll
    std::uint64_t unsignedInteger; // strtoull
    std::uint64_t real;            // the bits of strtod's double
    std::uint32_t narrowed;        // the bits of that double narrowed to float by the hardware
    unsigned whole; // the whole text is: 1 an integer, 2 an unsigned one, 4 a double, 8 a float
    std::uint32_t single; // the bits of strtof's float
};

constexpr GoldenRow goldenRows[] = {
#include "golden/NumberGolden.inc"
};

TEST(NumberTest, GivesWhatGlibcGaveForTheGoldenTexts) {
    for (const GoldenRow& row : goldenRows) {
        const std::string text(row.text);
        SCOPED_TRACE(testing::PrintToString(text));
        NumberReading reading;
        reading.integer = row.integer;
        reading.real = fromBits<double>(row.real);
        WholeReading whole;
        whole.integer = (row.whole & 1) != 0;
        whole.unsignedInteger = (row.whole & 2) != 0;
        whole.unsignedValue = row.unsignedInteger;
        whole.real = (row.whole & 4) != 0;
        whole.single = (row.whole & 8) != 0;
        whole.singleValue = fromBits<float>(row.single);
        // The model narrows as the hardware did.
        EXPECT_PRED2(conkit_test::sameNumber<float>, conkit_test::narrowed(reading.real),
                     fromBits<float>(row.narrowed));
        expectReading(StrSlice(text), reading, whole);
#if defined(__GLIBC__)
        // Where glibc itself is at hand, the rows must still be what it reads.
        const NumberReading live = conkit_test::readWithGlibc(text);
        const WholeReading liveWhole = conkit_test::wholeWithGlibc(text);
        EXPECT_EQ(live.integer, reading.integer);
        EXPECT_PRED2(conkit_test::sameNumber<double>, live.real, reading.real);
        EXPECT_EQ(liveWhole.integer, whole.integer);
        EXPECT_EQ(liveWhole.unsignedInteger, whole.unsignedInteger);
        EXPECT_EQ(liveWhole.unsignedValue, whole.unsignedValue);
        EXPECT_EQ(liveWhole.real, whole.real);
        EXPECT_EQ(liveWhole.single, whole.single);
        EXPECT_PRED2(conkit_test::sameNumber<float>, liveWhole.singleValue, whole.singleValue);
#endif
    }
}

TEST(NumberTest, ReadsRandomTextsAsGlibcDoes) {
#if defined(__GLIBC__)
    // Raw engine outputs, so the texts are the same with every standard library.
    std::mt19937 engine(20261207);
    const std::string_view alphabet(" \t+-0123456789012345678901234567890.eEpPxXaAfFinINnN()\0",
                                    56);
    for (int round = 0; round < 20000; ++round) {
        std::string text(engine() % 25, ' ');
        for (char& c : text) {
            c = alphabet[engine() % alphabet.size()];
        }
        // A slice over a prefix of the text: the conversion must stop at its end.
        const std::string prefix = text.substr(0, engine() % (text.size() + 1));
        SCOPED_TRACE(testing::PrintToString(prefix));
        expectReading(StrSlice(text.data(), static_cast<std::uint32_t>(prefix.size())),
                      conkit_test::readWithGlibc(prefix), conkit_test::wholeWithGlibc(prefix));
        ASSERT_FALSE(HasFailure());
    }
#else
    GTEST_SKIP() << "glibc is the live reference; GivesWhatGlibcGaveForTheGoldenTexts covers "
                    "this platform";
#endif
}

TEST(NumberTest, IntegersKeepTheLowBitsOfTheirSaturated64BitValue) {
    struct Row {
        const char* text;
        std::int64_t value; // as 64-bit strtol reads it
        int asInt;
        unsigned asUnsigned;
        short asShort;
        unsigned short asUnsignedShort;
    };
    const Row rows[] = {{"42", 42, 42, 42, 42, 42},
                        {"-1", -1, -1, 0xFFFFFFFF, -1, 0xFFFF},
                        {"65536", 65536, 65536, 65536, 0, 0},
                        {"-32769", -32769, -32769, 0xFFFF7FFF, 32767, 0x7FFF},
                        {"2147483648", 2147483648, -2147483647 - 1, 0x80000000, 0, 0},
                        {"4294967297", 4294967297, 1, 1, 1, 1},
                        {"9223372036854775807", INT64_MAX, -1, 0xFFFFFFFF, -1, 0xFFFF},
                        {"9223372036854775808", INT64_MAX, -1, 0xFFFFFFFF, -1, 0xFFFF}, // saturated
                        {"-99999999999999999999", INT64_MIN, 0, 0, 0, 0},               // saturated
                        {"  +00000000000000000000000000000000012x", 12, 12, 12, 12, 12}};
    for (const Row& row : rows) {
        SCOPED_TRACE(row.text);
        EXPECT_EQ(converted<int>(row.text), row.asInt);
        EXPECT_EQ(converted<unsigned>(row.text), row.asUnsigned);
        EXPECT_EQ(converted<short>(row.text), row.asShort);
        EXPECT_EQ(converted<unsigned short>(row.text), row.asUnsignedShort);
        // A 32-bit long gets the same low bits as int; a 64-bit one the whole value.
        EXPECT_EQ(converted<long>(row.text), conkit_test::lowBits<long>(row.value));
        EXPECT_EQ(converted<unsigned long>(row.text),
                  conkit_test::lowBits<unsigned long>(row.value));
    }
}

TEST(NumberTest, ReadsOnlyTheSlice) {
    const char* seventeen = "17";
    EXPECT_EQ(converted<int>(StrSlice(seventeen, 1)), 1);
    EXPECT_EQ(converted<double>(StrSlice("2.5e1", 3)), 2.5);
    EXPECT_EQ(converted<double>(StrSlice("0x1p4", 2)), 0.0);
    EXPECT_EQ(converted<double>(StrSlice("-infinity", 6)),
              -std::numeric_limits<double>::infinity());
    const char* tokens = "12,34";
    EXPECT_EQ(converted<long>(StrSlice(tokens, 2)), 12);
    EXPECT_EQ(converted<long>(StrSlice(tokens + 3, 2)), 34);
    EXPECT_EQ(converted<int>(StrSlice("1\0002", 3)), 1); // a NUL ends the number
    EXPECT_EQ(converted<int>(StrSlice()), 0);
    EXPECT_EQ(converted<double>(StrSlice(nullptr, 4)), 0.0);
    // Every length of a long number, so that the slice ends at each place of
    // an eight-digit chunk while digits follow it in memory.
    const std::string digits = "123456789012345678901234567890";
    for (std::uint32_t length = 0; length <= digits.size(); ++length) {
        const std::string prefix = digits.substr(0, length);
        SCOPED_TRACE(prefix);
        const StrSlice slice(digits.data(), length);
        const std::int64_t value = length == 0 ? 0 : length <= 19 ? std::stoll(prefix) : INT64_MAX;
        EXPECT_EQ(converted<int>(slice), conkit_test::lowBits<int>(value));
        unsigned long long parsed = 0;
        EXPECT_EQ(slice.parseNumber(parsed), length >= 1 && length <= 20);
        EXPECT_EQ(parsed, length >= 1 && length <= 20 ? std::stoull(prefix) : 0);
    }
}

TEST(NumberTest, ReadsIntegersOfEveryLengthAfterBlanksAndSigns) {
    // Each length from 1 to 24 digits after each start, in a slice with
    // digits on both sides in memory: the one- and two-chunk reads and the
    // general scanner meet at 8, 16 and 19 digits. strtoll is the reference:
    // its long long is 64 bits everywhere.
    const std::string digits = "98765432109876543210987654";
    for (const char* start : {"", "-", "+", " ", "\t-", "-+"}) {
        for (std::size_t length = 1; length <= 24; ++length) {
            const std::string text = start + digits.substr(1, length);
            SCOPED_TRACE(text);
            const std::string memory = "7" + text + "7";
            const StrSlice slice(memory.data() + 1, static_cast<std::uint32_t>(text.size()));
            const long long want = std::strtoll(text.c_str(), nullptr, 10);
            EXPECT_EQ(converted<long>(slice), conkit_test::lowBits<long>(want));
            EXPECT_EQ(converted<int>(slice), conkit_test::lowBits<int>(want));
        }
    }
}

template <class T> void expectParsed(const std::string& text, bool ok, T want = T()) {
    SCOPED_TRACE(text);
    T out = T(99);
    EXPECT_EQ(StrSlice(text).parseNumber(out), ok);
    EXPECT_EQ(out, ok ? want : T(99));
}

TEST(NumberTest, ParseNumberChecksTheWholeSlice) {
    using Limits = std::numeric_limits<long>;
    expectParsed<int>("42", true, 42);
    expectParsed<int>(" \t+42", true, 42);
    expectParsed<int>("42 ", false);
    expectParsed<int>("4x", false);
    expectParsed<int>("", false);
    expectParsed<int>(" ", false);
    expectParsed<int>("-", false);
    expectParsed<int>("0x10", false);
    expectParsed<unsigned>("-1", false);
    expectParsed<unsigned>("-0", true, 0U);
    expectParsed<short>("-32768", true, std::numeric_limits<short>::min());
    expectParsed<short>("32768", false);
    expectParsed<unsigned short>("65535", true, 65535);
    expectParsed<unsigned short>("65536", false);
    expectParsed<unsigned>("4294967295", true, 4294967295U);
    expectParsed<int>("-2147483649", false);
    expectParsed<long>(std::to_string(Limits::min()), true, Limits::min());
    expectParsed<long>(std::to_string(Limits::max()), true, Limits::max());
    expectParsed<long>(std::to_string(Limits::max()) + "0", false);
    expectParsed<long long>("-9223372036854775808", true, INT64_MIN);
    expectParsed<long long>("9223372036854775807", true, INT64_MAX);
    expectParsed<long long>("9223372036854775808", false);
    expectParsed<long long>("-9223372036854775809", false);
    expectParsed<unsigned long long>("18446744073709551615", true, UINT64_MAX);
    expectParsed<unsigned long long>("-0", true, 0ULL);
    expectParsed<unsigned long long>("18446744073709551616", false);
    expectParsed<unsigned long long>("99999999999999999999999", false);
    expectParsed<unsigned long long>("-1", false);
    expectParsed<double>("0x10", true, 16.0);
    expectParsed<double>(" -2.5e-1", true, -0.25);
    expectParsed<double>("1e400", false);
    expectParsed<double>("1e-400", false);
    expectParsed<double>("1e-320", true, 1e-320); // subnormal values fit
    expectParsed<double>("1.5.", false);
    expectParsed<double>("0x1p+-3", false); // a second sign ends the number before 'p'
    expectParsed<double>("0x1p-3", true, 0.125);
    expectParsed<double>("inf", true, std::numeric_limits<double>::infinity());
    expectParsed<float>("1e40", false);
    expectParsed<float>("1e-40", true, 1e-40F);
    expectParsed<float>("0.1", true, 0.1F); // rounded once, to float
    double nan = 0;
    EXPECT_TRUE(StrSlice("nan").parseNumber(nan));
    EXPECT_TRUE(std::isnan(nan));
    int out = 5;
    EXPECT_FALSE(StrSlice("1\0", 2).parseNumber(out));
    EXPECT_FALSE(StrSlice(nullptr, 3).parseNumber(out));
    EXPECT_EQ(out, 5);
}

} // namespace
