// The one writer of a parse's results.
#include "options/core/Results.h"

#include "options/core/ShortText.h"

#include <algorithm>

namespace conkit::detail {

std::vector<std::string> Results::valuesOf(std::size_t index) const {
    std::vector<std::string> given;
    const Record& got = record(index);
    given.reserve(got.valueCount);
    for (std::size_t i = got.firstValue; got.valueCount != 0 && i <= got.lastValue; ++i) {
        if (values[i].option == index) {
            given.emplace_back(text(values[i].text));
        }
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
    if (++stamp == 0) { // after four billion parses: no stamp may be reused
        for (Record& record : records) {
            record.stamp = 0;
        }
        stamp = 1;
    }
    values.clear();
    positional.clear();
    used = 0;
    errorLine.clear();
    errorWord.clear();
    errorKind = ParseErrorKind::none;
}

Record& Results::fresh(std::uint32_t index) {
    if (index >= records.size()) {
        reserveRecords(index + 1);
    }
    Record& got = records[index];
    if (got.stamp != stamp) {
        got = Record();
        got.stamp = stamp;
        touched.push_back(index);
    }
    return got;
}

void Results::named(Option& option, std::uint32_t index) {
    Record& got = fresh(index);
    option.found = true;
    got.from = ValueSource::commandLine;
    ++got.timesNamed;
}

void Results::stored(Option& option, std::uint32_t index, std::string_view text, ValueSource from) {
    Record& got = fresh(index);
    setValue(option, text);
    got.from = from;
    got.lastValue = values.size();
    if (got.valueCount++ == 0) {
        got.firstValue = got.lastValue;
    }
    values.push_back({index, keep(text)});
}

void Results::negated(Option& option, std::uint32_t index) {
    Record& got = fresh(index);
    option.found = false;
    got.timesNamed = 0;
    got.valueCount = 0;
    got.from = ValueSource::commandLine;
}

void Results::switched(Option& option, std::uint32_t index, bool on) {
    Record& got = fresh(index);
    option.found = on;
    got.from = ValueSource::environment;
}

void Results::setValue(Option& option, std::string_view text) {
    assignText(option.value, text);
    option.found = true;
}

void Results::reserveRecords(std::size_t options) {
    if (records.size() < options) {
        records.resize(std::max(options, 2 * records.size()));
        touched.reserve(records.size());
    }
}

void Results::reserve(std::size_t words) {
    // Room for the texts of a usual command line.
    if (texts.size() < 16 * words) {
        texts.resize(16 * words);
    }
    positional.reserve(words);
}

Span Results::keep(std::string_view text) {
    const std::size_t begin = used;
    if (text.size() > texts.size() - begin) {
        texts.resize(std::max(begin + text.size(), 2 * texts.size()));
    }
    copyText(&texts[begin], text);
    used = begin + text.size();
    return {begin, text.size()};
}

} // namespace conkit::detail
