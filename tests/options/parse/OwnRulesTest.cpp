// The tool's own rules in the table: checks, bounds of one end, typed
// operands and the usage errors a tool reports itself.
#include "ParserHelpers.h"

#include <tuple>

namespace {

using conkit::OptionParser;
using conkit::ParseErrorKind;
using Words = std::vector<std::string>;

/// Every value a check was asked about, in order; TOOL_DATE; the file's entries.
Words asked;
const char* dateVariable = nullptr;
std::vector<conkit::ConfigEntry> fileEntries;

/// The check of every option here: the last character an odd digit.
std::string odd(const std::string& value) {
    asked.push_back(value);
    return std::string("13579").find(value.back()) != std::string::npos ? "" : "not odd";
}

/// `t [-d DATE] [--since[=DATE]] [--level=N] [--limit=N] [--depth=N]
/// [--size=N] ID...`, with TOOL_DATE and a configuration file: a default
/// and an implicit value the check refuses, a range and a check, and
/// bounds of one end, replaced and narrowed.
OptionParser tool() {
    OptionParser parser = OptionParser::tool("t", "1", "");
    parser.setEnvironment([](const char*) { return dateVariable; });
    parser.setConfigFile(
        "", "f", [](const std::string&, std::vector<conkit::ConfigEntry>& out, std::string&) {
            out = fileEntries;
            return true;
        });
    parser.addOption('d', "date", true, "soon", "");
    parser.describe("date").check(odd).env("TOOL_DATE");
    parser.addOption('\0', "since", true, "", "");
    parser.describe("since").optionalValue("never").check(odd);
    parser.addOption('\0', "level", true, "", "");
    parser.describe("level").range(1, 5).check(odd);
    parser.addOption('\0', "limit", true, "", "");
    parser.describe("limit").atLeast(5).atLeast(1);
    parser.addOption('\0', "depth", true, "", "");
    parser.describe("depth").atMost(5);
    parser.addOption('\0', "size", true, "", "");
    parser.describe("size").atMost(3).range(1, 10).atLeast(3);
    parser.addOperand("ID", "").repeated().atLeast(1).check(odd);
    return parser;
}

TEST(OwnRulesTest, ChecksAndBounds) {
    using Kind = ParseErrorKind;
    // Each row: the words, TOOL_DATE, the file's entries, what the parse
    // reports and the values the checks were asked about.
    struct Row {
        Words words;
        const char* variable;
        std::vector<conkit::ConfigEntry> entries;
        conkit_test::Expected want;
        Words asked;
    };
    const std::string date = "t: invalid value 'x' for '--date'";
    const std::string form = ": not odd";
    // clang-format off
    const Row rows[] = {
        // Never a default, an implicit value, a value its range refused or a
        // value the command line overrides; each value once, in order.
        {{"--since", "--level=7", "3"}, nullptr, {{"", "date", {"x"}, "f:1"}}, {"t: invalid value '7' for '--level' (expected a number from 1 to 5)", Kind::invalidValue, "--level"}, {}},
        {{"-d2024-01-03", "--level=3", "3"}, "x", {{"", "level", {"x"}, "f:1"}}, {"", Kind::none, ""}, {"2024-01-03", "3", "3"}},
        {{"--level=2", "-dx"}, nullptr, {}, {"t: invalid value '2' for '--level': not odd", Kind::invalidValue, "--level"}, {"2"}},
        {{"--date", "2024-01-03", "--date=x", "0"}, nullptr, {}, {date + form, Kind::invalidValue, "--date"}, {"2024-01-03", "x"}},
        {{"1"}, "x", {}, {date + " from TOOL_DATE" + form, Kind::invalidValue, "--date"}, {"x"}},
        {{"1"}, nullptr, {{"", "since", {"2024-01-03", "x"}, "f:4"}}, {"t: invalid value 'x' for '--since' from f:4" + form, Kind::invalidValue, "--since"}, {"2024-01-03", "x"}},
        {{"--help"}, "x", {}, {"", Kind::none, ""}, {}},
        // Operands in word order.
        {{"3", "4", "0"}, nullptr, {}, {"t: invalid value '4' for ID: not odd", Kind::invalidValue, "ID"}, {"3", "4"}},
        {{"0", "4"}, nullptr, {}, {"t: invalid value '0' for ID (expected a number of at least 1)", Kind::invalidValue, "ID"}, {}},
        // One end, the later call replacing it; with a range, one range.
        {{"--limit=1", "--limit=x", "1"}, nullptr, {}, {"t: invalid value 'x' for '--limit' (expected a number of at least 1)", Kind::invalidValue, "--limit"}, {}},
        {{"--depth=-8", "--depth=6", "1"}, nullptr, {}, {"t: invalid value '6' for '--depth' (expected a number of at most 5)", Kind::invalidValue, "--depth"}, {}},
        {{"--size=2", "1"}, nullptr, {}, {"t: invalid value '2' for '--size' (expected a number from 3 to 10)", Kind::invalidValue, "--size"}, {}},
    };
    // clang-format on
    for (const Row& row : rows) {
        SCOPED_TRACE(testing::PrintToString(row.words));
        dateVariable = row.variable;
        fileEntries = row.entries;
        asked.clear();
        OptionParser parser = tool();
        conkit_test::parseAndCheck(parser, "t", row.words, row.want);
        EXPECT_EQ(asked, row.asked);
    }
}

TEST(OwnRulesTest, TypedOperandsAndUsageErrors) {
    OptionParser vcs = OptionParser::tool("vcs", "1", "");
    OptionParser& add = vcs.addCommand("remote", "").addCommand("add", "");
    add.addOperand("ID", "").repeated();
    std::ostringstream err;
    vcs.setErrorOutput(&err);
    // Before any parse: the command's path, its tool's output, the Try line.
    EXPECT_EQ(add.usageError("{no} remote"), 2);
    EXPECT_EQ(err.str(), "vcs remote add: {no} remote\n"
                         "Try 'vcs remote add --help' for more information.\n");
    EXPECT_EQ(std::make_tuple(add.lastError(), add.errorKind(), add.errorOption()),
              std::make_tuple("vcs remote add: {no} remote", ParseErrorKind::usage, ""));

    // The words an operand took, converted whole; the parse's results stay
    // after a usage error, whose line a successful parse clears.
    ASSERT_TRUE(vcs.parse(Words{"vcs", "remote", "add", "7", "1e1", "70000"}));
    EXPECT_EQ(add.usageError("late"), 2);
    int number = -1;
    double real = -1;
    unsigned short small = 1;
    EXPECT_TRUE(add.getOperand("ID", number) && add.getOperand("ID", real, 1));
    EXPECT_FALSE(add.getOperand("ID", number, 1) || add.getOperand("ID", small, 2) ||
                 add.getOperand("ID", number, 3) || add.getOperand("NAME", number));
    EXPECT_EQ(std::make_tuple(number, real, small), std::make_tuple(7, 10.0, 1));
    EXPECT_EQ(add.lastError(), "vcs remote add: late");
    ASSERT_TRUE(vcs.parse(Words{"vcs", "remote", "add", "1"}));
    EXPECT_EQ(add.lastError(), "");

    // A plain parser writes the line alone, under the latest parse's name.
    OptionParser plain;
    conkit_test::parseWords(plain, {});
    std::ostringstream out;
    plain.setErrorOutput(&out);
    EXPECT_EQ(plain.usageError("too late"), 2);
    EXPECT_EQ(out.str(), "demo: too late\n");
}

} // namespace
