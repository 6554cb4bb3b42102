// One-string parsing: a few options defined from the input, then the rest of
// the input as a command line. parse(line) must leave exactly what
// parse(splitCommandLine(line)) leaves, and the help text must keep its
// columns whatever the names and help texts are.
#include "fuzz/FuzzSupport.h"

#include "options/OptionParser.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <string>
#include <vector>

namespace {

using conkit::OptionParser;

/// What a parse left behind, to compare two parses.
struct Snapshot {
    bool ok;
    std::string error;
    std::string help;
    std::vector<std::string> args;
    std::vector<std::string> values; // "name found value" per option
    bool operator==(const Snapshot& o) const {
        return ok == o.ok && error == o.error && help == o.help && args == o.args &&
               values == o.values;
    }
};

Snapshot snapshot(const OptionParser& parser, bool ok, const std::vector<std::string>& names) {
    Snapshot s{ok, parser.lastError(), parser.helpText(), {}, {}};
    for (std::size_t i = 0; i < parser.argCount(); ++i) {
        s.args.push_back(parser.arg(i));
    }
    for (const std::string& name : names) {
        const OptionParser::Option* option = parser.findOption(name);
        if (option != nullptr) {
            s.values.push_back(name + (option->found ? " 1 " : " 0 ") + option->value);
        }
    }
    return s;
}

bool isLetter(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

/// Every option line: the names (and default) as the layout rules build them,
/// then blanks up to column 24, or exactly one blank after a longer name
/// column, then the help text and the default note.
void checkHelpLayout(const OptionParser& parser, const std::vector<std::string>& names) {
    for (const std::string& name : names) {
        const OptionParser::Option* option = parser.findOption(name);
        if (option == nullptr || option->longName != name) {
            continue;
        }
        std::string column = "  ";
        if (isLetter(option->shortName)) {
            column += std::string("-") + option->shortName + ", --" + option->longName;
        } else {
            column += "    --" + option->longName;
        }
        if (!option->defaultValue.empty()) {
            column += "=" + option->defaultValue;
        }
        const std::size_t gap = column.size() < 24 ? 24 - column.size() : 1;
        std::string want = column + std::string(gap, ' ') + option->help;
        if (!option->defaultValue.empty()) {
            want += ". default is " + option->defaultValue;
        }
        FUZZ_CHECK(option->helpLine() == want);
        FUZZ_CHECK(parser.helpText().find("\n" + want + "\n") != std::string::npos);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    OptionParser byLine("%prog [options]", "fuzz 1.0");
    byLine.setErrorOutput(nullptr); // the lines are compared through lastError()
    byLine.addHelpOption();
    byLine.addOption('u', "user", true, "", "username");
    byLine.addOption('l', "level", true, 3, "level");
    byLine.addOption('7', "seven", false, "", "a digit short name");
    std::vector<std::string> names{"help", "user", "level", "seven", "h", "u", "l", "7"};
    const int extra = input.ConsumeIntegralInRange(0, 3);
    for (int i = 0; i < extra; ++i) {
        const char shortName = input.ConsumeIntegral<char>();
        std::string longName = input.ConsumeRandomLengthString(40);
        const bool needArg = input.ConsumeBool();
        const std::string defaultValue = input.ConsumeRandomLengthString(30);
        const std::string help = input.ConsumeRandomLengthString(60);
        if (byLine.addOption(shortName, longName, needArg, defaultValue, help)) {
            names.push_back(longName.empty() ? std::string(1, shortName) : longName);
        }
    }
    const std::string line = input.ConsumeRemainingBytesAsString();

    OptionParser byWords = byLine;
    const bool lineOk = byLine.parse(line);
    const bool wordsOk = byWords.parse(conkit::splitCommandLine(line));
    FUZZ_CHECK(snapshot(byLine, lineOk, names) == snapshot(byWords, wordsOk, names));
    // A parse fails silently only when the line holds no word at all.
    FUZZ_CHECK(lineOk || byLine.lastError().empty() == conkit::splitCommandLine(line).empty());
    checkHelpLayout(byLine, names);
    return 0;
}
