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
    // The option's own field may be the one that receives its value.
    std::string& own = parser.findOption("user")->value;
    EXPECT_TRUE(parser.getValue("user", own));
    EXPECT_EQ(own, "bob");
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

namespace {

TEST(QueryTest, StructuredResultsInTheClassicSyntax) {
    OptionParser parser = demoParser();
    parser.addOption('n', "number", true, "7", "");
    parseWords(parser, {"--user=a", "b", "-u", "c", "-p", "-p", "x"});
    EXPECT_EQ(parser.count("user"), 2U);
    EXPECT_EQ(parser.values("u"), (std::vector<std::string>{"a", "b", "c"}));
    EXPECT_EQ(parser.value("user"), "c");
    EXPECT_EQ(parser.count("password"), 2U);
    EXPECT_EQ(parser.values("password"), (std::vector<std::string>{"x"})); // the word after it
    EXPECT_EQ(parser.value("number"), "7");                                // not named: its default
    EXPECT_EQ(parser.value("nosuch"), "");
    EXPECT_EQ(parser.count("nosuch"), 0U);
    EXPECT_EQ(parser.errorKind(), conkit::ParseErrorKind::none);
    EXPECT_EQ(parser.errorOption(), "");

    // A later parse shows nothing of this one, though `value` fields stay.
    parseWords(parser, {"-h"});
    EXPECT_EQ(parser.value("user"), "");
    EXPECT_EQ(parser.findOption("user")->value, "c");
    EXPECT_EQ(parser.count("user"), 0U);

    const std::pair<std::vector<std::string>, std::pair<conkit::ParseErrorKind, const char*>>
        failures[] = {
            {{"--nosuch=1"}, {conkit::ParseErrorKind::unknownOption, "--nosuch"}},
            {{"/tmp/x"}, {conkit::ParseErrorKind::unknownOption, "/tmp/x"}},
            {{"x", "/u", "-h"}, {conkit::ParseErrorKind::missingArgument, "/u"}},
            {{"--user"}, {conkit::ParseErrorKind::missingArgument, "--user"}},
        };
    for (const auto& [words, error] : failures) {
        SCOPED_TRACE(testing::PrintToString(words));
        EXPECT_FALSE(parseWords(parser, words).ok);
        EXPECT_EQ(parser.errorKind(), error.first);
        EXPECT_EQ(parser.errorOption(), error.second);
    }
}

TEST(QueryTest, TypedValues) {
    OptionParser parser = demoParser();
    parser.addOption('n', "number", true, "", "");
    int number = 5;
    EXPECT_FALSE(parser.getValue("number", number)); // not named
    parseWords(parser, {"-n", " -42", "-u", "4294967295"});
    EXPECT_TRUE(parser.getValue("number", number));
    EXPECT_EQ(number, -42);
    unsigned positive = 1;
    EXPECT_FALSE(parser.getValue("n", positive)); // does not fit
    EXPECT_EQ(positive, 1U);
    EXPECT_TRUE(parser.getValue("user", positive));
    EXPECT_EQ(positive, 4294967295U);
    long long wide = 0;
    EXPECT_TRUE(parser.getValue("user", wide));
    EXPECT_EQ(wide, 4294967295LL);
    short narrow = 3;
    EXPECT_FALSE(parser.getValue("user", narrow));
    double real = 0;
    EXPECT_TRUE(parser.getValue("n", real));
    EXPECT_EQ(real, -42.0);
    parseWords(parser, {"-n", "4x"});
    EXPECT_FALSE(parser.getValue("n", number));
    EXPECT_EQ(number, -42);

    // The typed form converts what value() answers: the latest parse's value
    // or the default, never the value an earlier parse left in the record.
    parser.addOption('\0', "num", true, 5, "");
    parseWords(parser, {"--num", "7"});
    parseWords(parser, {"--num"});
    std::string text;
    EXPECT_TRUE(parser.getValue("num", text));
    EXPECT_EQ(text, "7");
    EXPECT_EQ(parser.value("num"), "5");
    EXPECT_TRUE(parser.getValue("num", number));
    EXPECT_EQ(number, 5);
}

} // namespace
