// A tool's help on the terminal it is printed on: its width and its colour,
// read through the parser's environment lookup.
#include "ParserHelpers.h"

#include <cstring>
#include <iostream>
#include <map>

#if defined(_WIN32)
#include <io.h>
#define CONKIT_TEST_STDOUT_IS_TERMINAL (_isatty(1) != 0)
#else
#include <unistd.h>
#define CONKIT_TEST_STDOUT_IS_TERMINAL (isatty(1) == 1)
#endif

namespace {

using conkit::ColourMode;
using conkit::OptionParser;

/// The variables the environment lookup below answers; unset when absent.
std::map<std::string, std::string> variables;

const char* lookup(const char* name) {
    const auto found = variables.find(name);
    return found != variables.end() ? found->second.c_str() : nullptr;
}

/// A tool whose help shows every kind of thing that can be bold.
OptionParser sampleTool(const std::string& description = "Stack files.") {
    OptionParser tool = OptionParser::tool("pile", "1.0", description);
    tool.addOption('n', "name", true, "", "the archive's name");
    tool.addOption('\0', "trace", false, "", "print each step");
    tool.describe("trace").section("Debugging");
    tool.addCommand("push", "put files on the pile");
    tool.setEnvironment(lookup);
    return tool;
}

/// `text` without its bold escapes.
std::string plain(std::string text) {
    for (const char* escape : {"\033[1m", "\033[0m"}) {
        for (std::size_t at = text.find(escape); at != std::string::npos; at = text.find(escape)) {
            text.erase(at, std::strlen(escape));
        }
    }
    return text;
}

/// What printHelp() writes on std::cout.
std::string printedOnStandardOutput(const OptionParser& parser) {
    std::ostringstream captured;
    std::streambuf* const was = std::cout.rdbuf(captured.rdbuf());
    parser.printHelp();
    std::cout.rdbuf(was);
    return captured.str();
}

TEST(TerminalTest, ToolWidth) {
    // COLUMNS when all digits, else the terminal, else 80; within 40..100.
    const bool terminal = CONKIT_TEST_STDOUT_IS_TERMINAL;
    const struct {
        const char* columns;
        std::size_t width; // 0: the terminal's, so not checked on one
    } rows[] = {{"60", 60},   {"30", 40},   {"0", 40},
                {"100", 100}, {"250", 100}, {"99999999999999999999999", 100},
                {"60x", 0},   {"", 0},      {nullptr, 0}};
    const std::string description = std::string(120, 'x') + " " + std::string(30, 'y');
    OptionParser tool = sampleTool(description);
    const OptionParser& push = tool.addCommand("push", "put files on the pile");
    for (const auto& row : rows) {
        SCOPED_TRACE(row.columns != nullptr ? row.columns : "unset");
        if (row.width == 0 && terminal) {
            continue;
        }
        variables.clear();
        if (row.columns != nullptr) {
            variables["COLUMNS"] = row.columns;
        }
        OptionParser fixed = sampleTool(description);
        fixed.setHelpWidth(row.width != 0 ? row.width : 80);
        EXPECT_EQ(tool.helpText(), fixed.helpText());
        EXPECT_EQ(push.helpText(), fixed.addCommand("push", "put files on the pile").helpText());
    }
    // A width set by the program holds, and 0 keeps the plain parsers' rule.
    variables = {{"COLUMNS", "300"}};
    tool.setHelpWidth(0);
    OptionParser fixed = sampleTool(description);
    fixed.setHelpWidth(300);
    EXPECT_EQ(tool.helpText(), fixed.helpText());
}

TEST(TerminalTest, Colour) {
    const bool terminal = CONKIT_TEST_STDOUT_IS_TERMINAL;
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
        {ColourMode::automatic, {{"CLICOLOR_FORCE", "0"}}, true, terminal},
        {ColourMode::automatic, {{"CLICOLOR_FORCE", ""}, {"TERM", "xterm"}}, true, terminal},
        {ColourMode::automatic, {{"TERM", "dumb"}}, true, false},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(testing::PrintToString(row.environment));
        variables = row.environment;
        OptionParser tool = sampleTool();
        tool.setColour(row.mode);
        std::ostringstream out;
        if (!row.onStandardOutput) {
            tool.printHelp(out);
        }
        const std::string printed =
            row.onStandardOutput ? printedOnStandardOutput(tool) : out.str();
        EXPECT_EQ(printed != plain(printed), row.bold);
        // Escapes take no columns, and helpText() never has them.
        EXPECT_EQ(plain(printed), tool.helpText());
    }
}

TEST(TerminalTest, WhatIsBold) {
    variables.clear();
    OptionParser tool = sampleTool();
    tool.addOperand("FILE", "a file to stack");
    tool.setColour(ColourMode::always);
    std::ostringstream out;
    tool.printHelp(out);
    const std::string printed = out.str();
    for (const char* bold : {"\033[1mUsage:\033[0m pile [OPTION]...", "\033[1mOptions:\033[0m\n",
                             "\033[1mDebugging:\033[0m\n", "\033[1mCommands:\033[0m\n",
                             "  \033[1m-n\033[0m, \033[1m--name\033[0m=NAME   ",
                             "      \033[1m--trace\033[0m          ", "  \033[1mpush\033[0m    "}) {
        EXPECT_NE(printed.find(bold), std::string::npos) << bold << " in\n" << printed;
    }
    // A plain parser colours only when asked, its classic help too.
    OptionParser classic = conkit_test::demoParser();
    classic.setColour(ColourMode::always);
    std::ostringstream classicOut;
    classic.printHelp(classicOut);
    EXPECT_NE(classicOut.str().find("  \033[1m-h\033[0m, \033[1m--help\033[0m            print"),
              std::string::npos);
    EXPECT_EQ(plain(classicOut.str()), classic.helpText() + "\n");
}

} // namespace
