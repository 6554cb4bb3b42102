// Sub-commands: dispatch, nesting, their errors and what the parent reports.
#include "ParserHelpers.h"

namespace {

using conkit::OptionParser;
using conkit::ParseErrorKind;
using Words = std::vector<std::string>;

/// `vcs [-v] COMMAND`: "commit -m TEXT" and "remote [add NAME URL]", the
/// commands being required at the top.
OptionParser vcs() {
    OptionParser parser;
    parser.setSyntax(conkit::Syntax::gnu);
    parser.addHelpOption();
    parser.addOption('v', "verbose", false, "", "say more");
    parser.setCommandRequired(true);
    OptionParser& commit = parser.addCommand("commit", "record changes");
    commit.addHelpOption();
    commit.addOption('m', "message", true, "", "the message");
    commit.describe("message").required();
    OptionParser& remote = parser.addCommand("remote", "manage remotes");
    remote.addOption('v', "verbose", false, "", "");
    remote.addCommand("add", "add a remote").addOption('f', "fetch", false, "", "");
    return parser;
}

TEST(CommandTest, Dispatch) {
    using Kind = ParseErrorKind;
    struct Row {
        Words words;
        conkit_test::Expected want;
        std::string command;
    };
    // clang-format off
    const Row rows[] = {
        {{"-v", "commit", "-m", "fix", "-v"}, {"vcs commit: unknown option '-v'", Kind::unknownOption, "-v"}, "commit"},
        {{"-v", "commit", "-mfix"}, {"", Kind::none, ""}, "commit"},
        {{"remote", "add", "-f", "origin", "url"}, {"", Kind::none, ""}, "remote"},
        {{"comit"}, {"vcs: unknown command 'comit' (did you mean 'commit'?)", Kind::unknownCommand, "comit"}, ""},
        {{"-v"}, {"vcs: missing command", Kind::missingCommand, ""}, ""},
        {{"-h"}, {"", Kind::none, ""}, ""},                 // help needs no command
        {{"commit", "-h"}, {"", Kind::none, ""}, "commit"}, // nor a message
        {{"-h", "commit"}, {"", Kind::none, ""}, "commit"}, // asked for before it, too
        {{"commit"}, {"vcs commit: option '--message' is required", Kind::missingOption, "--message"}, "commit"},
        {{"remote", "ad"}, {"vcs remote: unknown command 'ad' (did you mean 'add'?)", Kind::unknownCommand, "ad"}, "remote"},
    };
    // clang-format on
    for (const Row& row : rows) {
        SCOPED_TRACE(testing::PrintToString(row.words));
        OptionParser parser = vcs();
        conkit_test::parseAndCheck(parser, "/usr/bin/vcs", row.words, row.want);
        EXPECT_EQ(parser.command(), row.command);
        EXPECT_EQ(parser.argCount(), 0U); // the command word is no argument
    }
}

TEST(CommandTest, ResultsOfCommandsNestedOnce) {
    OptionParser parser = vcs();
    ASSERT_TRUE(conkit_test::parseWords(parser, {"-v", "remote", "-v", "add", "-f", "o", "u"}).ok);
    const OptionParser* remote = parser.commandParser();
    ASSERT_NE(remote, nullptr);
    EXPECT_TRUE(parser.isSet("verbose"));
    EXPECT_TRUE(remote->isSet("verbose"));
    EXPECT_EQ(remote->command(), "add");
    const OptionParser* add = remote->commandParser();
    ASSERT_NE(add, nullptr);
    EXPECT_TRUE(add->isSet("fetch"));
    EXPECT_EQ(add->argCount(), 2U);
    EXPECT_EQ(add->arg(1), "u");

    // Adding a command again gives the same parser; a later parse that
    // chooses another command leaves nothing of this one.
    EXPECT_EQ(&parser.addCommand("remote", "other help"), remote);
    ASSERT_TRUE(conkit_test::parseWords(parser, {"commit", "-m", "x"}).ok);
    EXPECT_FALSE(remote->isSet("verbose"));
    EXPECT_EQ(remote->commandParser(), nullptr);

    // The classic syntax dispatches at its first positional word too (a word
    // right after an option word is that option's value).
    parser.setSyntax(conkit::Syntax::classic);
    ASSERT_TRUE(conkit_test::parseWords(parser, {"-v", "on", "commit", "/m=x"}).ok);
    EXPECT_EQ(parser.commandParser()->value("message"), "x");
}

} // namespace
