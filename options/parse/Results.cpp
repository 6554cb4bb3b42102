// The one writer of a parse's results.
#include "options/parse/Results.h"

#include <algorithm>

namespace conkit::detail {

std::vector<std::string> Results::valuesOf(std::size_t index) const {
    // The last `valueCount` values of the option, found from the last back.
    const Record& got = record(index);
    std::vector<std::string> given(got.valueCount);
    std::size_t at = got.lastValue + 1;
    for (std::size_t left = given.size(); left != 0; --left) {
        do {
            --at;
        } while (values[at].option != index);
        given[left - 1] = text(values[at].text);
    }
    return given;
}

void Results::clear(Table& table, const std::vector<std::uint32_t>& handedOut) {
    for (const std::uint32_t index : touched) {
        table[index].found = false;
    }
    for (const std::uint32_t index : handedOut) {
        table[index].found = false;
    }
    touched.clear();
    pending = nullptr;
    if (++stamp == 0) { // after four billion parses: no stamp may be reused
        for (Record& record : records) {
            record.stamp = 0;
        }
        warnedIn = 0;
        stamp = 1;
    }
    values.clear();
    positional.clear();
    shared.clear();
    used = 0;
    if (failure.kind != ParseErrorKind::none) { // its texts are empty otherwise
        clearFailure();
    }
    chosen = noCommand;
}

void Results::warn(std::string line) {
    if (warnedIn != stamp) {
        warned.clear();
        warnedIn = stamp;
    }
    if (std::find(warned.begin(), warned.end(), line) == warned.end()) {
        warned.push_back(std::move(line));
    }
}

void Results::clearFailure() {
    failure = Failure();
}

void Results::writePending() {
    // Parsing the same words again writes nothing: a value rewritten byte by
    // byte would stall the caller's next wider read of it, such as getValue's
    // copy (6 ns, 12% of the small line, against a few instructions here).
    const std::string_view last = text(pendingText);
    if (!sameText(pending->value, last)) {
        assignText(pending->value, last);
    }
    pending = nullptr;
}

void Results::unnamed(Option& option, std::uint32_t index) {
    Record& got = fresh(index);
    got.timesNamed = got.timesNamed != 0 ? got.timesNamed - 1 : 0;
    if (got.timesNamed == 0 && got.valueCount == 0) {
        option.found = false;
        got.from = ValueSource::none;
    }
}

void Results::negated(Option& option, std::uint32_t index) {
    Record& got = fresh(index);
    option.found = false;
    got.timesNamed = 0;
    got.valueCount = 0;
    got.from = ValueSource::commandLine;
}

void Results::switched(Option& option, std::uint32_t index, bool on, ValueSource from) {
    Record& got = fresh(index);
    option.found = on;
    got.from = from;
}

void Results::setValue(Option& option, std::string_view text) {
    assignText(option.value, text);
    option.found = true;
}

void Results::growRecords(std::size_t options) {
    records.resize(std::max(options, 2 * records.size()));
    touched.reserve(records.size());
}

void Results::grow(std::size_t more) {
    texts.resize(std::max(used + more, 2 * texts.size()));
}

} // namespace conkit::detail
