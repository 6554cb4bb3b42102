// deploy: copies files to a host (here: says what it would copy). Shows a
// TOML configuration file read from a default path or the one --config
// names, below the environment and the command line, and an option whose
// values only the running program knows: --host completes from the hosts
// listed in hosts.txt, through the completion script's request.
#include "config/TomlConfig.h"
#include "options/OptionParser.h"

#include <algorithm>
#include <fstream>
#include <iostream>
#include <optional>
#include <string>
#include <vector>

namespace {

/// The hosts of hosts.txt (one per line) that begin with `typed`.
std::vector<std::string> knownHosts(const std::string& typed) {
    std::vector<std::string> hosts;
    std::ifstream list("hosts.txt");
    for (std::string host; std::getline(list, host);) {
        if (!host.empty() && host.compare(0, typed.size(), typed) == 0) {
            hosts.push_back(host);
        }
    }
    return hosts;
}

} // namespace

int main(int argc, char** argv) {
    auto parser = conkit::OptionParser::tool("deploy", "1.0", "Copy each FILE to a host.");
    parser.addOperand("FILE", "a file to copy").repeated();
    parser.addOption('C', "config", true, "", "read settings from FILE (default: deploy.toml)");
    parser.describe("config").valueName("FILE");
    parser.setConfigFile("config", "deploy.toml", conkit::readTomlConfig);
    parser.addOption('H', "host", true, "", "the host to copy to");
    parser.describe("host").required().env("DEPLOY_HOST").completeWith(knownHosts);
    parser.addOption('j', "jobs", true, "1", "copy N files at a time");
    parser.describe("jobs").range(1, 16).valueName("N");
    parser.addOption('x', "exclude", true, "", "leave out FILE (may be repeated)");
    parser.describe("exclude").valueName("FILE");
    parser.addOption('n', "dry-run", false, "", "copy nothing, only say what would be copied");
    if (const std::optional<int> status = parser.parseAndAnswer(argc, argv)) {
        return *status;
    }

    const conkit::ValueSource from = parser.source("host");
    std::cout << "to " << parser.value("host") << " (" << parser.value("jobs")
              << " at a time, host from "
              << (from == conkit::ValueSource::configFile    ? "the configuration"
                  : from == conkit::ValueSource::environment ? "the environment"
                                                             : "the command line")
              << "):\n";
    const std::vector<std::string> excluded = parser.values("exclude");
    const char* const copy = parser.isSet("dry-run") ? "  would copy " : "  copy ";
    for (const std::string& file : parser.operands("FILE")) {
        const bool left = std::find(excluded.begin(), excluded.end(), file) != excluded.end();
        std::cout << (left ? "  leave " : copy) << file << '\n';
    }
    return 0;
}
