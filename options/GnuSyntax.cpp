// The gnu rules: the conventions of getopt_long with argument permutation.
#include "options/detail/ParseTarget.h"

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
std::string suggestion(const NameIndex& names, std::string_view name) {
    std::string_view close;
    std::size_t closeCount = 0;
    for (const OptionPosition position : names.inNameOrder()) {
        const std::string_view candidate = names.longName(position);
        if (editDistance(name, candidate, 2) <= 2) {
            close = candidate;
            ++closeCount;
        }
    }
    return closeCount == 1 ? " (did you mean '--" + std::string(close) + "'?)" : std::string();
}

/// Reads the gnu rules over one command line, recording into a target.
class GnuParse {
public:
    GnuParse(const CommandWords& commandWords, ParseTarget& recorder) noexcept
        : words(commandWords), target(recorder) {}

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
        const NameIndex& names = target.names();
        OptionPosition position = names.findLong(name);
        if (position == noOption && !name.empty()) {
            const NameIndex::Range matches = names.withPrefix(name);
            if (matches.size() > 1) {
                std::string line = message(written, "is ambiguous:");
                for (const OptionPosition match : matches) {
                    line += (match == *matches.first ? " --" : ", --");
                    line += names.longName(match);
                }
                return target.fail(ParseErrorKind::ambiguousOption, written, line);
            }
            position = matches.size() == 1 ? *matches.first : noOption;
        }
        if (position == noOption) {
            return unknown(written, name.empty() ? std::string() : suggestion(names, name));
        }
        if (equals != std::string_view::npos) {
            if (!target.option(position).needArg) {
                return target.fail(ParseErrorKind::unexpectedArgument, written,
                                   message(written, "takes no value"));
            }
            return store(position, body.substr(equals + 1));
        }
        if (!target.option(position).needArg) {
            return named(position);
        }
        return storeNextWord(position, next) || missingValue(written);
    }

    bool shortOptions(std::string_view word, std::size_t& next) {
        for (std::size_t at = 1; at < word.size(); ++at) {
            const char letter = word[at];
            // NUL is the short name of options that have none.
            const OptionPosition position =
                letter != '\0' ? target.names().findShort(letter) : noOption;
            if (position == noOption) {
                return unknown(std::string{'-', letter}, std::string());
            }
            if (target.option(position).needArg) {
                const std::string_view rest = word.substr(at + 1);
                if (!rest.empty()) {
                    return store(position, rest);
                }
                return storeNextWord(position, next) || missingValue(std::string{'-', letter});
            }
            named(position);
        }
        return true;
    }

    bool named(OptionPosition position) {
        target.named(position);
        return true;
    }

    bool store(OptionPosition position, std::string_view value) {
        target.named(position);
        target.stored(position, value);
        return true;
    }

    /// Takes the word at `next`, whatever it looks like, as the value; false
    /// when there is none.
    bool storeNextWord(OptionPosition position, std::size_t& next) {
        return next != words.size() && store(position, words[next++]);
    }

    bool missingValue(std::string_view written) {
        return target.fail(ParseErrorKind::missingArgument, written,
                           message(written, "needs a value"));
    }

    bool unknown(std::string_view written, const std::string& hint) {
        return target.fail(ParseErrorKind::unknownOption, written,
                           target.program() + ": unknown option '" + std::string(written) + "'" +
                               hint);
    }

    /// "PROG: option 'WORD' " and `what`.
    std::string message(std::string_view written, const char* what) const {
        return target.program() + ": option '" + std::string(written) + "' " + what;
    }

    const CommandWords& words;
    ParseTarget& target;
};

} // namespace

bool parseGnu(const CommandWords& words, bool stopAtFirstArgument, ParseTarget& target) {
    GnuParse parse(words, target);
    bool optionsEnded = false;
    for (std::size_t next = 1; next < words.size();) {
        const std::string_view word = words[next++];
        if (optionsEnded || word.size() < 2 || word[0] != '-') {
            // A plain word, "-" or "": positional.
            target.positional(word);
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
