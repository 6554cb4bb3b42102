// The parse's steps that take values from the environment, the
// configuration file and response files.
#include "options/parse/Sources.h"

#include "options/messages/Suggestion.h"
#include "options/parser/Commands.h"
#include "options/sources/Environment.h"

#include <algorithm>

namespace conkit::detail {

bool ParseRun::readResponseFile(ResponseWords& words, std::size_t at) {
    const std::string_view word = words[at];
    std::string text;
    std::string reason;
    if (words.depth(at) + 1 > responseFileDepth) {
        if (!fail(lines().responseTooDeep(word))) {
            return false;
        }
    } else if (!readTextFile(std::string(word.substr(1)), text, reason)) {
        if (!fail(lines().responseUnreadable(word, reason))) {
            return false;
        }
    } else {
        words.replaceLast(responseFileWords(std::move(text)));
        return true;
    }
    words.replaceLast({}); // a lenient parse reads on past it
    return true;
}

bool readEnvironment(ParseRun& run, std::uint32_t index, bool checked) {
    const ParserState& state = run.parser();
    const Option& option = state.table.options[index];
    if (option.description().env.empty() || state.results.record(index).from != ValueSource::none) {
        return true;
    }
    const std::string_view text = environmentText(state.environment(), option);
    return text.empty() || run.fallback(index, text, option.description().env,
                                        ValueSource::environment, run.program(), checked);
}

ConfigFile configFileOf(const ParseRun& run, std::uint32_t configOption) {
    const ParserState& state = run.parser();
    const ConfigSetting& setting = state.sources.configFile;
    if (configOption != Names::none) {
        const Record& got = state.results.record(configOption);
        if (got.from == ValueSource::commandLine && got.valueCount != 0) {
            return {setting.reader, std::string(state.results.latestValue(configOption, {})), true,
                    std::string(run.configWord()), run.program()};
        }
        const Option& option = state.table.options[configOption];
        const std::string_view variable = environmentText(state.environment(), option);
        if (got.from == ValueSource::none && !variable.empty()) {
            return {setting.reader, std::string(variable), true, "--" + option.longName,
                    run.program()};
        }
    }
    return {setting.reader, setting.defaultPath, false, std::string(), run.program()};
}

namespace {

/// True when option `index` of `table` asks for an answer instead of
/// setting something (help, version, a tool's requests), or names the
/// configuration file (`configOption`): a file cannot set it.
bool refusedInFile(const TableState& table, std::uint32_t index, std::uint32_t configOption) {
    return index == configOption || index == table.find("help") || index == table.find("version") ||
           std::find(table.requests.begin(), table.requests.end(), index) != table.requests.end();
}

/// The error for `entry`, whose key names no option of `table`.
bool unknownKey(ParseRun& run, const ConfigFile& file, const TableState& table,
                const ConfigEntry& entry) {
    return run.fail(
        Lines(run.texts(), file.program())
            .unknownConfigKey(entry.origin, entry.name,
                              closeName(table.names(), table.options, entry.name, false),
                              file.namedBy()));
}

/// The option of `table` that `entry` names, or Names::none after recording
/// why a file cannot set it. `configOption` is the option that names the
/// file when `table` is the one that has the setting.
std::uint32_t settable(ParseRun& run, const ConfigFile& file, const TableState& table,
                       const ConfigEntry& entry, std::uint32_t configOption, bool& ok) {
    const std::uint32_t index = table.findLong(entry.name);
    if (index == Names::none) {
        ok = unknownKey(run, file, table, entry);
    } else if (refusedInFile(table, index, configOption)) {
        ok = run.fail(
            Lines(run.texts(), file.program())
                .configRefused(entry.origin, table.options[index].longName, file.namedBy()));
        return Names::none;
    }
    return index;
}

/// Gives the option of the parser of `run` that `entry` names the entry's
/// values.
bool give(ParseRun& run, const ConfigFile& file, const ConfigEntry& entry,
          std::uint32_t configOption) {
    const ParserState& state = run.parser();
    bool ok = true;
    const std::uint32_t index = settable(run, file, state.table, entry, configOption, ok);
    if (index == Names::none) {
        return ok;
    }
    if (state.results.record(index).from == ValueSource::commandLine ||
        !environmentText(state.environment(), state.table.options[index]).empty()) {
        return true; // the command line or the environment wins
    }
    const bool checked = !run.lenient();
    for (const std::string& value : entry.values) {
        if (!run.fallback(index, value, entry.origin, ValueSource::configFile, file.program(),
                          checked)) {
            return false;
        }
    }
    return true;
}

/// Checks `entry`, which is for a command of the parser of `run`, which has
/// the setting: each of its command names must name a command, and a command
/// the parse did not choose must have an option the file can set by its key
/// (its values are not checked; a chosen command took its own entries).
bool check(ParseRun& run, const ConfigFile& file, const ConfigEntry& entry) {
    const ParserState* parser = &run.parser();
    bool chosen = true;
    std::string_view rest = entry.command;
    while (!rest.empty()) {
        const std::size_t blank = rest.find(' ');
        const std::string_view name = rest.substr(0, blank);
        rest = blank == std::string_view::npos ? std::string_view() : rest.substr(blank + 1);
        const Command* command = commandNamed(parser->table.commands, name);
        if (command == nullptr) {
            // A table names a command as a key names an option; one that
            // names an option gives it a value no option takes.
            if (parser->table.findLong(name) != Names::none) {
                return run.fail(Lines(run.texts(), file.program())
                                    .configUnsupported(entry.origin, name, file.namedBy()));
            }
            return run.fail(Lines(run.texts(), file.program())
                                .unknownConfigKey(entry.origin, name,
                                                  commandSuggestion(parser->table.commands, name),
                                                  file.namedBy()));
        }
        chosen = chosen && parser->chosenCommand() == command;
        parser = &ParserAccess::of(command->parser);
    }
    if (chosen) {
        return true;
    }
    bool ok = true;
    settable(run, file, parser->table, entry, Names::none, ok);
    return ok;
}

} // namespace

bool applyConfigFile(ParseRun& run, ConfigFile& file) {
    std::string reason;
    if (!file.read(reason)) {
        return run.fail(
            Lines(run.texts(), file.program()).configUnreadable(reason, file.namedBy()));
    }
    // The command names that lead from the parser that has the setting to
    // this one; that parser checks the entries of every other parser.
    std::string path;
    for (const ParserState* at = &run.parser(); at != run.context().configOwner; at = at->parent) {
        path.insert(0, path.empty() ? at->commandName : at->commandName + ' ');
    }
    const bool checksOthers = &run.parser() == run.context().configOwner;
    const std::uint32_t configOption =
        checksOthers ? run.parser().table.find(run.parser().sources.configFile.option)
                     : Names::none;
    for (const ConfigEntry& entry : file.entries()) {
        const bool ok = entry.command == path ? give(run, file, entry, configOption)
                        : checksOthers        ? check(run, file, entry)
                                              : true;
        if (!ok) {
            return false;
        }
    }
    return true;
}

} // namespace conkit::detail
