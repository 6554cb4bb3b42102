// A tool's help on the terminal it is printed on: its width and its colour,
// read through the parser's environment lookup (the pseudo-terminal test
// runs the terminal's own path).
#include "ParserHelpers.h"

#include <iostream>
#include <map>
#include <regex>

namespace {

using conkit::ColourMode;
using conkit::OptionParser;

/// The variables the environment lookup below answers; unset when absent.
std::map<std::string, std::string> variables;

const char* lookup(const char* name) {
    const auto found = variables.find(name);
    return found != variables.end() ? found->second.c_str() : nullptr;
}

/// A tool whose help has every kind of thing that can be bold, wrapped at
/// `width` (0: its own rule).
OptionParser sampleTool(std::size_t width = 0) {
    OptionParser tool = OptionParser::tool("pile", "1.0", std::string(120, 'x') + " y");
    tool.addOption('n', "name", true, "", "the archive's name");
    tool.addOption('\0', "trace", false, "", "print each step");
    tool.describe("trace").section("Debugging");
    tool.addCommand("push", "put files on the pile").addOperand("FILE", "a file");
    tool.setEnvironment(lookup);
    if (width != 0) {
        tool.setHelpWidth(width);
    }
    return tool;
}

std::string plain(const std::string& text) {
    return std::regex_replace(text, std::regex("\033\\[[01]m"), "");
}

TEST(TerminalTest, ToolWidthFromColumns) {
    // All digits counts, within 40..100, for the tool and its commands.
    const std::pair<const char*, std::size_t> rows[] = {
        {"60", 60}, {"30", 40}, {"0", 40}, {"250", 100}, {"99999999999999999999999", 100}};
    for (const auto& [columns, width] : rows) {
        variables = {{"COLUMNS", columns}};
        OptionParser tool = sampleTool();
        OptionParser fixed = sampleTool(width);
        EXPECT_EQ(tool.helpText(), fixed.helpText()) << columns;
        EXPECT_EQ(tool.addCommand("push", "").helpText(), fixed.addCommand("push", "").helpText());
    }
}

TEST(TerminalTest, ColourAndWhatIsBold) {
    const struct {
        ColourMode mode;
        std::map<std::string, std::string> environment;
        bool onStandardOutput;
        bool bold;
    } rows[] = {
        {ColourMode::always, {{"NO_COLOR", "1"}}, false, true},
        {ColourMode::never, {{"CLICOLOR_FORCE", "1"}}, true, false},
        {ColourMode::automatic, {{"CLICOLOR_FORCE", "1"}}, false, false},
        {ColourMode::automatic, {{"CLICOLOR_FORCE", "1"}, {"TERM", "dumb"}}, true, true},
        {ColourMode::automatic, {{"CLICOLOR_FORCE", "1"}, {"NO_COLOR", "0"}}, true, false},
        {ColourMode::automatic, {{"CLICOLOR_FORCE", "yes"}, {"NO_COLOR", ""}}, true, true},
        {ColourMode::automatic, {{"CLICOLOR_FORCE", "0"}, {"TERM", "dumb"}}, true, false},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(testing::PrintToString(row.environment));
        variables = row.environment;
        OptionParser tool = sampleTool();
        tool.setColour(row.mode);
        std::ostringstream out;
        std::streambuf* const was = std::cout.rdbuf(out.rdbuf());
        row.onStandardOutput ? tool.printHelp() : tool.printHelp(out);
        std::cout.rdbuf(was);
        EXPECT_EQ(out.str() != plain(out.str()), row.bold);
        EXPECT_EQ(plain(out.str()), tool.helpText()); // escapes take no columns
        for (const char* bold :
             {"\033[1mUsage:\033[0m pile [OPTION]...", "\033[1mDebugging:\033[0m\n",
              "  \033[1m-n\033[0m, \033[1m--name\033[0m=NAME   ",
              "      \033[1m--trace\033[0m          ", "  \033[1mpush\033[0m    "}) {
            EXPECT_EQ(out.str().find(bold) != std::string::npos, row.bold) << bold;
        }
    }
    // A plain parser colours when asked, its classic help too.
    OptionParser classic = conkit_test::demoParser();
    classic.setColour(ColourMode::always);
    std::ostringstream out;
    classic.printHelp(out);
    EXPECT_NE(out.str().find("  \033[1m-h\033[0m, \033[1m--help\033[0m            print"),
              std::string::npos);
    EXPECT_EQ(plain(out.str()), classic.helpText() + "\n");
}

} // namespace
