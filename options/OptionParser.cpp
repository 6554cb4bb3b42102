// OptionParser: the option table (definitions, lookup, reset) and the queries
// on the result of a parse.
#include "options/OptionParser.h"

#include "options/detail/Ascii.h"

#include <algorithm>
#include <iostream>
#include <sstream>

namespace conkit {

void OptionParser::Option::setValue(const std::string& text) {
    value = text;
    found = true;
}

bool OptionParser::Option::conflictsWith(const Option& other) const noexcept {
    return (shortName == other.shortName && detail::isAsciiLetter(shortName)) ||
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
    refreshIndex();
    if (hasConflict(record)) {
        return false;
    }
    index.add(record.shortName, record.longName);
    table.emplace_back(1, std::move(record));
    return true;
}

void OptionParser::addHelpOption() {
    static_cast<void>(addOption('h', "help", false, std::string(), "print help info"));
}

void OptionParser::addVersionOption() {
    static_cast<void>(addOption('v', "version", false, std::string(), "print version info"));
}

bool OptionParser::handedOutNamesKept() const noexcept {
    return std::all_of(handedOut.begin(), handedOut.end(), [this](Position position) {
        const Option& option = entry(position);
        return index.knows(position, option.shortName, option.longName);
    });
}

void OptionParser::refreshIndex() {
    if (!indexIsCurrent()) {
        index = freshIndex();
    }
}

detail::NameIndex OptionParser::freshIndex() const {
    detail::NameIndex fresh;
    for (const std::vector<Option>& slot : table) {
        fresh.add(slot.front().shortName, slot.front().longName);
    }
    return fresh;
}

std::vector<OptionParser::Position> OptionParser::positionsInNameOrder() const {
    if (indexIsCurrent()) {
        return {index.inNameOrder().begin(), index.inNameOrder().end()};
    }
    const detail::NameIndex fresh = freshIndex();
    return {fresh.inNameOrder().begin(), fresh.inNameOrder().end()};
}

OptionParser::Position OptionParser::positionOf(std::string_view name) const {
    return indexIsCurrent() ? index.find(name) : freshIndex().find(name);
}

const OptionParser::Option* OptionParser::lookup(std::string_view name) const {
    const Position position = positionOf(name);
    return position != detail::noOption ? &entry(position) : nullptr;
}

OptionParser::Option* OptionParser::findOption(const std::string& name) {
    refreshIndex();
    const Position position = index.find(name);
    if (position == detail::noOption) {
        return nullptr;
    }
    // The caller may now change the option's names and flags at any time;
    // from here on every lookup first checks them against the index.
    if (std::find(handedOut.begin(), handedOut.end(), position) == handedOut.end()) {
        handedOut.push_back(position);
    }
    return &entry(position);
}

const OptionParser::Option* OptionParser::findOption(const std::string& name) const {
    return lookup(name);
}

bool OptionParser::hasConflict(const Option& option) const {
    // The same as asking every option `conflictsWith`: a clash needs the same
    // long name, or the same letter short name, which `findShort` knows of.
    const auto clashes = [&option](const detail::NameIndex& names) {
        return names.findLong(option.longName) != detail::noOption ||
               (detail::isAsciiLetter(option.shortName) &&
                names.findShort(option.shortName) != detail::noOption);
    };
    return indexIsCurrent() ? clashes(index) : clashes(freshIndex());
}

void OptionParser::reset() {
    clearResults();
    prog.clear();
}

void OptionParser::clearResults() {
    // Only options that the parse or a caller can have marked are found.
    latest.forEachOption([this](Position position) { entry(position).found = false; });
    for (const Position position : handedOut) {
        entry(position).found = false;
    }
    latest.clear();
    errorLine.clear();
    errorWord.clear();
    errorKindOf = ParseErrorKind::none;
}

bool OptionParser::isSet(char shortName) const {
    const Position position =
        indexIsCurrent() ? index.findShort(shortName) : freshIndex().findShort(shortName);
    return position != detail::noOption && entry(position).found;
}

bool OptionParser::isSet(const std::string& name) const {
    const Option* option = lookup(name);
    return option != nullptr && option->found;
}

bool OptionParser::helpRequested() const {
    return isSet(std::string("help"));
}

bool OptionParser::versionRequested() const {
    return isSet(std::string("version"));
}

bool OptionParser::getValue(const std::string& name, std::string& value) const {
    const Option* option = lookup(name);
    if (option == nullptr || !option->found) {
        return false;
    }
    value = option->value;
    return true;
}

std::string OptionParser::arg(size_type position) const {
    return position < latest.argumentCount() ? std::string(latest.argument(position))
                                             : std::string();
}

namespace {

template <class T> std::string streamedAs(const T& value) {
    std::ostringstream oss;
    oss << value;
    return oss.str();
}

} // namespace

std::string OptionParser::streamed(bool value) {
    return streamedAs(value);
}
std::string OptionParser::streamed(char value) {
    return streamedAs(value);
}
std::string OptionParser::streamed(signed char value) {
    return streamedAs(value);
}
std::string OptionParser::streamed(unsigned char value) {
    return streamedAs(value);
}
std::string OptionParser::streamed(long long value) {
    return streamedAs(value);
}
std::string OptionParser::streamed(unsigned long long value) {
    return streamedAs(value);
}
std::string OptionParser::streamed(double value) {
    return streamedAs(value);
}
std::string OptionParser::streamed(long double value) {
    return streamedAs(value);
}

std::string OptionParser::streamed(void (*write)(std::ostream&, const void*), const void* value) {
    std::ostringstream oss;
    write(oss, value);
    return oss.str();
}

} // namespace conkit
