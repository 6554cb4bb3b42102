// Inputs of the benchmarks, generated with fixed seeds so every run and every
// machine measures the same bytes.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace conkit_bench {

/// English-like prose of `size` bytes: words, ", " and ". " from a fixed
/// vocabulary, with the planted needles below placed at 90% of the text.
std::string englishText(std::size_t size);

/// Lines of comma-separated fields (numbers, words, empty fields) of `size`
/// bytes.
std::string csvText(std::size_t size);

/// Needles for the text searches. Each "present" one stands in the English
/// text exactly once, at 90% of it; no "absent" one stands in it at all.
struct Needle {
    const char* name;
    std::string text;
};
const std::vector<Needle>& presentNeedles();
const std::vector<Needle>& absentNeedles();

/// A million decimal numbers packed without separators, so a conversion that
/// reads past its slice runs into the next number; `spans` holds each
/// number's offset and length.
struct PackedNumbers {
    std::string digits;
    std::vector<std::pair<std::uint32_t, std::uint32_t>> spans;
};
const PackedNumbers& packedIntegers();
const PackedNumbers& packedDecimals();
/// A million integers packed the same way, each of 1 to `maxDigits` digits
/// (as many of every length, the first digit never 0), a quarter of them
/// negative. `maxDigits` is at most 18, so every one fits 64 bits.
PackedNumbers integerTokens(unsigned maxDigits);
/// A million decimals packed the same way: 1 to 8 whole digits, then a point
/// and 1 to 8 decimals or, as often as each of those, no point at all; a
/// quarter of them negative.
const PackedNumbers& decimalTokens();

/// Two texts of `size` letters: the first of random letters in random case,
/// the second the same letters, each with its case flipped or kept at random,
/// but for the last one, which differs from the first text's by more than
/// case.
std::pair<std::string, std::string> caseBlindPair(std::size_t size);

/// A command line: its words, and argv-style pointers into them.
struct CommandLine {
    explicit CommandLine(std::vector<std::string> words);
    CommandLine(const CommandLine&) = delete;
    CommandLine& operator=(const CommandLine&) = delete;
    int argc() const { return static_cast<int>(words.size()); }
    std::vector<std::string> words;
    std::vector<char*> argv; // null-terminated
};

/// `demo file1 file2 -u bob -p`.
const CommandLine& smallCommandLine();
/// `demo file1 file2 file3`, then 20 option words: the demo's -u/--user and
/// -p/--password and the flags --flag0 to --flag5, which every option table of
/// the benchmarks defines, each named more than once.
const CommandLine& twentyOptionCommandLine();
/// `demo`, then `words` plain words with a `--user=NAME` after every fifth one
/// (1,000 words give 200 of them).
CommandLine largeCommandLine(std::size_t words);

} // namespace conkit_bench
