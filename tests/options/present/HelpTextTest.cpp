// Layout of the help, usage and version texts.
#include "ParserHelpers.h"
#include "PresentedTool.h"

namespace {

using conkit::OptionParser;
using conkit_test::demoParser;
using conkit_test::presentedTool;

std::string printed(void (OptionParser::*print)(std::ostream&) const, const OptionParser& parser) {
    std::ostringstream out;
    (parser.*print)(out);
    return out.str();
}

TEST(HelpTextTest, DemoHelp) {
    OptionParser parser = demoParser();
    EXPECT_TRUE(parser.parse(std::vector<std::string>{"/opt/tools/demo"}));
    EXPECT_EQ(printed(&OptionParser::printHelp, parser), R"(demo 1.0
demo
  -h, --help            print help info
  -p, --password        password
  -u, --user            username
  -v, --version         print version info

)");
    EXPECT_EQ(printed(&OptionParser::printVersion, parser), "demo 1.0\n");
    EXPECT_EQ(parser.getVersion(), "demo 1.0");
}

TEST(HelpTextTest, NameColumn) {
    OptionParser parser("usage: %prog [files] %prog", "");
    parser.addOption('a', "abcdefghijklmno", false, "", "23 wide");
    parser.addOption('b', "abcdefghijklmnop", false, "", "24 wide");
    parser.addOption('c', "abcdefghijklmnopqrstuv", false, "", "30 wide");
    parser.addOption('7', "seven", true, "x", "digit");
    parser.addOption('\xE9', "Zed", false, "", "not a letter");
    parser.addOption('d', "", false, "long default", "");
    EXPECT_EQ(parser.helpText(), R"(
usage:  [files] %prog
      --Zed             not a letter
  -a, --abcdefghijklmno 23 wide
  -b, --abcdefghijklmnop 24 wide
  -c, --abcdefghijklmnopqrstuv 30 wide
  -d, --d=long default  . default is long default
      --seven=x         digit. default is x
)");
}

TEST(HelpTextTest, NoOptions) {
    OptionParser parser;
    EXPECT_EQ(parser.helpText(), "\n\n");
    parser.setVersion("tool 2");
    parser.setUsage("plain usage");
    EXPECT_EQ(parser.helpText(), "tool 2\nplain usage\n");
    EXPECT_EQ(parser.usageText(), "plain usage");
}

TEST(HelpTextTest, HelpLine) {
    OptionParser::Option option;
    option.longName = "name";
    EXPECT_EQ(option.helpLine(), "      --name            ");
    option.shortName = 'n';
    option.defaultValue = std::string(30, 'd');
    option.help = "h";
    EXPECT_EQ(option.helpLine(),
              "  -n, --name=" + option.defaultValue + " h. default is " + option.defaultValue);
    option.help.assign(1 << 20, 'h'); // help texts of any length are neither cut nor wrapped
    EXPECT_EQ(option.helpLine(), "  -n, --name=" + option.defaultValue + " " + option.help +
                                     ". default is " + option.defaultValue);
}

/// What the environment holds for COLUMNS in the tests below; nullptr: unset.
const char* columnsVariable = nullptr;

const char* columnsOnly(const char* variable) {
    return std::string(variable) == "COLUMNS" ? columnsVariable : nullptr;
}

TEST(HelpTextTest, GnuLayout) {
    const OptionParser parser = presentedTool();
    const std::string want = R"(Usage: grab [OPTION]... COMMAND [ARG]...

Search each FILE for lines that match PATTERN.
  Reads standard input when there is no FILE.

Options:
  -h, --help                 print help info
  -v, --version              print version info
  -e, --pattern=PATTERN      the pattern to search for [required] [env:
                             GRAB_PATTERN]
  -9, --fast                 trade memory for speed
      --fold-accented-letters
                             )"
                             "fold \xc3\xa9, \xc3\xa8, \xc3\xaa and \xc3\xab to e, \xc3\xa7 to c"
                             R"(
  -x                         match whole lines only
  -m NUM                     stop after NUM matching lines
  -j[N]                      search with N threads

Output:
  -c, --color[=WHEN], --colour[=WHEN]
                             when to color the output [possible values: always,
                             never, auto] [default: auto]
  -q, --[no-]quiet           print nothing, only set the exit status
      --field-separator=TEXT what stands between the file name and the line
                             [default: " "]

Commands:
  index                      build an index of the files first, so that later
                             searches go faster
  list                       list the files that would be searched

Report bugs at <https://example.org/grab/issues>.
)";
    EXPECT_EQ(parser.helpText(), want);
    // Printed as it is, with no empty line after it.
    EXPECT_EQ(printed(&OptionParser::printHelp, parser), want);
}

TEST(HelpTextTest, GnuLayoutWrapsToColumns) {
    // COLUMNS=40 leaves 11 columns for the help: words wrap at blanks, a word
    // longer than that keeps a line of its own, and tags wrap like words.
    OptionParser parser;
    parser.setSyntax(conkit::Syntax::gnu);
    parser.setHelpWidth(0);
    columnsVariable = "40";
    parser.setEnvironment(columnsOnly);
    parser.addOption('l', "link", true, "a b", "see https://example.org/manual for more");
    EXPECT_EQ(parser.helpText(), R"(Usage:  [OPTION]...

Options:
  -l, --link=LINK            see
                             https://example.org/manual
                             for more
                             [default: a
                             b]
)");
}

TEST(HelpTextTest, GnuLayoutCountsDisplayColumns) {
    // Wide characters take two columns, combining marks none, a stray byte
    // one: entries are padded and help wrapped by what a terminal shows.
    OptionParser parser;
    parser.setSyntax(conkit::Syntax::gnu);
    parser.setHelpWidth(40);
    parser.addOption('n', "name", true, "",
                     "\xe6\x97\xa5\xe6\x9c\xac \xe6\x97\xa5\xe6\x9c\xac "
                     "\xe6\x97\xa5\xe6\x9c\xac");
    parser.describe("name").valueName("\xe5\x90\x8d\xe5\x89\x8d");
    parser.addOption('e', "e\xcc\x81\xff", false, "", "x");
    EXPECT_EQ(parser.helpText(), "Usage:  [OPTION]...\n\nOptions:\n"
                                 "  -n, --name=\xe5\x90\x8d\xe5\x89\x8d            "
                                 "\xe6\x97\xa5\xe6\x9c\xac \xe6\x97\xa5\xe6\x9c\xac\n"
                                 "                             \xe6\x97\xa5\xe6\x9c\xac\n"
                                 "  -e, --e\xcc\x81\xff                   x\n");
}

TEST(HelpTextTest, GnuWidthFromColumns) {
    // COLUMNS counts when it is a whole number from 40 to 500.
    const struct {
        const char* columns;
        std::size_t width;
    } rows[] = {{"40", 40}, {"500", 500}, {"39", 80}, {"60x", 80}, {nullptr, 80}};
    OptionParser parser = presentedTool();
    for (const auto& row : rows) {
        SCOPED_TRACE(row.columns != nullptr ? row.columns : "unset");
        columnsVariable = row.columns;
        parser.setEnvironment(columnsOnly);
        parser.setHelpWidth(row.width);
        const std::string want = parser.helpText();
        parser.setHelpWidth(0);
        EXPECT_EQ(parser.helpText(), want);
    }
    parser.setEnvironment(nullptr);
    const std::string unread = parser.helpText();
    parser.setHelpWidth(80);
    EXPECT_EQ(unread, parser.helpText());
}

TEST(HelpTextTest, GnuUsageAndParagraphs) {
    // Blocks with nothing to show are left out, paragraphs keep their inner
    // lines and lose trailing blanks and the empty lines around them.
    OptionParser parser;
    parser.setSyntax(conkit::Syntax::gnu);
    parser.addOption('\0', "trace", false, "", "");
    parser.describe("trace").hidden();
    parser.setDescription(" \n\nFirst line.   \n\n  indented\t\n\n");
    parser.setFooter(" \n \n");
    EXPECT_EQ(parser.helpText(), "Usage:  [OPTION]...\n\nFirst line.\n\n  indented\n");
    parser.setUsage("%prog [FILE]...  \n   or: %prog --list\n");
    parser.addOption('l', "list", false, "", "");
    parser.setDescription("");
    OptionParser& index = parser.addCommand("index", "");
    EXPECT_TRUE(parser.parse(std::vector<std::string>{"bin/tool", "index"}));
    EXPECT_EQ(
        parser.helpText(),
        "tool [FILE]...\n   or: %prog --list\n\nOptions:\n  -l, --list\n\nCommands:\n  index\n");
    EXPECT_EQ(index.helpText(), "Usage: tool index [OPTION]...\n");
}

TEST(HelpTextTest, GnuToolParagraphs) {
    // A tool wraps its description, footer and command help at the width; a
    // line end starts a new line, and a line that begins with a blank is kept
    // as written (from column 30 in a command's help).
    OptionParser tool = OptionParser::tool(
        "pile", "1.0",
        "Stack the files of each DIRECTORY into one archive, newest first.\n"
        "  pile -r DIR    kept as written, however far it runs past the width\n\n"
        "A last paragraph.");
    tool.setFooter("Report bugs at <https://example.org/pile/a-very-long-address-for-bugs>.");
    tool.addCommand("push", "put the files of each DIRECTORY on the pile\n"
                            "   -r   kept, its blanks too\n"
                            "and on");
    tool.addCommand("a-very-long-command-name", "kept:\n  first");
    tool.setHelpWidth(45);
    EXPECT_EQ(tool.helpText(), R"(Usage: pile [OPTION]... COMMAND [ARG]...

Stack the files of each DIRECTORY into one
archive, newest first.
  pile -r DIR    kept as written, however far it runs past the width

A last paragraph.

Options:
  -h, --help                 print this help
                             and exit
  -V, --version              print the
                             version and exit

Commands:
  push                       put the files of
                             each DIRECTORY
                             on the pile
                                -r   kept, its blanks too
                             and on
  a-very-long-command-name   kept:
                               first

Report bugs at
<https://example.org/pile/a-very-long-address-for-bugs>.
)");
}

} // namespace
