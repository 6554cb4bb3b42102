// The gnu rules: the conventions of getopt_long with argument permutation.
#include "options/detail/ParseRun.h"
#include "options/detail/ShortText.h"

#include <algorithm>
#include <vector>

namespace conkit::detail {

namespace {

/// The number of single-character insertions, deletions and substitutions
/// that turn `a` into `b`, or `limit` + 1 when that is more than `limit`.
std::size_t editDistance(std::string_view a, std::string_view b, std::size_t limit) {
    if ((a.size() > b.size() ? a.size() - b.size() : b.size() - a.size()) > limit) {
        return limit + 1;
    }
    // One row of the classic table: row[j] is the distance from the part of
    // `a` seen so far to the first j characters of `b`.
    std::vector<std::size_t> row(b.size() + 1);
    for (std::size_t j = 0; j <= b.size(); ++j) {
        row[j] = j;
    }
    for (std::size_t i = 1; i <= a.size(); ++i) {
        std::size_t diagonal = row[0];
        row[0] = i;
        for (std::size_t j = 1; j <= b.size(); ++j) {
            const std::size_t above = row[j];
            row[j] = std::min({above + 1, row[j - 1] + 1, diagonal + (a[i - 1] != b[j - 1])});
            diagonal = above;
        }
    }
    return std::min(row[b.size()], limit + 1);
}

/// " (did you mean '--NAME'?)" when exactly one long name is within two
/// edits of `name`, else "".
std::string suggestion(ParseRun& run, std::string_view name) {
    std::string_view close;
    std::size_t closeCount = 0;
    for (const ParseRun::Option& option : run.options()) {
        if (editDistance(name, option.longName, 2) <= 2) {
            close = option.longName;
            ++closeCount;
        }
    }
    return closeCount == 1 ? " (did you mean '--" + std::string(close) + "'?)" : std::string();
}

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
        ParseRun::Option* option = run.findLong(name);
        if (option == nullptr && !name.empty()) {
            // A unique prefix of a long name names that option.
            std::size_t matches = 0;
            for (ParseRun::Option& candidate : run.options()) {
                if (beginsWith(candidate.longName, name)) {
                    option = &candidate;
                    ++matches;
                }
            }
            if (matches > 1) {
                return ambiguous(written, name);
            }
        }
        if (option == nullptr) {
            return unknown(written, name.empty() ? std::string() : suggestion(run, name));
        }
        if (equals != std::string_view::npos) {
            if (!option->needArg) {
                return run.fail(ParseErrorKind::unexpectedArgument, written,
                                message(written, "takes no value"));
            }
            return store(*option, body.substr(equals + 1));
        }
        if (!option->needArg) {
            return named(*option);
        }
        return storeNextWord(*option, next) || missingValue(written);
    }

    bool shortOptions(std::string_view word, std::size_t& next) {
        for (std::size_t at = 1; at < word.size(); ++at) {
            const char letter = word[at];
            ParseRun::Option* option = run.findShortForm(letter);
            if (option == nullptr) {
                return unknown(std::string{'-', letter}, std::string());
            }
            if (option->needArg) {
                const std::string_view rest = word.substr(at + 1);
                if (!rest.empty()) {
                    return store(*option, rest);
                }
                return storeNextWord(*option, next) || missingValue(std::string{'-', letter});
            }
            named(*option);
        }
        return true;
    }

    static bool named(ParseRun::Option& option) {
        ParseRun::named(option);
        return true;
    }

    bool store(ParseRun::Option& option, std::string_view value) {
        ParseRun::named(option);
        run.stored(option, value);
        return true;
    }

    /// Takes the word at `next`, whatever it looks like, as the value; false
    /// when there is none.
    bool storeNextWord(ParseRun::Option& option, std::size_t& next) {
        return next != words.size() && store(option, words[next++]);
    }

    /// The error for a prefix of several long names, listed in long-name order.
    bool ambiguous(std::string_view written, std::string_view prefix) {
        std::vector<std::string_view> names;
        for (const ParseRun::Option& option : run.options()) {
            if (beginsWith(option.longName, prefix)) {
                names.emplace_back(option.longName);
            }
        }
        std::sort(names.begin(), names.end());
        std::string line = message(written, "is ambiguous:");
        for (std::size_t i = 0; i < names.size(); ++i) {
            line += i == 0 ? " --" : ", --";
            line += names[i];
        }
        return run.fail(ParseErrorKind::ambiguousOption, written, line);
    }

    bool missingValue(std::string_view written) {
        return run.fail(ParseErrorKind::missingArgument, written,
                        message(written, "needs a value"));
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
};

} // namespace

bool parseGnu(const CommandWords& words, bool stopAtFirstArgument, ParseRun& run) {
    GnuParse parse(words, run);
    bool optionsEnded = false;
    for (std::size_t next = 1; next < words.size();) {
        const std::string_view word = words[next++];
        if (optionsEnded || word.size() < 2 || word[0] != '-') {
            // A plain word, "-" or "": positional.
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
