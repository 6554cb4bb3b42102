// Option definition, clashes, lookup and the reset between parses.
#include "ParserHelpers.h"
#include "options/text/ShortText.h"

#include <gmock/gmock.h>

#include <utility>

namespace {

using conkit::OptionParser;
using conkit_test::demoParser;
using conkit_test::parseWords;

std::vector<std::string> keys(const OptionParser& parser) {
    // The help text lists options in table order; the long name follows "--".
    std::vector<std::string> names;
    std::istringstream lines(parser.helpText());
    std::string line;
    while (std::getline(lines, line)) {
        const auto at = line.find("--");
        if (at != std::string::npos) {
            names.push_back(line.substr(at + 2, line.find(' ', at) - at - 2));
        }
    }
    return names;
}

TEST(OptionTableTest, DefinitionAndClashes) {
    OptionParser parser;
    EXPECT_TRUE(parser.addOption('u', "", true, "", "user"));
    ASSERT_NE(parser.findOption("u"), nullptr);
    EXPECT_EQ(parser.findOption("u")->longName, "u");
    EXPECT_FALSE(parser.addOption('x', "u", false, "", ""));    // same long name
    EXPECT_FALSE(parser.addOption('u', "user", false, "", "")); // same letter
    EXPECT_FALSE(parser.addOption('1', "", false, "", ""));     // no letter, no name
    EXPECT_FALSE(parser.addOption('\xE9', "", false, "", ""));  // high byte is no letter
    EXPECT_TRUE(parser.addOption('1', "one", false, "", ""));
    EXPECT_TRUE(parser.addOption('1', "uno", false, "", ""));   // digits never clash
    EXPECT_EQ(parser.findOption("1")->longName, "one");         // first in key order
    EXPECT_TRUE(parser.addOption('U', "Upper", false, "", "")); // case matters
    EXPECT_THAT(keys(parser), testing::ElementsAre("Upper", "one", "u", "uno"));
}

TEST(OptionTableTest, FailedDefinitionChangesNothing) {
    OptionParser parser;
    ASSERT_TRUE(parser.addOption('a', "alpha", true, "1", "first"));
    EXPECT_FALSE(parser.addOption('b', "alpha", false, "2", "second"));
    const OptionParser::Option* alpha = parser.findOption("alpha");
    EXPECT_EQ(alpha->shortName, 'a');
    EXPECT_EQ(alpha->value, "1");
    EXPECT_EQ(alpha->help, "first");
    EXPECT_EQ(parser.findOption("b"), nullptr);
}

TEST(OptionTableTest, BuiltInOptions) {
    OptionParser parser = demoParser();
    EXPECT_THAT(keys(parser), testing::ElementsAre("help", "password", "user", "version"));
    EXPECT_FALSE(parser.addOption('h', "hello", false, "", ""));
    EXPECT_TRUE(parser.addOption('H', "hello", false, "", ""));
    parser.addHelpOption();
    EXPECT_EQ(keys(parser).size(), 5U);

    OptionParser taken;
    taken.addOption('v', "verbose", false, "", "be chatty");
    taken.addVersionOption(); // 'v' is taken: silently not added
    EXPECT_EQ(taken.findOption("version"), nullptr);
    EXPECT_EQ(taken.findOption("v")->longName, "verbose");
}

struct Celsius {
    int degrees;
};
std::ostream& operator<<(std::ostream& out, const Celsius& c) {
    return out << c.degrees << " C";
}

TEST(OptionTableTest, AnyTypeDefaults) {
    OptionParser parser;
    const char* nullText = nullptr;
    parser.addOption('a', "", false, "", "");
    parser.addOption('b', "", false, 42, "");
    parser.addOption('c', "", false, 2.5, "");
    parser.addOption('d', "", false, true, "");
    parser.addOption('e', "", false, 'x', "");
    parser.addOption('f', "", false, std::string_view("sv"), "");
    parser.addOption('g', "", false, nullText, "");
    parser.addOption('h', "", false, 1.0F / 3, "");
    parser.addOption('i', "", false, 18446744073709551615ULL, "");
    parser.addOption('j', "", false, static_cast<signed char>('s'), "");
    parser.addOption('k', "", false, static_cast<unsigned short>(65535), "");
    parser.addOption('l', "", false, 1e300L, "");
    parser.addOption('m', "", false, Celsius{-5}, "");
    const char* const want[] = {
        "",  "42",    "2.5",    "1",   "x", "sv", "", "0.333333", "18446744073709551615",
        "s", "65535", "1e+300", "-5 C"};
    for (char name = 'a'; name <= 'm'; ++name) {
        SCOPED_TRACE(name);
        const OptionParser::Option* option = parser.findOption(std::string(1, name));
        EXPECT_EQ(option->defaultValue, want[name - 'a']);
        EXPECT_EQ(option->value, option->defaultValue);
    }
}

TEST(OptionTableTest, LookupPrefersLongNames) {
    OptionParser parser;
    parser.addOption('u', "user", true, "", "");
    parser.addOption('x', "u", false, "", "");
    EXPECT_EQ(parser.findOption("u")->longName, "u");
    EXPECT_EQ(parser.findOption("user")->longName, "user");
    EXPECT_EQ(parser.findOption("U"), nullptr);
    EXPECT_EQ(parser.findOption(""), nullptr);
    EXPECT_EQ(parser.findOption("us"), nullptr);
    EXPECT_EQ(parser.findOption(std::string(1, '\0')), nullptr);

    // A non-letter short name is found by lookup; the smallest long name wins,
    // whatever the order of definition.
    parser.addOption('\xFF', "zeta", false, "", "");
    parser.addOption('\xFF', "beta", false, "", "");
    EXPECT_EQ(parser.findOption("\xFF")->longName, "beta");
}

TEST(OptionTableTest, ConflictRules) {
    OptionParser::Option a;
    OptionParser::Option b;
    a.setValue("given");
    EXPECT_TRUE(a.found);
    EXPECT_EQ(a.value, "given");
    a.longName = "one";
    b.longName = "two";
    EXPECT_FALSE(a.conflictsWith(b)); // both short names NUL
    a.shortName = b.shortName = '7';
    EXPECT_FALSE(a.conflictsWith(b));
    a.shortName = b.shortName = 'q';
    EXPECT_TRUE(a.conflictsWith(b));
    b.shortName = 'Q';
    EXPECT_FALSE(a.conflictsWith(b));
    b.longName = "one";
    EXPECT_TRUE(a.conflictsWith(b));

    OptionParser parser;
    parser.addOption('q', "", false, "", "");
    EXPECT_TRUE(parser.hasConflict(a));
    EXPECT_FALSE(parser.hasConflict(b));
}

TEST(OptionTableTest, ResetKeepsValues) {
    OptionParser parser = demoParser();
    parser.parse(std::vector<std::string>{"demo", "x", "--user=bob"});
    parser.reset();
    const OptionParser::Option* user = parser.findOption("user");
    EXPECT_FALSE(user->found);
    EXPECT_EQ(user->value, "bob");
    EXPECT_EQ(parser.argCount(), 0U);
    EXPECT_EQ(parser.usageText(), "");
}

TEST(OptionTableTest, CopiesAndMovesAreIndependent) {
    OptionParser original = demoParser();
    OptionParser copy = original;
    ASSERT_TRUE(copy.addOption('x', "extra", false, "", ""));
    copy.findOption("u")->value = "copied";
    EXPECT_EQ(original.findOption("x"), nullptr);
    EXPECT_EQ(original.findOption("u")->value, "");
    EXPECT_EQ(copy.findOption("u"), copy.findOption("user"));

    original.findOption("p")->found = true; // set by hand, then copied: a parse clears it
    OptionParser second = original;
    EXPECT_TRUE(parseWords(second, {"-u", "x"}).ok);
    EXPECT_FALSE(second.isSet("password"));

    OptionParser moved = std::move(copy);
    EXPECT_EQ(moved.findOption("u")->value, "copied");
    copy = original; // a moved-from parser can be assigned and used again
    EXPECT_EQ(copy.findOption("x"), nullptr);
    EXPECT_TRUE(copy.addOption('x', "extra", false, "", ""));
    EXPECT_TRUE(copy.findOption("u") == copy.findOption("user"));
}

} // namespace

namespace {

TEST(OptionTableTest, RenamesThroughFoundOptions) {
    // Every later call must go by the new names; under ASan this also proves
    // that nothing keeps pointing at the old ones.
    OptionParser parser = demoParser();
    OptionParser::Option* user = parser.findOption("user");
    OptionParser::Option* help = parser.findOption("h");
    user->longName = "account-name-longer-than-any-small-string";
    user->shortName = 'a';
    help->longName = "zhelp";
    user->found = true; // a parse clears flags set by hand as well

    for (int i = 0; i < 100; ++i) { // the pointers survive a growing table
        ASSERT_TRUE(parser.addOption('\0', "extra" + std::to_string(i), false, "", ""));
    }
    EXPECT_EQ(parser.findOption("user"), nullptr);
    EXPECT_EQ(parser.findOption("u"), nullptr);
    EXPECT_EQ(parser.findOption("a"), user);
    EXPECT_EQ(std::as_const(parser).findOption("a"), user); // read-only lookups too
    EXPECT_EQ(parser.findOption(user->longName), user);
    EXPECT_TRUE(parser.addOption('u', "user", false, "", "a new user option"));

    EXPECT_TRUE(parseWords(parser, {"-a", "bob", "--zhelp", "--user"}).ok);
    std::string value;
    EXPECT_TRUE(parser.getValue("a", value));
    EXPECT_EQ(value, "bob");
    EXPECT_TRUE(parser.isSet('a'));
    EXPECT_TRUE(parser.isSet("zhelp"));
    EXPECT_FALSE(parser.isSet("help"));
    EXPECT_EQ(parser.count("user"), 1U); // the new option, not the renamed one
    const std::vector<std::string> names = keys(parser);
    EXPECT_EQ(names.front(), user->longName);
    EXPECT_EQ(names.back(), "zhelp");

    user->shortName = 'h'; // renamed again after the parse; a copy sees it too
    const OptionParser copy = parser;
    EXPECT_EQ(copy.findOption("h")->longName, user->longName);
}

} // namespace

namespace {

TEST(OptionTableTest, LookupsInALargeTableAsTheyGrowAndChange) {
    // A thousand names make the name index grow many times; every name
    // must still find its own option, and a rename or an alias given after
    // the growth must be seen by the parse and by read-only lookups alike.
    OptionParser parser;
    parser.setSyntax(conkit::Syntax::gnu);
    for (int i = 0; i < 1200; ++i) {
        ASSERT_TRUE(parser.addOption('\0', "opt" + std::to_string(i), i % 2 == 0, "", ""));
    }
    for (int i = 0; i < 1200; ++i) {
        const OptionParser::Option* found =
            std::as_const(parser).findOption("opt" + std::to_string(i));
        ASSERT_NE(found, nullptr) << i;
        EXPECT_EQ(found->longName, "opt" + std::to_string(i));
    }
    parser.findOption("opt1199")->longName = "zzz-last";
    parser.describe("opt1133").alias("middle").negatable();
    ASSERT_TRUE(parser.addOption('k', "keep", false, "", ""));
    struct Row {
        std::vector<std::string> words;
        bool ok;
        std::string set; // the option the parse leaves set, if any
    };
    const Row rows[] = {
        {{"--zzz"}, true, "zzz-last"}, {{"--opt1199"}, false, ""},
        {{"--midd"}, true, "opt1133"}, {{"--opt1133", "--no-opt1133"}, true, ""},
        {{"--opt"}, false, ""}, // a prefix of every option
        {{"-k"}, true, "keep"},        {{"--opt1198", "v"}, true, "opt1198"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(testing::PrintToString(row.words));
        EXPECT_EQ(parseWords(parser, row.words).ok, row.ok);
        if (!row.set.empty()) {
            EXPECT_TRUE(parser.isSet(row.set));
        }
    }
    EXPECT_FALSE(parser.isSet("opt1133")); // the last parse cleared it
    EXPECT_EQ(parser.value("opt1198"), "v");
}

TEST(OptionTableTest, ShortTextHelpersAtEveryLength) {
    // The word-at-a-time paths change at 4, 8 and 16 bytes; a difference in
    // any one byte must be seen at every length.
    for (std::size_t n = 0; n <= 40; ++n) {
        std::string a(n, 'x');
        for (std::size_t i = 0; i < n; ++i) {
            a[i] = static_cast<char>('a' + (i * 7) % 26);
        }
        EXPECT_TRUE(conkit::detail::sameText(a, std::string(a)));
        for (std::size_t i = 0; i < n; ++i) {
            std::string b = a;
            b[i] = '\xFF';
            EXPECT_FALSE(conkit::detail::sameText(a, b)) << n << " " << i;
        }
        EXPECT_FALSE(conkit::detail::sameText(a, a + "x"));
    }
}

} // namespace
