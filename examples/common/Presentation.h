// What every example prints on request besides its own work: its completion
// scripts and its man page.
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
    const std::string shell = parser.value("completion");
    if (!parser.isSet("completion")) {
        return false;
    }
    std::cout << (shell == "zsh"    ? parser.zshCompletion(program)
                  : shell == "fish" ? parser.fishCompletion(program)
                                    : parser.bashCompletion(program));
    return true;
}

} // namespace example
