// The configuration layer: a parse reads its configuration file through the
// reader it was given, checks that every entry names a command and an option,
// and gives the options that neither the command line nor the environment
// gives the values of their entries.
#include "options/sources/ConfigFile.h"

#include "options/table/Commands.h"
#include "options/parse/ParseRun.h"
#include "options/messages/Suggestion.h"

#include <filesystem>
#include <system_error>

namespace conkit {

void OptionParser::setConfigFile(const std::string& optionName, const std::string& defaultPath,
                                 ConfigReader reader) {
    held->configFile = {optionName, defaultPath, reader};
}

namespace detail {

const std::string& ConfigFile::program() const noexcept {
    return owner.results.program;
}

bool ConfigFile::fail(ParseRun& run, const std::string& what) const {
    return run.fail(ParseErrorKind::badConfig, word, program() + ": " + what);
}

bool ConfigFile::read(ParseRun& run) {
    if (done) {
        return true;
    }
    done = true;
    // The path the command line gives, else the one the option's variable
    // gives, else the default, where a missing file is no error.
    std::string path;
    bool named = false;
    if (option != Names::none) {
        const Record& got = owner.results.record(option);
        if (got.from == ValueSource::commandLine && got.valueCount != 0) {
            path = owner.results.latestValue(option, std::string_view());
            named = true;
        } else if (got.from == ValueSource::none) {
            path = run.environmentText(owner.table[option]);
            word = "--" + owner.table[option].longName;
            named = !path.empty();
        }
    }
    if (!named) {
        path = owner.configFile.defaultPath;
        word.clear();
    }
    std::string error;
    if (path.empty() || owner.configFile.reader(path, given, error)) {
        return true;
    }
    given.clear();
    std::error_code unknown;
    const bool missing = !std::filesystem::exists(path, unknown) && !unknown;
    return (!named && missing) || fail(run, error);
}

namespace {

/// " (did you mean 'NAME'?)" when one option of `parser`, hidden ones left
/// out, has a long name or alias within two edits of `key` (its long name
/// when several of its names are), else "".
std::string suggestion(const ParserState& parser, std::string_view key) {
    return parser.withNames([&parser, key](const Names& names) {
        CloseMatch close(key);
        for (const Names::Entry& entry : names.entries()) {
            if (entry.abbreviable() && entry.kind != Names::Kind::negated) {
                close.consider(entry.text, parser.table[entry.option].longName);
            }
        }
        return close.found() ? " (did you mean '" + std::string(close.candidate()) + "'?)"
                             : std::string();
    });
}

/// The option of `parser` that the key of `entry` names, or Names::none.
std::uint32_t optionOf(const ParserState& parser, const ConfigEntry& entry) {
    return parser.withNames([&entry](const Names& names) { return names.findLong(entry.name); });
}

bool unknownOption(ParseRun& run, const ConfigFile& file, const ParserState& parser,
                   const ConfigEntry& entry) {
    return file.fail(run, entry.origin + ": unknown option '" + entry.name + "'" +
                              suggestion(parser, entry.name));
}

/// Gives the option of this parser that `entry` names the entry's values.
bool give(ParseRun& run, ParserState& state, const ConfigFile& file, const ConfigEntry& entry) {
    const std::uint32_t index = optionOf(state, entry);
    if (index == Names::none) {
        return unknownOption(run, file, state, entry);
    }
    if (state.results.record(index).from == ValueSource::commandLine ||
        !run.environmentText(state.table[index]).empty()) {
        return true; // the command line or the environment wins
    }
    for (const std::string& value : entry.values) {
        if (!run.fallback(index, value, entry.origin, ValueSource::configFile, file.program(),
                          true)) {
            return false;
        }
    }
    return true;
}

/// Checks `entry`, which is for a command of the parser `state` that has the
/// setting: each of its command names must name a command, and a command the
/// parse did not choose must have the option it names (its values are not
/// checked; a chosen command took its own entries).
bool check(ParseRun& run, const ParserState& state, const ConfigFile& file,
           const ConfigEntry& entry) {
    const ParserState* parser = &state;
    bool chosen = true;
    std::string_view rest = entry.command;
    while (!rest.empty()) {
        const std::size_t blank = rest.find(' ');
        const std::string_view name = rest.substr(0, blank);
        rest = blank == std::string_view::npos ? std::string_view() : rest.substr(blank + 1);
        const Command* command = commandNamed(parser->commands, name);
        if (command == nullptr) {
            // A table names a command as a key names an option.
            return file.fail(run, entry.origin + ": unknown option '" + std::string(name) + "'" +
                                      commandSuggestion(parser->commands, name));
        }
        chosen = chosen && command->chosen;
        parser = &command->parser.state();
    }
    return chosen || optionOf(*parser, entry) != Names::none ||
           unknownOption(run, file, *parser, entry);
}

} // namespace

bool applyConfigFile(ParseRun& run, ParserState& state, const ConfigScope& scope) {
    ConfigFile& file = *scope.file;
    if (!file.read(run)) {
        return false;
    }
    // The parser that has the setting checks the entries of every other parser.
    const bool checksOthers = scope.path.empty();
    for (const ConfigEntry& entry : file.entries()) {
        const bool ok = entry.command == scope.path ? give(run, state, file, entry)
                        : checksOthers              ? check(run, state, file, entry)
                                                    : true;
        if (!ok) {
            return false;
        }
    }
    return true;
}

} // namespace detail

} // namespace conkit
