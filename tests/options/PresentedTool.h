// A parser that uses everything the gnu help and the man page present, for
// the tests of both.
#pragma once

#include "options/OptionParser.h"

#include <string>
#include <vector>

namespace conkit_test {

/// "grab", a search tool: sections, aliases, a negatable option, optional
/// values, choices, defaults, an environment fallback, a required option, a
/// hidden one, short-only options, a digit and a non-ASCII short name, an
/// entry too long for its column, and commands. Parsed as
/// "/usr/bin/grab --help", so that the program name is set.
inline conkit::OptionParser presentedTool() {
    conkit::OptionParser parser("", "grab 2.1");
    parser.setSyntax(conkit::Syntax::gnu);
    parser.setErrorOutput(nullptr);
    parser.setDescription("Search each FILE for lines that match PATTERN.  \n"
                          "  Reads standard input when there is no FILE.\n\n");
    parser.setFooter("\nReport bugs at <https://example.org/grab/issues>.");
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addOption('e', "pattern", true, "", "the pattern to search for");
    parser.describe("pattern").required().env("GRAB_PATTERN");
    parser.addOption('c', "color", true, "auto", "when to color the output");
    parser.describe("color")
        .optionalValue("always")
        .valueName("WHEN")
        .choices({"always", "never", "auto"})
        .alias("colour")
        .section("Output");
    parser.addOption('q', "quiet", false, "", "print nothing, only set the exit status");
    parser.describe("quiet").negatable().section("Output");
    parser.addOption('\0', "field-separator", true, " ",
                     "what stands between the file name and the line");
    parser.describe("field-separator").valueName("TEXT").section("Output");
    parser.addOption('9', "fast", false, "", "trade memory for speed");
    parser.addOption('\xE9', "fold-accented-letters", false, "",
                     "fold \xc3\xa9, \xc3\xa8, \xc3\xaa and \xc3\xab to e, \xc3\xa7 to c");
    parser.addOption('x', "", false, "", "match whole lines only");
    parser.addOption('m', "", true, "", "stop after NUM matching lines");
    parser.describe("m").valueName("NUM");
    parser.addOption('j', "", true, "", "search with N threads");
    parser.describe("j").optionalValue("4").valueName("N");
    parser.addOption('\0', "trace", false, "", "print the internal state");
    parser.describe("trace").hidden();
    parser.addCommand("index", "build an index of the files first, so that later searches go "
                               "faster");
    parser.addCommand("list", "list the files that would be searched");
    parser.parse(std::vector<std::string>{"/usr/bin/grab", "--help"});
    return parser;
}

} // namespace conkit_test
