// Answering a completion request: reading the words of the line as the
// parse would, far enough to know what the last word is, and asking that
// option's or operand's completer for candidates.
#include "options/tool/CompletionRequest.h"

#include "options/parser/State.h"
#include "options/table/ValueKind.h"

#include <ostream>
#include <string>
#include <vector>

namespace conkit::detail {

namespace {

using Completer = OptionParser::Completer;

/// Where the words of a line stand when its last word is reached.
struct Place {
    const ParserState* level = nullptr;
    bool ended = false;
    /// The option whose value comes next, or Names::none.
    std::uint32_t pending = Names::none;
    /// The positional words of this level so far.
    std::size_t positional = 0;
    /// A word "@FILE" names a response file, as in the program's parse.
    bool responseFiles = false;
};

/// The option an option word (without its "=value") names at `level`, and
/// whether it takes the next word as its value; Names::none when it names
/// none.
std::uint32_t optionOf(const ParserState& level, std::string_view name) {
    return level.withNames([name](const Names& names) {
        const Names::Reading reading = names.read(name);
        return reading.entry != nullptr && reading.entry->kind != Names::Kind::negated
                   ? reading.entry->option
                   : Names::none;
    });
}

/// The option short name `c` names at `level`, or Names::none.
std::uint32_t shortOption(const ParserState& level, char c) {
    return level.withNames([c](const Names& names) { return names.findShort(c); });
}

/// Reads the option word `word` at `place`: sets the option whose value the
/// next word is, when it leaves one to come.
void readOptionWord(Place& place, std::string_view word) {
    const ParserState& level = *place.level;
    const bool classic = level.syntax == Syntax::classic;
    if (classic || word.compare(0, 2, "--") == 0) {
        std::string_view name = word.substr(word.compare(0, 2, "--") == 0 ? 2 : 1);
        if (name.find('=') != std::string_view::npos) {
            return;
        }
        const std::uint32_t option = classic ? level.index.find(name) : optionOf(level, name);
        if (option != Names::none &&
            (classic || valueKind(level.table[option]) == ValueKind::required)) {
            place.pending = option;
        }
        return;
    }
    // A bundle: the first option that takes a value takes the rest of it.
    for (std::size_t at = 1; at < word.size(); ++at) {
        const std::uint32_t option = shortOption(level, word[at]);
        if (option == Names::none || valueKind(level.table[option]) == ValueKind::optional) {
            return;
        }
        if (valueKind(level.table[option]) == ValueKind::required) {
            place.pending = at + 1 == word.size() ? option : Names::none;
            return;
        }
    }
}

/// Reads a word before the last one.
void readWord(Place& place, std::string_view word) {
    const bool classic = place.level->syntax == Syntax::classic;
    const bool optionWord = word.size() > 1 && (word[0] == '-' || (classic && word[0] == '/'));
    if (place.pending != Names::none) {
        place.pending = Names::none;
        // In the classic syntax an option word is never a value.
        if (!classic || !optionWord) {
            return;
        }
    }
    if (!place.ended && word == "--" && !classic) {
        place.ended = true;
    } else if (!place.ended && place.responseFiles && word.size() > 1 && word[0] == '@') {
        return; // its file is not read: it counts as no word, as in the scripts
    } else if (!place.ended && optionWord) {
        readOptionWord(place, word);
    } else {
        for (const Command& command : place.level->commands) {
            if (command.name == word) {
                place = Place{&command.parser.state(), false, Names::none, 0, place.responseFiles};
                return;
            }
        }
        ++place.positional;
        // The first positional word may end the options (gnu).
        place.ended = place.ended || (!classic && place.level->stopAtFirstArgument);
    }
}

/// The completer of the operand at positional word `at` of `level`: each
/// operand stands for one word, a repeated one for every word from its place
/// on; nullptr past the last.
Completer operandCompleter(const ParserState& level, std::size_t at) {
    if (!level.commands.empty()) {
        return nullptr;
    }
    for (const OptionParser::Operand& operand : level.operands) {
        const OptionParser::Operand::Description& described = operand.description();
        if (at == 0 || described.repeated) {
            return described.words.completer;
        }
        --at;
    }
    return nullptr;
}

/// The completer for the last word `word` at `place`, and in `typed` the
/// part of it that is the value typed so far.
Completer completerOf(const Place& place, std::string_view word, std::string& typed) {
    const ParserState& level = *place.level;
    typed.assign(word.data(), word.size());
    if (place.pending != Names::none) {
        return level.table[place.pending].description().completer;
    }
    if (!place.ended && word.size() > 1 && word[0] == '-') {
        const std::size_t equals = word.find('=');
        if (equals == std::string_view::npos || word.compare(0, 2, "--") != 0) {
            return nullptr;
        }
        const std::uint32_t option = optionOf(level, word.substr(2, equals - 2));
        typed.assign(word.substr(equals + 1));
        return option != Names::none ? level.table[option].description().completer : nullptr;
    }
    return operandCompleter(level, place.positional);
}

} // namespace

std::optional<int> answerCompletionRequest(const OptionParser& parser, int argc,
                                           const char* const* argv, std::ostream& out) {
    const std::string word = "--" + std::string(completionRequestOption) + "=";
    if (argc < 3 || argv == nullptr || argv[1] == nullptr || argv[2] == nullptr ||
        std::string_view(argv[1]).substr(0, word.size()) != word ||
        std::string_view(argv[2]) != "--" ||
        parser.findOption(std::string(completionRequestOption)) == nullptr) {
        return std::nullopt;
    }
    // The line's words follow "--", the program's own word first.
    Place place{&parser.state(), false, Names::none, 0,
                parser.syntax() == Syntax::gnu && parser.state().responseFiles};
    const int last = argc - 1;
    for (int i = 4; i < last && argv[i] != nullptr; ++i) {
        readWord(place, argv[i]);
    }
    std::string typed;
    const Completer complete =
        last >= 4 && argv[last] != nullptr ? completerOf(place, argv[last], typed) : nullptr;
    if (complete != nullptr) {
        for (const std::string& candidate : complete(typed)) {
            out << candidate << '\n';
        }
    }
    out.flush();
    return 0;
}

} // namespace conkit::detail
