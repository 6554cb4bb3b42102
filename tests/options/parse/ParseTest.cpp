// Parsing of word lists and argument vectors, and the lines a parse prints.
#include "ParserHelpers.h"

#include <gmock/gmock.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

using conkit::OptionParser;
using conkit_test::demoParser;
using conkit_test::parseCaptured;
using conkit_test::parseWords;
using Words = std::vector<std::string>;

struct Row {
    Words words;
    bool ok;
    std::string printed;
    const char* user; // value of a found user option; nullptr: not found
    Words args;
};

const Row parseRows[] = {
    {{}, true, "", nullptr, {}},
    {{"file1", "-u", "bob", "file2", "file3"}, true, "", "bob", {"file1", "file2", "file3"}},
    {{"--user=bob"}, true, "", "bob", {}},
    {{"--user=bob", "file"}, true, "", "file", {}}, // the next plain word replaces it
    {{"--user=a=b"}, true, "", "a=b", {}},
    {{"--user=-5"}, true, "", "-5", {}},
    {{"--u=x"}, true, "", "x", {}},
    {{"-u=x"}, true, "", "x", {}},
    {{"/u=x"}, true, "", "x", {}},
    {{"-user", "x", "y"}, true, "", "x", {"y"}},
    {{"-u", ""}, true, "", "", {}},
    {{"--user=", "--help"}, true, "", "", {}},
    {{"-p", "file"}, true, "", nullptr, {}},
    {{"-u", "-h"}, false, "--user need arg.\n", "", {}},
    {{"/u", "--nosuch"}, false, "--user need arg.\n", "", {}},
    {{"-u", "-5"}, false, "--user need arg.\n", "", {}},
    {{"x", "-u", "-p", "y"}, false, "--user need arg.\n", "", {"x"}},
    {{"--user"}, false, "--user need arg.\n", "", {}}, // nothing left for it
    {{"a", "-u", "bob", "-u"}, false, "--user need arg.\n", "bob", {"a"}},
    {{"--nosuch=1"}, false, "invalid option: nosuch\n", nullptr, {}},
    {{"a", "--color", "b"}, false, "invalid option: color\n", nullptr, {"a"}},
    {{"--"}, false, "invalid option: \n", nullptr, {}},
    {{"-"}, false, "invalid option: \n", nullptr, {}},
    {{"/"}, false, "invalid option: \n", nullptr, {}},
    {{"--=x"}, false, "invalid option: \n", nullptr, {}},
    {{"/tmp/x"}, false, "invalid option: tmp/x\n", nullptr, {}},
    {{"---user"}, false, "invalid option: -user\n", nullptr, {}},
    {{"-uabc"}, false, "invalid option: uabc\n", nullptr, {}},
};

TEST(ParseTest, DemoCommandLines) {
    for (const Row& row : parseRows) {
        SCOPED_TRACE(testing::PrintToString(row.words));
        OptionParser parser = demoParser();
        const conkit_test::Outcome outcome = parseWords(parser, row.words);
        EXPECT_EQ(outcome.ok, row.ok);
        EXPECT_EQ(outcome.printed, row.printed);
        EXPECT_EQ(parser.lastError() + (row.ok ? "" : "\n"), row.printed);
        std::string user = "unset";
        EXPECT_EQ(parser.getValue("user", user), row.user != nullptr);
        EXPECT_EQ(user, row.user != nullptr ? row.user : "unset");
        std::vector<std::string> args;
        for (std::size_t i = 0; i < parser.argCount(); ++i) {
            args.push_back(parser.arg(i));
        }
        EXPECT_EQ(args, row.args);
    }
}

TEST(ParseTest, OptionWordsWithoutValues) {
    OptionParser parser = demoParser();
    EXPECT_TRUE(parseWords(parser, {"-h", "topic", "file"}).ok);
    std::string help;
    EXPECT_TRUE(parser.getValue("help", help));
    EXPECT_EQ(help, "topic");
    EXPECT_THAT(parser.arg(0), "file");

    // A failing word leaves the options before it found, and those after it
    // untouched.
    EXPECT_FALSE(parseWords(parser, {"-p", "-u", "--help", "-v"}).ok);
    EXPECT_TRUE(parser.isSet('p'));
    EXPECT_TRUE(parser.isSet('u'));
    EXPECT_FALSE(parser.isSet('h'));
    EXPECT_FALSE(parser.isSet('v'));
}

TEST(ParseTest, ArgumentWithDefaultNeverAwaits) {
    OptionParser parser;
    parser.addOption('l', "level", true, 3, "");
    EXPECT_TRUE(parseWords(parser, {"--level"}).ok);
    std::string level;
    EXPECT_TRUE(parser.getValue("level", level));
    EXPECT_EQ(level, "3");
    EXPECT_TRUE(parseWords(parser, {"-l", "-l"}).ok);
}

TEST(ParseTest, ProgramName) {
    const std::pair<const char*, const char*> rows[] = {{"D:\\bin\\demo.exe", "demo.exe"},
                                                        {"a/b\\c", "b\\c"},
                                                        {"demo", "demo"},
                                                        {"dir/", ""},
                                                        {"/opt/tools/demo", "demo"},
                                                        {"", ""}};
    // One parser takes every row twice, and again after a reset: the name
    // follows word 0 whatever the parse before it named.
    OptionParser parser("%prog", "");
    for (const auto& [path, name] : rows) {
        SCOPED_TRACE(path);
        EXPECT_EQ(conkit::baseName(path), name);
        for (int pass = 0; pass < 3; ++pass) {
            EXPECT_TRUE(parser.parse(Words{path}));
            EXPECT_EQ(parser.usageText(), name);
            if (pass == 1) {
                parser.reset();
                EXPECT_EQ(parser.usageText(), "");
            }
        }
    }
}

TEST(ParseTest, ArgumentVectors) {
    OptionParser parser = demoParser();
    const char* argv[] = {"./demo", "-u", "bob", nullptr, "ignored"};
    EXPECT_TRUE(parser.parse(3, argv));
    EXPECT_TRUE(parser.isSet("user"));
    // A null entry ends the word list: nothing after it is read.
    EXPECT_TRUE(parser.parse(5, argv));
    EXPECT_EQ(parser.argCount(), 0U);

    const char* awaiting[] = {"demo", "-u", nullptr, "bob"};
    EXPECT_EQ(parseCaptured(parser, 4, awaiting).printed, "--user need arg.\n");

    for (int argc : {0, -1}) {
        const conkit_test::Outcome outcome = parseCaptured(parser, argc, argv);
        EXPECT_FALSE(outcome.ok);
        EXPECT_EQ(outcome.printed, "");
        EXPECT_FALSE(parser.isSet("user"));
        EXPECT_EQ(parser.lastError(), "");
    }
    const char* const* none = nullptr;
    EXPECT_EQ(parseCaptured(parser, 3, none).ok, false);
    EXPECT_EQ(parser.usageText(), "");
}

TEST(ParseTest, SecondParseStartsAfresh) {
    OptionParser parser = demoParser();
    EXPECT_FALSE(parseWords(parser, {"x", "--user=bob", "--bad"}).ok);
    EXPECT_NE(parser.lastError(), "");
    EXPECT_TRUE(parseWords(parser, {}).ok);
    EXPECT_FALSE(parser.isSet("user"));
    EXPECT_EQ(parser.findOption("user")->value, "bob");
    EXPECT_EQ(parser.argCount(), 0U);
    EXPECT_EQ(parser.lastError(), "");
}

TEST(ParseTest, AnyBytesAndSizes) {
    OptionParser parser = demoParser();
    std::string allBytes;
    for (int b = 0; b < 256; ++b) {
        allBytes += static_cast<char>(b);
    }
    const std::string nul("a\0b", 3);
    const std::string big(1 << 20, '\xC3');
    Words words{"demo", allBytes, "--user=" + nul, std::string("-\0x", 3), big};
    EXPECT_EQ(parseCaptured(parser, words).printed, std::string("invalid option: \0x\n", 19));
    EXPECT_EQ(parser.arg(0), allBytes);
    std::string user;
    EXPECT_TRUE(parser.getValue("user", user));
    EXPECT_EQ(user, nul);

    words.assign(100000, big.substr(0, 20));
    words.back() = "-u";
    words.emplace_back(big);
    EXPECT_TRUE(parser.parse(words));
    EXPECT_EQ(parser.argCount(), 99998U);
    EXPECT_TRUE(parser.getValue("u", user));
    EXPECT_EQ(user, big);
    EXPECT_EQ(parser.arg(99998), ""); // beyond the end: empty, nothing read
}

TEST(ParseTest, LongNamesOfAnyLength) {
    OptionParser parser;
    const std::string longName(100000, 'n');
    ASSERT_TRUE(parser.addOption('\0', longName, true, "", ""));
    EXPECT_EQ(parseWords(parser, {"--" + longName}).printed, "--" + longName + " need arg.\n");
    EXPECT_TRUE(parseWords(parser, {"/" + longName + "=v"}).ok);
    EXPECT_TRUE(parser.isSet(longName));
}

/// Texts of `n` bytes that differ from "aa...a" in one byte: the first, the
/// middle or the last.
std::vector<std::string> neighbours(std::size_t n) {
    std::vector<std::string> texts{std::string(n, 'a')};
    for (const std::size_t at : {std::size_t{0}, n / 2, n - 1}) {
        std::string text(n, 'a');
        text[at] = 'b';
        if (std::find(texts.begin(), texts.end(), text) == texts.end()) {
            texts.push_back(text);
        }
    }
    return texts;
}

TEST(ParseTest, NamesAndValuesThatDifferInOneByte) {
    // Names and values are compared and copied in word-sized pieces, longer
    // ones in a loop: each must still be told apart from its neighbours, and
    // a value parsed again with one byte changed must replace the earlier one.
    std::vector<std::size_t> lengths{25, 40};
    for (std::size_t n = 1; n <= 17; ++n) {
        lengths.push_back(n);
    }
    OptionParser parser;
    std::vector<std::string> names;
    for (const std::size_t n : lengths) {
        for (const std::string& name : neighbours(n)) {
            ASSERT_TRUE(parser.addOption('\0', name, true, "", ""));
            names.push_back(name);
        }
    }
    for (std::size_t i = 0; i < names.size(); ++i) {
        SCOPED_TRACE(names[i]);
        const std::string value = std::to_string(i);
        EXPECT_TRUE(parseWords(parser, {"--" + names[i] + "=" + value}).ok);
        std::string got;
        EXPECT_TRUE(parser.getValue(names[i], got));
        EXPECT_EQ(got, value);
        EXPECT_EQ(parser.findOption(names[i])->value, value);
        EXPECT_FALSE(parser.isSet(names[(i + 1) % names.size()]));
    }
    // Each value follows the one it differs from in one byte.
    for (const std::size_t n : lengths) {
        const std::vector<std::string> values = neighbours(n);
        for (const std::string& value : values) {
            SCOPED_TRACE(value);
            for (const std::string& given : {values[0], value}) {
                EXPECT_TRUE(parseWords(parser, {"--a", given}).ok);
                EXPECT_EQ(parser.findOption("a")->value, given);
            }
        }
    }
}

TEST(WordsTest, StartsWithAndSplitAt) {
    EXPECT_TRUE(conkit::startsWith("--user", "--"));
    EXPECT_TRUE(conkit::startsWith("", ""));
    EXPECT_FALSE(conkit::startsWith("-", "--"));
    EXPECT_FALSE(conkit::startsWith("Ab", "ab"));

    std::string first = "old";
    std::string second = "old";
    EXPECT_EQ(conkit::splitAt("user=a=b", '=', first, second), 2);
    EXPECT_EQ(first + "|" + second, "user|a=b");
    EXPECT_EQ(conkit::splitAt("=", '=', first, second), 2);
    EXPECT_EQ(first + "|" + second, "|");
    EXPECT_EQ(conkit::splitAt("user", '=', first, second), 1);
    EXPECT_EQ(first + "|" + second, "user|");

    // The text may be one of the outputs.
    std::string text = "name=value";
    EXPECT_EQ(conkit::splitAt(text, '=', text, second), 2);
    EXPECT_EQ(text + "|" + second, "name|value");
    text = "name=value";
    EXPECT_EQ(conkit::splitAt(text, '=', first, text), 2);
    EXPECT_EQ(first + "|" + text, "name|value");
    EXPECT_EQ(conkit::splitAt(first, '=', second, first), 1);
    EXPECT_EQ(second + "|" + first, "name|");
}

} // namespace
