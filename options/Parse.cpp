// OptionParser: the entry points of parsing and the results a parse records.
#include "options/OptionParser.h"

#include "options/ShortText.h"
#include "options/detail/CommandWords.h"
#include "options/detail/ParseTarget.h"
#include "options/detail/PathName.h"

#include <ostream>
#include <utility>

namespace conkit {

bool OptionParser::parse(int argc, const char* const* argv) {
    // The words end at argc or at a null entry, whichever comes first.
    const std::size_t limit = argv != nullptr && argc > 0 ? static_cast<std::size_t>(argc) : 0;
    std::size_t count = 0;
    while (count < limit && argv[count] != nullptr) {
        ++count;
    }
    return parseWords(detail::CommandWords(argv, count));
}

bool OptionParser::parse(const std::vector<std::string>& words) {
    return parseWords(detail::CommandWords(words));
}

bool OptionParser::parse(const std::string& line) {
    return parse(splitCommandLine(line));
}

bool OptionParser::parseWords(const detail::CommandWords& words) {
    // As reset() does; the program name is replaced below.
    clearResults();
    refreshIndex();
    if (words.size() == 0) {
        prog.clear();
        return false;
    }
    latest.reserve(words.size());
    detail::ParseTarget target(*this);
    target.setProgram(words[0]);
    const bool accepted = syntaxRules == Syntax::gnu
                              ? detail::parseGnu(words, stopAtFirstArgument, target)
                              : detail::parseClassic(words, target);
    target.finish();
    return accepted;
}

namespace detail {

void ParseTarget::setProgram(std::string_view path) {
    const std::string_view name = lastPathComponent(path);
    if (!sameText(parser.prog, name)) { // usually the same as in the previous parse
        parser.prog.assign(name);
    }
}

void ParseTarget::flushPending() {
    std::string_view last;
    if (parser.latest.lastValueOf(pendingOption, last)) {
        std::string& value = parser.entry(pendingOption).value;
        if (!sameText(value, last)) { // parsing the same words again writes nothing
            value.assign(last);
        }
    }
    pendingOption = noOption;
}

bool ParseTarget::fail(ParseErrorKind kind, std::string_view optionWord, std::string line) {
    parser.errorKindOf = kind;
    parser.errorWord.assign(optionWord);
    parser.errorLine = std::move(line);
    if (parser.errorOutput != nullptr) {
        *parser.errorOutput << parser.errorLine << std::endl;
    }
    return false;
}

} // namespace detail

} // namespace conkit
