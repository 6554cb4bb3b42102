// Layout of the help, usage and version texts.
#include "ParserHelpers.h"

namespace {

using conkit::OptionParser;
using conkit_test::demoParser;

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

TEST(HelpTextTest, ShortFormsOfTheGnuSyntax) {
    // Every short name a gnu bundle accepts is listed, and a short name alone
    // gets no long form.
    OptionParser parser("%prog", "");
    parser.setSyntax(conkit::Syntax::gnu);
    parser.addOption('7', "seven", false, "", "digit");
    parser.addOption('b', "", false, "", "short only");
    parser.addOption('\xE9', "high", false, "", "not typed as a short form");
    EXPECT_EQ(parser.helpText(), R"(

  -b                    short only
      --high            not typed as a short form
  -7, --seven           digit
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

} // namespace
