// The tool's own rules in the table: checks, bounds of one end, typed
// operands and the usage errors a tool reports itself.
#include "ParserHelpers.h"

#include <map>

namespace {

using conkit::OptionParser;
using conkit::ParseErrorKind;
using Words = std::vector<std::string>;
using Environment = std::map<std::string, std::string>;

/// Every value a check was asked about, in order.
Words asked;
const Environment* currentEnvironment = nullptr;
std::vector<conkit::ConfigEntry> fileEntries;

const char* testEnvironment(const char* variable) {
    const auto it = currentEnvironment->find(variable);
    return it != currentEnvironment->end() ? it->second.c_str() : nullptr;
}

bool testFile(const std::string&, std::vector<conkit::ConfigEntry>& out, std::string&) {
    out = fileEntries;
    return true;
}

std::string dateForm(const std::string& value) {
    asked.push_back(value);
    const bool date = value.size() == 10 && value[4] == '-' && value[7] == '-';
    return date ? "" : "expected a date as YYYY-MM-DD";
}

std::string odd(const std::string& value) {
    asked.push_back(value);
    return (value.back() - '0') % 2 == 1 ? "" : "expected an odd number";
}

/// `t [--date=DATE] [--since[=DATE]] [--level=N] [--limit=N] [--depth=N]
/// [--size=N] ID...`: --date (default and TOOL_DATE not a date) and --since
/// (implicit value not a date) checked as dates, --level from 1 to 5 and
/// odd, --limit at least 1, --depth at most 5, --size a range narrowed by
/// atLeast, ID at least 1 and odd; a configuration file.
OptionParser tool() {
    OptionParser parser = OptionParser::tool("t", "1", "");
    parser.setEnvironment(testEnvironment);
    parser.addOption('d', "date", true, "soon", "");
    parser.describe("date").check(dateForm).env("TOOL_DATE");
    parser.addOption('\0', "since", true, "", "");
    parser.describe("since").optionalValue("never").check(dateForm);
    parser.addOption('\0', "level", true, "", "");
    parser.describe("level").range(1, 5).check(odd);
    parser.addOption('\0', "limit", true, "", "");
    parser.describe("limit").atLeast(5).atLeast(1); // the second replaces the first
    parser.addOption('\0', "depth", true, "", "");
    parser.describe("depth").atMost(5);
    parser.addOption('\0', "size", true, "", "");
    parser.describe("size").range(1, 10).atLeast(3);
    parser.addOption('\0', "width", true, "", "");
    parser.describe("width").atMost(3).range(1, 10); // range replaces both ends
    parser.addOption('\0', "config", true, "", "");
    parser.setConfigFile("config", "f", testFile);
    parser.addOperand("ID", "").repeated().atLeast(1).check(odd);
    return parser;
}

TEST(OwnRulesTest, ChecksAndBounds) {
    using Kind = ParseErrorKind;
    using Entries = std::vector<conkit::ConfigEntry>;
    // Each row: the words, the environment, the file's entries, what the
    // parse reports and the values the checks were asked about.
    struct Row {
        Words words;
        Environment environment;
        Entries entries;
        conkit_test::Expected want;
        Words asked;
    };
    const std::string date = "t: invalid value 'x' for '--date'";
    // clang-format off
    const Row rows[] = {
        // Never a default, an implicit value, a value its range refused or
        // a file value the command line overrides; each value once.
        {{"1"}, {}, {}, {"", Kind::none, ""}, {"1"}},
        {{"--since", "--level=7", "3"}, {}, {{"", "date", {"x"}, "f:1"}}, {"t: invalid value '7' for '--level' (expected a number from 1 to 5)", Kind::invalidValue, "--level"}, {}},
        {{"--date=2024-01-02", "--level=3", "3"}, {{"TOOL_DATE", "x"}}, {{"", "level", {"x"}, "f:1"}}, {"", Kind::none, ""}, {"2024-01-02", "3", "3"}},
        // The first value that breaks a rule, in command-line order.
        {{"-dx", "--level=2"}, {}, {}, {date + ": expected a date as YYYY-MM-DD", Kind::invalidValue, "-d"}, {"x"}},
        {{"--level=2", "-dx"}, {}, {}, {"t: invalid value '2' for '--level': expected an odd number", Kind::invalidValue, "--level"}, {"2"}},
        {{"--date", "2024-01-02", "--date=x"}, {}, {}, {date + ": expected a date as YYYY-MM-DD", Kind::invalidValue, "--date"}, {"2024-01-02", "x"}},
        // The environment and the file, named as the error lines name them.
        {{"1"}, {{"TOOL_DATE", "x"}}, {}, {date + " from TOOL_DATE: expected a date as YYYY-MM-DD", Kind::invalidValue, "--date"}, {"x"}},
        {{"1"}, {}, {{"", "since", {"2024-01-02", "x"}, "f:4"}}, {"t: invalid value 'x' for '--since' from f:4: expected a date as YYYY-MM-DD", Kind::invalidValue, "--since"}, {"2024-01-02", "x"}},
        // Operands in word order, after missing or extra words.
        {{"3", "4", "0"}, {}, {}, {"t: invalid value '4' for ID: expected an odd number", Kind::invalidValue, "ID"}, {"3", "4"}},
        {{"0", "4"}, {}, {}, {"t: invalid value '0' for ID (expected a number of at least 1)", Kind::invalidValue, "ID"}, {}},
        {{"-dx"}, {}, {}, {date + ": expected a date as YYYY-MM-DD", Kind::invalidValue, "-d"}, {"x"}},
        {{"--date=2024-01-02"}, {}, {}, {"t: missing operand ID", Kind::missingOperand, "ID"}, {"2024-01-02"}},
        // One end: its own wording; both, or one with a range: one range.
        {{"--limit=1", "--limit=0", "1"}, {}, {}, {"t: invalid value '0' for '--limit' (expected a number of at least 1)", Kind::invalidValue, "--limit"}, {}},
        {{"--limit=x", "1"}, {}, {}, {"t: invalid value 'x' for '--limit' (expected a number of at least 1)", Kind::invalidValue, "--limit"}, {}},
        {{"--depth=-8", "--depth=6", "1"}, {}, {}, {"t: invalid value '6' for '--depth' (expected a number of at most 5)", Kind::invalidValue, "--depth"}, {}},
        {{"--size=2", "1"}, {}, {}, {"t: invalid value '2' for '--size' (expected a number from 3 to 10)", Kind::invalidValue, "--size"}, {}},
        {{"--width=9", "--width=11", "1"}, {}, {}, {"t: invalid value '11' for '--width' (expected a number from 1 to 10)", Kind::invalidValue, "--width"}, {}},
        // Help asks nothing of the environment.
        {{"--help"}, {{"TOOL_DATE", "x"}}, {}, {"", Kind::none, ""}, {}},
    };
    // clang-format on
    for (const Row& row : rows) {
        SCOPED_TRACE(testing::PrintToString(row.words));
        currentEnvironment = &row.environment;
        fileEntries = row.entries;
        asked.clear();
        OptionParser parser = tool();
        conkit_test::parseAndCheck(parser, "t", row.words, row.want);
        EXPECT_EQ(asked, row.asked);
    }
    currentEnvironment = nullptr;
}

TEST(OwnRulesTest, ChecksOfCommands) {
    // A file value of a command that was not chosen is not checked, nor is
    // one that the chosen command's command line overrides.
    OptionParser parser = OptionParser::tool("vcs", "1", "");
    parser.setConfigFile("", "vcs.toml", testFile);
    for (const char* name : {"log", "tag"}) {
        OptionParser& command = parser.addCommand(name, "");
        command.addOption('\0', "since", true, "", "");
        command.describe("since").check(dateForm);
    }
    fileEntries = {{"tag", "since", {"x"}, "vcs.toml:2"}, {"log", "since", {"y"}, "vcs.toml:5"}};
    asked.clear();
    const conkit_test::Expected success{"", ParseErrorKind::none, ""};
    conkit_test::parseAndCheck(parser, "vcs", {"log", "--since=2024-01-02"}, success);
    EXPECT_EQ(asked, Words{"2024-01-02"});
    conkit_test::parseAndCheck(
        parser, "vcs", {"log"},
        {"vcs: invalid value 'y' for '--since' from vcs.toml:5: expected a date as YYYY-MM-DD",
         ParseErrorKind::invalidValue, "--since"});
}

TEST(OwnRulesTest, TypedOperands) {
    OptionParser parser;
    parser.addOperand("ID", "").repeated();
    ASSERT_TRUE(conkit_test::parseWords(parser, {"7", " 9", "1e1", "99999999999"}).ok);
    int number = -1;
    double real = -1;
    unsigned short small = 1;
    EXPECT_TRUE(parser.getOperand("ID", number));
    EXPECT_EQ(number, 7);
    EXPECT_TRUE(parser.getOperand("ID", number, 1)); // leading blanks, as parseNumber reads
    EXPECT_EQ(number, 9);
    EXPECT_FALSE(parser.getOperand("ID", number, 2)); // not a whole number
    EXPECT_TRUE(parser.getOperand("ID", real, 2));
    EXPECT_EQ(real, 10.0);
    EXPECT_FALSE(parser.getOperand("ID", small, 3)); // too large
    EXPECT_FALSE(parser.getOperand("ID", number, 4));
    EXPECT_FALSE(parser.getOperand("NAME", number));
    EXPECT_EQ(number, 9);
    EXPECT_EQ(small, 1);
}

TEST(OwnRulesTest, UsageErrors) {
    // A tool's command, before any parse: its command path, its tool's
    // error output, the Try line.
    OptionParser vcs = OptionParser::tool("vcs", "1", "");
    OptionParser& add = vcs.addCommand("remote", "").addCommand("add", "");
    add.addOperand("NAME", "");
    std::ostringstream err;
    vcs.setErrorOutput(&err);
    EXPECT_EQ(add.usageError("no remote 'x'"), 2);
    EXPECT_EQ(err.str(), "vcs remote add: no remote 'x'\n"
                         "Try 'vcs remote add --help' for more information.\n");
    EXPECT_EQ(add.lastError(), "vcs remote add: no remote 'x'");
    EXPECT_EQ(add.errorKind(), ParseErrorKind::usage);
    EXPECT_EQ(add.errorOption(), "");

    // After a parse: the values stay; a later usage error replaces the
    // line, a successful parse clears it.
    ASSERT_TRUE(vcs.parse(Words{"vcs", "remote", "add", "origin"}));
    EXPECT_EQ(add.usageError("{text} stays"), 2);
    EXPECT_EQ(add.lastError(), "vcs remote add: {text} stays");
    EXPECT_EQ(add.operand("NAME"), "origin");
    ASSERT_TRUE(vcs.parse(Words{"vcs", "remote", "add", "origin"}));
    EXPECT_EQ(add.lastError(), "");
    EXPECT_EQ(add.errorKind(), ParseErrorKind::none);

    // A plain parser writes the line alone, under the latest parse's name.
    OptionParser plain;
    EXPECT_TRUE(conkit_test::parseWords(plain, {}).ok);
    std::ostringstream out;
    plain.setErrorOutput(&out);
    EXPECT_EQ(plain.usageError("too late"), 2);
    EXPECT_EQ(out.str(), "demo: too late\n");
}

} // namespace
