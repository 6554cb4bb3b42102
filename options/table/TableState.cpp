// The table's name index: adding to it, checking it against the options
// handed out for change, and the clash rule read through it.
#include "options/table/TableState.h"

namespace conkit::detail {

TableState::Read TableState::namesOf(const Option& option, std::uint32_t first) {
    return {first,
            static_cast<std::uint32_t>(option.description().aliases.size()),
            static_cast<std::uint32_t>(option.description().deprecatedAliases.size()),
            option.shortName,
            hasNegatedForm(option),
            wholeNamesOnly(option)};
}

bool TableState::reread() const {
    bool stale = seen.size() != options.size();
    const std::vector<Names::Entry>& entries = index.entries();
    for (auto at = changeable.begin(); !stale && at != changeable.end(); ++at) {
        const Option& option = options[*at];
        const Read& was = seen[*at];
        const std::vector<std::string>& aliases = option.description().aliases;
        stale = was.shortName != option.shortName || was.negated != hasNegatedForm(option) ||
                was.hidden != wholeNamesOnly(option) || was.aliases != aliases.size() ||
                was.deprecatedAliases != option.description().deprecatedAliases.size() ||
                entries[was.longName].text != option.longName;
        for (std::uint32_t i = 0; !stale && i < was.aliases; ++i) {
            stale = entries[was.longName + 1 + i].text != aliases[i];
        }
    }
    if (!stale) {
        return false;
    }
    index.build(options);
    seen.assign(options.size(), Read());
    for (std::uint32_t i = 0; i < entries.size(); ++i) {
        if (entries[i].kind == Names::Kind::longName) {
            seen[entries[i].option] = namesOf(options[entries[i].option], i);
        }
    }
    return true;
}

bool TableState::Current::otherName(const Option& option, const Names::Entry& entry,
                                    std::string_view typed) noexcept {
    if (entry.kind == Names::Kind::alias) {
        const std::vector<std::string>& aliases = option.description().aliases;
        return entry.place < aliases.size() && sameText(aliases[entry.place], typed);
    }
    return typed.size() > 3 && typed.substr(0, 3) == "no-" &&
           sameText(option.longName, typed.substr(3)) && hasNegatedForm(option);
}

Names::Reading TableState::readSlowly(std::string_view word) const {
    reread();
    return index.read(word);
}

std::uint32_t TableState::findAgain(std::string_view name) const {
    const Names::Entry* entry = index.exactly(name, Current{options});
    return entry != nullptr && entry->kind != Names::Kind::negated ? entry->option
                                                                   : findSlowly(name);
}

std::uint32_t TableState::findSlowly(std::string_view name) const {
    const std::uint32_t found = index.find(name, Current{options});
    return found != Names::none || !reread() ? found : index.find(name, Current{options});
}

void TableState::add(Option option) {
    options.add(std::move(option));
    const auto last = static_cast<std::uint32_t>(options.size() - 1);
    if (seen.size() == last) { // the index has read every option before it
        seen.push_back(namesOf(options[last], static_cast<std::uint32_t>(index.entries().size())));
        index.added(options, last);
    }
}

void TableState::handOut(std::uint32_t option) {
    const auto at = std::lower_bound(changeable.begin(), changeable.end(), option);
    if (at == changeable.end() || *at != option) {
        changeable.insert(at, option);
    }
}

bool TableState::clashes(const Option& candidate) const {
    if (isShortForm(candidate.shortName, Syntax::classic) &&
        findShort(candidate.shortName) != Names::none) {
        return true;
    }
    if (findLong(candidate.longName) != Names::none) {
        return true;
    }
    for (const std::string& alias : candidate.description().aliases) {
        if (findLong(alias) != Names::none) {
            return true;
        }
    }
    return false;
}

} // namespace conkit::detail
