// Test helpers: the demonstration program's parser and parses whose error
// line is captured.
#pragma once

#include "options/OptionParser.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

namespace conkit_test {

/// A parser set up like the demonstration program's: help, version, user
/// (needs an argument) and password.
inline conkit::OptionParser demoParser() {
    conkit::OptionParser parser("%prog", "demo 1.0");
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addOption('u', "user", true, "", "username");
    parser.addOption('p', "password", false, "", "password");
    return parser;
}

/// The outcome of one parse: its result and everything it printed.
struct Outcome {
    bool ok;
    std::string printed;
};

/// Runs `parser.parse(input...)` and captures what it prints.
template <class... Input>
Outcome parseCaptured(conkit::OptionParser& parser, const Input&... input) {
    std::ostringstream printed;
    parser.setErrorOutput(&printed);
    const bool ok = parser.parse(input...);
    parser.setErrorOutput(nullptr);
    return {ok, printed.str()};
}

/// Parses 'tools/demo' followed by `rest`.
inline Outcome parseWords(conkit::OptionParser& parser, std::vector<std::string> rest) {
    rest.insert(rest.begin(), "tools/demo");
    return parseCaptured(parser, rest);
}

/// What a parse should report: its error line ("" for a success), the kind
/// of error and the option word it names.
struct Expected {
    std::string line;
    conkit::ParseErrorKind kind;
    std::string option;
};

/// Parses `path` followed by `rest` and checks the result, the printed line
/// (printed once) and the error queries against `want`; returns the result.
inline bool parseAndCheck(conkit::OptionParser& parser, const std::string& path,
                          std::vector<std::string> rest, const Expected& want) {
    rest.insert(rest.begin(), path);
    const Outcome outcome = parseCaptured(parser, rest);
    EXPECT_EQ(outcome.ok, want.line.empty());
    EXPECT_EQ(outcome.printed, want.line.empty() ? "" : want.line + "\n");
    EXPECT_EQ(parser.lastError(), want.line);
    EXPECT_EQ(parser.errorKind(), want.kind);
    EXPECT_EQ(parser.errorOption(), want.option);
    return outcome.ok;
}

} // namespace conkit_test
