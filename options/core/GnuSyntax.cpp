// The gnu rules: the conventions of getopt_long with argument permutation,
// with optional values, "--no-" forms and aliases.
#include "options/core/ParseRun.h"
#include "options/core/ShortText.h"
#include "options/core/Suggestion.h"

#include <algorithm>
#include <string>
#include <vector>

namespace conkit::detail {

namespace {

/// A long name that a "--" word named: the option, and whether it was its
/// "--no-" form.
struct LongMatch {
    Option* option = nullptr;
    bool negated = false;
};

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
        const std::size_t equals = body.find('=');
        const std::string_view name = body.substr(0, equals);
        const std::string_view written = word.substr(0, 2 + name.size());
        LongMatch match = exactly(name);
        if (match.option == nullptr && !name.empty()) {
            match = byPrefix(name);
            if (match.option == nullptr && matches > 1) {
                return ambiguous(written, name);
            }
        }
        if (match.option == nullptr) {
            return unknown(written, name.empty() ? std::string() : suggestion(name));
        }
        Option& option = *match.option;
        if (equals != std::string_view::npos) {
            if (!option.needArg || match.negated) {
                return run.fail(ParseErrorKind::unexpectedArgument, written,
                                message(written, "takes no value"));
            }
            return run.named(option, written) &&
                   run.stored(option, body.substr(equals + 1), written);
        }
        if (match.negated) {
            ParseRun::negated(option);
            return true;
        }
        if (!option.needArg) {
            return run.named(option, written);
        }
        if (option.description().optionalValue) {
            return implicit(option, written);
        }
        return storeNextWord(option, written, next);
    }

    bool shortOptions(std::string_view word, std::size_t& next) {
        for (std::size_t at = 1; at < word.size(); ++at) {
            const char letter = word[at];
            Option* option = run.findShortForm(letter);
            const char dashed[] = {'-', letter};
            const std::string_view written(dashed, sizeof dashed);
            if (option == nullptr) {
                return unknown(written, std::string());
            }
            if (!option->needArg) {
                if (!run.named(*option, written)) {
                    return false;
                }
                continue;
            }
            // The first option of a bundle that takes a value takes the rest
            // of the word.
            const std::string_view rest = word.substr(at + 1);
            if (!rest.empty()) {
                return run.named(*option, written) && run.stored(*option, rest, written);
            }
            if (option->description().optionalValue) {
                return implicit(*option, written);
            }
            return storeNextWord(*option, written, next);
        }
        return true;
    }

    /// The option whose long name, alias or "no-" form is exactly `name`;
    /// long names win over aliases, and aliases over "no-" forms.
    LongMatch exactly(std::string_view name) {
        if (Option* option = run.findLong(name)) {
            return {option, false};
        }
        if (beginsWith(name, "no-")) {
            Option* option = findLongIn(run.options(), name.substr(3));
            if (option != nullptr && sameText(option->longName, name.substr(3)) &&
                option->description().negatable && !option->needArg) {
                return {option, true};
            }
        }
        return {};
    }

    /// The one option that every long name beginning with `prefix` belongs
    /// to (in the same form); none when no name or names of several options
    /// begin with it, `matches` telling which.
    LongMatch byPrefix(std::string_view prefix) {
        LongMatch match;
        matches = 0;
        forEachLongName(run.options(), [&](Option& option, std::string_view name, bool negated) {
            if (!beginsWith(name, prefix)) {
                return;
            }
            if (matches == 0 || match.option != &option || match.negated != negated) {
                ++matches;
            }
            match = {&option, negated};
        });
        return matches == 1 ? match : LongMatch{};
    }

    /// Names `option` and gives it its implicit value.
    bool implicit(Option& option, std::string_view written) {
        if (!run.named(option, written)) {
            return false;
        }
        run.storedImplicit(option);
        return true;
    }

    /// Names `option` and takes the word at `next`, whatever it looks like,
    /// as its value.
    bool storeNextWord(Option& option, std::string_view written, std::size_t& next) {
        if (next == words.size()) {
            return run.fail(ParseErrorKind::missingArgument, written,
                            message(written, "needs a value"));
        }
        return run.named(option, written) && run.stored(option, words[next++], written);
    }

    /// " (did you mean '--NAME'?)" when exactly one long name is within two
    /// edits of `name`, else "".
    std::string suggestion(std::string_view name) {
        std::vector<std::string> names;
        forEachLongName(run.options(), [&](Option&, std::string_view candidate, bool) {
            names.emplace_back(candidate);
        });
        CloseMatch close(name);
        for (const std::string& candidate : names) {
            close.consider(candidate);
        }
        return close.found() ? " (did you mean '--" + std::string(close.candidate()) + "'?)"
                             : std::string();
    }

    /// The error for a prefix of the names of several options, every name
    /// that begins with it listed in long-name order.
    bool ambiguous(std::string_view written, std::string_view prefix) {
        std::vector<std::string> names;
        forEachLongName(run.options(), [&](Option&, std::string_view name, bool) {
            if (beginsWith(name, prefix)) {
                names.emplace_back(name);
            }
        });
        std::sort(names.begin(), names.end());
        std::string line = message(written, "is ambiguous:");
        for (std::size_t i = 0; i < names.size(); ++i) {
            line += i == 0 ? " --" : ", --";
            line += names[i];
        }
        return run.fail(ParseErrorKind::ambiguousOption, written, line);
    }

    bool unknown(std::string_view written, const std::string& hint) {
        return run.fail(ParseErrorKind::unknownOption, written,
                        run.program() + ": unknown option '" + std::string(written) + "'" + hint);
    }

    /// "PROG: option 'WORD' " and `what`.
    std::string message(std::string_view written, const char* what) const {
        return run.program() + ": option '" + std::string(written) + "' " + what;
    }

    const CommandWords& words;
    ParseRun& run;
    /// How many options the latest `byPrefix` found.
    std::size_t matches = 0;
};

} // namespace

bool parseGnu(const CommandWords& words, bool stopAtFirstArgument, ParseRun& run) {
    GnuParse parse(words, run);
    bool optionsEnded = false;
    for (std::size_t next = 1; next < words.size();) {
        const std::size_t index = next++;
        const std::string_view word = words[index];
        if (optionsEnded || word.size() < 2 || word[0] != '-') {
            // A plain word, "-" or "": positional, or the command's name.
            if (run.startsCommand(index)) {
                return true;
            }
            run.positional(word);
            optionsEnded = optionsEnded || stopAtFirstArgument;
        } else if (word == "--") {
            optionsEnded = true;
        } else if (!parse.optionWord(word, next)) {
            return false;
        }
    }
    return true;
}

} // namespace conkit::detail
