// OptionParser: the queries on the results of a parse, as flags, texts,
// numbers and lists.
#include "options/OptionParser.h"

#include "options/core/Lookup.h"
#include "options/core/ShortText.h"

#include "slices/StrSlice.h"

#include <array>

namespace conkit {

bool OptionParser::isSet(char shortName) const {
    const Option* option = detail::findShortIn(table, shortName);
    return option != nullptr && option->found;
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
    detail::assignText(value, option->value);
    return true;
}

std::string OptionParser::value(const std::string& name) const {
    const Option* option = lookup(name);
    if (option == nullptr) {
        return std::string();
    }
    return std::string(latestValue(*option));
}

std::string_view OptionParser::latestValue(const Option& option) const noexcept {
    return option.valueCount == 0 ? std::string_view(option.defaultValue)
                                  : latest.valueAt(option.lastValue);
}

std::size_t OptionParser::count(const std::string& name) const {
    const Option* option = lookup(name);
    return option != nullptr ? option->timesNamed : 0;
}

std::vector<std::string> OptionParser::values(const std::string& name) const {
    const Option* option = lookup(name);
    if (option == nullptr) {
        return {};
    }
    // The chain of values runs from the last back to the first.
    std::vector<std::string> texts(option->valueCount);
    std::size_t place = option->lastValue;
    for (std::size_t i = texts.size(); i != 0; --i) {
        texts[i - 1] = latest.valueAt(place);
        place = latest.headerAt(place).previous;
    }
    return texts;
}

OptionParser::ValueSource OptionParser::source(const std::string& name) const {
    const Option* option = lookup(name);
    if (option == nullptr) {
        return ValueSource::none;
    }
    if (option->from != ValueSource::none) {
        return option->from;
    }
    return option->hasDefault() ? ValueSource::defaultValue : ValueSource::none;
}

std::string OptionParser::command() const {
    for (const Command& command : commands) {
        if (command.chosen) {
            return command.name;
        }
    }
    return std::string();
}

const OptionParser* OptionParser::commandParser() const {
    for (const Command& command : commands) {
        if (command.chosen) {
            return &command.parser;
        }
    }
    return nullptr;
}

std::string OptionParser::arg(size_type index) const {
    return index < latest.arguments.size() ? std::string(latest.at(latest.arguments[index]))
                                           : std::string();
}

namespace {

/// For every type of `list`, the conversion of a slice into a variable of
/// that type, at the type's position.
template <class... T> constexpr auto numberReaders(detail::TypeList<T...> /*list*/) {
    return std::array<bool (*)(const StrSlice&, void*), sizeof...(T)>{
        [](const StrSlice& text, void* out) { return text.parseNumber(*static_cast<T*>(out)); }...};
}

} // namespace

bool OptionParser::getNumber(const std::string& name, void* out, int kind) const {
    static constexpr auto readers = numberReaders(detail::NumberTypes{});
    const Option* option = lookup(name);
    return option != nullptr && option->from != ValueSource::none &&
           readers[static_cast<std::size_t>(kind)](StrSlice(latestValue(*option)), out);
}

} // namespace conkit
