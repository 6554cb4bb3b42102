// Finding options in a table by their own names. The table is scanned every
// time: there is no index to keep in step, so a rename is seen at once.
#pragma once

#include "options/OptionParser.h"
#include "options/core/ShortText.h"
#include "slices/detail/Hints.h"

#include <string_view>

namespace conkit::detail {

using Option = OptionParser::Option;

/// True when the long name of `a` sorts before that of `b`. Out of line: a
/// short name is nearly always held once, and the comparison inlined would
/// make every short-name scan save and restore registers for it.
CONKIT_NOINLINE inline bool sortsBefore(const Option& a, const Option& b) noexcept {
    return a.longName < b.longName;
}

/// Among the options of `table` whose short name is `c`, the one whose long
/// name sorts first; nullptr when none has it. `Table` is the option table,
/// const or not, and so is the answer.
template <class Table> auto findShortIn(Table& table, char c) noexcept {
    decltype(&*table.begin()) best = nullptr;
    for (auto& option : table) {
        if (option.shortName == c && (best == nullptr || sortsBefore(option, *best))) {
            best = &option;
        }
    }
    return best;
}

/// The option that has `name` as an alias, the first defined; nullptr when
/// none has. Out of line from the scan of long names, which it follows.
template <class Table>
CONKIT_NOINLINE auto findAliasIn(Table& table, std::string_view name) noexcept {
    for (auto& option : table) {
        for (const std::string& alias : option.description().aliases) {
            if (sameText(alias, name)) {
                return &option;
            }
        }
    }
    return static_cast<decltype(&*table.begin())>(nullptr);
}

/// The option whose long name is `name`, else the one that has it as an alias
/// (the first defined, should a rename have given two options the same name);
/// nullptr when none has it. An alias that a long name or an earlier alias
/// repeats is never reached. With `aliases` false, which a caller may pass
/// when it knows that no option has one, aliases are not looked at.
template <class Table>
auto findLongIn(Table& table, std::string_view name, bool aliases = true) noexcept {
    for (auto& option : table) {
        if (sameText(option.longName, name)) {
            return &option;
        }
    }
    return aliases ? findAliasIn(table, name) : nullptr;
}

/// The option `OptionParser::findOption` gives for `name`: the long name or
/// alias, or, for a name of one character, failing that the short name.
/// `aliases` as for `findLongIn`.
template <class Table>
auto findOptionIn(Table& table, std::string_view name, bool aliases = true) noexcept {
    if (name.size() != 1) {
        return findLongIn(table, name, aliases);
    }
    // One pass for the long names and the short names; a one-character long
    // name wins, and so does an alias.
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
    if (aliases) {
        if (auto* byAlias = findLongIn(table, name)) {
            return byAlias;
        }
    }
    return byShort;
}

/// True when `alias`, an alias of `owner`, is in effect in `table`: no option
/// has it as its long name, and no option defined before `owner` has it as an
/// alias.
template <class Table>
bool aliasInEffect(const Table& table, const Option& owner, std::string_view alias) noexcept {
    return !sameText(owner.longName, alias) && findLongIn(table, alias) == &owner;
}

/// Calls `visit(option, name, negated)` for every long name a user can type
/// in the gnu syntax, in order of definition: each option's long name, its
/// aliases in effect, and "no-NAME" (`negated` true) when it is negatable
/// and takes no value. `name` lives only during the call.
template <class Table, class Visit> void forEachLongName(Table& table, Visit visit) {
    for (auto& option : table) {
        visit(option, std::string_view(option.longName), false);
        for (const std::string& alias : option.description().aliases) {
            if (aliasInEffect(table, option, alias)) {
                visit(option, std::string_view(alias), false);
            }
        }
        if (option.description().negatable && !option.needArg) {
            visit(option, std::string_view("no-" + option.longName), true);
        }
    }
}

} // namespace conkit::detail
