// Splitting of one-string command lines and their parse.
#include "ParserHelpers.h"

#include <gmock/gmock.h>

namespace {

using conkit::OptionParser;
using conkit::splitCommandLine;
using conkit_test::demoParser;
using conkit_test::parseCaptured;
using Words = std::vector<std::string>;

TEST(CommandLineTest, Split) {
    const std::pair<std::string, Words> rows[] = {
        {"prog one  two", {"prog", "one", "two"}},
        {"prog\tone", {"prog", "one"}},
        {"  prog  ", {"prog"}},
        {"", {}},
        {"   ", {}},
        {"\t \t", {}},
        {"prog \"abc\"", {"prog", "abc"}},
        {"prog \"\" x", {"prog", "", "x"}},
        {"\"\"", {""}},
        {"a\"\"b", {"a", "", "b"}},
        {"\"a\"\"b\"", {"a", "b"}},
        {"ab\"cd\"ef", {"ab", "cd", "ef"}},
        {"x \"a b\"", {"x", "a b"}},
        {"prog \"a  b\" c", {"prog", "a  b", "c"}},
        {"\"a\tb\" ", {"a\tb"}},
        {"prog \"open", {"prog", "open"}},
        {"prog \"open x", {"prog", "open x"}},
        {"prog \"open x ", {"prog", "open x "}},
        {"prog --user=\"John Smith\"", {"prog", "--user=", "John Smith"}},
        {"prog 'a b' c\\\"d\"", {"prog", "'a", "b'", "c\\", "d"}},
        {"p\r\nq \xFF\x80", {"p\r\nq", "\xFF\x80"}},
        {std::string("a\0b c", 5), {std::string("a\0b", 3), "c"}},
    };
    for (const auto& [line, words] : rows) {
        SCOPED_TRACE(testing::PrintToString(line));
        EXPECT_EQ(splitCommandLine(line), words);
    }
}

TEST(CommandLineTest, ParseLineLikeItsWords) {
    const std::string lines[] = {
        "prog --user=bob rest",
        "prog --user=\"John Smith\" file",
        "prog -u \"a b\" -p",
        "prog x -u -p",
        "prog --color",
        "-u bob",
        "",
        "   ",
        "prog -u",
    };
    for (const std::string& line : lines) {
        SCOPED_TRACE(line);
        OptionParser byLine = demoParser();
        OptionParser byWords = demoParser();
        const conkit_test::Outcome lineOutcome = parseCaptured(byLine, line);
        const conkit_test::Outcome wordsOutcome = parseCaptured(byWords, splitCommandLine(line));
        EXPECT_EQ(lineOutcome.ok, wordsOutcome.ok);
        EXPECT_EQ(lineOutcome.printed, wordsOutcome.printed);
        EXPECT_EQ(byLine.helpText(), byWords.helpText());
        EXPECT_EQ(byLine.argCount(), byWords.argCount());
        std::string a = "-";
        std::string b = "-";
        EXPECT_EQ(byLine.getValue("user", a), byWords.getValue("user", b));
        EXPECT_EQ(a, b);
    }
}

TEST(CommandLineTest, ParseLine) {
    OptionParser parser = demoParser();
    std::string user;
    EXPECT_TRUE(parser.parse(std::string("prog --user=\"John Smith\"")));
    EXPECT_TRUE(parser.getValue("user", user));
    EXPECT_EQ(user, "John Smith");

    // Word 0 is always the program: here '-u' is its name.
    EXPECT_TRUE(parser.parse(std::string("-u bob")));
    EXPECT_FALSE(parser.isSet("user"));
    EXPECT_EQ(parser.arg(0), "bob");
    EXPECT_EQ(parser.usageText(), "-u");

    EXPECT_FALSE(parser.parse(std::string()));
    EXPECT_FALSE(parser.parse(std::string("  \t")));
}

} // namespace
