// Generated benchmark inputs.
#include "Workloads.h"

#include <random>

namespace conkit_bench {

namespace {

const char* const vocabulary[] = {
    "the",     "of",      "and",     "to",     "in",      "is",      "that",     "for",    "it",
    "as",      "was",     "with",    "be",     "by",      "on",      "not",      "he",     "this",
    "are",     "or",      "his",     "from",   "at",      "which",   "but",      "have",   "an",
    "had",     "they",    "you",     "were",   "their",   "one",     "all",      "we",     "can",
    "her",     "has",     "there",   "been",   "if",      "more",    "when",     "will",   "would",
    "who",     "so",      "no",      "people", "world",   "time",    "house",    "river",  "garden",
    "letter",  "morning", "evening", "window", "street",  "country", "question", "answer", "number",
    "history", "Thomas",  "London",  "Monday", "English", "Science", "System",   "Option", "Parser",
};

std::string generate(std::size_t size, std::uint32_t seed, bool csv) {
    std::mt19937 engine(seed);
    std::uniform_int_distribution<std::size_t> word(0, std::size(vocabulary) - 1);
    std::uniform_int_distribution<int> roll(0, 99);
    std::string out;
    out.reserve(size + 32);
    while (out.size() < size) {
        if (csv) {
            const int kind = roll(engine);
            if (kind < 45) {
                out += std::to_string(engine() % 100000);
            } else if (kind < 90) {
                out += vocabulary[word(engine)];
            } // else an empty field
            out += roll(engine) < 12 ? '\n' : ',';
        } else {
            out += vocabulary[word(engine)];
            const int mark = roll(engine);
            out += mark < 8 ? ", " : (mark < 12 ? ". " : " ");
        }
    }
    out.resize(size);
    return out;
}

} // namespace

const std::vector<Needle>& presentNeedles() {
    static const std::vector<Needle> needles{
        {"1B", "~"}, {"7B", "whisker"}, {"24B", "whisker of the lost cat!"}};
    return needles;
}

const std::vector<Needle>& absentNeedles() {
    static const std::vector<Needle> needles{
        {"1B", "#"}, {"7B", "therein"}, {"24B", "the people of the world?"}};
    return needles;
}

std::string englishText(std::size_t size) {
    std::string text = generate(size, 1, false);
    std::size_t at = size / 10 * 9;
    for (const Needle& needle : presentNeedles()) {
        if (at + needle.text.size() < text.size()) {
            text.replace(at, needle.text.size(), needle.text);
        }
        at += 64;
    }
    return text;
}

std::string csvText(std::size_t size) {
    return generate(size, 2, true);
}

namespace {

PackedNumbers pack(bool decimals) {
    std::mt19937 engine(3);
    PackedNumbers numbers;
    numbers.digits.reserve(12'000'000);
    numbers.spans.reserve(1'000'000);
    for (int i = 0; i < 1'000'000; ++i) {
        std::string number = std::to_string(engine() % 2'000'000'000);
        if (i % 3 == 0) {
            number.insert(0, "-");
        }
        if (decimals) {
            number += "." + std::to_string(engine() % 1000);
        }
        numbers.spans.emplace_back(static_cast<std::uint32_t>(numbers.digits.size()),
                                   static_cast<std::uint32_t>(number.size()));
        numbers.digits += number;
    }
    return numbers;
}

/// `count` decimal digits, the first of them not 0 when `leading` says so.
std::string randomDigits(std::mt19937& engine, unsigned count, bool leading) {
    std::string digits(count, '0');
    for (char& c : digits) {
        c = static_cast<char>('0' + engine() % 10);
    }
    if (leading && count > 1) {
        digits[0] = static_cast<char>('1' + engine() % 9);
    }
    return digits;
}

/// A million numbers from `make`, a quarter of them with a minus sign.
template <class Make> PackedNumbers packTokens(std::uint32_t seed, Make make) {
    std::mt19937 engine(seed);
    PackedNumbers numbers;
    numbers.spans.reserve(1'000'000);
    for (int i = 0; i < 1'000'000; ++i) {
        const bool negative = engine() % 4 == 0;
        const std::string number = (negative ? "-" : "") + make(engine);
        numbers.spans.emplace_back(static_cast<std::uint32_t>(numbers.digits.size()),
                                   static_cast<std::uint32_t>(number.size()));
        numbers.digits += number;
    }
    return numbers;
}

} // namespace

const PackedNumbers& packedIntegers() {
    static const PackedNumbers numbers = pack(false);
    return numbers;
}

const PackedNumbers& packedDecimals() {
    static const PackedNumbers numbers = pack(true);
    return numbers;
}

PackedNumbers integerTokens(unsigned maxDigits) {
    return packTokens(4 + maxDigits, [maxDigits](std::mt19937& engine) {
        return randomDigits(engine, 1 + static_cast<unsigned>(engine() % maxDigits), true);
    });
}

const PackedNumbers& decimalTokens() {
    static const PackedNumbers numbers = packTokens(5, [](std::mt19937& engine) {
        std::string number = randomDigits(engine, 1 + static_cast<unsigned>(engine() % 8), true);
        const auto decimals = static_cast<unsigned>(engine() % 9);
        return decimals == 0 ? number : number + "." + randomDigits(engine, decimals, false);
    });
    return numbers;
}

std::pair<std::string, std::string> caseBlindPair(std::size_t size) {
    std::mt19937 engine(6);
    std::string a(size, 'a');
    for (char& c : a) {
        const auto letter = static_cast<char>('a' + engine() % 26);
        c = engine() % 2 == 0 ? letter : static_cast<char>(letter ^ 0x20);
    }
    std::string b = a;
    for (char& c : b) {
        c = static_cast<char>(engine() % 2 == 0 ? c : c ^ 0x20); // flip the case, or keep it
    }
    // The last letters differ by more than case: one letter further on, or back from 'z'.
    const char last = b[size - 1];
    b[size - 1] = static_cast<char>((last | 0x20) == 'z' ? last - 1 : last + 1);
    return {a, b};
}

CommandLine::CommandLine(std::vector<std::string> all) : words(std::move(all)) {
    for (std::string& word : words) {
        argv.push_back(word.data());
    }
    argv.push_back(nullptr);
}

const CommandLine& smallCommandLine() {
    static const CommandLine line({"demo", "file1", "file2", "-u", "bob", "-p"});
    return line;
}

const CommandLine& twentyOptionCommandLine() {
    static const CommandLine line(
        {"demo",    "file1",      "file2",   "file3",      "--flag0", "-p",      "--user=ann",
         "--flag1", "--password", "--flag2", "-u",         "bob",     "--flag5", "--flag4",
         "--flag3", "-p",         "--flag0", "--user=cid", "--flag1", "--flag2", "--password",
         "--flag3", "-u",         "dan",     "--flag4",    "--flag5"});
    return line;
}

CommandLine largeCommandLine(std::size_t count) {
    std::vector<std::string> words{"demo"};
    for (std::size_t i = 1; i <= count; ++i) {
        words.push_back("file" + std::to_string(i) + ".txt");
        if (i % 5 == 0) {
            words.push_back("--user=name" + std::to_string(i));
        }
    }
    return CommandLine(std::move(words));
}

} // namespace conkit_bench
