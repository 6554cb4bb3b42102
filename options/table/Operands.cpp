// OptionParser: declaring operands and describing them.
#include "options/OptionParser.h"

#include "options/parser/State.h"
#include "options/table/ValueRules.h"

namespace conkit {

OptionParser::Operand& OptionParser::Operand::optional() {
    described.optional = true;
    return *this;
}

OptionParser::Operand& OptionParser::Operand::repeated() {
    described.repeated = true;
    return *this;
}

OptionParser::Operand& OptionParser::Operand::choices(const std::vector<std::string>& allowed) {
    described.words.choices = allowed;
    return *this;
}

OptionParser::Operand& OptionParser::Operand::range(long long min, long long max) {
    described.words.range = Option::Description::Range::whole;
    described.words.ends = Option::Description::Ends::both;
    described.words.wholeMin = min;
    described.words.wholeMax = max;
    return *this;
}

OptionParser::Operand& OptionParser::Operand::realRange(double min, double max) {
    described.words.range = Option::Description::Range::real;
    described.words.realMin = min;
    described.words.realMax = max;
    return *this;
}

OptionParser::Operand& OptionParser::Operand::completeFiles(bool files) {
    described.completeFiles = files;
    return *this;
}

OptionParser::Operand& OptionParser::Operand::completeWith(Completer complete) {
    described.words.completer = complete;
    described.words.lineCompleter = nullptr;
    return *this;
}

OptionParser::Operand& OptionParser::Operand::completeWith(LineCompleter complete) {
    described.words.lineCompleter = complete;
    described.words.completer = nullptr;
    return *this;
}

OptionParser::Operand& OptionParser::Operand::check(Check rule) {
    described.words.check = rule;
    return *this;
}

OptionParser::Operand& OptionParser::Operand::atLeast(long long min) {
    detail::setBound(described.words, true, min);
    return *this;
}

OptionParser::Operand& OptionParser::Operand::atMost(long long max) {
    detail::setBound(described.words, false, max);
    return *this;
}

OptionParser::Operand& OptionParser::addOperand(const std::string& name, const std::string& help) {
    for (Operand& declared : held->table.operands) {
        if (declared.described.name == name) {
            declared.described.help = help;
            return declared;
        }
    }
    Operand declared;
    declared.described.name = name;
    declared.described.help = help;
    held->table.operands.push_back(std::move(declared));
    return held->table.operands.back();
}

} // namespace conkit
