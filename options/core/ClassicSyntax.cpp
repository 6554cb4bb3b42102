// The classic rules: "--name", "-name" or "/name" with an optional "=value";
// the plain word after any option word is that option's value.
#include "options/core/ParseRun.h"

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

/// Position of the first '=' in `body`, or npos. Option names are short, so a
/// plain loop beats a call to memchr.
std::size_t findEquals(std::string_view body) noexcept {
    for (std::size_t i = 0; i < body.size(); ++i) {
        if (body[i] == '=') {
            return i;
        }
    }
    return std::string_view::npos;
}

// The errors are built out of line: their strings inlined would crowd the
// registers of the loop over the words.

CONKIT_NOINLINE bool needArg(ParseRun& run, const Option& awaiting, std::string_view written) {
    return run.fail(ParseErrorKind::missingArgument, written,
                    "--" + awaiting.longName + " need arg.");
}

CONKIT_NOINLINE bool unknownOption(ParseRun& run, std::string_view written, std::string_view name) {
    return run.fail(ParseErrorKind::unknownOption, written, "invalid option: " + std::string(name));
}

} // namespace

bool parseClassic(const CommandWords& words, ParseRun& run) {
    // The option named by the latest option word, as written, until a plain
    // word has been stored into it; `awaiting` while it still needs its
    // argument.
    Option* current = nullptr;
    std::string_view currentWord;
    bool awaiting = false;
    for (std::size_t i = 1; i < words.size(); ++i) {
        const std::string_view word = words[i];
        const std::size_t prefix = prefixLength(word);
        if (prefix == 0) {
            if (current != nullptr) {
                if (!run.stored(*current, word, currentWord)) {
                    return false;
                }
                current = nullptr;
                awaiting = false;
            } else if (run.startsCommand(i)) {
                return true; // the rest is the command's
            } else {
                run.positional(word);
            }
            continue;
        }
        if (awaiting) {
            return needArg(run, *current, currentWord);
        }
        // Cut by hand: substr would check bounds that hold by construction.
        const std::string_view body(word.data() + prefix, word.size() - prefix);
        const std::size_t equals = findEquals(body);
        const std::string_view name(body.data(), std::min(equals, body.size()));
        current = run.find(name);
        currentWord = std::string_view(word.data(), prefix + name.size());
        if (current == nullptr) {
            return unknownOption(run, currentWord, name);
        }
        if (!run.named(*current, currentWord)) {
            return false;
        }
        if (equals != std::string_view::npos) {
            if (!run.stored(*current,
                            std::string_view(body.data() + equals + 1, body.size() - equals - 1),
                            currentWord)) {
                return false;
            }
        } else {
            awaiting = current->needArg && current->defaultValue.empty();
        }
    }
    // The words ran out while an option still needs its argument.
    return awaiting ? needArg(run, *current, currentWord) : true;
}

} // namespace conkit::detail
