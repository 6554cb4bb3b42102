// The tool whose program, CompletingTool.cpp, answers the completion
// scripts' requests in the completion tests.
#pragma once

#include "options/OptionParser.h"

namespace conkit_test {

/// "prog [-H HOST] MODE HOST FILE...": MODE's choices, file names for FILE,
/// and for HOST and -H every host the program knows, whatever is typed (the
/// scripts narrow them down), but none for "o"; for "!", hosts no shell can
/// be offered but one, whose '!' history expansion must not reach.
inline conkit::OptionParser completingTool() {
    const auto hosts = [](const std::string& typed) {
        if (typed == "!") {
            return std::vector<std::string>{"!!", "!two\nlines", "!a\ttab", "!\xff"};
        }
        return typed == "o" ? std::vector<std::string>()
                            : std::vector<std::string>{"alpha", "alps", "beta", "it's a host"};
    };
    conkit::OptionParser tool = conkit::OptionParser::tool("prog", "1", "");
    tool.addOption('H', "host", true, "", "");
    tool.describe("host").completeWith(hosts);
    tool.addOperand("MODE", "").choices({"start", "stop"});
    tool.addOperand("HOST", "").completeWith(hosts);
    tool.addOperand("FILE", "").repeated();
    return tool;
}

} // namespace conkit_test
