// Where the parser's text goes: standard output by default, or the stream
// given to setErrorOutput and the printing overloads.
#include "ParserHelpers.h"

#include <iostream>

namespace {

using conkit::OptionParser;
using conkit_test::demoParser;

/// Everything written to std::cout while `run` runs.
template <class Run> std::string standardOutputOf(Run run) {
    std::ostringstream captured;
    std::streambuf* const original = std::cout.rdbuf(captured.rdbuf());
    run();
    std::cout.rdbuf(original);
    return captured.str();
}

TEST(OutputTest, StandardOutputByDefault) {
    OptionParser parser = demoParser();
    const std::string printed = standardOutputOf([&parser] {
        EXPECT_FALSE(parser.parse(std::vector<std::string>{"demo", "--color"}));
        parser.printVersion();
        parser.printHelp();
    });
    EXPECT_EQ(printed, "invalid option: color\ndemo 1.0\n" + parser.helpText() + "\n");
}

TEST(OutputTest, ErrorOutputChosenOrNone) {
    OptionParser parser = demoParser();
    std::ostringstream errors;
    parser.setErrorOutput(&errors);
    const std::string printed = standardOutputOf([&parser] {
        EXPECT_FALSE(parser.parse(std::vector<std::string>{"demo", "-u"}));
        parser.setErrorOutput(nullptr);
        EXPECT_FALSE(parser.parse(std::vector<std::string>{"demo", "--color"}));
    });
    EXPECT_EQ(printed, "");
    EXPECT_EQ(errors.str(), "--user need arg.\n");
    EXPECT_EQ(parser.lastError(), "invalid option: color"); // still answers
    std::ostringstream version;
    parser.printVersion(version);
    EXPECT_EQ(version.str(), "demo 1.0\n");
}

} // namespace
