// A tool whose completion asks the program for values: the completion tests
// load its scripts, and CompletingTool.cpp is the program that answers.
#pragma once

#include "options/OptionParser.h"

#include <string>
#include <vector>

namespace conkit_test {

/// The hosts that begin with the first letter of `typed` (every host when
/// nothing is typed): a rough answer that the scripts narrow down.
inline std::vector<std::string> hosts(const std::string& typed) {
    std::vector<std::string> found;
    for (const char* host : {"alpha", "alps", "beta", "it's a host"}) {
        if (typed.empty() || host[0] == typed[0]) {
            found.emplace_back(host);
        }
    }
    return found;
}

/// "prog [-H HOST] MODE HOST FILE...": MODE's choices, the hosts asked of the
/// program for HOST and -H, file names for FILE.
inline conkit::OptionParser completingTool() {
    conkit::OptionParser tool = conkit::OptionParser::tool("prog", "1", "");
    tool.addOption('H', "host", true, "", "");
    tool.describe("host").completeWith(hosts);
    tool.addOperand("MODE", "").choices({"start", "stop"});
    tool.addOperand("HOST", "").completeWith(hosts);
    tool.addOperand("FILE", "").repeated();
    return tool;
}

} // namespace conkit_test
