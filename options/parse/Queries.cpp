// OptionParser: the queries on the results of a parse. Each reads the
// option's public fields or its record of the latest parse.
#include "options/OptionParser.h"

#include "options/parse/Operands.h"
#include "options/parser/State.h"
#include "options/text/ShortText.h"

#include "slices/StrSlice.h"

#include <utility>

namespace conkit {

namespace {

/// The option `name` finds in `state`, or Names::none.
std::uint32_t lookup(const detail::ParserState& state, std::string_view name) {
    return state.table.find(name);
}

/// The latest value the latest parse gave option `index`, else its default.
std::string_view latestValue(const detail::ParserState& state, std::uint32_t index) {
    return state.results.latestValue(index, state.table.options[index].defaultValue);
}

/// Reads the latest value of the option `name` into `out`, when the latest
/// parse gave it one that converts entirely.
template <class T> bool readInto(const detail::ParserState& state, std::string_view name, T& out) {
    const std::uint32_t index = lookup(state, name);
    return index != detail::Names::none && state.results.record(index).from != ValueSource::none &&
           StrSlice(latestValue(state, index)).parseNumber(out);
}

/// The words operand `name` took in the latest parse, or nullptr when it
/// took none because no parse shared words out to it.
const detail::OperandWords* wordsOf(const detail::ParserState& state, std::string_view name) {
    const std::vector<detail::OperandWords>& shares = state.results.operandWords();
    auto share = shares.begin();
    for (const OptionParser::Operand& operand : state.table.operands) {
        if (share == shares.end()) {
            break;
        }
        if (operand.description().name == name) {
            return &*share;
        }
        ++share;
    }
    return nullptr;
}

/// Reads word `index` of operand `name` into `out`, when it took that word
/// and it converts entirely.
template <class T>
bool readOperandInto(const detail::ParserState& state, std::string_view name, std::size_t index,
                     T& out) {
    const detail::OperandWords* took = wordsOf(state, name);
    return took != nullptr && index < took->count &&
           StrSlice(state.results.text(state.results.arguments()[took->first + index]))
               .parseNumber(out);
}

} // namespace

bool OptionParser::isSet(char shortName) const {
    const std::uint32_t index = held->table.findShort(shortName);
    return index != detail::Names::none && held->table.options[index].found;
}

bool OptionParser::isSet(const std::string& name) const {
    const std::uint32_t index = lookup(*held, name);
    return index != detail::Names::none && held->table.options[index].found;
}

bool OptionParser::helpRequested() const {
    return isSet(std::string("help"));
}

bool OptionParser::versionRequested() const {
    return isSet(std::string("version"));
}

bool OptionParser::getValue(const std::string& name, std::string& value) const {
    const std::uint32_t index = lookup(*held, name);
    if (index == detail::Names::none || !held->table.options[index].found) {
        return false;
    }
    const std::string& latest = held->table.options[index].value;
    if (&value != &latest) { // the option's own field may be the one asked to hold it
        detail::assignText(value, latest);
    }
    return true;
}

std::string OptionParser::value(const std::string& name) const {
    const std::uint32_t index = lookup(*held, name);
    return index != detail::Names::none ? std::string(latestValue(*held, index)) : std::string();
}

std::size_t OptionParser::count(const std::string& name) const {
    const std::uint32_t index = lookup(*held, name);
    return index != detail::Names::none ? held->results.record(index).timesNamed : 0;
}

std::vector<std::string> OptionParser::values(const std::string& name) const {
    const std::uint32_t index = lookup(*held, name);
    return index != detail::Names::none ? held->results.valuesOf(index)
                                        : std::vector<std::string>();
}

ValueSource OptionParser::source(const std::string& name) const {
    const std::uint32_t index = lookup(*held, name);
    if (index == detail::Names::none) {
        return ValueSource::none;
    }
    const ValueSource from = held->results.record(index).from;
    if (from != ValueSource::none) {
        return from;
    }
    return held->table.options[index].hasDefault() ? ValueSource::defaultValue : ValueSource::none;
}

std::string OptionParser::command() const {
    const detail::Command* chosen = held->chosenCommand();
    return chosen != nullptr ? chosen->name : std::string();
}

const OptionParser* OptionParser::commandParser() const {
    const detail::Command* chosen = held->chosenCommand();
    return chosen != nullptr ? &chosen->parser : nullptr;
}

OptionParser* OptionParser::commandParser() {
    return const_cast<OptionParser*>(std::as_const(*this).commandParser());
}

std::vector<std::string> OptionParser::operands(const std::string& name) const {
    const detail::OperandWords* took = wordsOf(*held, name);
    if (took == nullptr) {
        return {};
    }
    const std::vector<detail::Span>& words = held->results.arguments();
    std::vector<std::string> taken;
    for (std::size_t at = took->first; at < took->first + took->count; ++at) {
        taken.emplace_back(held->results.text(words[at]));
    }
    return taken;
}

std::string OptionParser::operand(const std::string& name) const {
    const std::vector<std::string> taken = operands(name);
    return taken.empty() ? std::string() : taken.front();
}

OptionParser::size_type OptionParser::argCount() const noexcept {
    return held->results.arguments().size();
}

std::string OptionParser::arg(size_type index) const {
    const std::vector<detail::Span>& words = held->results.arguments();
    return index < words.size() ? std::string(held->results.text(words[index])) : std::string();
}

bool OptionParser::hasArgs() const noexcept {
    return !held->results.arguments().empty();
}

std::string OptionParser::lastError() const {
    return held->results.failure.line;
}

ParseErrorKind OptionParser::errorKind() const noexcept {
    return held->results.failure.kind;
}

std::string OptionParser::errorOption() const {
    return held->results.failure.word;
}

std::vector<std::string> OptionParser::warnings() const {
    return held->results.warnings();
}

bool OptionParser::readNumber(const std::string& name, short& out) const {
    return readInto(*held, name, out);
}

bool OptionParser::readNumber(const std::string& name, unsigned short& out) const {
    return readInto(*held, name, out);
}

bool OptionParser::readNumber(const std::string& name, int& out) const {
    return readInto(*held, name, out);
}

bool OptionParser::readNumber(const std::string& name, unsigned& out) const {
    return readInto(*held, name, out);
}

bool OptionParser::readNumber(const std::string& name, long& out) const {
    return readInto(*held, name, out);
}

bool OptionParser::readNumber(const std::string& name, unsigned long& out) const {
    return readInto(*held, name, out);
}

bool OptionParser::readNumber(const std::string& name, long long& out) const {
    return readInto(*held, name, out);
}

bool OptionParser::readNumber(const std::string& name, unsigned long long& out) const {
    return readInto(*held, name, out);
}

bool OptionParser::readNumber(const std::string& name, float& out) const {
    return readInto(*held, name, out);
}

bool OptionParser::readNumber(const std::string& name, double& out) const {
    return readInto(*held, name, out);
}

bool OptionParser::readOperand(const std::string& name, size_type index, short& out) const {
    return readOperandInto(*held, name, index, out);
}

bool OptionParser::readOperand(const std::string& name, size_type index,
                               unsigned short& out) const {
    return readOperandInto(*held, name, index, out);
}

bool OptionParser::readOperand(const std::string& name, size_type index, int& out) const {
    return readOperandInto(*held, name, index, out);
}

bool OptionParser::readOperand(const std::string& name, size_type index, unsigned& out) const {
    return readOperandInto(*held, name, index, out);
}

bool OptionParser::readOperand(const std::string& name, size_type index, long& out) const {
    return readOperandInto(*held, name, index, out);
}

bool OptionParser::readOperand(const std::string& name, size_type index, unsigned long& out) const {
    return readOperandInto(*held, name, index, out);
}

bool OptionParser::readOperand(const std::string& name, size_type index, long long& out) const {
    return readOperandInto(*held, name, index, out);
}

bool OptionParser::readOperand(const std::string& name, size_type index,
                               unsigned long long& out) const {
    return readOperandInto(*held, name, index, out);
}

bool OptionParser::readOperand(const std::string& name, size_type index, float& out) const {
    return readOperandInto(*held, name, index, out);
}

bool OptionParser::readOperand(const std::string& name, size_type index, double& out) const {
    return readOperandInto(*held, name, index, out);
}

} // namespace conkit
