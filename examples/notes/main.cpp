// notes: keeps short notes in a file, with commands to add, list, finish
// and remove them. Shows the rules a tool states in its table instead of
// checking them after the parse: a tag's characters and a date's form
// (check), a count and note numbers of at least 1 (atLeast, read with
// getOperand in Notes.cpp), its own usage errors (usageError, in
// Notes.cpp), and tags completed from the store that the line or notes.toml
// names, leaving out those the line already gives (a LineCompleter).
// notes_argparse.py is the same tool written with Python's argparse;
// tests/ExampleLineCount.cmake compares the lines between the markers of
// the two.
#include "notes/Notes.h"

#include "config/TomlConfig.h"
#include "options/OptionParser.h"

#include <optional>
#include <regex>

int main(int argc, char** argv) {
    // argument handling: begin
    static auto parser = conkit::OptionParser::tool("notes", "1.0", "Keep short notes in a file.");
    const auto tag = [](const std::string& text) -> std::string {
        const bool good = std::regex_match(text, std::regex("[A-Za-z0-9-]+"));
        return good ? "" : "expected letters, digits and '-'";
    };
    const auto date = [](const std::string& text) -> std::string {
        const bool good = std::regex_match(text, std::regex("[0-9]{4}-[0-9]{2}-[0-9]{2}"));
        return good ? "" : "expected a date as YYYY-MM-DD";
    };
    const auto storedTags = [](const conkit::OptionParser& line, const std::string& typed) {
        return notes::storedTags(parser.value("store"), typed, line.values("tag"));
    };
    parser.addOption('s', "store", true, "notes.tsv", "the file that keeps the notes");
    parser.describe("store").valueName("PATH");
    parser.addOption('\0', "format", true, "text", "how to print the notes listed");
    parser.describe("format").choices({"text", "json"});
    parser.addOption('q', "quiet", false, "", "print nothing but the notes listed");
    parser.setConfigFile("", "notes.toml", conkit::readTomlConfig);
    parser.setCommandRequired(true);
    conkit::OptionParser& add = parser.addCommand("add", "add a note");
    add.addOption('t', "tag", true, "", "tag the note with TAG (may be repeated)");
    add.describe("tag").check(tag).completeWith(storedTags);
    add.addOperand("TEXT", "the words of the note").repeated();
    conkit::OptionParser& list = parser.addCommand("list", "list the notes, oldest first");
    list.addOption('\0', "tag", true, "", "only the notes tagged TAG");
    list.describe("tag").check(tag).completeWith(storedTags);
    list.addOption('\0', "limit", true, "", "at most N notes");
    list.describe("limit").atLeast(1).valueName("N");
    list.addOption('\0', "since", true, "", "only the notes added on DATE or later");
    list.describe("since").check(date).valueName("DATE");
    conkit::OptionParser& done = parser.addCommand("done", "mark notes as done");
    done.addOperand("ID", "a note's number").repeated().atLeast(1);
    conkit::OptionParser& rm = parser.addCommand("rm", "remove notes");
    rm.addOption('f', "force", false, "", "remove notes that are not done, too");
    rm.addOperand("ID", "a note's number").repeated().atLeast(1);
    if (const std::optional<int> status = parser.parseAndAnswer(argc, argv)) {
        return *status;
    }
    // argument handling: end
    return notes::run(parser);
}
