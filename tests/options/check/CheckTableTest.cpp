// Checks of the definitions: the problems checkTable reports, the name list
// and the abbreviations that a new version breaks.
#include "options/OptionParser.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using conkit::OptionParser;
using Lines = std::vector<std::string>;

struct TableRow {
    const char* what;
    void (*define)(OptionParser&);
    Lines lines;
};

TEST(CheckTableTest, EachProblemOnce) {
    // clang-format off
    const TableRow rows[] = {
        {"a sound table", [](OptionParser& p) {
             p.addHelpOption();
             p.addHelpOption(); // the second call finds its own option: no mistake
             p.addOption('c', "color", true, "auto", "");
             p.describe("color").optionalValue("always").choices({"always", "auto"}).alias("colour");
             p.addOption('n', "count", true, "3", "");
             p.describe("count").range(1, 10);
             p.addOption('q', "quiet", false, "", "");
             p.describe("quiet").negatable();
             p.addCommand("build", "").addOption('\0', "jobs", true, "2", "");
         }, {}},
        {"names that no option has, each once", [](OptionParser& p) {
             p.addOption('q', "quiet", false, "", "");
             p.describe("colr").hidden();
             p.describe("colr").hidden();
             p.exclusive({"quiet", "verbos"});
         }, {"'colr': no option had this name when describe or exclusive was given it",
             "'verbos': no option had this name when describe or exclusive was given it"}},
        {"choices and a range on an option without a value", [](OptionParser& p) {
             p.addOption('q', "quiet", false, "", "");
             p.describe("quiet").choices({"yes"}).range(0, 1);
         }, {"--quiet: has choices but takes no value", "--quiet: has a range but takes no value"}},
        {"negatable with a value or an optional one", [](OptionParser& p) {
             p.addOption('o', "out", true, "", "");
             p.describe("out").negatable();
             p.addOption('\0', "color", false, "", "");
             p.describe("color").optionalValue("always").negatable();
         }, {"--out: negatable but takes a value, so there is no --no-out",
             "--color: negatable but takes an optional value, so there is no --no-color"}},
        {"default and implicit values that break the option's own rules", [](OptionParser& p) {
             p.addOption('c', "color", true, "sometimes", "");
             p.describe("color").optionalValue("").choices({"always", "never"});
             p.addOption('n', "count", true, "0", "");
             p.describe("count").range(1, 10);
             p.addOption('\0', "scale", true, "big", "");
             p.describe("scale").realRange(0.5, 2);
         }, {"--color: default 'sometimes' is not one of its choices (always, never)",
             "--color: implicit value '' is not one of its choices (always, never)",
             "--count: default '0' is not a number from 1 to 10",
             "--scale: default 'big' is not a number from 0.5 to 2"}},
        {"a range that accepts nothing, its default not reported again", [](OptionParser& p) {
             p.addOption('n', "count", true, "5", "");
             p.describe("count").range(10, 1);
         }, {"--count: range from 10 to 1 accepts no value"}},
        {"bounds of one end, and checks, which are never run", [](OptionParser& p) {
             p.addOption('n', "count", true, "0", "");
             p.describe("count").atLeast(1).check([](const std::string&) { return std::string("no"); });
             p.addOption('\0', "depth", true, "9", "");
             p.describe("depth").optionalValue("3").atMost(8).atLeast(4);
             p.addOption('\0', "size", true, "", "");
             p.describe("size").atMost(5).atLeast(10);
             p.addOption('q', "quiet", false, "", "");
             p.describe("quiet").atMost(1);
             p.addOperand("N", "").choices({"0", "3"}).atLeast(1);
         }, {"--count: default '0' is not a number of at least 1",
             "--depth: default '9' is not a number from 4 to 8",
             "--depth: implicit value '3' is not a number from 4 to 8",
             "--size: range from 10 to 5 accepts no value",
             "--quiet: has a range but takes no value",
             "N: choice '0' is not a number of at least 1"}},
        {"\"--no-\" forms that a long name or an alias repeats", [](OptionParser& p) {
             p.addOption('q', "quiet", false, "", "");
             p.describe("quiet").negatable();
             p.addOption('\0', "no-quiet", false, "", "");
             p.addOption('v', "verbose", false, "", "");
             p.describe("verbose").negatable();
             p.addOption('\0', "silent", false, "", "");
             p.describe("silent").alias("no-verbose");
         }, {"--quiet: its form --no-quiet is also the long name of --no-quiet, which wins",
             "--verbose: its form --no-verbose is also an alias of --silent, which wins"}},
        {"aliases that are not in effect, and who has their names", [](OptionParser& p) {
             p.addOption('c', "color", true, "", "");
             p.addOption('s', "size", true, "", "");
             p.describe("color").alias("colour").alias("color").alias("size");
             p.addOption('p', "paint", true, "", "");
             p.describe("paint").alias("colour");
         }, {"--color: alias 'color' is not in effect: it is the option's own long name",
             "--color: alias 'size' is not in effect: --size has it as its long name",
             "--paint: alias 'colour' is not in effect: --color has it as an alias"}},
        {"a required option with a default", [](OptionParser& p) {
             p.addOption('u', "user", true, "nobody", "");
             p.describe("user").required();
         }, {"--user: required, so its default 'nobody' is never used"}},
        {"help and version whose names were taken", [](OptionParser& p) {
             p.addOption('h', "host", true, "", "");
             p.addHelpOption();
             p.addOption('\0', "show-version", false, "", "");
             p.describe("show-version").alias("version");
             p.addVersionOption();
         }, {"--help: addHelpOption added nothing: -h or --help was taken by --host",
             "--version: addVersionOption added nothing: -v or --version was taken by --show-version"}},
        {"commands, nested, after the parser's own lines", [](OptionParser& p) {
             OptionParser& build = p.addCommand("build", "");
             build.addCommand("deep", "").addOption('q', "quiet", false, "", "");
             build.describe("deep").hidden();
             build.addCommand("deep", "").describe("quiet").choices({"a"});
             p.describe("x").hidden();
         }, {"'x': no option had this name when describe or exclusive was given it",
             "build: 'deep': no option had this name when describe or exclusive was given it",
             "build: deep: --quiet: has choices but takes no value"}},
    };
    // clang-format on
    for (const TableRow& row : rows) {
        SCOPED_TRACE(row.what);
        OptionParser parser;
        row.define(parser);
        EXPECT_EQ(parser.checkTable(), row.lines);
    }
}

TEST(CheckTableTest, NameList) {
    OptionParser parser;
    parser.addHelpOption();
    parser.addOption('c', "color", true, "", "");
    parser.describe("color").alias("colour").alias("help"); // "help" is taken: not listed
    parser.addOption('q', "quiet", false, "", "");
    parser.describe("quiet").negatable();
    parser.addOption('o', "out", true, "", "");
    parser.describe("out").negatable(); // takes a value: no "--no-out"
    parser.addOption('\0', "debug", false, "", "");
    parser.describe("debug").hidden();
    parser.addOption('x', "", false, "", "");
    parser.addOption('\0', "Width", true, "", "");
    parser.addCommand("build", "").addOption('\0', "jobs", true, "", "");
    parser.addCommand("add", "");
    // Deprecated names still work, but are offered nowhere.
    parser.describe("color").deprecatedAlias("tint");
    parser.addOption('\0', "old", false, "", "");
    parser.describe("old").deprecated("gone").negatable();
    parser.addCommand("rm", "").setDeprecated("use remove");
    EXPECT_EQ(parser.nameList(), R"(--Width
--color --colour
--debug
--help
--no-quiet
--out
--quiet
--x
add
build
)");
    EXPECT_EQ(OptionParser().nameList(), "");
}

/// The earlier version's options but --color: a negatable --quiet, --size N,
/// and the commands add and rm.
void sameAsBefore(OptionParser& p) {
    p.addOption('q', "quiet", false, "", "");
    p.describe("quiet").negatable();
    p.addOption('s', "size", true, "", "");
    p.addCommand("add", "");
    p.addCommand("rm", "");
}

/// --color with its alias --colour, as the earlier version had it.
void colorAsBefore(OptionParser& p) {
    p.addOption('c', "color", true, "", "");
    p.describe("color").alias("colour");
}

const char* const earlier = "--color --colour\n--no-quiet\n--quiet\n--size\nadd\nrm\n";

struct AbbreviationRow {
    const char* what;
    std::string baseline;
    void (*define)(OptionParser&); // after sameAsBefore
    Lines lines;
};

TEST(CheckTableTest, Abbreviations) {
    // clang-format off
    const AbbreviationRow rows[] = {
        {"unchanged, the list saved with carriage returns",
         "--color --colour\r\n--no-quiet\r\n--quiet\r\n--size\r\nadd\r\nrm\r\n", colorAsBefore, {}},
        {"a new option makes an old prefix ambiguous", earlier, [](OptionParser& p) {
             colorAsBefore(p);
             p.addOption('\0', "scale", true, "", "");
         }, {"'--s' named --size, now is ambiguous: --scale, --size"}},
        {"a new option shares a prefix with a \"--no-\" form", earlier, [](OptionParser& p) {
             colorAsBefore(p);
             p.addOption('\0', "notify", false, "", "");
         }, {"'--n' named --no-quiet, now is ambiguous: --no-quiet, --notify",
             "'--no' named --no-quiet, now is ambiguous: --no-quiet, --notify"}},
        {"a new hidden option takes no prefix", earlier, [](OptionParser& p) {
             colorAsBefore(p);
             p.addOption('\0', "scale", true, "", "");
             p.describe("scale").hidden();
         }, {}},
        {"a hidden option in the list of the parser that hides it",
         std::string(earlier) + "--secret\n", [](OptionParser& p) {
             colorAsBefore(p);
             p.addOption('\0', "secret", true, "", "");
             p.describe("secret").hidden();
         }, {}},
        {"a new long name takes the \"--no-\" form of --quiet", earlier, [](OptionParser& p) {
             colorAsBefore(p);
             p.addOption('\0', "no-quiet", false, "", "");
         }, {}},
        {"a renamed option", earlier, [](OptionParser& p) {
             colorAsBefore(p);
             p.findOption("size")->longName = "width";
         }, {"'--s' named --size, now names nothing", "'--si' named --size, now names nothing",
             "'--siz' named --size, now names nothing", "'--size' named --size, now names nothing"}},
        {"aliases added, and a renamed option that keeps its old name as one", earlier,
         [](OptionParser& p) {
             colorAsBefore(p);
             p.describe("color").alias("tint");
             p.findOption("size")->longName = "length";
             p.describe("length").alias("size");
         }, {}},
        {"an alias moved to another option", earlier, [](OptionParser& p) {
             p.addOption('c', "color", true, "", "");
             p.addOption('p', "paint", true, "", "");
             p.describe("paint").alias("colour");
         }, {"'--c' named --color, now is ambiguous: --color, --colour",
             "'--co' named --color, now is ambiguous: --color, --colour",
             "'--col' named --color, now is ambiguous: --color, --colour",
             "'--colo' named --color, now is ambiguous: --color, --colour",
             "'--colou' named --color, now names --paint", "'--colour' named --color, now names --paint"}},
        {"a removed command", std::string(earlier) + "status\n", colorAsBefore,
         {"'status' named the command status, now names nothing"}},
        {"a rename that keeps the old name as a deprecated alias", earlier, [](OptionParser& p) {
             p.addOption('c', "color", true, "", "");
             p.describe("color").alias("colour");
             p.findOption("size")->longName = "width";
             p.describe("width").deprecatedAlias("size");
             p.describe("width").deprecatedAlias("siz"); // no baseline name: "--siz" is one now
         }, {"'--s' named --size, now names nothing", "'--si' named --size, now names nothing"}},
        {"a deprecated option and command keep their whole names", earlier, [](OptionParser& p) {
             colorAsBefore(p);
             p.describe("size").deprecated("use --width");
             p.addCommand("rm", "").setDeprecated("use remove");
         }, {"'--s' named --size, now names nothing", "'--si' named --size, now names nothing",
             "'--siz' named --size, now names nothing"}},
    };
    // clang-format on
    for (const AbbreviationRow& row : rows) {
        SCOPED_TRACE(row.what);
        OptionParser parser;
        sameAsBefore(parser);
        row.define(parser);
        EXPECT_EQ(parser.checkAbbreviations(row.baseline), row.lines);
    }
    OptionParser unchanged;
    colorAsBefore(unchanged);
    sameAsBefore(unchanged);
    EXPECT_EQ(unchanged.nameList(), earlier);
}

} // namespace
