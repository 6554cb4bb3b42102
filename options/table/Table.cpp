// OptionParser: the option table. Defining options and commands, describing
// options further, finding them by name, and the parser's settings. Lookups
// go through the name index, which a rename through findOption makes read
// the table afresh.
#include "options/OptionParser.h"

#include "options/table/ShortForm.h"
#include "options/parser/State.h"

#include <algorithm>
#include <cstdlib>
#include <iostream>
#include <utility>

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
    detail::Results::setValue(*this, text);
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

OptionParser::Option& OptionParser::Option::completeWith(Completer complete) {
    described.completer = complete;
    return *this;
}

OptionParser::OptionParser() : held(new detail::ParserState()) {
    held->errorOutput = &std::cout;
    held->environment = processEnvironment;
}

OptionParser::OptionParser(const std::string& usageTemplate, const std::string& versionText)
    : OptionParser() {
    held->usage = usageTemplate;
    held->version = versionText;
}

OptionParser::OptionParser(const OptionParser& other) : held(new detail::ParserState(*other.held)) {
    // Options set by hand in `other` are cleared by this parser's next parse
    // too, though no reference to them was handed out here.
    detail::ParserState& state = *held;
    state.handedOut.clear();
    state.namesSeen.clear();
    state.indexed = 0;
    for (std::uint32_t i = 0; i < state.table.size(); ++i) {
        if (state.table[i].found) {
            state.handOut(i);
        }
    }
}

OptionParser::OptionParser(OptionParser&& other) noexcept : held(other.held) {
    other.held = nullptr;
}

OptionParser& OptionParser::operator=(const OptionParser& other) {
    if (this != &other) {
        OptionParser copy(other);
        std::swap(held, copy.held);
    }
    return *this;
}

OptionParser& OptionParser::operator=(OptionParser&& other) noexcept {
    std::swap(held, other.held);
    return *this;
}

OptionParser::~OptionParser() {
    delete held;
}

void OptionParser::setUsage(const std::string& text) {
    held->usage = text;
}

void OptionParser::setVersion(const std::string& text) {
    held->version = text;
}

void OptionParser::setCommandRequired(bool required) noexcept {
    held->commandRequired = required;
}

void OptionParser::setSyntax(Syntax rules) noexcept {
    held->syntax = rules;
}

Syntax OptionParser::syntax() const noexcept {
    return held->syntax;
}

void OptionParser::setStopAtFirstArgument(bool stop) noexcept {
    held->stopAtFirstArgument = stop;
}

void OptionParser::setResponseFiles(bool on) noexcept {
    held->responseFiles = on;
}

void OptionParser::setEnvironment(Environment variables) noexcept {
    held->environment = variables;
}

void OptionParser::setErrorOutput(std::ostream* out) noexcept {
    held->errorOutput = out;
}

void OptionParser::setDescription(const std::string& text) {
    held->description = text;
}

void OptionParser::setFooter(const std::string& text) {
    held->footer = text;
}

void OptionParser::setHelpWidth(std::size_t columns) noexcept {
    held->helpWidth = columns;
}

std::string OptionParser::getVersion() const {
    return held->version;
}

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
    held->table.add(std::move(record));
    held->indexAdded();
    return true;
}

void OptionParser::addHelpOption() {
    held->helpNotAdded = !addOption('h', "help", false, std::string(), "print help info");
}

void OptionParser::addVersionOption() {
    held->versionNotAdded = !addOption('v', "version", false, std::string(), "print version info");
}

OptionParser::Option& OptionParser::describe(const std::string& name) {
    if (Option* option = findOption(name)) {
        return *option;
    }
    held->unknownNames.push_back(name);
    held->scratch = Option();
    return held->scratch;
}

OptionParser& OptionParser::exclusive(const std::vector<std::string>& names) {
    const std::size_t group = held->groupCount++;
    for (const std::string& name : names) {
        if (Option* option = findOption(name)) {
            option->described.groups.push_back(group);
        } else {
            held->unknownNames.push_back(name);
        }
    }
    return *this;
}

OptionParser& OptionParser::addCommand(const std::string& name, const std::string& help) {
    for (detail::Command& command : held->commands) {
        if (command.name == name) {
            command.help = help;
            return command.parser;
        }
    }
    held->commands.push_back({name, help, OptionParser(), false});
    OptionParser& added = held->commands.back().parser;
    // A tool's commands take its help option as it stands.
    const Option* helpOption = held->toolLevel ? std::as_const(*this).findOption("help") : nullptr;
    if (helpOption != nullptr) {
        added.addOption(helpOption->shortName, helpOption->longName, false, std::string(),
                        helpOption->help);
        added.held->toolLevel = true;
    }
    return added;
}

OptionParser::Option* OptionParser::findOption(const std::string& name) {
    held->refreshIndex();
    const std::uint32_t index = held->index.find(name);
    if (index == detail::Names::none) {
        return nullptr;
    }
    held->handOut(index);
    return &held->table[index];
}

const OptionParser::Option* OptionParser::findOption(const std::string& name) const {
    const std::uint32_t index =
        held->withNames([&](const detail::Names& names) { return names.find(name); });
    return index != detail::Names::none ? &held->table[index] : nullptr;
}

bool OptionParser::hasConflict(const Option& option) const {
    return std::any_of(held->table.begin(), held->table.end(),
                       [&option](const Option& defined) { return defined.conflictsWith(option); });
}

void OptionParser::reset() {
    held->clearResults();
    held->results.nameProgram("");
}

} // namespace conkit
