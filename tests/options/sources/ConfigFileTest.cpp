// The configuration layer, read through a reader written here: where the file
// is found, precedence, entries for commands, and every line about the file.
#include "ParserHelpers.h"

#include <map>

namespace {

using conkit::ConfigEntry;
using conkit::OptionParser;
using conkit::ValueSource;
using Words = std::vector<std::string>;
using Environment = std::map<std::string, std::string>;

/// A file the reader knows: its entries, or the reader's error.
struct File {
    std::vector<ConfigEntry> entries;
    std::string error;
};
using Files = std::map<std::string, File>;

const Files* currentFiles = nullptr;
const Environment* currentEnvironment = nullptr;
int reads = 0;

bool testReader(const std::string& path, std::vector<ConfigEntry>& out, std::string& error) {
    ++reads;
    const auto it = currentFiles->find(path);
    if (it == currentFiles->end()) {
        error = "cannot read '" + path + "': No such file or directory";
        return false;
    }
    out = it->second.entries;
    error = it->second.error;
    return error.empty();
}

const char* testEnvironment(const char* variable) {
    const auto it = currentEnvironment->find(variable);
    return it != currentEnvironment->end() ? it->second.c_str() : nullptr;
}

/// t: -C/--config FILE (from T_CONFIG, default tool.toml), --color in
/// always/never/auto (alias colour, from T_COLOR), --count in 1..10, --quiet,
/// --tag (deprecated alias label), --name (required); commands remote (--url; its command add with
/// --name) and show (--depth in 1..5).
OptionParser tool(conkit::Syntax syntax) {
    OptionParser parser;
    parser.setSyntax(syntax);
    parser.setEnvironment(testEnvironment);
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addOption('C', "config", true, "", "the configuration file");
    parser.describe("config").env("T_CONFIG");
    parser.setConfigFile("config", "tool.toml", testReader);
    parser.addOption('c', "color", true, "auto", "when to color");
    parser.describe("color").choices({"always", "never", "auto"}).alias("colour").env("T_COLOR");
    parser.addOption('n', "count", true, "", "how many");
    parser.describe("count").range(1, 10);
    parser.addOption('q', "quiet", false, "", "say less");
    parser.addOption('\0', "tag", true, "", "a tag");
    parser.describe("tag").deprecatedAlias("label");
    parser.addOption('\0', "name", true, "", "a name");
    parser.describe("name").required();
    OptionParser& remote = parser.addCommand("remote", "remotes");
    remote.addHelpOption();
    remote.addOption('\0', "url", true, "", "where");
    remote.addCommand("add", "add one").addOption('\0', "name", true, "", "its name");
    OptionParser& show = parser.addCommand("show", "show");
    show.addOption('\0', "depth", true, "1", "how deep");
    show.describe("depth").range(1, 5);
    return parser;
}

ConfigEntry entry(const std::string& command, const std::string& name, Words values, int line,
                  const std::string& file = "tool.toml") {
    return {command, name, std::move(values), file + ":" + std::to_string(line)};
}

TEST(ConfigFileTest, EveryRuleOnce) {
    using Kind = conkit::ParseErrorKind;
    const ValueSource none = ValueSource::none;
    const ValueSource line = ValueSource::commandLine;
    const ValueSource env = ValueSource::environment;
    const ValueSource file = ValueSource::configFile;
    const ValueSource byDefault = ValueSource::defaultValue;
    const ConfigEntry named = entry("", "name", {"n"}, 9);
    const Files good{
        {"tool.toml", {{entry("", "color", {"never"}, 1), named}, ""}},
        {"other.toml", {{entry("", "colour", {"always"}, 2, "other.toml"), named}, ""}}};
    // The words after "t", the files and the environment; the error line,
    // kind and word (a success when the line is empty); then what the
    // queries answer of QUERY ("remote/url": remote's option url).
    struct Row {
        Words words;
        Files files;
        Environment environment;
        conkit_test::Expected want;
        std::string query;
        std::string value;
        ValueSource source;
        Words values;
        bool set;
    };
    const auto with = [&named](std::vector<ConfigEntry> entries) {
        entries.push_back(named);
        return Files{{"tool.toml", {std::move(entries), ""}}};
    };
    const conkit_test::Expected ok{"", Kind::none, ""};
    // clang-format off
    const Row rows[] = {
        // Where the file is: the option, else its variable, else the default (missing: no error).
        {{"--name=n"}, {}, {}, ok, "color", "auto", byDefault, {}, false},
        {{}, good, {}, ok, "color", "never", file, {"never"}, true},
        {{"-C", "other.toml"}, good, {}, ok, "color", "always", file, {"always"}, true},
        {{}, good, {{"T_CONFIG", "other.toml"}}, ok, "colour", "always", file, {"always"}, true},
        // The command line, then the environment, then the file.
        {{"--color=always"}, good, {{"T_COLOR", "auto"}}, ok, "color", "always", line, {"always"}, true},
        {{}, good, {{"T_COLOR", "auto"}}, ok, "color", "auto", env, {"auto"}, true},
        // Lists, switches, required options, commands chosen and not.
        {{}, with({entry("", "tag", {"a", "b"}, 3)}), {}, ok, "tag", "b", file, {"a", "b"}, true},
        {{}, with({entry("", "label", {"a"}, 3)}), {}, ok, "tag", "a", file, {"a"}, true}, // no warning
        {{}, with({entry("", "quiet", {"TRUE"}, 3)}), {}, ok, "quiet", "", file, {}, true},
        {{}, with({entry("", "quiet", {"off"}, 3)}), {}, ok, "quiet", "", file, {}, false},
        {{"remote", "add"}, with({entry("remote", "url", {"u"}, 4), entry("remote add", "name", {"x"}, 6)}), {}, ok, "remote/add/name", "x", file, {"x"}, true},
        {{"remote"}, with({entry("remote", "url", {"u"}, 4), entry("show", "depth", {"99"}, 6)}), {}, ok, "remote/url", "u", file, {"u"}, true},
        // Help and version check nothing and read nothing.
        {{"remote", "--help"}, {}, {{"T_CONFIG", "missing.toml"}}, ok, "color", "auto", byDefault, {}, false},
        {{"-v", "-C", "missing.toml"}, {}, {}, ok, "color", "auto", byDefault, {}, false},
        // Lines about the file.
        {{}, with({entry("", "colr", {"x"}, 2)}), {}, {"t: tool.toml:2: unknown option 'colr' (did you mean 'color'?)", Kind::badConfig, ""}, "color", "auto", byDefault, {}, false},
        {{"--conf=tool.toml"}, with({entry("", "colnt", {"x"}, 2)}), {}, {"t: tool.toml:2: unknown option 'colnt'", Kind::badConfig, "--conf"}, "", "", none, {}, false},
        {{"remote"}, with({entry("remote", "uri", {"u"}, 4)}), {}, {"t: tool.toml:4: unknown option 'uri' (did you mean 'url'?)", Kind::badConfig, ""}, "", "", none, {}, false},
        {{"remote"}, with({entry("show", "dept", {"2"}, 5)}), {}, {"t: tool.toml:5: unknown option 'dept' (did you mean 'depth'?)", Kind::badConfig, ""}, "", "", none, {}, false},
        {{"-Cother.toml"}, with({entry("remot add", "name", {"x"}, 5)}), {}, {"t: cannot read 'other.toml': No such file or directory", Kind::badConfig, "-C"}, "", "", none, {}, false},
        {{}, with({entry("remot add", "name", {"x"}, 5)}), {}, {"t: tool.toml:5: unknown option 'remot' (did you mean 'remote'?)", Kind::badConfig, ""}, "", "", none, {}, false},
        {{}, with({entry("remote ad", "name", {"x"}, 5)}), {}, {"t: tool.toml:5: unknown option 'ad' (did you mean 'add'?)", Kind::badConfig, ""}, "", "", none, {}, false},
        {{}, {{"tool.toml", {{}, "tool.toml:3:7: expected '='"}}}, {{"T_CONFIG", "tool.toml"}}, {"t: tool.toml:3:7: expected '='", Kind::badConfig, "--config"}, "", "", none, {}, false},
        {{}, with({entry("", "count", {"11"}, 2)}), {}, {"t: invalid value '11' for '--count' from tool.toml:2 (expected a number from 1 to 10)", Kind::invalidValue, "--count"}, "", "", none, {}, false},
        {{}, with({entry("", "quiet", {"maybe"}, 2)}), {}, {"t: invalid value 'maybe' for '--quiet' from tool.toml:2 (expected 1, true, yes, on, 0, false, no or off)", Kind::invalidValue, "--quiet"}, "", "", none, {}, false},
        {{"show"}, with({entry("show", "depth", {"x"}, 7)}), {}, {"t: invalid value 'x' for '--depth' from tool.toml:7 (expected a number from 1 to 5)", Kind::invalidValue, "--depth"}, "", "", none, {}, false},
        // Options that ask for an answer, and the file's own option, are not the file's to set.
        {{}, with({entry("", "help", {"true"}, 2)}), {}, {"t: tool.toml:2: option '--help' cannot be set in a configuration file", Kind::badConfig, ""}, "", "", none, {}, false},
        {{"show"}, with({entry("remote", "help", {"true"}, 3)}), {}, {"t: tool.toml:3: option '--help' cannot be set in a configuration file", Kind::badConfig, ""}, "", "", none, {}, false},
        {{"-C", "tool.toml"}, with({entry("", "config", {"x.toml"}, 4)}), {}, {"t: tool.toml:4: option '--config' cannot be set in a configuration file", Kind::badConfig, "-C"}, "", "", none, {}, false},
        // A table that names an option gives it a value no option takes.
        {{}, with({entry("count", "a", {"1"}, 5)}), {}, {"t: tool.toml:5: unsupported value for 'count'", Kind::badConfig, ""}, "", "", none, {}, false},
        // The command's own rules come first, and a file without the required option leaves it missing.
        {{"remote", "--urk"}, with({entry("", "colr", {"x"}, 2)}), {}, {"t remote: unknown option '--urk' (did you mean '--url'?)", Kind::unknownOption, "--urk"}, "", "", none, {}, false},
        {{}, {}, {}, {"t: option '--name' is required", Kind::missingOption, "--name"}, "", "", none, {}, false},
    };
    // clang-format on
    for (const Row& row : rows) {
        SCOPED_TRACE(testing::PrintToString(row.words));
        currentFiles = &row.files;
        currentEnvironment = &row.environment;
        reads = 0;
        OptionParser parser = tool(conkit::Syntax::gnu);
        if (!conkit_test::parseAndCheck(parser, "bin/t", row.words, row.want)) {
            continue;
        }
        const OptionParser* command = parser.commandParser();
        const bool asked = parser.versionRequested() || (command && command->helpRequested());
        EXPECT_EQ(reads, asked ? 0 : 1);
        const OptionParser* at = &parser;
        std::string name = row.query;
        for (std::size_t slash = name.find('/'); slash != std::string::npos;
             slash = name.find('/')) {
            at = at->commandParser();
            name.erase(0, slash + 1);
        }
        ASSERT_NE(at, nullptr);
        EXPECT_EQ(at->value(name), row.value);
        EXPECT_EQ(at->source(name), row.source);
        EXPECT_EQ(at->values(name), row.values);
        EXPECT_EQ(at->isSet(name), row.set);
        EXPECT_EQ(at->count(name), row.source == line ? 1U : 0U);
    }
}

// The classic syntax reads the file too; getValue reads a file value as an
// environment value.
TEST(ConfigFileTest, ClassicSyntaxAndTypedValues) {
    const Files files{
        {"other.toml",
         {{entry("", "count", {"7"}, 1, "other.toml"), entry("", "name", {"n"}, 2, "other.toml"),
           entry("", "nosuch", {}, 3, "other.toml")},
          ""}}};
    const Environment environment;
    currentFiles = &files;
    currentEnvironment = &environment;
    OptionParser parser = tool(conkit::Syntax::classic);
    conkit_test::parseAndCheck(
        parser, "t", {"-config", "other.toml"},
        {"t: other.toml:3: unknown option 'nosuch'", conkit::ParseErrorKind::badConfig, "-config"});
    ASSERT_TRUE(parser.addOption('\0', "nosuch", false, "", ""));
    conkit_test::parseAndCheck(parser, "t", {"-config", "other.toml"}, {"", {}, ""});
    int count = 0;
    EXPECT_TRUE(parser.getValue("count", count));
    EXPECT_EQ(count, 7);
    EXPECT_FALSE(parser.isSet("nosuch")); // an empty list gives nothing
}

} // namespace
