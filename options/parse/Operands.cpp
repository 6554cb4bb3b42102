// OptionParser: declaring operands, sharing the positional words out among
// them and checking what they took.
#include "options/parse/Operands.h"

#include "options/parse/ParseRun.h"

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
    return *this;
}

OptionParser::Operand& OptionParser::addOperand(const std::string& name, const std::string& help) {
    for (Operand& declared : held->operands) {
        if (declared.described.name == name) {
            declared.described.help = help;
            return declared;
        }
    }
    Operand declared;
    declared.described.name = name;
    declared.described.help = help;
    held->operands.push_back(std::move(declared));
    return held->operands.back();
}

namespace detail {

std::vector<OperandWords> shareWords(const std::list<Operand>& operands, std::size_t words) {
    // What the operands from each place on need at least.
    std::vector<std::size_t> needed(operands.size() + 1, 0);
    std::size_t place = operands.size();
    for (auto it = operands.rbegin(); it != operands.rend(); ++it, --place) {
        needed[place - 1] = needed[place] + (it->description().optional ? 0 : 1);
    }
    std::vector<OperandWords> shares;
    std::size_t first = 0;
    place = 0;
    for (const Operand& operand : operands) {
        const Operand::Description& described = operand.description();
        const std::size_t left = words - first;
        const std::size_t spare = left > needed[place + 1] ? left - needed[place + 1] : 0;
        std::size_t count = described.repeated ? spare : std::min<std::size_t>(spare, 1);
        if (!described.optional && count == 0 && left != 0) {
            count = 1; // a required operand takes a word while there is one
        }
        shares.push_back({first, count});
        first += count;
        ++place;
    }
    return shares;
}

std::string usageForm(const Operand::Description& operand) {
    std::string form = operand.optional ? "[" + operand.name + "]" : operand.name;
    return operand.repeated ? form + "..." : form;
}

std::string entryForm(const Operand::Description& operand) {
    return operand.repeated ? operand.name + "..." : operand.name;
}

bool ParseRun::operandsAccepted(bool checked) {
    const std::vector<Span>& words = state.results.arguments();
    std::vector<OperandWords> shares = shareWords(state.operands, words.size());
    const std::size_t taken = shares.empty() ? 0 : shares.back().first + shares.back().count;
    auto share = shares.begin();
    const Operand* missing = nullptr;
    for (const Operand& operand : state.operands) {
        if (missing == nullptr && share->count == 0 && !operand.description().optional) {
            missing = &operand;
        }
        ++share;
    }
    state.results.operandsTook(std::move(shares));
    if (!checked) {
        return true;
    }
    if (missing != nullptr) {
        const std::string& name = missing->description().name;
        return fail(ParseErrorKind::missingOperand, name, program() + ": missing operand " + name);
    }
    if (taken < words.size()) {
        const std::string_view word = state.results.text(words[taken]);
        return fail(ParseErrorKind::extraOperand, word,
                    program() + ": extra operand '" + std::string(word) + "'");
    }
    auto took = state.results.operandWords().begin();
    for (const Operand& operand : state.operands) {
        const Operand::Description& described = operand.description();
        for (std::size_t at = took->first; at < took->first + took->count; ++at) {
            const std::string_view word = state.results.text(words[at]);
            if (!acceptsValue(described.words, word)) {
                return fail(ParseErrorKind::invalidValue, described.name,
                            program() + ": invalid value '" + std::string(word) + "' for " +
                                described.name + expectedValue(described.words, word));
            }
        }
        ++took;
    }
    return true;
}

} // namespace detail

} // namespace conkit
