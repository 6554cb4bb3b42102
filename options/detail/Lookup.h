// Finding options in a table by their own names. The table is scanned every
// time: there is no index to keep in step, so a rename is seen at once.
#pragma once

#include "options/detail/ShortText.h"

#include <string_view>

namespace conkit::detail {

/// Among the options of `table` whose short name is `c`, the one whose long
/// name sorts first; nullptr when none has it. `Table` is the option table,
/// const or not, and so is the answer.
template <class Table> auto findShortIn(Table& table, char c) noexcept {
    decltype(&*table.begin()) best = nullptr;
    for (auto& option : table) {
        if (option.shortName == c && (best == nullptr || option.longName < best->longName)) {
            best = &option;
        }
    }
    return best;
}

/// The option whose long name is `name`, the first defined should a rename
/// have given two options the same one; nullptr when none has it.
template <class Table> auto findLongIn(Table& table, std::string_view name) noexcept {
    decltype(&*table.begin()) found = nullptr;
    for (auto& option : table) {
        if (sameText(option.longName, name)) {
            found = &option;
            break;
        }
    }
    return found;
}

/// The option `OptionParser::findOption` gives for `name`: the long name, or,
/// for a name of one character, failing that the short name.
template <class Table> auto findOptionIn(Table& table, std::string_view name) noexcept {
    if (name.size() != 1) {
        return findLongIn(table, name);
    }
    // One pass for both rules: a one-character long name wins over the short
    // names.
    decltype(&*table.begin()) byShort = nullptr;
    for (auto& option : table) {
        if (option.longName.size() == 1 && option.longName[0] == name[0]) {
            return &option;
        }
        if (option.shortName == name[0] &&
            (byShort == nullptr || option.longName < byShort->longName)) {
            byShort = &option;
        }
    }
    return byShort;
}

} // namespace conkit::detail
