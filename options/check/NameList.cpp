// OptionParser: the list of the long names and commands a user can type, and
// the check that the words an earlier version's list accepted still name what
// they named, under the gnu syntax's abbreviation rule.
#include "options/OptionParser.h"

#include "options/parser/Commands.h"
#include "options/parser/View.h"

#include <algorithm>
#include <set>

namespace conkit {

namespace {

/// What a word can name, one line of a name list: an option with its long
/// name first and its aliases in effect after it, one "no-" form, or a
/// command. The names of a hidden or deprecated option, and its deprecated
/// aliases (`wholeNames`), are read whole only; deprecated ones are left out
/// of the list.
struct Entry {
    std::vector<std::string> names;
    bool command = false;
    bool hidden = false;
    bool deprecated = false;
    std::vector<std::string> wholeNames;
};

using Entries = std::vector<Entry>;

/// The entries of a parser: the options in order of definition, then the
/// "no-" forms that no long name or alias takes, then the commands. Where a
/// rename gives two entries one name, the first one is what the parser finds.
Entries entriesOf(const detail::TableState& state) {
    const detail::Table& table = state.options;
    const detail::Names& names = state.names();
    Entries entries;
    Entries negated;
    for (const detail::Option& option : table) {
        const bool hidden = option.description().hidden;
        const bool deprecated = option.description().deprecated.has_value();
        Entry entry{{option.longName}, false, hidden, deprecated, {}};
        for (const std::string& alias : option.description().aliases) {
            std::vector<std::string>& kept =
                detail::isDeprecatedAlias(option, alias) ? entry.wholeNames : entry.names;
            if (detail::aliasInEffect(table, names, option, alias) &&
                std::find(kept.begin(), kept.end(), alias) == kept.end()) {
                kept.push_back(alias);
            }
        }
        entries.push_back(std::move(entry));
        const std::string negatedName = "no-" + option.longName;
        if (detail::hasNegatedForm(option) && names.findLong(negatedName) == detail::Names::none) {
            negated.push_back({{negatedName}, false, hidden, deprecated, {}});
        }
    }
    entries.insert(entries.end(), negated.begin(), negated.end());
    for (const detail::Command& command : state.commands) {
        entries.push_back(
            {{command.name}, true, false, detail::deprecationOf(command) != nullptr, {}});
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

/// The entries of a name list: a line that begins with "--" is an option,
/// its names separated by " --"; any other line is a command. Empty lines
/// are skipped, and a carriage return before a line end is dropped, so that
/// a list saved with Windows line ends reads the same.
Entries entriesOf(const std::string& list) {
    Entries entries;
    std::size_t begin = 0;
    while (begin < list.size()) {
        std::size_t end = list.find('\n', begin);
        end = end == std::string::npos ? list.size() : end;
        std::string line = list.substr(begin, end - begin);
        begin = end + 1;
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        if (line.empty()) {
            continue;
        }
        if (line.compare(0, 2, "--") != 0) {
            entries.push_back({{line}, true, false, false, {}});
            continue;
        }
        Entry entry;
        for (std::size_t at = 2;;) {
            const std::size_t next = line.find(" --", at);
            entry.names.push_back(line.substr(at, next - at));
            if (next == std::string::npos) {
                break;
            }
            at = next + 3;
        }
        entries.push_back(std::move(entry));
    }
    return entries;
}

/// True when `name` is one of the names of `entry`, whole-only ones included.
bool hasName(const Entry& entry, const std::string& name) {
    return std::find(entry.names.begin(), entry.names.end(), name) != entry.names.end() ||
           std::find(entry.wholeNames.begin(), entry.wholeNames.end(), name) !=
               entry.wholeNames.end();
}

/// What a word names in a list: the entry, when it names exactly one, and how
/// many entries it matched.
struct Reading {
    const Entry* entry = nullptr;
    std::size_t matches = 0;
};

/// The option names of `entries`, each entry one owner, for the gnu rule.
detail::Names optionNames(const Entries& entries) {
    detail::Names names;
    for (std::uint32_t i = 0; i < entries.size(); ++i) {
        if (!entries[i].command) {
            const bool wholeOnly = entries[i].hidden || entries[i].deprecated;
            for (const std::string& name : entries[i].names) {
                names.add({name, i, detail::Names::Kind::longName, true, wholeOnly});
            }
            for (const std::string& name : entries[i].wholeNames) {
                names.add({name, i, detail::Names::Kind::longName, true, true});
            }
        }
    }
    return names;
}

/// What the option word "--`word`" names among `entries`, whose option names
/// are `names`, under the gnu rule.
Reading readOption(const Entries& entries, const detail::Names& names, const std::string& word) {
    const detail::Names::Reading reading = names.read(word);
    if (reading.entry == nullptr) {
        return {nullptr, reading.matches};
    }
    return {&entries[reading.entry->option], 1};
}

/// The entry of `entries` that stands for `old`, an entry of an earlier list:
/// the one that has its long name (its first name), else the one that has
/// its next name that is still there, and so on; nullptr when none has any.
/// An option that keeps its old long name as an alias is still itself, and
/// an alias that moved to another option is not.
const Entry* successor(const Entries& entries, const Entry& old) {
    for (const std::string& name : old.names) {
        for (const Entry& entry : entries) {
            if (entry.command == old.command && hasName(entry, name)) {
                return &entry;
            }
        }
    }
    return nullptr;
}

/// How a line names an entry: "--NAME" by its long name, a command as "the
/// command NAME".
std::string shown(const Entry& entry) {
    return entry.command ? "the command " + entry.names.front() : "--" + entry.names.front();
}

/// ", now is ambiguous: --A, --B" with every name of `names` that begins
/// with `word`, in byte order.
std::string ambiguity(const detail::Names& names, const std::string& word) {
    std::string text = ", now is ambiguous:";
    const std::vector<std::string_view> matching = names.beginningWith(word);
    for (std::size_t i = 0; i < matching.size(); ++i) {
        text += i == 0 ? " --" : ", --";
        text += matching[i];
    }
    return text;
}

} // namespace

std::string OptionParser::nameList() const {
    std::vector<std::string> lines;
    for (const Entry& entry : entriesOf(held->table)) {
        if (!entry.deprecated) {
            lines.push_back(lineOf(entry));
        }
    }
    std::sort(lines.begin(), lines.end());
    std::string list;
    for (const std::string& line : lines) {
        list += line + "\n";
    }
    return list;
}

std::vector<std::string> OptionParser::checkAbbreviations(const std::string& baseline) const {
    Entries before = entriesOf(baseline);
    const Entries now = entriesOf(held->table);
    // A list does not say which options were hidden: an option hidden now
    // is read as hidden in the baseline too, so that the list of this
    // parser reads as the parser does. A deprecated one is not: the words
    // that abbreviated it once no longer name it.
    for (Entry& entry : before) {
        const Entry* current = successor(now, entry);
        entry.hidden = current != nullptr && current->hidden;
    }
    const detail::Names namesBefore = optionNames(before);
    const detail::Names namesNow = optionNames(now);
    // Every prefix of every old option name, once; those that were ambiguous
    // or named nothing there are dropped below.
    std::set<std::string> words;
    for (const Entry& entry : before) {
        if (entry.command) {
            continue;
        }
        for (const std::string& name : entry.names) {
            for (std::size_t length = 1; length <= name.size(); ++length) {
                words.insert(name.substr(0, length));
            }
        }
    }
    std::vector<std::string> lines;
    for (const std::string& word : words) {
        const Reading old = readOption(before, namesBefore, word);
        if (old.entry == nullptr) {
            continue;
        }
        const Reading current = readOption(now, namesNow, word);
        if (current.entry != nullptr && current.entry == successor(now, *old.entry)) {
            continue;
        }
        const std::string start = "'--" + word + "' named " + shown(*old.entry);
        if (current.matches > 1) {
            lines.push_back(start + ambiguity(namesNow, word));
        } else {
            lines.push_back(start + ", now names " +
                            (current.entry != nullptr ? shown(*current.entry) : "nothing"));
        }
    }
    // Commands are named exactly, so a command word changes meaning only when
    // its command is gone.
    for (const Entry& entry : before) {
        if (entry.command && successor(now, entry) == nullptr) {
            lines.push_back("'" + entry.names.front() + "' named " + shown(entry) +
                            ", now names nothing");
        }
    }
    return lines;
}

} // namespace conkit
