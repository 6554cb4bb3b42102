// Deprecated options, aliases and commands: they still work, warn once per
// name and parse, and are named by their whole names only.
#include "ParserHelpers.h"

namespace {

using conkit::OptionParser;
using Words = std::vector<std::string>;

const char* const colourWarning = "vcs: warning: option '--colour' is deprecated; use '--color'";
const char* const verboseWarning =
    "vcs: warning: option '--verbose' is deprecated; use '--log-level=debug'";
const char* const rmWarning = "vcs: warning: command 'rm' is deprecated; use 'remove'";

/// `vcs`, a tool whose --color was --colour, whose --verbose gave way to
/// --log-level, and whose command rm was renamed remove.
OptionParser vcs() {
    static const char* (*const environment)(const char*) = [](const char* name) -> const char* {
        return std::string(name) == "VCS_VERBOSE" ? "1" : nullptr;
    };
    OptionParser tool = OptionParser::tool("vcs", "1.0", "");
    tool.addOption('c', "color", true, "", "when to colour");
    tool.describe("color").deprecatedAlias("colour");
    tool.addOption('v', "verbose", false, "", "say more");
    tool.describe("verbose").deprecated("use '--log-level=debug'").negatable().env("VCS_VERBOSE");
    tool.addOption('\0', "log-level", true, "", "how much to say");
    tool.addCommand("rm", "remove files").setDeprecated("use 'remove'");
    tool.addCommand("remove", "remove files").addOption('f', "force", false, "", "");
    tool.setEnvironment(environment);
    return tool;
}

TEST(DeprecatedTest, WarnsOncePerNameBeforeTheError) {
    const struct {
        Words words;
        std::vector<std::string> warnings; // of the parse, in order
        std::string error;                 // the error line, "" for a success
    } rows[] = {
        // clang-format off
        {{"--colour=never", "-v"}, {colourWarning, verboseWarning}, ""},
        {{"-vv", "--verbose", "--no-verbose", "--colour", "x", "--colour=y"}, {verboseWarning, colourWarning}, ""},
        {{"--color=x", "--log-level=1"}, {}, ""}, // and the environment gives --verbose
        {{"rm", "x"}, {rmWarning}, ""},
        {{"--colour=x", "remove", "--bogus"}, {colourWarning}, "vcs remove: unknown option '--bogus'"},
        {{"--verbose", "--colour"}, {verboseWarning, colourWarning}, "vcs: option '--colour' needs a value"},
        {{"--bogus", "--verbose"}, {}, "vcs: unknown option '--bogus'"},
        // Whole names only: no abbreviation, and no suggestion of them.
        {{"--colou=x"}, {}, "vcs: unknown option '--colou' (did you mean '--color'?)"},
        {{"--verb"}, {}, "vcs: unknown option '--verb'"},
        {{"r"}, {}, "vcs: unknown command 'r'"},
        // Nothing is written when the tool answers instead.
        {{"--verbose", "--help"}, {}, ""},
        {{"--colour=x", "--version"}, {}, ""},
        // clang-format on
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(testing::PrintToString(row.words));
        OptionParser tool = vcs();
        const conkit_test::Outcome outcome = conkit_test::parseWords(tool, row.words);
        EXPECT_EQ(outcome.ok, row.error.empty());
        EXPECT_EQ(tool.warnings(), row.warnings);
        std::string printed;
        for (const std::string& line : row.warnings) {
            printed += line + "\n";
        }
        if (!row.error.empty()) {
            printed += row.error + "\n";
        }
        EXPECT_EQ(outcome.printed, printed);
    }
}

TEST(DeprecatedTest, ClassicSyntaxWarnsToo) {
    OptionParser parser;
    parser.addOption('c', "color", true, "", "");
    parser.describe("color").deprecatedAlias("colour");
    parser.addOption('v', "verbose", false, "", "");
    parser.describe("verbose").deprecated("say less");
    const conkit_test::Outcome outcome =
        conkit_test::parseWords(parser, {"/colour=x", "-colour", "y", "-v", "--verbose"});
    EXPECT_TRUE(outcome.ok);
    EXPECT_EQ(outcome.printed, "demo: warning: option '--colour' is deprecated; use '--color'\n"
                               "demo: warning: option '--verbose' is deprecated; say less\n");
    EXPECT_EQ(parser.value("color"), "y");
}

} // namespace
