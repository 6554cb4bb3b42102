// The classic rules: "--name", "-name" or "/name" with an optional "=value";
// the plain word after any option word is that option's value.
#include "options/parse/ParseRun.h"

#include <algorithm>

namespace conkit::detail {

namespace {

/// Length of the option prefix of `word`: 2 for "--", 1 for "-" or "/", 0 for a
/// plain word.
std::size_t prefixLength(std::string_view word) noexcept {
    if (word.size() >= 2 && word[0] == '-' && word[1] == '-') {
        return 2;
    }
    return !word.empty() && (word[0] == '-' || word[0] == '/') ? 1 : 0;
}

bool needArg(ParseRun& run, const Option& awaiting, std::string_view written) {
    return run.fail(run.lines().classicMissingArgument(written, awaiting.longName));
}

} // namespace

bool parseClassic(const CommandWords& given, ParseRun& run) {
    // A copy of the view that no store of the parse can reach, so that the
    // compiler keeps it in registers instead of reading it again per word.
    const CommandWords words = given;
    const bool commands = run.takesCommands();
    // Only a table with deprecated names has each option read checked.
    const bool watch = run.watchesNames();
    // The option named by the latest option word, as written, until a plain
    // word has been stored into it; `awaiting` while it still needs its
    // argument.
    std::uint32_t current = Names::none;
    std::string_view currentWord;
    bool awaiting = false;
    for (std::size_t i = 1; i < words.size(); ++i) {
        const std::string_view word = words[i];
        const std::size_t prefix = prefixLength(word);
        if (prefix == 0) {
            if (current != Names::none) {
                if (!run.stored(current, word, currentWord)) {
                    return false;
                }
                current = Names::none;
                awaiting = false;
            } else if (commands) {
                run.startsCommand(i);
                return true; // the rest is the command's
            } else {
                run.positional(word);
            }
            continue;
        }
        if (awaiting) {
            if (!needArg(run, run.option(current), currentWord)) {
                return false;
            }
            awaiting = false; // a lenient parse reads the option word on
        }
        const std::string_view body = word.substr(prefix);
        // A body of one letter, as in "-u", needs no search for the '='.
        const std::size_t equals =
            body.size() == 1 && body[0] != '='
                ? 1
                : static_cast<std::size_t>(std::find(body.begin(), body.end(), '=') - body.begin());
        const std::string_view name = body.substr(0, equals);
        current = run.find(name);
        currentWord = word.substr(0, prefix + name.size());
        if (current == Names::none) {
            if (!run.fail(run.lines().classicUnknownOption(currentWord, name))) {
                return false;
            }
            continue; // a lenient parse passes over it
        }
        if (CONKIT_UNLIKELY(watch)) {
            run.namedBy(current, name);
        }
        if (equals != body.size()) {
            if (!run.namedWithValue(current, body.substr(equals + 1), currentWord)) {
                return false;
            }
        } else {
            if (!run.named(current, currentWord)) {
                return false;
            }
            awaiting = valueKind(run.option(current)) != ValueKind::none &&
                       run.option(current).defaultValue.empty();
        }
    }
    // The words ran out while an option still needs its argument.
    if (awaiting && !needArg(run, run.option(current), currentWord)) {
        return false;
    }
    run.wordsEnded(current, false, currentWord, &words);
    return true;
}

} // namespace conkit::detail
