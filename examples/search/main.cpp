// search: prints the lines of files that hold a pattern, as a small grep
// does. Shows a whole Unix tool's command line set up by OptionParser::tool
// and answered by parseAndAnswer: operands, an exclusive pair, a range, an
// optional --color[=WHEN] with choices, an alias, a deprecated alias and an
// environment fallback, help, version, errors, man page and completion
// scripts. cli11.cpp is the
// same tool written with CLI11; tests/ExampleLineCount.cmake compares the
// lines between the markers of the two. It speaks the language of its user
// (search/Language.h: gettext, as every Unix tool).
#include "search/Language.h"
#include "search/Search.h"

#include "options/OptionParser.h"

#include <optional>

int main(int argc, char** argv) {
    search::useTheUsersLanguage();
    // argument handling: begin
    auto parser = conkit::OptionParser::tool("search", "2.0",
                                             _("Print the lines of each FILE that hold PATTERN."));
    parser.setTranslator(search::translator);
    parser.addOperand("PATTERN", _("the text to look for"));
    parser.addOperand("FILE", _("a file to read (standard input when none)")).optional().repeated();
    parser.addOption('i', "ignore-case", false, "", _("let letters match in either case"));
    parser.addOption('n', "number", false, "", _("print the line number before each line"));
    parser.describe("number").deprecatedAlias("line-number"); // its name in 1.x
    parser.addOption('c', "count", false, "", _("print only how many lines were selected"));
    parser.addOption('v', "invert-match", false, "", _("select the lines without PATTERN"));
    parser.addOption('q', "quiet", false, "", _("print nothing; the exit status tells"));
    parser.exclusive({"count", "quiet"});
    parser.addOption('m', "max-count", true, "", _("stop reading a file after NUM selected lines"));
    parser.describe("max-count").range(1, 1000000).valueName("NUM");
    parser.addOption('\0', "color", true, "never", _("mark the text found in each line"));
    parser.describe("color").optionalValue("always").choices({"always", "never", "auto"});
    parser.describe("color").valueName("WHEN").alias("colour").env("SEARCH_COLOR");
    parser.setFooter(_("Exit status: 0 when a line was selected, 1 when none was, 2 on errors."));
    if (const std::optional<int> status = parser.parseAndAnswer(argc, argv)) {
        return *status;
    }
    search::Settings settings{
        parser.operand("PATTERN"), parser.operands("FILE"), parser.isSet('i'), parser.isSet('n'),
        parser.isSet('c'),         parser.isSet('v'),       parser.isSet('q'), 0,
        parser.value("color")};
    parser.getValue("max-count", settings.maxCount);
    // argument handling: end
    return search::run(settings);
}
