// StrSlice held against the reference model on many generated inputs (fixed
// seed).
#include "tests/slices/reference/SliceCheck.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <string_view>
#include <vector>

namespace {

using conkit::StrSlice;

class Generator {
public:
    /// A text of up to `maxLength` bytes drawn from `alphabet`.
    std::string text(std::string_view alphabet, std::size_t maxLength) {
        std::string out(pick(maxLength + 1), ' ');
        for (char& c : out) {
            c = alphabet[pick(alphabet.size())];
        }
        return out;
    }
    std::size_t pick(std::size_t bound) {
        return std::uniform_int_distribution<std::size_t>(0, bound - 1)(engine);
    }

private:
    std::mt19937 engine{20261207};
};

/// The text in a heap block of exactly its size, so that AddressSanitizer
/// catches any read past it; an empty text stays where it is.
slice_model::View exactBlock(const std::string& text, std::vector<char>& block) {
    block = std::vector<char>(text.begin(), text.end());
    return text.empty() ? slice_model::View(text) : slice_model::View(block.data(), block.size());
}

/// Arguments drawn at random around `hay`; `needle` is the sought text.
slice_model::Probe probeOf(Generator& gen, slice_model::View hay, const std::string& needle,
                           const std::string& close, std::string_view alphabet) {
    slice_model::Probe probe;
    probe.text = hay;
    probe.sought = needle.c_str();
    probe.soughtCount = static_cast<std::uint32_t>(needle.size());
    probe.close = close.c_str();
    probe.c = alphabet[gen.pick(alphabet.size())];
    probe.close1 = alphabet[gen.pick(alphabet.size())];
    probe.start = static_cast<std::uint32_t>(gen.pick(hay.size() + 3));
    probe.count = static_cast<std::uint32_t>(gen.pick(hay.size() + 3));
    return probe;
}

void expectAgreement(const slice_model::Probe& probe) {
    if (const char* failed = slice_model::mismatch(probe)) {
        ADD_FAILURE() << failed << " disagrees with the model on "
                      << testing::PrintToString(std::string(probe.text)) << " with "
                      << testing::PrintToString(std::string(probe.sought, probe.soughtCount))
                      << ", start " << probe.start << ", count " << probe.count;
    }
}

TEST(DifferentialTest, SlicesAgreeWithTheModel) {
    // Short texts over a few bytes: a case pair, '@' and '`' (which differ
    // by the case bit but are no letters), NUL, the four blanks, the
    // delimiter and a byte above 0x7F, so that every outcome of every rule
    // comes up.
    Generator gen;
    const std::string_view alphabet("abA,\0 \xE9\t\r\n@`", 12);
    std::vector<char> block;
    for (int round = 0; round < 20000 && !HasFailure(); ++round) {
        const std::string hay = gen.text(alphabet, 40);
        std::string needle = gen.text(alphabet, 4);
        if (round % 3 == 0 && !hay.empty()) { // a piece of the text, so that searches find it
            needle = hay.substr(gen.pick(hay.size()), gen.pick(5));
        }
        const std::string close = gen.text(alphabet, 2);
        expectAgreement(probeOf(gen, exactBlock(hay, block), needle, close, alphabet));
    }
    expectAgreement(slice_model::Probe{}); // the null slice
}

TEST(DifferentialTest, VectorPathsAgreeWithTheModel) {
    // Long enough for whole vector blocks and every tail length; few distinct
    // bytes, so that partial matches are common, and case pairs, so that the
    // case-blind kernels meet them too.
    Generator gen;
    const std::string_view alphabet("aaaaAb\0\xE9@`", 10);
    std::vector<char> block;
    for (int round = 0; round < 4000 && !HasFailure(); ++round) {
        const std::string hay = gen.text(alphabet, 300);
        std::string needle = gen.text(alphabet, 40);
        if (round % 2 == 0 && !hay.empty()) {
            needle = hay.substr(gen.pick(hay.size()), 1 + gen.pick(40));
        } else if (round % 4 == 1) {
            // The text itself with its case turned (and '@' and '`' swapped,
            // which must stay a difference), cut short and with one byte
            // changed, or not: long case-blind comparisons.
            needle = hay.substr(0, round % 8 == 1 ? hay.size() : gen.pick(hay.size() + 1));
            for (char& c : needle) {
                c = c == 'a' ? 'A' : (c == 'A' ? 'a' : c);
                c = round % 16 == 5 && c == '@' ? '`' : c;
            }
            if (!needle.empty() && round % 3 != 0) {
                needle[gen.pick(needle.size())] = alphabet[gen.pick(alphabet.size())];
            }
        }
        expectAgreement(probeOf(gen, exactBlock(hay, block), needle, "b", alphabet));
    }
}

TEST(DifferentialTest, TokenizersAgreeWithTheModelOnLongTexts) {
    // Long enough for several windows of the tokenizers' lookahead, with
    // delimiters drawn from the second alphabet: dense enough to fill it,
    // overlapping ("aa" in "aaaa"), or sparse enough to leave windows empty.
    const std::pair<std::string_view, std::string_view> alphabets[] = {
        {"a,", "a,"}, {"ab, ", ", "}, {"xxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxx, a", ", a"}};
    Generator gen;
    std::vector<char> block;
    for (int round = 0; round < 600 && !HasFailure(); ++round) {
        const auto& [text, delimiters] = alphabets[round % 3];
        const std::string hay = gen.text(text, 2000);
        const std::string needle = gen.text(delimiters, 3);
        expectAgreement(probeOf(gen, exactBlock(hay, block), needle, "", text));
    }
}

} // namespace
