// StrSlice numeric conversion: toNumber against the C library, parseNumber.
#include "NumberHelpers.h"

#include <cfloat>
#include <cmath>
#include <limits>

namespace {

using conkit::StrSlice;
using conkit_test::converted;
using conkit_test::expectLikeC;

TEST(NumberTest, ToNumberLikeTheCLibrary) {
    // clang-format off
    const char* const texts[] = {
        "42", "-1", "3.5", "abc", "", " \t\n\v\f\r+7x", "--1", "+-1", "0x1A", "0x", "0x.8p1",
        "-0X1.8P1", "1e3", "1e", ".5", "-.", "1.5e-3e4", "65535", "65536", "-32769", "2147483648",
        "4294967295", "4294967296", "-2147483649", "9223372036854775807", "9223372036854775808",
        "-9223372036854775808", "-9223372036854775809", "99999999999999999999999999", "1e39",
        "-1e39", "3.4028235e38", "3.402823619e38", "1e400", "-1e400", "1e-400", "-1e-400",
        "4e-320", "0x1p-1080", "0x1p99999999999999999", "inf", "-Infinity", "nan", "-nan(1)",
        "\xC2\xA0\x35",
        "0.000000000000000000000000000000000000000000000000000000000000000001e-300", "0X998p+-5",
        "0x1p-+3", "0x1.8p++3", "0x1p+", "0x.p1"};
    // clang-format on
    for (const char* text : texts) {
        expectLikeC(text);
    }
}

TEST(NumberTest, ReadsOnlyTheSlice) {
    const char* seventeen = "17";
    EXPECT_EQ(converted<int>(StrSlice(seventeen, 1)), 1);
    EXPECT_EQ(converted<double>(StrSlice("2.5e1", 3)), 2.5);
    EXPECT_EQ(converted<double>(StrSlice("0x1p4", 2)), 0.0);
    const char* tokens = "12,34";
    EXPECT_EQ(converted<long>(StrSlice(tokens, 2)), 12);
    EXPECT_EQ(converted<long>(StrSlice(tokens + 3, 2)), 34);
    EXPECT_EQ(converted<int>(StrSlice("1\0002", 3)), 1); // a NUL ends the number
    EXPECT_EQ(converted<int>(StrSlice()), 0);
    EXPECT_EQ(converted<double>(StrSlice(nullptr, 4)), 0.0);
    EXPECT_EQ(converted<unsigned short>(StrSlice("-1")), 0xFFFF);
    EXPECT_EQ(converted<unsigned long>(StrSlice("-1")), std::numeric_limits<unsigned long>::max());
    EXPECT_EQ(converted<float>(StrSlice("3.5")), 3.5F);
    EXPECT_EQ(converted<float>(StrSlice("3.4028235e38")), FLT_MAX);
    EXPECT_EQ(converted<float>(StrSlice("-1e39")), -std::numeric_limits<float>::infinity());
}

template <class T> void expectParsed(const char* text, bool ok, T want = T()) {
    SCOPED_TRACE(text);
    T out = T(99);
    EXPECT_EQ(StrSlice(text).parseNumber(out), ok);
    EXPECT_EQ(out, ok ? want : T(99));
}

TEST(NumberTest, ParseNumberChecksTheWholeSlice) {
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
    expectParsed<long>("-9223372036854775808", true, std::numeric_limits<long>::min());
    expectParsed<long>("9223372036854775808", false);
    expectParsed<unsigned long>("18446744073709551615", true,
                                std::numeric_limits<unsigned long>::max());
    expectParsed<unsigned long>("18446744073709551616", false);
    expectParsed<unsigned long>("99999999999999999999999", false);
    expectParsed<double>("0x10", true, 16.0);
    expectParsed<double>(" -2.5e-1", true, -0.25);
    expectParsed<double>("1e400", false);
    expectParsed<double>("1e-400", false);
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
