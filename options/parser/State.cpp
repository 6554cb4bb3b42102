// The parser's state: keeping the name index in step with the table, and
// what a parse clears and checks.
#include "options/parser/State.h"

#include <algorithm>

namespace conkit::detail {

bool ParserState::namesKept() const noexcept {
    for (const NamesSeen& seen : namesSeen) {
        if (!seen.sameAs(table[seen.option])) {
            return false;
        }
    }
    return true;
}

namespace {

/// True when a parse reads `option`'s environment variable or requires it.
bool checkedAfterParse(const Option& option) {
    return option.description().required || !option.description().env.empty();
}

NamesSeen namesOf(const Option& option, std::uint32_t index) {
    const Option::Description& described = option.description();
    return {
        index,           option.shortName, described.negatable, option.needArg, described.hidden,
        option.longName, described.aliases};
}

} // namespace

void ParserState::readIndexAgain() {
    index.build(table);
    indexed = table.size();
    results.reserveRecords(table.size());
    for (NamesSeen& seen : namesSeen) {
        seen = namesOf(table[seen.option], seen.option);
    }
    describedAfter.clear();
    for (std::uint32_t i = 0; i < table.size(); ++i) {
        if (checkedAfterParse(table[i])) {
            describedAfter.push_back(i);
        }
    }
    gatherCheckedAfterAgain();
}

void ParserState::gatherCheckedAfterAgain() {
    checkedAfter = describedAfter;
    for (const std::uint32_t option : handedOut) {
        if (checkedAfterParse(table[option])) {
            checkedAfter.push_back(option);
        }
    }
    if (checkedAfter.size() != describedAfter.size()) {
        std::sort(checkedAfter.begin(), checkedAfter.end());
        checkedAfter.erase(std::unique(checkedAfter.begin(), checkedAfter.end()),
                           checkedAfter.end());
    }
}

void ParserState::clearResults() {
    results.clear(table, handedOut);
    for (Command& command : commands) { // most parsers have none
        command.chosen = false;
        command.parser.reset();
    }
}

void ParserState::handOut(std::uint32_t option) {
    if (std::find(handedOut.begin(), handedOut.end(), option) == handedOut.end()) {
        handedOut.push_back(option);
        namesSeen.push_back(namesOf(table[option], option));
    }
}

void ParserState::indexAdded() {
    const auto last = static_cast<std::uint32_t>(table.size() - 1);
    if (indexed == last && namesKept()) {
        index.added(table, last);
        indexed = table.size();
        results.reserveRecords(table.size());
    }
}

} // namespace conkit::detail
