// The configuration layer: a parse reads its configuration file through the
// reader it was given, checks that every entry names a command and an option,
// and gives the options that neither the command line nor the environment
// gives the values of their entries.
#include "options/core/ConfigFile.h"

#include "options/core/ParseRun.h"
#include "options/core/Suggestion.h"

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

/// The long name of the one option of `table`, hidden ones left out, that
/// has a long name or alias within two edits of `key`; "" when none or
/// several have.
std::string_view closeOption(const Table& table, std::string_view key) {
    const Option* close = nullptr;
    for (const Option& option : table) {
        if (option.description().hidden) {
            continue;
        }
        bool near = editDistance(key, option.longName, 2) <= 2;
        for (const std::string& alias : option.description().aliases) {
            near = near || editDistance(key, alias, 2) <= 2;
        }
        if (near) {
            if (close != nullptr) {
                return std::string_view();
            }
            close = &option;
        }
    }
    return close != nullptr ? std::string_view(close->longName) : std::string_view();
}

/// " (did you mean 'NAME'?)" for a suggestion, else "".
std::string didYouMean(std::string_view suggestion) {
    return suggestion.empty() ? std::string()
                              : " (did you mean '" + std::string(suggestion) + "'?)";
}

/// The option of `parser` that the key of `entry` names, or Names::none.
std::uint32_t optionOf(const ParserState& parser, const ConfigEntry& entry) {
    return parser.withNames([&entry](const Names& names) { return names.findLong(entry.name); });
}

bool unknownOption(ParseRun& run, const ConfigFile& file, const ParserState& parser,
                   const ConfigEntry& entry) {
    return file.fail(run, entry.origin + ": unknown option '" + entry.name + "'" +
                              didYouMean(closeOption(parser.table, entry.name)));
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
        if (!run.fallback(index, value, entry.origin, ValueSource::configFile, file.program())) {
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
        const Command* command = nullptr;
        CloseMatch close(name);
        for (const Command& candidate : parser->commands) {
            close.consider(candidate.name);
            command = candidate.name == name ? &candidate : command;
        }
        if (command == nullptr) {
            return file.fail(
                run, entry.origin + ": unknown command '" + std::string(name) + "'" +
                         didYouMean(close.found() ? close.candidate() : std::string_view()));
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
