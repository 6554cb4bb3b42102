// The gnu rules: the conventions of getopt_long with argument permutation,
// with optional values, "--no-" forms and aliases.
#include "options/parse/ParseRun.h"
#include "options/sources/ResponseFiles.h"
#include "options/table/ValueKind.h"

#include <algorithm>
#include <string>
#include <vector>

namespace conkit::detail {

namespace {

/// The number of words `words` holds: all of them for a command line's view,
/// and for response words as many as are there to read.
bool hasWord(const CommandWords& words, std::size_t index) noexcept {
    return index < words.size();
}
bool hasWord(ResponseWords& words, std::size_t index) {
    return words.has(index);
}

/// Reads the gnu rules over one command line, recording into a run. Over
/// the response words, the careful loop's, each option read is handed to
/// the run's check for deprecated names when the table has any.
template <class Words> class GnuParse {
public:
    GnuParse(Words& commandWords, ParseRun& recorder) noexcept
        : words(commandWords), run(recorder) {}

    /// `word`, a long option ("--name[=value]") or a bundle of short ones
    /// ("-abc"); `next` is the place of the following word, and moves past a
    /// value taken from it. False after recording an error.
    bool optionWord(std::string_view word, std::size_t& next) {
        return word[1] == '-' ? longOption(word, next) : shortOptions(word, next);
    }

    /// The option whose value the word after the last would be, in a
    /// lenient parse; Names::none when there is none.
    std::uint32_t pending = Names::none;

private:
    bool longOption(std::string_view word, std::size_t& next) {
        const std::string_view body = word.substr(2);
        const std::size_t equals =
            static_cast<std::size_t>(std::find(body.begin(), body.end(), '=') - body.begin());
        const std::string_view name = body.substr(0, equals);
        const std::string_view written = word.substr(0, 2 + name.size());
        // "--" with an empty name is no abbreviation of every long name.
        const Names::Reading reading = name.empty() ? Names::Reading{} : run.read(name);
        if (reading.entry == nullptr) {
            return reading.matches > 1 ? ambiguous(written, name) : unknown(written, name);
        }
        const std::uint32_t index = reading.entry->option;
        if (careful && run.watchesNames()) {
            run.namedBy(index, name);
        }
        const Option& option = run.option(index);
        const bool negated = reading.entry->kind == Names::Kind::negated;
        const ValueKind takes = negated ? ValueKind::none : valueKind(option);
        if (equals != body.size()) {
            if (takes == ValueKind::none) {
                return optionError(written, false);
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
            if (careful && run.watchesNames()) {
                run.namedBy(index, std::string_view());
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
            if (!hasWord(words, next)) {
                if (run.lenient()) {
                    pending = index; // the next word, being completed, is its value
                    return true;
                }
                return optionError(written, true);
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
    /// that begins with it listed in byte order. Out of line, as the errors
    /// below: their texts would crowd the registers of the loop over the
    /// words.
    CONKIT_NOINLINE bool ambiguous(std::string_view written, std::string_view prefix) {
        return run.fail(run.lines().ambiguousOption(written, run.names().beginningWith(prefix)));
    }

    /// The error for an option word that names nothing; a long name `name`
    /// gets the suggestion closeName finds.
    CONKIT_NOINLINE bool unknown(std::string_view written, std::string_view name) {
        const std::string close =
            name.empty() ? std::string()
                         : closeName(run.names(), run.parser().table.options, name, true);
        return run.fail(run.lines().unknownOption(written, close.empty() ? close : "--" + close));
    }

    /// Fails for option word `written`, which needs a value it did not get
    /// (`missing`) or got one it takes none of. Out of line, so that building
    /// the error's text does not weigh on the paths that read options.
    CONKIT_NOINLINE bool optionError(std::string_view written, bool missing) {
        const Lines lines = run.lines();
        return run.fail(missing ? lines.missingArgument(written)
                                : lines.unexpectedArgument(written));
    }

    static constexpr bool careful = std::is_same_v<Words, ResponseWords>;
    Words& words;
    ParseRun& run;
    char letter[2] = {'-', '\0'};
};

/// The loop over the words. With `Words` the response words, the careful
/// loop, a parse reads "@FILE" words as response files (when it takes them)
/// and warns of deprecated names; with the plain view, a parse that does
/// neither runs a loop that never looks for them.
template <class Words> bool readWords(Words& words, bool stopAtFirstArgument, ParseRun& run) {
    constexpr bool careful = std::is_same_v<Words, ResponseWords>;
    GnuParse<Words> parse(words, run);
    const bool commands = run.takesCommands();
    std::size_t next = 1;
    bool ended = false;
    while (hasWord(words, next)) {
        const std::size_t index = next++;
        const std::string_view word = words[index];
        if (word.size() < 2 || word[0] != '-') {
            if constexpr (careful) {
                if (word.size() > 1 && word[0] == '@' && run.readsResponseFiles()) {
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
                ended = true;
                break;
            }
        } else if (word == "--") {
            ended = true;
            break;
        } else if (!parse.optionWord(word, next)) {
            return false;
        }
    }
    // The options have ended: every word left is positional.
    for (; hasWord(words, next); ++next) {
        if (commands) {
            run.startsCommand(next);
            return true;
        }
        run.positional(words[next]);
    }
    run.wordsEnded(parse.pending, ended);
    return true;
}

/// The careful loop over `words`, which then views the words read. Out of
/// line: most parses have neither response files nor deprecated names.
CONKIT_NOINLINE bool readCarefully(CommandWords& words, bool stopAtFirstArgument, ParseRun& run) {
    ResponseWords& read = run.responseWords(words);
    if (!readWords(read, stopAtFirstArgument, run)) {
        return false;
    }
    words = read.from(0);
    return true;
}

} // namespace

bool parseGnu(CommandWords& words, bool stopAtFirstArgument, ParseRun& run) {
    if (CONKIT_UNLIKELY(run.watchesNames() || run.readsResponseFiles())) {
        return readCarefully(words, stopAtFirstArgument, run);
    }
    return readWords(words, stopAtFirstArgument, run);
}

} // namespace conkit::detail
