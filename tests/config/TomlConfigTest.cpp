// readTomlConfig on real files: the text of each kind of value, tables for
// commands, the file's order, and each error line; then a parse that reads one.
#include "config/TomlConfig.h"
#include "options/OptionParser.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace {

/// Writes `text` to a file of the test's temporary folder; returns its path.
std::string written(const std::string& name, const std::string& text) {
    const std::filesystem::path folder = std::filesystem::path(testing::TempDir()) / "conkit_toml";
    std::filesystem::create_directories(folder);
    std::ofstream((folder / name).string(), std::ios::binary) << text;
    return (folder / name).string();
}

/// Each entry as "LINE [COMMAND] NAME=VALUE|VALUE", or "error: " and the
/// error with the file's path as F.
std::vector<std::string> read(const std::string& path) {
    std::vector<conkit::ConfigEntry> entries;
    std::string error;
    if (!conkit::readTomlConfig(path, entries, error)) {
        for (std::size_t at = error.find(path); at != std::string::npos; at = error.find(path)) {
            error.replace(at, path.size(), "F");
        }
        return {"error: " + error};
    }
    std::vector<std::string> lines;
    for (const conkit::ConfigEntry& entry : entries) {
        EXPECT_EQ(entry.origin.rfind(path + ":", 0), 0U);
        std::string line =
            entry.origin.substr(path.size() + 1) + " [" + entry.command + "] " + entry.name + "=";
        for (const std::string& value : entry.values) {
            line += (&value == &entry.values.front() ? "" : "|") + value;
        }
        lines.push_back(line);
    }
    return lines;
}

/// `count` copies of `text`, `between` between them.
std::string repeated(const std::string& text, std::size_t count, const std::string& between) {
    std::string all;
    for (std::size_t i = 0; i < count; ++i) {
        all += (i == 0 ? "" : between) + text;
    }
    return all;
}

TEST(TomlConfigTest, ReadsFiles) {
    const std::string tooDeep = "keys nested too deeply (more than 256 levels)";
    const std::string deep = repeated("a", 300, ".");
    const struct {
        std::string text;
        std::vector<std::string> want;
    } rows[] = {
        {"zeta = \"z w\"\nalpha = 42\nratio = 0.1\none = 1.0\nbig = -1e300\nflag = true\n"
         "low = -inf\ntags = ['a', 2, false]\nremote.url = 'u'\n\n[show]\ndepth = 3\n"
         "[remote.add]\nname = \"n\"\nempty = []\n",
         {"1 [] zeta=z w", "2 [] alpha=42", "3 [] ratio=0.1", "4 [] one=1", "5 [] big=-1e+300",
          "6 [] flag=true", "7 [] low=-inf", "8 [] tags=a|2|false", "9 [remote] url=u",
          "12 [show] depth=3", "14 [remote add] name=n", "15 [remote add] empty="}},
        {"", {}},
        // The first unsupported value in the file's order, not toml++'s.
        {"b = 1979-05-27\na = 07:32:00\n", {"error: F:1: unsupported value for 'b'"}},
        {"list = [1,\n  {x = 1}]\n", {"error: F:2: unsupported value for 'list'"}},
        {"deep = [[1]]\n", {"error: F:1: unsupported value for 'deep'"}},
        // An error line stays one line whatever the file holds.
        {"\"a\\u0001b\" = 1979-05-27\n", {"error: F:1: unsupported value for 'a\\x01b'"}},
        // A table named "" or holding a blank names no command, whatever makes it.
        {"[\"\"]\nx = 1\n", {"error: F:1: unknown option ''"}},
        {"n = 1\n[\"remote add\"]\n", {"error: F:2: unknown option 'remote add'"}},
        {"[remote.\"\"]\nx = 1\n", {"error: F:1: unknown option ''"}},
        {"remote.\"\\u0001 b\".url = 1\n", {"error: F:1: unknown option '\\x01 b'"}},
        // 256 levels at most, however they nest; deeper fails before toml++
        // parses, which would overflow the stack.
        {"[" + repeated("a", 200, ".") + "]\n" + repeated("b", 56, ".") + " = 1\n",
         {"2 [" + repeated("a", 200, " ") + repeated(" b", 55, "") + "] b=1"}},
        // An element of an array of tables is one level below the array.
        {"[[" + repeated("a", 200, ".") + "]]\n" + repeated("b", 56, ".") + " = 1\n",
         {"error: F:2: " + tooDeep}},
        {"[" + repeated("a", 20000, ".") + "]\nx = 1\n", {"error: F:1: " + tooDeep}},
        {"\n" + repeated("a", 20000, ".") + " = 1\n", {"error: F:2: " + tooDeep}},
        {"a = " + repeated("{a = ", 20000, "") + "1" + repeated("}", 20000, "") + "\n",
         {"error: F:1: " + tooDeep}},
        {"[" + repeated("a", 200, ".") + "]\nb = [" + repeated("{c = [", 30, "") + "1" +
             repeated("]}", 30, "") + "]\n",
         {"error: F:2: " + tooDeep}},
        // Only the header on line 5 counts: not the strings, comments and
        // quoted names before it that hold brackets, quotes and dots.
        {"s = \"\"\"\n{[" + deep + "]\\\"\"\"{\"\"\"\" # {\n" +
             "t = ['''x'''', \"}#\", 'a\"b', {\"c.d\" = 1}] # [\n\"" + deep + "\" = 2\n[" + deep +
             "]\n",
         {"error: F:5: " + tooDeep}},
        {"\xEF\xBB\xBF[" + deep + "]\n", {"error: F:1: " + tooDeep}},
    };
    int file = 0;
    for (const auto& row : rows) {
        SCOPED_TRACE(row.text.substr(0, 100));
        EXPECT_EQ(read(written("f" + std::to_string(file++) + ".toml", row.text)), row.want);
    }
    // toml++ describes a syntax error after where it is, and refuses deep arrays.
    const std::vector<std::string> syntax = read(written("syntax.toml", "a = 1\nb = = 2\n"));
    ASSERT_EQ(syntax.size(), 1U);
    EXPECT_EQ(syntax[0].rfind("error: F:2:5: ", 0), 0U) << syntax[0];
    EXPECT_GT(syntax[0].size(), 14U);
    const std::string cut = read(written("cut.toml", "f = na\n")).at(0);
    EXPECT_EQ(cut.find('\n'), std::string::npos) << cut;
    const std::string arrays = read(written("arrays.toml", "a = " + std::string(20000, '[')))[0];
    EXPECT_EQ(arrays.rfind("error: F:1:", 0), 0U) << arrays;
    // Paths that name no file to read; a NUL ends what the C library would
    // open, so a path holding one names no file at all.
    const std::string real = written("real.toml", "count = 3\n");
    const std::string folder = std::filesystem::path(real).parent_path().string();
    const struct {
        std::string path;
        std::string want;
    } paths[] = {
        {folder + "/missing.toml", "error: cannot read 'F': No such file or directory"},
        {folder, "error: cannot read 'F': Is a directory"},
        {real + std::string(1, '\0') + "x",
         "error: cannot read '" + real + "\\x00x': No such file or directory"},
    };
    for (const auto& row : paths) {
        EXPECT_EQ(read(row.path), std::vector<std::string>{row.want});
    }
}

TEST(TomlConfigTest, ParseReadsTheFile) {
    conkit::OptionParser parser;
    parser.setSyntax(conkit::Syntax::gnu);
    parser.setErrorOutput(nullptr);
    parser.addOption('c', "config", true, "", "the configuration file");
    parser.addOption('n', "count", true, "1", "how many");
    parser.describe("count").range(1, 9);
    parser.setConfigFile("config", "", conkit::readTomlConfig);
    const std::string good = written("good.toml", "count = 3\n");
    ASSERT_TRUE(parser.parse(std::vector<std::string>{"t", "--config", good}));
    EXPECT_EQ(parser.value("count"), "3");
    EXPECT_EQ(parser.source("count"), conkit::ValueSource::configFile);
    const std::string bad = written("bad.toml", "\n[nosuch]\ncuont = 10\n");
    EXPECT_FALSE(parser.parse(std::vector<std::string>{"t", "-c", bad}));
    EXPECT_EQ(parser.lastError(), "t: " + bad + ":3: unknown option 'nosuch'");
    EXPECT_EQ(parser.errorOption(), "-c");
    const std::string wrong = written("wrong.toml", "\ncuont = 10\n");
    EXPECT_FALSE(parser.parse(std::vector<std::string>{"t", "-c", wrong}));
    EXPECT_EQ(parser.lastError(),
              "t: " + wrong + ":2: unknown option 'cuont' (did you mean 'count'?)");
}

} // namespace
