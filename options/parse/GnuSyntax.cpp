// The gnu rules: the conventions of getopt_long with argument permutation,
// with optional values, "--no-" forms and aliases.
#include "options/parse/ParseRun.h"
#include "options/messages/Suggestion.h"
#include "options/table/ValueKind.h"

#include <algorithm>
#include <string>
#include <vector>

namespace conkit::detail {

namespace {

/// Reads the gnu rules over one command line, recording into a run.
class GnuParse {
public:
    GnuParse(const CommandWords& commandWords, ParseRun& recorder) noexcept
        : words(commandWords), run(recorder) {}

    /// `word`, a long option ("--name[=value]") or a bundle of short ones
    /// ("-abc"); `next` is the place of the following word, and moves past a
    /// value taken from it. False after recording an error.
    bool optionWord(std::string_view word, std::size_t& next) {
        return word[1] == '-' ? longOption(word, next) : shortOptions(word, next);
    }

private:
    bool longOption(std::string_view word, std::size_t& next) {
        const std::string_view body = word.substr(2);
        const std::size_t equals =
            static_cast<std::size_t>(std::find(body.begin(), body.end(), '=') - body.begin());
        const std::string_view name = body.substr(0, equals);
        const std::string_view written = word.substr(0, 2 + name.size());
        // "--" with an empty name is no abbreviation of every long name.
        const Names::Reading reading = name.empty() ? Names::Reading{} : run.names().read(name);
        if (reading.entry == nullptr) {
            return reading.matches > 1 ? ambiguous(written, name) : unknown(written, name);
        }
        const std::uint32_t index = reading.entry->option;
        const Option& option = run.option(index);
        const bool negated = reading.entry->kind == Names::Kind::negated;
        const ValueKind takes = negated ? ValueKind::none : valueKind(option);
        if (equals != body.size()) {
            if (takes == ValueKind::none) {
                return optionError(ParseErrorKind::unexpectedArgument, written, "takes no value");
            }
            return run.namedWithValue(index, body.substr(equals + 1), written);
        }
        if (negated) {
            run.negated(index);
            return true;
        }
        return takeValue(index, takes, written, next);
    }

    bool shortOptions(std::string_view word, std::size_t& next) {
        for (std::size_t at = 1; at < word.size(); ++at) {
            const std::string_view written = dashed(word[at]);
            const std::uint32_t index = run.findShortForm(word[at]);
            if (index == Names::none) {
                return unknown(written, std::string_view());
            }
            const ValueKind takes = valueKind(run.option(index));
            if (takes == ValueKind::none) {
                if (!run.named(index, written)) {
                    return false;
                }
                continue;
            }
            // The first option of a bundle that takes a value takes the rest
            // of the word.
            const std::string_view rest = word.substr(at + 1);
            if (!rest.empty()) {
                return run.namedWithValue(index, rest, written);
            }
            return takeValue(index, takes, written, next);
        }
        return true;
    }

    /// "-c" for the letter `c`, in a buffer that lives as long as the parse.
    std::string_view dashed(char c) noexcept {
        letter[1] = c;
        return std::string_view(letter, sizeof letter);
    }

    /// Names option `index`, written without an attached value: an option
    /// without a value is only named, an optional value is the implicit one,
    /// and a required value is the word at `next`, whatever it looks like.
    bool takeValue(std::uint32_t index, ValueKind takes, std::string_view written,
                   std::size_t& next) {
        if (takes == ValueKind::required) {
            if (next == words.size()) {
                return optionError(ParseErrorKind::missingArgument, written, "needs a value");
            }
            return run.namedWithValue(index, words[next++], written);
        }
        if (!run.named(index, written)) {
            return false;
        }
        if (takes == ValueKind::optional) {
            run.storedImplicit(index);
        }
        return true;
    }

    /// The error for a prefix of the names of several options, every name
    /// that begins with it listed in byte order.
    bool ambiguous(std::string_view written, std::string_view prefix) {
        std::string line = message(written, "is ambiguous:");
        const std::vector<std::string_view> names = run.names().beginningWith(prefix);
        for (std::size_t i = 0; i < names.size(); ++i) {
            line += i == 0 ? " --" : ", --";
            line += names[i];
        }
        return run.fail(ParseErrorKind::ambiguousOption, written, line);
    }

    /// The error for an option word that names nothing; a long name `name`
    /// gets " (did you mean '--NAME'?)" when the names within two edits of
    /// it are those of one option in one form: the one such name, or else
    /// the long name (or "no-" form) of that option.
    bool unknown(std::string_view written, std::string_view name) {
        std::string line = run.program() + ": unknown option '" + std::string(written) + "'";
        if (!name.empty()) {
            CloseMatch close(name);
            for (const Names::Entry& entry : run.names().entries()) {
                if (entry.abbreviable()) {
                    close.consider(entry.text, entry.kind == Names::Kind::negated
                                                   ? std::string_view(entry.text)
                                                   : run.option(entry.option).longName);
                }
            }
            if (close.found()) {
                line += " (did you mean '--" + std::string(close.candidate()) + "'?)";
            }
        }
        return run.fail(ParseErrorKind::unknownOption, written, line);
    }

    /// "PROG: option 'WORD' " and `what`.
    std::string message(std::string_view written, const char* what) const {
        return run.program() + ": option '" + std::string(written) + "' " + what;
    }

    /// Fails with `message(written, what)`. Out of line, so that building the
    /// error's text does not weigh on the paths that read options.
    CONKIT_NOINLINE bool optionError(ParseErrorKind kind, std::string_view written,
                                     const char* what) {
        return run.fail(kind, written, message(written, what));
    }

    const CommandWords& words;
    ParseRun& run;
    char letter[2] = {'-', '\0'};
};

/// The loop over the words. With `responseFiles` a template argument, a
/// parse without response files runs a loop that never looks for them.
template <bool responseFiles>
bool readWords(CommandWords& words, bool stopAtFirstArgument, ParseRun& run) {
    GnuParse parse(words, run);
    const bool commands = run.takesCommands();
    std::size_t next = 1;
    while (next < words.size()) {
        const std::size_t index = next++;
        const std::string_view word = words[index];
        if (word.size() < 2 || word[0] != '-') {
            if constexpr (responseFiles) {
                if (word.size() > 1 && word[0] == '@') {
                    // The file's words take the place of "@FILE" and are read next.
                    if (!run.readResponseFile(words, index)) {
                        return false;
                    }
                    next = index;
                    continue;
                }
            }
            // A plain word, "-" or "": positional, or the command's name.
            if (commands) {
                run.startsCommand(index);
                return true;
            }
            run.positional(word);
            if (stopAtFirstArgument) {
                break;
            }
        } else if (word == "--") {
            break;
        } else if (!parse.optionWord(word, next)) {
            return false;
        }
    }
    // The options have ended: every word left is positional.
    for (; next < words.size(); ++next) {
        if (commands) {
            run.startsCommand(next);
            return true;
        }
        run.positional(words[next]);
    }
    return true;
}

} // namespace

bool parseGnu(CommandWords& words, bool stopAtFirstArgument, ParseRun& run) {
    return run.readsResponseFiles() ? readWords<true>(words, stopAtFirstArgument, run)
                                    : readWords<false>(words, stopAtFirstArgument, run);
}

} // namespace conkit::detail
