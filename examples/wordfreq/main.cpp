// wordfreq: counts the words of text files and prints the most frequent.
// Reads its input with StrSlice and the tokenizers: lines, comma-separated
// fields and words are cut from the file's text without copying it.
#include "options/OptionParser.h"
#include "slices/StrSlice.h"

#include <algorithm>
#include <fstream>
#include <iostream>
#include <map>
#include <optional>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

namespace {

struct Settings {
    long long field = 0; // 0: the whole line
    long long minLength = 1;
    bool ignoreCase = false;
};

bool isWordCharacter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
           c == '\'' || c == '-' || static_cast<unsigned char>(c) >= 0x80;
}

/// Calls `visit` with each run of word characters in `token` ("red,sweet."
/// gives "red" and "sweet").
template <class Visit> void forEachWord(conkit::StrSlice token, Visit visit) {
    std::uint32_t start = 0;
    for (std::uint32_t at = 0; at <= token.size(); ++at) {
        if (at == token.size() || !isWordCharacter(token[at])) {
            if (at > start) {
                visit(token.subRange(start, at));
            }
            start = at + 1;
        }
    }
}

/// Counts the words of `text` into `counts`: lines are cut at line ends,
/// fields at commas, and words at runs of blanks and at punctuation.
void countWords(conkit::StrSlice text, const Settings& settings,
                std::map<std::string, long long>& counts) {
    for (conkit::StrSlice line : conkit::CharSplitter(text, '\n')) {
        if (settings.field != 0) {
            long long number = 0;
            conkit::StrSlice chosen;
            for (conkit::StrSlice field : conkit::CharSplitter(line, ',')) {
                if (++number == settings.field) {
                    chosen = field;
                    break;
                }
            }
            line = chosen;
        }
        for (conkit::StrSlice token : conkit::BlankSplitter(line)) {
            forEachWord(token, [&](conkit::StrSlice word) {
                if (static_cast<long long>(word.size()) < settings.minLength) {
                    return;
                }
                std::string key(word.data(), word.size());
                if (settings.ignoreCase) {
                    std::transform(key.begin(), key.end(), key.begin(), [](char c) {
                        return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
                    });
                }
                ++counts[key];
            });
        }
    }
}

} // namespace

int main(int argc, char** argv) {
    auto parser = conkit::OptionParser::tool(
        "wordfreq", "1.0",
        "Count the words of each FILE (standard input when there is none) and print the most "
        "frequent ones, most frequent first.");
    parser.addOperand("FILE", "").optional().repeated();
    parser.addOption('t', "top", true, "10", "print the N most frequent words");
    parser.describe("top").range(1, 1000).valueName("N");
    parser.addOption('l', "min-length", true, "1", "count only words of N characters or more");
    parser.describe("min-length").range(1, 100).valueName("N");
    parser.addOption('i', "ignore-case", false, "", "count words that differ in case as one");
    parser.addOption('f', "field", true, "", "count only field N of comma-separated lines");
    parser.describe("field").range(1, 100).valueName("N");
    parser.addOption('\0', "format", true, "text", "print the counts as text or as CSV");
    parser.describe("format").choices({"text", "csv"}).valueName("FORMAT");

    if (const std::optional<int> status = parser.parseAndAnswer(argc, argv)) {
        return *status;
    }

    Settings settings;
    parser.getValue("field", settings.field);
    parser.getValue("min-length", settings.minLength);
    settings.ignoreCase = parser.isSet("ignore-case");
    std::map<std::string, long long> counts;
    const auto countStream = [&](std::istream& in) {
        std::ostringstream text;
        text << in.rdbuf();
        countWords(text.str(), settings, counts);
    };
    const std::vector<std::string> files = parser.operands("FILE");
    if (files.empty()) {
        countStream(std::cin);
    }
    for (const std::string& file : files) {
        std::ifstream in(file, std::ios::binary);
        if (!in) {
            std::cerr << "wordfreq: " << file << ": cannot be read\n";
            return 2;
        }
        countStream(in);
    }

    std::vector<std::pair<std::string, long long>> ranked(counts.begin(), counts.end());
    std::stable_sort(ranked.begin(), ranked.end(),
                     [](const auto& a, const auto& b) { return a.second > b.second; });
    long long top = 10;
    parser.getValue("top", top);
    const bool csv = parser.value("format") == "csv";
    if (csv) {
        std::cout << "word,count\n";
    }
    for (std::size_t i = 0; i < ranked.size() && static_cast<long long>(i) < top; ++i) {
        std::cout << ranked[i].first << (csv ? "," : " ") << ranked[i].second << "\n";
    }
    return 0;
}
