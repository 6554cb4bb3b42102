// Response files: "@FILE" words read from files in a scratch working folder.
#include "ParserHelpers.h"

#include <filesystem>
#include <fstream>

namespace {

using conkit::OptionParser;
using Kind = conkit::ParseErrorKind;
using Words = std::vector<std::string>;

/// How a row's parser differs from `t [-a] [-o VALUE]` with response files.
enum class Variant { plain, off, commands, stopping };

/// `t [-a] [-o VALUE]`: with response files but when `off`, with the same
/// options in a command "run" for `commands`, setStopAtFirstArgument for
/// `stopping`.
OptionParser tool(Variant variant) {
    const auto addOptions = [](OptionParser& level) {
        level.addOption('a', "all", false, "", "");
        level.addOption('o', "output", true, "", "");
    };
    OptionParser parser;
    parser.setSyntax(conkit::Syntax::gnu);
    parser.setResponseFiles(variant != Variant::off);
    parser.setStopAtFirstArgument(variant == Variant::stopping);
    addOptions(parser);
    if (variant == Variant::commands) {
        addOptions(parser.addCommand("run", ""));
    }
    return parser;
}

/// What a parse found: "a" for -a, "o=VALUE", the positional words in
/// brackets, and what the command found in "run(...)".
std::string found(const OptionParser& parser) {
    Words parts;
    if (parser.isSet("all")) {
        parts.emplace_back("a");
    }
    if (parser.isSet("output")) {
        parts.push_back("o=" + parser.value("output"));
    }
    for (std::size_t i = 0; i < parser.argCount(); ++i) {
        parts.push_back((i == 0 ? "[" : "") + parser.arg(i) +
                        (i + 1 == parser.argCount() ? "]" : ""));
    }
    if (const OptionParser* command = parser.commandParser()) {
        parts.push_back("run(" + found(*command) + ")");
    }
    std::string text;
    for (const std::string& part : parts) {
        text += (text.empty() ? "" : " ") + part;
    }
    return text;
}

TEST(ResponseFilesTest, ReadAsIfTyped) {
    const std::filesystem::path folder =
        std::filesystem::path(testing::TempDir()) / "conkit_response_files";
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder / "folder");
    const std::pair<const char*, std::string> files[] = {
        {"words", "-a\r\n\"two\r\nlines\"\tx\n"}, // line ends are blanks outside quotes
        {"value", "-o"},
        {"empty", ""},
        {"nested", "x @words y"},
        {"inner", "-o @words -- @words"},
        {"self", "@self"},
        {"cmd", "-a run @value"},
        {"c0", "run @d1"},
        {"c1", "run @d2"},
    };
    for (const auto& [name, text] : files) {
        std::ofstream(folder / name, std::ios::binary) << text;
    }
    // Twenty thousand words and two thousand files to read among them: a
    // parse that copied the words for each file would take seconds.
    std::string many;
    std::string manyFound = "[";
    for (int i = 0; i < 20000; ++i) {
        many += (i % 10 == 0 ? "@empty w" : "w") + std::to_string(i) + "\n";
        manyFound += (i == 0 ? "w" : " w") + std::to_string(i);
    }
    std::ofstream(folder / "many", std::ios::binary) << many;
    for (int depth = 0; depth < 10; ++depth) { // d0 holds "@d1", ..., d10 holds "deep"
        std::ofstream(folder / ("d" + std::to_string(depth))) << "@d" << depth + 1;
    }
    std::ofstream(folder / "d10") << "deep";
    const std::filesystem::path was = std::filesystem::current_path();
    std::filesystem::current_path(folder); // relative names open from here

    struct Row {
        Words words;
        conkit_test::Expected want;
        std::string found;
        Variant variant = Variant::plain;
    };
    const std::string tooDeep = "t: response files nested too deeply at ";
    // clang-format off
    const Row rows[] = {
        {{"@words", "y"}, {"", Kind::none, ""}, "a [two\r\nlines x y]"},
        {{"@value", "v"}, {"", Kind::none, ""}, "o=v"}, // the file's last option takes the next word
        {{"@empty", "@", "@value"}, {"t: option '-o' needs a value", Kind::missingArgument, "-o"}, "[@]"},
        {{"@nested"}, {"", Kind::none, ""}, "a [x two\r\nlines x y]"},
        {{"@inner"}, {"", Kind::none, ""}, "o=@words [@words]"}, // a value, and after "--"
        {{"-o", "@words", "--", "@words"}, {"", Kind::none, ""}, "o=@words [@words]"},
        {{"@d1"}, {"", Kind::none, ""}, "[deep]"}, // ten files deep
        {{"@d0"}, {tooDeep + "'d10'", Kind::badResponseFile, "@d10"}, ""},
        {{"@self"}, {tooDeep + "'self'", Kind::badResponseFile, "@self"}, ""},
        {{"-a", "@missing"}, {"t: cannot read response file 'missing': No such file or directory", Kind::badResponseFile, "@missing"}, "a"},
        {{"@folder"}, {"t: cannot read response file 'folder': Is a directory", Kind::badResponseFile, "@folder"}, ""},
        {{"@words"}, {"", Kind::none, ""}, "[@words]", Variant::off},
        {{"@many"}, {"", Kind::none, ""}, manyFound + "]"},
        {{"@value", "v", "x", "@words"}, {"", Kind::none, ""}, "o=v [x @words]", Variant::stopping},
        // A command and its words may come from a file; the command reads
        // files too, counting the depth of the file that named it.
        {{"@cmd", "z"}, {"", Kind::none, ""}, "a run(o=z)", Variant::commands},
        {{"@c1"}, {"", Kind::none, ""}, "run([deep])", Variant::commands},
        {{"@c0"}, {"t run: response files nested too deeply at 'd10'", Kind::badResponseFile, "@d10"}, "run()", Variant::commands},
    };
    // clang-format on
    for (const Row& row : rows) {
        SCOPED_TRACE(testing::PrintToString(row.words));
        OptionParser parser = tool(row.variant);
        conkit_test::parseAndCheck(parser, "t", row.words, row.want);
        EXPECT_EQ(found(parser), row.found);
    }
    std::filesystem::current_path(was);
    std::filesystem::remove_all(folder);
}

} // namespace
