// Sharing the positional words of a parse out among the operands, and
// checking what they took.
#include "options/parse/Operands.h"

#include "options/parse/ParseRun.h"

namespace conkit::detail {

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

std::vector<OperandWords> shareWordsFromLeft(const std::list<Operand>& operands,
                                             std::size_t words) {
    std::vector<OperandWords> shares;
    std::size_t first = 0;
    for (const Operand& operand : operands) {
        const std::size_t left = words - first;
        const std::size_t count =
            operand.description().repeated ? left : std::min<std::size_t>(left, 1);
        shares.push_back({first, count});
        first += count;
    }
    return shares;
}

bool ParseRun::operandsAccepted(bool checked) {
    const std::vector<Span>& words = state.results.arguments();
    if (lenient()) {
        state.results.operandsTook(shareWordsFromLeft(table.operands, words.size()));
        return true;
    }
    std::vector<OperandWords> shares = shareWords(table.operands, words.size());
    const std::size_t taken = shares.empty() ? 0 : shares.back().first + shares.back().count;
    auto share = shares.begin();
    const Operand* missing = nullptr;
    for (const Operand& operand : table.operands) {
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
        return fail(lines().missingOperand(missing->description().name));
    }
    if (taken < words.size()) {
        return fail(lines().extraOperand(state.results.text(words[taken])));
    }
    auto took = state.results.operandWords().begin();
    for (const Operand& operand : table.operands) {
        const Operand::Description& described = operand.description();
        for (std::size_t at = took->first; at < took->first + took->count; ++at) {
            const std::string_view word = state.results.text(words[at]);
            const std::string reason = refusal(described.words, word, [this] { return lines(); });
            if (!reason.empty()) {
                return fail(
                    lines().invalidValue({}, described.name, word, described.name, {}, reason));
            }
        }
        ++took;
    }
    return true;
}

} // namespace conkit::detail
