// OptionParser: the option table. Defining options, finding them by name and
// clearing their results before a parse; every lookup scans the records'
// own names, so a rename through findOption is seen at once.
#include "options/OptionParser.h"

#include "options/detail/Lookup.h"
#include "options/detail/ShortForm.h"

#include <algorithm>
#include <iostream>

namespace conkit {

void OptionParser::Option::setValue(const std::string& text) {
    value = text;
    found = true;
}

bool OptionParser::Option::conflictsWith(const Option& other) const noexcept {
    return (shortName == other.shortName && detail::isShortForm(shortName, Syntax::classic)) ||
           longName == other.longName;
}

OptionParser::OptionParser() : errorOutput(&std::cout) {}

OptionParser::OptionParser(const std::string& usageTemplate, const std::string& versionText)
    : usage(usageTemplate), version(versionText), errorOutput(&std::cout) {}

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
    static_cast<void>(addOption('h', "help", false, std::string(), "print help info"));
}

void OptionParser::addVersionOption() {
    static_cast<void>(addOption('v', "version", false, std::string(), "print version info"));
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
    clearResults();
    latest.prog.clear();
}

void OptionParser::clearResults() {
    for (Option& option : table) {
        option.found = false;
        option.timesNamed = 0;
        option.givenValues.clear();
    }
    latest.used = 0;
    latest.arguments.clear();
    latest.errorLine.clear();
    latest.errorWord.clear();
    latest.errorKind = ParseErrorKind::none;
}

} // namespace conkit
