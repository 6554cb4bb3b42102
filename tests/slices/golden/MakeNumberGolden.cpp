// Writes NumberGolden.inc: what 64-bit glibc reads from each text below, as
// rows that NumberTest holds toNumber and parseNumber against on every
// platform. Run it on x86-64 Linux with glibc, from the repository root:
//
//   g++ -std=c++17 -I. tests/slices/golden/MakeNumberGolden.cpp -o /tmp/make-golden
//   /tmp/make-golden > tests/slices/golden/NumberGolden.inc
//
// Where the C library is glibc, NumberTest also checks every row against it,
// so a table that no longer matches the texts (or a wrong generator) fails.
#include "../reference/NumberModel.h"

#include <cinttypes>
#include <cstdio>
#include <random>
#include <string>
#include <vector>

namespace {

/// Texts chosen for the rules they exercise.
std::vector<std::string> chosenTexts() {
    using namespace std::string_literals;
    return {// Where a number starts and ends.
            "", " ", "42", "-1", "+7", " \t\n\v\f\r+7x", "--1", "+-1", "-+1", "- 1", "abc",
            "\xC2\xA0"
            "5",
            "\x85"
            "5",
            "1\0002"s, "12,34", "0012", "1 2",
            // Integers at the limits of every type.
            "32767", "32768", "-32768", "-32769", "65535", "65536", "-65535", "-65536",
            "2147483647", "2147483648", "-2147483648", "-2147483649", "4294967295", "4294967296",
            "4294967297", "-4294967295", "-4294967296", "9223372036854775807",
            "9223372036854775808", "-9223372036854775808", "-9223372036854775809",
            "18446744073709551615", "18446744073709551616", "99999999999999999999999999",
            "-99999999999999999999999999", "00000000000000000000000042",
            "0000000000000000000009223372036854775807", "12345678", "123456789", "1234567812345678",
            "1234567890123456789", "12345678901234567890",
            // Decimal forms.
            "3.5", "1e3", "1E5", "1e+05", "1e", "1e+", "1e-", "1ex", "1.5e-3e4", ".5", "5.", ".",
            "-.", "-.e1", "-0", "-0.0", "0.1", "1.2.3", "0000.0001e4",
            "1e0000000000000000000000005", "00000000000000000000000000001e-330",
            "0.0000000000000000000000000001e28", "123456789012345678901234567890e-10",
            "0.000000000000000000000000000000000000000000000000000"
            "000000000000001e-300",
            // Correct rounding of doubles.
            "1e23", "8.98846567431158e307", "9007199254740993", "9007199254740992.5",
            "9007199254740993.0000000000000000000001", "2.2250738585072011e-308",
            "2.2250738585072014e-308", "4.9406564584124654e-324", "2.4703282292062327e-324",
            "2.4703282292062328e-324", "1.7976931348623157e308", "1.7976931348623158e308",
            "1.7976931348623159e308", "1e308", "1e309", "-1e309", "1e-320", "1e-400", "-1e-400",
            "1e-99999999999999999999", "1e99999999999999999999", "0e99999",
            "3.14159265358979323846264338327950288419716939937510582097494459",
            // Narrowing to float, and rounding once to float.
            "3.4028235e38", "3.4028234663852886e38", "3.4028235677973366e38",
            "340282356779733661637539395458142568448", "340282356779733661637539395458142568447",
            "-3.4028235677973366e38", "3.402823669209385e38", "1e39", "-1e39", "1.4e-45", "7e-46",
            "1e-46", "1e-40", "16777217", "16777216.5",
            "1.000000059604644776257986737988403547205962240695953369140625",
            // Hexadecimal forms.
            "0x1A", "0X1a", "0x", "0xg", "0x.", "0x.p1", "0x1.", "0x.8", "0x.8p1", "-0X1.8P1",
            "0x1p3", "0x1P-3", "0x1p+", "0x1p-+3", "0x1.8p++3", "0X998p+-5", "0x1p-1074",
            "0x1p-1075", "0x1.0000000000001p-1075", "0x1p-1080", "0x0.00000000000008p-1022",
            "0x1.fffffffffffffp1023", "0x1.fffffffffffff7ffp1023", "0x1.fffffffffffff8p1023",
            "0x1p1024", "0x1p99999999999999999", "-0x1p-99999999999999999", "0x1.ffffffp127",
            "0x1.ffffff000000000000001p127", "0x123456789abcdef0123p0",
            "0x0000000000000000000001p0", "0x0.0000000000000000000001p88", "0x1.00000000000008p0",
            "0x1.00000000000018p0", "0x1.000000000000080000001p0", "0x1.fffffffffffff8p-1023",
            "0x1.000001p0", "0x1.0000010000000001p0",
            // glibc 2.36 rounds these two down; the nearest values are above.
            "0xc3e9b4d219d70.cp-1074", "0x65b550cp-153",
            // Words.
            "inf", "-inf", "+INF", "infinity", "-Infinity", "infinit", "InFiNiTyX", "in", "i",
            "nan", "-nan", "NAN", "nan(1)", "-nan(1)", "nan()", "nan(abc_XYZ_09)", "nan(",
            "nan(a b)", "nan(-)", "nanx", "na", "n"};
}

/// Texts drawn at random (fixed seed) from the bytes numbers are made of.
std::vector<std::string> randomTexts(std::size_t count) {
    std::mt19937 engine(20261207); // raw outputs: the same on every platform
    const std::string alphabet(" \t+-0123456789012345678901234567890.eEpPxXaAfFinINnN()");
    std::vector<std::string> texts;
    for (std::size_t i = 0; i < count; ++i) {
        std::string text(engine() % 25, ' ');
        for (char& c : text) {
            c = alphabet[engine() % alphabet.size()];
        }
        texts.push_back(text);
    }
    return texts;
}

/// `text` as the inside of a C++ string literal.
std::string escaped(const std::string& text) {
    std::string out;
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (byte >= 0x20 && byte < 0x7F) {
            out += c;
        } else {
            char code[8];
            std::snprintf(code, sizeof code, "\\%03o", byte);
            out += code;
        }
    }
    return out;
}

template <class Bits, class F> Bits bitsOf(F value) {
    Bits bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    return bits;
}

void printRow(const std::string& text) {
    const conkit_test::NumberReading reading = conkit_test::readWithGlibc(text);
    const conkit_test::WholeReading whole = conkit_test::wholeWithGlibc(text);
    // The hardware narrows here, outside the model, to check the model's own
    // narrowing too.
    const auto narrowedByHardware = static_cast<float>(reading.real);
    const std::string integer = reading.integer == std::numeric_limits<std::int64_t>::min()
                                    ? "-9223372036854775807 - 1"
                                    : std::to_string(reading.integer);
    const unsigned flags = (whole.integer ? 1U : 0U) | (whole.unsignedInteger ? 2U : 0U) |
                           (whole.real ? 4U : 0U) | (whole.single ? 8U : 0U);
    std::printf("{{\"%s\", %zu}, %s, %" PRIu64 "U, 0x%016" PRIx64 "U, 0x%08" PRIx32
                "U, %u, 0x%08" PRIx32 "U},\n",
                escaped(text).c_str(), text.size(), integer.c_str(), whole.unsignedValue,
                bitsOf<std::uint64_t>(reading.real), bitsOf<std::uint32_t>(narrowedByHardware),
                flags, bitsOf<std::uint32_t>(whole.singleValue));
}

} // namespace

int main() {
    static_assert(sizeof(long) == 8, "generate the rows where long has 64 bits");
    std::printf("// Generated by tests/golden/MakeNumberGolden.cpp on x86-64 glibc; do not edit.\n"
                "// text, strtoll, strtoull, strtod bits, strtod narrowed to float bits, whole\n"
                "// readings (1: integer, 2: unsigned integer, 4: double, 8: float), strtof bits.\n"
                "// clang-format off\n");
    for (const std::string& text : chosenTexts()) {
        printRow(text);
    }
    for (const std::string& text : randomTexts(300)) {
        printRow(text);
    }
    std::printf("// clang-format on\n");
    return 0;
}
