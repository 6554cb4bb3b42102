// Queries on the results of the latest parse.
#include "ParserHelpers.h"

namespace {

using conkit::OptionParser;
using conkit_test::demoParser;
using conkit_test::parseWords;

TEST(QueryTest, BeforeAnyParse) {
    const OptionParser parser = demoParser();
    std::string value = "mine";
    EXPECT_FALSE(parser.isSet('u'));
    EXPECT_FALSE(parser.isSet("user"));
    EXPECT_FALSE(parser.getValue("user", value));
    EXPECT_EQ(value, "mine");
    EXPECT_EQ(parser.argCount(), 0U);
    EXPECT_FALSE(parser.hasArgs());
    EXPECT_EQ(parser.arg(0), "");
}

TEST(QueryTest, HelpByEveryName) {
    OptionParser parser = demoParser();
    parseWords(parser, {"-h"});
    EXPECT_TRUE(parser.isSet('h'));
    EXPECT_TRUE(parser.isSet("h"));
    EXPECT_TRUE(parser.isSet("help"));
    EXPECT_TRUE(parser.helpRequested());
    EXPECT_FALSE(parser.versionRequested());
    parseWords(parser, {"/version"});
    EXPECT_TRUE(parser.versionRequested());
    EXPECT_FALSE(parser.helpRequested());
}

TEST(QueryTest, LongNameWinsOverShortName) {
    OptionParser parser;
    parser.addOption('h', "hat", false, "", "");
    parser.addOption('x', "h", false, "", "");
    parseWords(parser, {"--hat"});
    EXPECT_TRUE(parser.isSet('h'));       // by short name: "hat"
    EXPECT_FALSE(parser.isSet("h"));      // by name: the option called "h"
    EXPECT_FALSE(parser.helpRequested()); // no option is called "help"
}

TEST(QueryTest, SharedNonLetterShortName) {
    OptionParser parser;
    parser.addOption('#', "beta", false, "", "");
    parser.addOption('#', "alpha", false, "", "");
    parseWords(parser, {"--beta"});
    EXPECT_FALSE(parser.isSet('#')); // reports "alpha", which sorts first
    EXPECT_FALSE(parser.isSet("#"));
    EXPECT_TRUE(parser.isSet("beta"));
}

TEST(QueryTest, Values) {
    OptionParser parser = demoParser();
    parseWords(parser, {"a", "b", "--user=bob"});
    std::string value;
    EXPECT_TRUE(parser.getValue("u", value));
    EXPECT_EQ(value, "bob");
    EXPECT_FALSE(parser.getValue("nosuch", value));
    EXPECT_EQ(value, "bob");
    EXPECT_EQ(parser.argCount(), 2U);
    EXPECT_TRUE(parser.hasArgs());
    EXPECT_EQ(parser.arg(1), "b");
    EXPECT_EQ(parser.arg(2), "");

    // Named without a value: the value left by the earlier parse.
    parseWords(parser, {"-p", "--user="});
    parseWords(parser, {"-u", "x"});
    parseWords(parser, {"-p"});
    EXPECT_FALSE(parser.getValue("user", value));
    value.clear();
    EXPECT_TRUE(parser.getValue("password", value));
    EXPECT_EQ(value, "");
    EXPECT_EQ(parser.argCount(), 0U);
}

} // namespace
