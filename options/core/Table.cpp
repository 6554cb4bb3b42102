// OptionParser: the option table. Defining options and commands, describing
// options further, finding them by name and clearing their results before a
// parse; every lookup scans the records' own names, so a rename through
// findOption is seen at once.
#include "options/OptionParser.h"

#include "options/core/Lookup.h"
#include "options/core/ShortForm.h"

#include <algorithm>
#include <cstdlib>
#include <iostream>

namespace conkit {

namespace {

/// The default environment: the process's own.
const char* processEnvironment(const char* variable) {
    return std::getenv(variable);
}

/// True when one of the long names and aliases of `a` is one of `b`'s.
bool shareLongName(const OptionParser::Option& a, const OptionParser::Option& b) {
    const auto named = [](const OptionParser::Option& option, const std::string& name) {
        const std::vector<std::string>& aliases = option.description().aliases;
        return option.longName == name ||
               std::find(aliases.begin(), aliases.end(), name) != aliases.end();
    };
    const std::vector<std::string>& aliases = a.description().aliases;
    return named(b, a.longName) || std::any_of(aliases.begin(), aliases.end(),
                                               [&](const std::string& n) { return named(b, n); });
}

} // namespace

void OptionParser::Option::setValue(const std::string& text) {
    value = text;
    found = true;
}

bool OptionParser::Option::conflictsWith(const Option& other) const noexcept {
    return (shortName == other.shortName && detail::isShortForm(shortName, Syntax::classic)) ||
           shareLongName(*this, other);
}

OptionParser::Option& OptionParser::Option::valueName(const std::string& text) {
    described.valueName = text;
    return *this;
}

OptionParser::Option& OptionParser::Option::optionalValue(const std::string& implicit) {
    described.optionalValue = true;
    described.implicitValue = implicit;
    needArg = true;
    return *this;
}

OptionParser::Option& OptionParser::Option::choices(const std::vector<std::string>& allowed) {
    described.choices = allowed;
    return *this;
}

OptionParser::Option& OptionParser::Option::range(long long min, long long max) {
    described.range = Description::Range::whole;
    described.wholeMin = min;
    described.wholeMax = max;
    return *this;
}

OptionParser::Option& OptionParser::Option::realRange(double min, double max) {
    described.range = Description::Range::real;
    described.realMin = min;
    described.realMax = max;
    return *this;
}

OptionParser::Option& OptionParser::Option::required() {
    described.required = true;
    return *this;
}

OptionParser::Option& OptionParser::Option::negatable() {
    described.negatable = true;
    return *this;
}

OptionParser::Option& OptionParser::Option::env(const std::string& variable) {
    described.env = variable;
    return *this;
}

OptionParser::Option& OptionParser::Option::section(const std::string& title) {
    described.section = title;
    return *this;
}

OptionParser::Option& OptionParser::Option::hidden() {
    described.hidden = true;
    return *this;
}

OptionParser::Option& OptionParser::Option::alias(const std::string& name) {
    described.aliases.push_back(name);
    return *this;
}

OptionParser::OptionParser() : errorOutput(&std::cout), environment(processEnvironment) {}

OptionParser::OptionParser(const std::string& usageTemplate, const std::string& versionText)
    : usage(usageTemplate), version(versionText), errorOutput(&std::cout),
      environment(processEnvironment) {}

bool OptionParser::addOption(char shortName, const std::string& longName, bool needArg,
                             const std::string& defaultValue, const std::string& help) {
    if (!detail::isAsciiLetter(shortName) && longName.empty()) {
        return false;
    }
    Option record;
    record.shortName = shortName;
    record.longName = longName.empty() ? std::string(1, shortName) : longName;
    record.needArg = needArg;
    record.defaultValue = defaultValue;
    record.help = help;
    record.value = defaultValue;
    if (hasConflict(record)) {
        return false;
    }
    table.push_back(std::move(record));
    return true;
}

void OptionParser::addHelpOption() {
    helpNotAdded = !addOption('h', "help", false, std::string(), "print help info");
}

void OptionParser::addVersionOption() {
    versionNotAdded = !addOption('v', "version", false, std::string(), "print version info");
}

OptionParser::Option& OptionParser::describe(const std::string& name) {
    if (Option* option = findOption(name)) {
        return *option;
    }
    unknownNames.push_back(name);
    scratch = Option();
    return scratch;
}

OptionParser& OptionParser::exclusive(const std::vector<std::string>& names) {
    const std::size_t group = groupCount++;
    for (const std::string& name : names) {
        if (Option* option = findOption(name)) {
            option->described.groups.push_back(group);
        } else {
            unknownNames.push_back(name);
        }
    }
    return *this;
}

OptionParser& OptionParser::addCommand(const std::string& name, const std::string& help) {
    for (Command& command : commands) {
        if (command.name == name) {
            command.help = help;
            return command.parser;
        }
    }
    commands.push_back({name, help, OptionParser(), false});
    return commands.back().parser;
}

const OptionParser::Option* OptionParser::lookup(std::string_view name) const noexcept {
    return detail::findOptionIn(table, name);
}

std::vector<const OptionParser::Option*> OptionParser::inNameOrder() const {
    std::vector<const Option*> options;
    options.reserve(table.size());
    for (const Option& option : table) {
        options.push_back(&option);
    }
    std::stable_sort(options.begin(), options.end(),
                     [](const Option* a, const Option* b) { return a->longName < b->longName; });
    return options;
}

OptionParser::Option* OptionParser::findOption(const std::string& name) {
    return detail::findOptionIn(table, name);
}

const OptionParser::Option* OptionParser::findOption(const std::string& name) const {
    return lookup(name);
}

bool OptionParser::hasConflict(const Option& option) const {
    return std::any_of(table.begin(), table.end(),
                       [&option](const Option& defined) { return defined.conflictsWith(option); });
}

void OptionParser::reset() {
    static_cast<void>(clearResults());
    latest.prog.clear();
}

void OptionParser::clearCommands() {
    for (Command& command : commands) {
        command.chosen = false;
        command.parser.reset();
    }
}

OptionParser::TableTraits OptionParser::clearResults() {
    // The traits are gathered with | rather than ||: a few loads per option
    // without a branch each.
    unsigned flags = 0;
    for (Option& option : table) {
        option.found = false;
        option.from = ValueSource::none;
        option.timesNamed = 0;
        option.valueCount = 0;
        const Option::Description& described = option.described;
        flags |=
            static_cast<unsigned>(described.required | !described.env.empty()) *
                TableTraits::checksAfter |
            static_cast<unsigned>(!described.aliases.empty()) * TableTraits::aliases |
            static_cast<unsigned>(option.longName.size() == 1) * TableTraits::oneCharacterNames;
    }
    if (!commands.empty()) {
        clearCommands();
    }
    latest.used = 0;
    latest.arguments.clear();
    latest.errorLine.clear();
    latest.errorWord.clear();
    latest.errorKind = ParseErrorKind::none;
    return TableTraits{flags};
}

} // namespace conkit
