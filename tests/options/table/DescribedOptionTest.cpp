// Options described further: optional values, choices and ranges, aliases,
// negation, environment fallbacks, required and exclusive options.
#include "ParserHelpers.h"

#include <map>

namespace {

using conkit::OptionParser;
using conkit::ParseErrorKind;
using conkit::ValueSource;
using Words = std::vector<std::string>;
using Environment = std::map<std::string, std::string>;

/// The environment the parsers of this file read.
const Environment* currentEnvironment = nullptr;

const char* testEnvironment(const char* variable) {
    const auto it = currentEnvironment->find(variable);
    return it != currentEnvironment->end() ? it->second.c_str() : nullptr;
}

/// A gnu tool: --color[=WHEN] (also --colour, from TOOL_COLOR), --count N in
/// 1..10, --scale X in 0.5..2, a negatable --quiet (from TOOL_QUIET) that
/// excludes --verbose, and a hidden --debug and --completion=SHELL.
OptionParser tool() {
    OptionParser parser;
    parser.setSyntax(conkit::Syntax::gnu);
    parser.setEnvironment(testEnvironment);
    parser.addHelpOption();
    parser.addOption('c', "color", true, "auto", "when to color");
    parser.describe("color")
        .optionalValue("always")
        .choices({"always", "never", "auto"})
        .alias("colour")
        .env("TOOL_COLOR");
    parser.addOption('n', "count", true, "", "how many");
    parser.describe("count").range(1, 10).valueName("N");
    parser.addOption('\0', "scale", true, "", "how large");
    parser.describe("scale").realRange(0.5, 2);
    parser.addOption('q', "quiet", false, "", "say less");
    parser.describe("q").negatable().env("TOOL_QUIET");
    parser.addOption('\0', "verbose", false, "", "say more");
    parser.addOption('\0', "debug", false, "", "");
    parser.describe("debug").hidden();
    parser.addOption('\0', "completion", true, "", "");
    parser.describe("completion").hidden();
    parser.exclusive({"quiet", "verbose"});
    return parser;
}

TEST(DescribedOptionTest, EveryRuleOnce) {
    using Kind = ParseErrorKind;
    const ValueSource none = ValueSource::none;
    const ValueSource line = ValueSource::commandLine;
    const ValueSource env = ValueSource::environment;
    const ValueSource byDefault = ValueSource::defaultValue;
    // Parses that succeed: the words, the environment, then what the
    // queries answer of --color and of --quiet.
    struct Accepted {
        Words words;
        Environment environment;
        std::string color;
        ValueSource colorSource;
        Words colorValues;
        bool quiet;
        ValueSource quietSource;
    };
    // clang-format off
    const Accepted accepted[] = {
        // Optional values: attached only, else the implicit value.
        {{"--color", "file"}, {}, "always", line, {"always"}, false, none},
        {{"-cnever", "--colour=auto"}, {}, "auto", line, {"never", "auto"}, false, none},
        {{"--colo"}, {}, "always", line, {"always"}, false, none}, // one option's names
        // Environment fallbacks, read only when the command line is silent.
        {{}, {{"TOOL_COLOR", "never"}, {"TOOL_QUIET", "Yes"}}, "never", env, {"never"}, true, env},
        {{"-c", "--no-quiet"}, {{"TOOL_COLOR", "never"}, {"TOOL_QUIET", "1"}}, "always", line,
         {"always"}, false, line},
        {{}, {{"TOOL_QUIET", "off"}, {"TOOL_COLOR", ""}}, "auto", byDefault, {}, false, env},
        // Negation undoes earlier namings; a later one counts again.
        {{"-q", "--no-q", "-q"}, {}, "auto", byDefault, {}, true, line},
        // Hidden options are named by their whole names only.
        {{"--completion=bash", "--debug"}, {}, "auto", byDefault, {}, false, none},
        // A bad value never blocks help; a good one is still read.
        {{"--help"}, {{"TOOL_COLOR", "sometimes"}, {"TOOL_QUIET", "on"}}, "auto", byDefault, {}, true, env},
    };
    // Parses that fail: each error line once.
    struct Refused {
        Words words;
        Environment environment;
        conkit_test::Expected want;
    };
    const Refused refused[] = {
        {{"--color=alwys"}, {}, {"t: invalid value 'alwys' for '--color' (choose from always, never, auto) (did you mean 'always'?)", Kind::invalidValue, "--color"}},
        {{"--colour=x"}, {}, {"t: invalid value 'x' for '--color' (choose from always, never, auto)", Kind::invalidValue, "--colour"}},
        {{"-n", "11"}, {}, {"t: invalid value '11' for '--count' (expected a number from 1 to 10)", Kind::invalidValue, "-n"}},
        {{"--sc=2.5"}, {}, {"t: invalid value '2.5' for '--scale' (expected a number from 0.5 to 2)", Kind::invalidValue, "--sc"}},
        {{}, {{"TOOL_COLOR", "sometimes"}}, {"t: invalid value 'sometimes' for '--color' from TOOL_COLOR (choose from always, never, auto)", Kind::invalidValue, "--color"}},
        {{}, {{"TOOL_QUIET", "maybe"}}, {"t: invalid value 'maybe' for '--quiet' from TOOL_QUIET (expected 1, true, yes, on, 0, false, no or off)", Kind::invalidValue, "--quiet"}},
        {{"-q", "--verb"}, {}, {"t: options '--quiet' and '--verbose' cannot be used together", Kind::conflictingOptions, "--verb"}},
        {{"--co"}, {}, {"t: option '--co' is ambiguous: --color, --colour, --count", Kind::ambiguousOption, "--co"}},
        // A hidden option takes no part in prefixes or suggestions; a word
        // close to several names of one option suggests its long name.
        {{"--comp=bash"}, {}, {"t: unknown option '--comp'", Kind::unknownOption, "--comp"}},
        {{"--debgu"}, {}, {"t: unknown option '--debgu'", Kind::unknownOption, "--debgu"}},
        {{"--colr"}, {}, {"t: unknown option '--colr' (did you mean '--color'?)", Kind::unknownOption, "--colr"}},
        {{"--no-quiet=1"}, {}, {"t: option '--no-quiet' takes no value", Kind::unexpectedArgument, "--no-quiet"}},
        // An option with a value has no "--no-" form.
        {{"--no-color"}, {}, {"t: unknown option '--no-color'", Kind::unknownOption, "--no-color"}},
        {{"--no-quite"}, {}, {"t: unknown option '--no-quite' (did you mean '--no-quiet'?)", Kind::unknownOption, "--no-quite"}},
    };
    // clang-format on
    for (const Accepted& row : accepted) {
        SCOPED_TRACE(testing::PrintToString(row.words));
        currentEnvironment = &row.environment;
        OptionParser parser = tool();
        conkit_test::parseAndCheck(parser, "bin/t", row.words, {"", Kind::none, ""});
        EXPECT_EQ(parser.value("colour"), row.color);
        EXPECT_EQ(parser.source("color"), row.colorSource);
        EXPECT_EQ(parser.values("c"), row.colorValues);
        EXPECT_EQ(parser.isSet("quiet"), row.quiet);
        EXPECT_EQ(parser.source("quiet"), row.quietSource);
        EXPECT_EQ(parser.count("quiet"), row.quiet && row.quietSource == line ? 1U : 0U);
    }
    for (const Refused& row : refused) {
        SCOPED_TRACE(testing::PrintToString(row.words));
        currentEnvironment = &row.environment;
        OptionParser parser = tool();
        conkit_test::parseAndCheck(parser, "bin/t", row.words, row.want);
    }
    currentEnvironment = nullptr;
}

TEST(DescribedOptionTest, ClassicSyntaxAndRequiredOptions) {
    // The classic syntax checks values and reads aliases and the environment
    // too; an optional value is an ordinary one there.
    const Environment environment{{"TOOL_COLOR", "never"}};
    currentEnvironment = &environment;
    OptionParser parser = tool();
    parser.setSyntax(conkit::Syntax::classic);
    parser.addOption('f', "file", true, "", "");
    parser.describe("file").required();
    EXPECT_TRUE(conkit_test::parseWords(parser, {"/colour", "auto", "-f", "x"}).ok);
    EXPECT_EQ(parser.value("color"), "auto");
    int count = 0;
    EXPECT_FALSE(parser.getValue("count", count));
    EXPECT_EQ(conkit_test::parseWords(parser, {"-f", "x", "--count", "0"}).printed,
              "demo: invalid value '0' for '--count' (expected a number from 1 to 10)\n");
    EXPECT_EQ(conkit_test::parseWords(parser, {}).printed, "demo: option '--file' is required\n");
    EXPECT_EQ(parser.errorKind(), ParseErrorKind::missingOption);
    EXPECT_EQ(parser.errorOption(), "--file");
    EXPECT_TRUE(conkit_test::parseWords(parser, {"-h"}).ok); // help needs no file
    EXPECT_EQ(parser.value("color"), "never");               // from the environment
    std::string color;
    EXPECT_TRUE(parser.getValue("color", color));
    EXPECT_EQ(color, "never");
    EXPECT_TRUE(conkit_test::parseWords(parser, {"-f", "x", "-n", "7"}).ok);
    EXPECT_TRUE(parser.getValue("count", count));
    EXPECT_EQ(count, 7);
    currentEnvironment = nullptr;
}

TEST(DescribedOptionTest, DescribingAndAliasesThatDoNotTakeEffect) {
    const Environment environment;
    currentEnvironment = &environment;
    OptionParser parser = tool();
    parser.describe("nosuch").required(); // a scratch option: nothing changes
    EXPECT_TRUE(conkit_test::parseWords(parser, {}).ok);
    EXPECT_EQ(parser.findOption("nosuch"), nullptr);
    parser.describe("count").alias("color").alias("colour").alias("total");
    EXPECT_EQ(parser.findOption("colour")->longName, "color");
    EXPECT_EQ(parser.findOption("total")->longName, "count");
    EXPECT_FALSE(parser.addOption('\0', "total", false, "", "")); // taken by an alias
    EXPECT_TRUE(conkit_test::parseWords(parser, {"--tot=3", "--debug"}).ok);
    EXPECT_EQ(parser.value("count"), "3");
    EXPECT_TRUE(parser.isSet("debug")); // hidden, still parsed
    currentEnvironment = nullptr;
}

} // namespace
