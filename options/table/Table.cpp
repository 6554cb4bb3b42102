// OptionParser: the option table. Defining options and commands, describing
// options further, and finding them by name.
#include "options/OptionParser.h"

#include "options/messages/Texts.h"
#include "options/parser/State.h"
#include "options/table/ShortForm.h"
#include "options/table/ValueKind.h"
#include "options/table/ValueRules.h"

#include <utility>

namespace conkit {

void OptionParser::Option::setValue(const std::string& text) {
    detail::Results::setValue(*this, text);
}

bool OptionParser::Option::conflictsWith(const Option& other) const noexcept {
    return detail::namesClash(*this, other);
}

OptionParser::Option& OptionParser::Option::valueName(const std::string& text) {
    described.valueName = text;
    return *this;
}

OptionParser::Option& OptionParser::Option::optionalValue(const std::string& implicit) {
    detail::setValueKind(described, needArg, ValueKind::optional);
    described.implicitValue = implicit;
    return *this;
}

OptionParser::Option& OptionParser::Option::choices(const std::vector<std::string>& allowed) {
    described.choices = allowed;
    valuesChecked = detail::checksValues(described);
    return *this;
}

OptionParser::Option& OptionParser::Option::range(long long min, long long max) {
    described.range = Description::Range::whole;
    described.ends = Description::Ends::both;
    described.wholeMin = min;
    described.wholeMax = max;
    valuesChecked = detail::checksValues(described);
    return *this;
}

OptionParser::Option& OptionParser::Option::realRange(double min, double max) {
    described.range = Description::Range::real;
    described.realMin = min;
    described.realMax = max;
    valuesChecked = detail::checksValues(described);
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

OptionParser::Option& OptionParser::Option::deprecated(const std::string& advice) {
    described.deprecated = advice;
    return *this;
}

OptionParser::Option& OptionParser::Option::deprecatedAlias(const std::string& name) {
    std::vector<std::string>& aliases = described.aliases;
    if (std::find(aliases.begin(), aliases.end(), name) == aliases.end()) {
        aliases.push_back(name);
    }
    described.deprecatedAliases.push_back(name);
    return *this;
}

OptionParser::Option& OptionParser::Option::completeWith(Completer complete) {
    described.completer = complete;
    described.lineCompleter = nullptr;
    return *this;
}

OptionParser::Option& OptionParser::Option::completeWith(LineCompleter complete) {
    described.lineCompleter = complete;
    described.completer = nullptr;
    return *this;
}

OptionParser::Option& OptionParser::Option::check(Check rule) {
    described.check = rule;
    valuesChecked = detail::checksValues(described);
    return *this;
}

OptionParser::Option& OptionParser::Option::atLeast(long long min) {
    detail::setBound(described, true, min);
    valuesChecked = detail::checksValues(described);
    return *this;
}

OptionParser::Option& OptionParser::Option::atMost(long long max) {
    detail::setBound(described, false, max);
    valuesChecked = detail::checksValues(described);
    return *this;
}

bool OptionParser::addOption(char shortName, const std::string& longName, bool needArg,
                             const std::string& defaultValue, const std::string& help) {
    if (!detail::isAsciiLetter(shortName) && longName.empty()) {
        return false;
    }
    Option record;
    record.shortName = shortName;
    record.longName = longName.empty() ? std::string(1, shortName) : longName;
    detail::setValueKind(record.described, record.needArg,
                         needArg ? Option::ValueKind::required : Option::ValueKind::none);
    record.defaultValue = defaultValue;
    record.help = help;
    record.value = defaultValue;
    if (hasConflict(record)) {
        return false;
    }
    held->table.add(std::move(record));
    held->results.reserveRecords(held->table.options.size()); // no parse allocates for it
    return true;
}

namespace detail {

bool addBuiltIn(OptionParser& parser, char shortName, const std::string& longName, bool needArg,
                MessageId help) {
    if (!parser.addOption(shortName, longName, needArg, std::string(), englishText(help))) {
        return false;
    }
    TableState& table = ParserAccess::of(parser).table;
    ParserAccess::described(table.options[table.options.size() - 1]).builtInHelp = help;
    return true;
}

} // namespace detail

void OptionParser::addHelpOption() {
    held->table.helpNotAdded =
        !detail::addBuiltIn(*this, 'h', "help", false, MessageId::helpOptionHelp);
}

void OptionParser::addVersionOption() {
    held->table.versionNotAdded =
        !detail::addBuiltIn(*this, 'v', "version", false, MessageId::versionOptionHelp);
}

OptionParser::Option& OptionParser::describe(const std::string& name) {
    if (Option* option = findOption(name)) {
        return *option;
    }
    held->table.unknownNames.push_back(name);
    held->table.scratch = Option();
    return held->table.scratch;
}

OptionParser& OptionParser::exclusive(const std::vector<std::string>& names) {
    const std::size_t group = held->table.groupCount++;
    for (const std::string& name : names) {
        if (Option* option = findOption(name)) {
            option->described.groups.push_back(group);
        } else {
            held->table.unknownNames.push_back(name);
        }
    }
    return *this;
}

OptionParser& OptionParser::addCommand(const std::string& name, const std::string& help) {
    for (detail::Command& command : held->table.commands) {
        if (command.name == name) {
            command.help = help;
            return command.parser;
        }
    }
    held->table.commands.push_back({name, help, OptionParser()});
    OptionParser& added = held->table.commands.back().parser;
    added.held->parent = held;
    added.held->commandName = name;
    // A tool's commands take its help option as it stands.
    const Option* helpOption = held->isTool() ? std::as_const(*this).findOption("help") : nullptr;
    if (helpOption != nullptr && added.addOption(helpOption->shortName, helpOption->longName, false,
                                                 std::string(), helpOption->help)) {
        detail::ParserAccess::described(added.held->table.options[0]).builtInHelp =
            helpOption->description().builtInHelp;
    }
    return added;
}

OptionParser::Option* OptionParser::findOption(const std::string& name) {
    const std::uint32_t index = held->table.find(name);
    if (index == detail::Names::none) {
        return nullptr;
    }
    held->table.handOut(index);
    return &held->table.options[index];
}

const OptionParser::Option* OptionParser::findOption(const std::string& name) const {
    const std::uint32_t index = held->table.find(name);
    return index != detail::Names::none ? &held->table.options[index] : nullptr;
}

bool OptionParser::hasConflict(const Option& option) const {
    return held->table.clashes(option);
}

} // namespace conkit
