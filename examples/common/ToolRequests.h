// What every example does before its own work: parse the command line and
// answer an error, help, the version, a completion script or the man page.
#pragma once

#include "options/OptionParser.h"

#include <iostream>
#include <string>

namespace example {

/// Adds the hidden options --completion=SHELL and --man-page to `parser`.
inline void addPresentationOptions(conkit::OptionParser& parser) {
    parser.addOption('\0', "completion", true, "", "print the completion script for SHELL");
    parser.describe("completion").choices({"bash", "zsh", "fish"}).valueName("SHELL").hidden();
    parser.addOption('\0', "man-page", false, "", "print the man page");
    parser.describe("man-page").hidden();
}

/// Prints what the options of `addPresentationOptions` ask for, for the tool
/// `program`, and returns true; returns false when they ask for nothing.
inline bool presentOnRequest(const conkit::OptionParser& parser, const std::string& program) {
    if (parser.isSet("man-page")) {
        std::cout << parser.manPage(program);
        return true;
    }
    if (!parser.isSet("completion")) {
        return false;
    }
    const std::string shell = parser.value("completion");
    std::cout << (shell == "zsh"    ? parser.zshCompletion(program)
                  : shell == "fish" ? parser.fishCompletion(program)
                                    : parser.bashCompletion(program));
    return true;
}

/// Parses the command line of the tool `program` and answers what asks for
/// no work of the tool's own: an error (printed with a hint to stderr),
/// help (of the tool or of the command chosen), the version, a completion
/// script or the man page; these two need no command even where one is
/// required. Returns the exit status when that is all, or -1 when the tool
/// is to do its work.
inline int parseAndAnswer(conkit::OptionParser& parser, int argc, char** argv,
                          const std::string& program) {
    parser.setErrorOutput(nullptr); // printed below, unless a script or page was asked for
    const bool parsed = parser.parse(argc, argv);
    const bool commandMissing = parser.errorKind() == conkit::ParseErrorKind::missingCommand;
    if ((parsed || commandMissing) && presentOnRequest(parser, program)) {
        return 0;
    }
    if (!parsed) {
        std::cerr << parser.lastError() << "\nTry '" << program << " --help'.\n";
        return 2;
    }
    for (const conkit::OptionParser* asked = &parser; asked != nullptr;
         asked = asked->commandParser()) {
        if (asked->helpRequested()) {
            asked->printHelp(std::cout);
            return 0;
        }
    }
    if (parser.versionRequested()) {
        parser.printVersion(std::cout);
        return 0;
    }
    return -1;
}

} // namespace example
