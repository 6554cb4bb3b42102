// The tool preset and parseAndAnswer: what one call answers, on which
// output, with which exit status, for a tool with operands and one with
// commands.
#include "ParserHelpers.h"

#include <optional>
#include <tuple>

namespace {

using conkit::OptionParser;
using Words = std::vector<std::string>;

/// SEARCH_COLOR when `badColor`: a value --color refuses.
bool badColor = false;
const char* environment(const char* variable) {
    return badColor && std::string(variable) == "SEARCH_COLOR" ? "blue" : nullptr;
}

/// `search [-icq] [--color[=WHEN]] PATTERN [FILE]...`, as tool() makes it.
OptionParser search() {
    OptionParser parser = OptionParser::tool("search", "1.0", "Print the lines that hold PATTERN.");
    parser.setEnvironment(environment);
    parser.addOption('i', "ignore-case", false, "", "match either case");
    parser.addOption('c', "count", false, "", "print only a count");
    parser.addOption('q', "quiet", false, "", "print nothing");
    parser.exclusive({"count", "quiet"});
    parser.addOption('\0', "color", true, "never", "mark the matches");
    parser.describe("color")
        .optionalValue("always")
        .choices({"always", "never"})
        .env("SEARCH_COLOR");
    parser.addOperand("PATTERN", "what to look for");
    parser.addOperand("FILE", "").optional().repeated();
    return parser;
}

/// Reads no file: every file is missing.
bool noFile(const std::string& path, std::vector<conkit::ConfigEntry>&, std::string& error) {
    error = "cannot read '" + path + "': No such file or directory";
    return false;
}

/// `vcs [--config FILE] COMMAND`: "add [--msg TEXT] NAME" and "remote add",
/// its commands added after tool().
OptionParser vcs() {
    OptionParser parser = OptionParser::tool("vcs", "2.0", "");
    parser.addOption('r', "repo", true, "", "");
    parser.describe("repo").required();
    parser.addOption('\0', "config", true, "", "");
    parser.setConfigFile("config", "", noFile);
    OptionParser& add = parser.addCommand("add", "add a file");
    add.addOption('m', "msg", true, "", "the message");
    add.describe("msg").required();
    add.addOperand("NAME", "");
    parser.addCommand("remote", "").addCommand("add", "add a remote");
    return parser;
}

struct Answer {
    std::optional<int> status;
    std::string out;
    std::string err;
};

Answer answer(OptionParser& parser, Words words) {
    words.insert(words.begin(), "/usr/bin/ignored");
    std::vector<const char*> argv;
    for (const std::string& word : words) {
        argv.push_back(word.c_str());
    }
    std::ostringstream out;
    std::ostringstream err;
    parser.setErrorOutput(&err);
    const std::optional<int> status =
        parser.parseAndAnswer(static_cast<int>(argv.size()), argv.data(), out);
    return {status, out.str(), err.str()};
}

/// Checks `got` against `want`, whose `out` is the start of what was printed.
void expectAnswer(const Answer& got, const Answer& want) {
    EXPECT_EQ(got.status, want.status);
    EXPECT_EQ(got.out.substr(0, want.out.size()), want.out);
    EXPECT_EQ(got.out.empty(), want.out.empty());
    EXPECT_EQ(got.err, want.err);
}

TEST(ToolTest, PresetAndAnswers) {
    OptionParser shown = search();
    shown.setEnvironment(nullptr);
    const std::string bash = shown.bashCompletion("search");
    const std::string page = shown.manPage("search");
    struct Row {
        bool badColor;
        Words words;
        std::optional<int> status;
        std::string out; // the start of it
        std::string err;
    };
    const std::string tryHelp = "Try 'search --help' for more information.\n";
    // clang-format off
    const Row rows[] = {
        {false, {"pat", "a"}, std::nullopt, "", ""},
        {false, {"--version"}, 0, "search 1.0\n", ""},
        {false, {"-V", "-h"}, 0, "Usage: search [OPTION]... PATTERN [FILE]...\n\nPrint the lines", ""},
        {false, {}, 2, "", "search: missing operand PATTERN\n" + tryHelp},
        {false, {"-c", "-q", "x"}, 2, "", "search: options '--count' and '--quiet' cannot be used together\n" + tryHelp},
        {false, {"--completion=bash"}, 0, bash, ""},
        {false, {"--man-page", "-c"}, 0, page, ""},
        {false, {"--completion=tcsh"}, 2, "", "search: invalid value 'tcsh' for '--completion' (choose from bash, zsh, fish)\n" + tryHelp},
        // A bad environment value blocks no request; only the tool's work.
        {true, {"--help"}, 0, "Usage: search", ""},
        {true, {"--version"}, 0, "search 1.0\n", ""},
        {true, {"--completion", "bash"}, 0, bash, ""},
        {true, {"x"}, 2, "", "search: invalid value 'blue' for '--color' from SEARCH_COLOR (choose from always, never)\n" + tryHelp},
    };
    // clang-format on
    for (const Row& row : rows) {
        SCOPED_TRACE(testing::PrintToString(row.words));
        badColor = row.badColor;
        OptionParser parser = search();
        expectAnswer(answer(parser, row.words), {row.status, row.out, row.err});
        EXPECT_EQ(parser.isSet("color"), false);
    }
    badColor = false;
}

TEST(ToolTest, CommandsAndTheHelpCommand) {
    struct Row {
        Words words;
        std::optional<int> status;
        std::string out; // the start of it
        std::string err;
    };
    // clang-format off
    const Row rows[] = {
        {{"help"}, 0, "Usage: vcs [OPTION]... COMMAND [ARG]...\n", ""},
        {{"help", "add"}, 0, "Usage: vcs add [OPTION]... NAME\n", ""},
        {{"help", "remote", "add"}, 0, "Usage: vcs remote add [OPTION]...\n", ""},
        {{"add", "--help"}, 0, "Usage: vcs add [OPTION]... NAME\n", ""},
        {{"--help", "add"}, 0, "Usage: vcs [OPTION]...", ""},
        {{"remote", "add", "-h"}, 0, "Usage: vcs remote add [OPTION]...\n", ""},
        {{"help", "ad"}, 2, "", "vcs: unknown command 'ad' (did you mean 'add'?)\nTry 'vcs --help' for more information.\n"},
        {{"help", "remote", "rm"}, 2, "", "vcs remote: unknown command 'rm'\nTry 'vcs remote --help' for more information.\n"},
        {{"help", "add", "extra"}, 2, "", "vcs: extra operand 'extra'\nTry 'vcs --help' for more information.\n"},
        {{"-r", "x", "add", "f"}, 2, "", "vcs add: option '--msg' is required\nTry 'vcs add --help' for more information.\n"},
        {{"-r", "x", "add", "-m", "y", "f"}, std::nullopt, "", ""},
        {{"--version", "remote"}, 0, "vcs 2.0\n", ""},
        {{"--config=x.toml", "-r", "x", "add", "-m", "y", "f"}, 2, "", "vcs: cannot read 'x.toml': No such file or directory\nTry 'vcs --help' for more information.\n"},
        {{"help", "--help"}, 0, "Usage: vcs [OPTION]... COMMAND [ARG]...\n", ""}, // an option word names no command
        {{"help", "-h", "remote"}, 0, "Usage: vcs remote [OPTION]... COMMAND [ARG]...\n", ""},
    };
    // clang-format on
    for (const Row& row : rows) {
        SCOPED_TRACE(testing::PrintToString(row.words));
        OptionParser parser = vcs();
        expectAnswer(answer(parser, row.words), {row.status, row.out, row.err});
    }
    // A command named help replaces the built-in one, and no help lists it.
    OptionParser own = vcs();
    EXPECT_EQ(own.helpText().find("\n  help"), std::string::npos);
    own.addCommand("help", "explain a topic").addOperand("TOPIC", "");
    EXPECT_EQ(answer(own, {"-r", "x", "help", "add"}).status, std::nullopt);
    EXPECT_EQ(own.commandParser()->operand("TOPIC"), "add");
}

/// The hosts that begin with `typed`, as only the program knows them.
std::vector<std::string> hosts(const std::string& typed) {
    std::vector<std::string> known;
    for (const char* host : {"alpha", "beta", "alps"}) {
        if (std::string(host).compare(0, typed.size(), typed) == 0) {
            known.emplace_back(host);
        }
    }
    return known;
}

TEST(ToolTest, CompletionRequests) {
    struct Row {
        Words line; // after "--completion-request=bash --"
        std::string out;
        bool stop = false; // setStopAtFirstArgument
        conkit::Syntax syntax = conkit::Syntax::gnu;
    };
    // clang-format off
    const Row rows[] = {
        {{"search", "--host", "al"}, "alpha\nalps\n"},
        {{"search", "-iH", ""}, "alpha\nbeta\nalps\n"},
        {{"search", "--ho=b"}, "beta\n"},
        {{"search", "--color", "al"}, ""},       // an optional value is attached only
        {{"search", "pat", "-c", "b"}, "beta\n"}, // FILE, after PATTERN
        {{"search", "--", "-c", "x", "a"}, "alpha\nalps\n"},
        {{"search", "a"}, ""},                  // PATTERN completes nothing
        {{"search", "--nosuch", "a"}, ""},
        {{"search", "--host=a", "--completion=x", "-m"}, ""}, // nothing is checked
        {{"search", "p", "-m", "b"}, "beta\n", true}, // FILE: options ended at "p"
        {{"search", "-m", "-H", "b"}, "beta\n", false, conkit::Syntax::classic}, // no value: "-H"
        {{"search", "@args", "a"}, ""}, // a response file counts as no word: PATTERN
    };
    // clang-format on
    for (const Row& row : rows) {
        SCOPED_TRACE(testing::PrintToString(row.line));
        OptionParser parser = search();
        parser.addOption('H', "host", true, "", "");
        parser.describe("host").completeWith(hosts);
        parser.addOperand("FILE", "").completeWith(hosts);
        parser.addOption('m', "max", true, "", "");
        parser.setStopAtFirstArgument(row.stop);
        parser.setSyntax(row.syntax);
        parser.setResponseFiles(true);
        Words words{"--completion-request=bash", "--"};
        words.insert(words.end(), row.line.begin(), row.line.end());
        const Answer got = answer(parser, words);
        EXPECT_EQ(got.status, 0);
        EXPECT_EQ(got.out, row.out);
        EXPECT_EQ(got.err, "");
    }
}

/// What a line completer saw of its level: the tags, TEXT's words, the mode
/// and the store; then what is typed.
std::vector<std::string> seen(const OptionParser& line, const std::string& typed) {
    std::string text;
    for (const std::string& word : line.values("tag")) {
        text += word + ",";
    }
    for (const std::string& word : line.operands("TEXT")) {
        text += word + ";";
    }
    return {text + " " + line.value("mode") + " " + line.value("store") + " " + typed};
}

TEST(ToolTest, LineCompleters) {
    // n [--store=PATH] add [-t TAG]... [--mode=M] --who=W TEXT..., with N_MODE
    // and a file giving the store and a tag: each completer sees its own
    // level as the words before the cursor left it, but for the option that
    // awaits the value; nothing required, nothing checked, refused words
    // passed over. Each row: the line after "--", the syntax, the answer.
    const std::tuple<Words, conkit::Syntax, std::string> rows[] = {
        {{"n", "add", "-t", "a", "-t", "b"}, conkit::Syntax::gnu, "a, env  b\n"},
        {{"n", "add", "--bogus", "-xt", "a", "x", "--tag=b"},
         conkit::Syntax::gnu,
         "filed,a;x; env  b\n"},
        {{"n", "add", "--mode=odd", "x", "-ty", "y", ""}, conkit::Syntax::gnu, "y,x;y; odd  \n"},
        {{"n", "--store", "s"}, conkit::Syntax::gnu, "  file.tsv s\n"},
        {{"n", "add", "--tag", "a", "--tag", ""}, conkit::Syntax::classic, "a, env  \n"},
    };
    for (const auto& [line, syntax, out] : rows) {
        SCOPED_TRACE(testing::PrintToString(line));
        OptionParser parser = OptionParser::tool("n", "1", "");
        parser.setSyntax(syntax);
        parser.setEnvironment([](const char* name) { return *name == 'N' ? "env" : nullptr; });
        parser.setConfigFile("", "n.toml", [](const std::string&, auto& entries, std::string&) {
            entries = {{"", "store", {"file.tsv"}, "n:1"}, {"add", "tag", {"filed"}, "n:3"}};
            return true;
        });
        parser.addOption('s', "store", true, "", "");
        parser.describe("store").completeWith(seen);
        OptionParser& add = parser.addCommand("add", "");
        add.addOption('t', "tag", true, "", "");
        add.describe("tag").completeWith(seen);
        add.addOption('\0', "mode", true, "", "");
        add.describe("mode").choices({"plain"}).env("N_MODE");
        add.addOption('\0', "who", true, "", "");
        add.describe("who").required();
        add.addOperand("TEXT", "").repeated().completeWith(seen);
        Words words{"--completion-request=bash", "--"};
        words.insert(words.end(), line.begin(), line.end());
        const Answer got = answer(parser, words);
        EXPECT_EQ(std::make_tuple(got.status, got.out, got.err), std::make_tuple(0, out, ""));
    }
}

TEST(ToolTest, CommandsFollowTheirToolFromTheStart) {
    // Before any parse, a command reads words as the tool does: "-f" takes
    // no value, so "x" is the first operand and the next word the second.
    OptionParser parser = OptionParser::tool("vcs", "1", "");
    OptionParser& add = parser.addCommand("add", "");
    add.addOption('f', "force", false, "", "");
    add.addOperand("FIRST", "").completeWith(hosts);
    add.addOperand("SECOND", "").completeWith([](const std::string&) {
        return std::vector<std::string>{"second"};
    });
    EXPECT_EQ(add.syntax(), conkit::Syntax::gnu);
    EXPECT_EQ(add.helpText().substr(0, 20), "Usage: vcs add [OPTI");
    const Answer got =
        answer(parser, {"--completion-request=bash", "--", "vcs", "add", "-f", "x", ""});
    EXPECT_EQ(got.out, "second\n");
}

TEST(ToolTest, ProgramName) {
    OptionParser parser;
    parser.setSyntax(conkit::Syntax::gnu);
    parser.setProgramName("grep");
    EXPECT_EQ(parser.helpText(), "Usage: grep [OPTION]...\n");
    parser.addOperand("PATTERN", "");
    EXPECT_EQ(conkit_test::parseWords(parser, {}).printed, "grep: missing operand PATTERN\n");
    parser.setProgramName("");
    EXPECT_EQ(conkit_test::parseWords(parser, {}).printed, "demo: missing operand PATTERN\n");
}

} // namespace
