// OptionParser: the entry points of parsing, and the recording of its results
// that both syntaxes share.
#include "options/OptionParser.h"

#include "options/detail/ParseRun.h"
#include "options/detail/PathName.h"
#include "options/detail/ShortText.h"

#include <algorithm>
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
    if (words.size() == 0) {
        latest.prog.clear();
        return false;
    }
    // Room for the texts of a usual command line, so that a first parse needs
    // few allocations and later ones none.
    if (latest.text.size() < 16 * words.size()) {
        latest.text.resize(16 * words.size());
    }
    latest.arguments.reserve(words.size());
    detail::ParseRun run(*this);
    run.setProgram(words[0]);
    return syntaxRules == Syntax::gnu ? detail::parseGnu(words, stopAtFirstArgument, run)
                                      : detail::parseClassic(words, run);
}

namespace detail {

void ParseRun::setProgram(std::string_view path) {
    const std::string_view name = lastPathComponent(path);
    if (!sameText(parser.latest.prog, name)) { // usually the same as in the last parse
        assignText(parser.latest.prog, name);
    }
}

void ParseRun::grow(std::size_t more) {
    std::string& text = parser.latest.text;
    text.resize(std::max(parser.latest.used + more, 2 * text.size()));
}

bool ParseRun::fail(ParseErrorKind kind, std::string_view optionWord, std::string line) {
    parser.latest.errorKind = kind;
    parser.latest.errorWord.assign(optionWord.data(), optionWord.size());
    parser.latest.errorLine = std::move(line);
    if (parser.errorOutput != nullptr) {
        *parser.errorOutput << parser.latest.errorLine << std::endl;
    }
    return false;
}

} // namespace detail

} // namespace conkit
