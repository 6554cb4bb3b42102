// The one owner of what a typed name means: every name a user can type for
// the options of one table, the rules that read a word against them, and the
// rule of which names clash.
#pragma once

#include "options/messages/Suggestion.h"
#include "options/table/ShortForm.h"
#include "options/table/ValueKind.h"
#include "options/text/ShortText.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace conkit::detail {

/// True when `alias`, an alias of `option`, is one of its deprecated aliases.
template <class Option> bool isDeprecatedAlias(const Option& option, std::string_view alias) {
    const std::vector<std::string>& deprecated = option.description().deprecatedAliases;
    return std::find(deprecated.begin(), deprecated.end(), alias) != deprecated.end();
}

/// True when the names of `option` name it only when typed whole and are
/// offered nowhere: it is hidden or deprecated.
template <class Option> bool wholeNamesOnly(const Option& option) noexcept {
    return option.description().hidden || option.description().deprecated.has_value();
}

/// True when naming `option` by some name warns: it or an alias is deprecated.
template <class Option> bool hasDeprecatedName(const Option& option) noexcept {
    return option.description().deprecated.has_value() ||
           !option.description().deprecatedAliases.empty();
}

/// What the names of a list of options read as. `Options` is any list with
/// `size()` and `operator[]` whose elements have the option fields, such as
/// the table; the names are read from each option's own fields.
///
/// Exact names are found through a hash table, whatever the size of the
/// table, and prefixes by a binary search of the names in sorted order.
/// Each lookup compares the typed text with a text through `Same`: the
/// entry's own copy (`asRead`), or the option's name as it is now (see
/// NameIndex), so that a name the option no longer has is not found.
class Names {
public:
    /// No option.
    static constexpr std::uint32_t none = 0xFFFFFFFFU;

    /// How an entry names its option, in order of precedence when two
    /// entries have the same text.
    enum class Kind : std::uint8_t { longName, alias, negated };

    /// One name a user can type after "--".
    struct Entry {
        std::string text;
        std::uint32_t option = none;
        Kind kind = Kind::longName;
        /// False for an alias or "no-" form that an entry of the same text
        /// with precedence shadows: it names nothing.
        bool reached = true;
        /// A name of a hidden or deprecated option, or a deprecated alias:
        /// it names the option only when typed whole.
        bool hidden = false;
        /// For an alias, its place among the option's aliases.
        std::uint32_t place = 0;
        /// The option and form it names, as one number: two entries with
        /// the same owner are one option in one form.
        [[nodiscard]] std::uint32_t owner() const noexcept {
            return option * 2 + (kind == Kind::negated ? 1U : 0U);
        }
        /// True when a prefix of the text names the option, and the text
        /// may be suggested for a mistyped word: it is reached and not
        /// hidden.
        [[nodiscard]] bool abbreviable() const noexcept { return reached && !hidden; }
    };

    /// What a word read under the gnu abbreviation rule names.
    struct Reading {
        /// The entry it names exactly or as the unique prefix; nullptr when
        /// it names none or several.
        const Entry* entry = nullptr;
        /// More than 1 when it begins the names of several owners.
        std::size_t matches = 0;
    };

    /// Compares a typed text with an entry's own copy of its text.
    struct AsRead {
        bool operator()(const Entry& entry, std::string_view typed) const noexcept {
            return sameText(entry.text, typed);
        }
        bool shortName(std::uint32_t, char) const noexcept { return true; }
    };

    Names() = default;
    /// The names of `options`.
    template <class Options> explicit Names(const Options& options) { build(options); }

    /// Reads the names of `options` afresh.
    template <class Options> void build(const Options& options);
    /// Adds the names of `options[index]`, the last option of `options`,
    /// which has no alias or "--no-" form yet and is neither hidden nor
    /// deprecated.
    template <class Options> void added(const Options& options, std::uint32_t index);
    /// Adds `entry`, as for a list built by hand (such as a name list).
    void add(Entry entry);

    /// The option with long name `name`, else the first that has it as an
    /// alias; `none` when no option has.
    template <class Same = AsRead>
    [[nodiscard]] std::uint32_t findLong(std::string_view name, Same same = {}) const noexcept {
        const Entry* entry = exactly(name, same);
        return entry != nullptr && entry->kind != Kind::negated ? entry->option : none;
    }
    /// Among the options whose short name is `c`, the one whose long name
    /// sorts first (the first defined among equals); `none` when none has.
    template <class Same = AsRead>
    [[nodiscard]] std::uint32_t findShort(char c, Same same = {}) const noexcept {
        const std::uint32_t option = shortNames[static_cast<unsigned char>(c)];
        return option != none && same.shortName(option, c) ? option : none;
    }
    /// True when no long name or alias has one character: a name of one
    /// character is then a short name at once.
    [[nodiscard]] bool shortNamesFirst() const noexcept { return oneCharacterTexts == 0; }
    /// findOption's rule: the long name or alias `name`, or, for a name of
    /// one character, failing that the short name.
    template <class Same = AsRead>
    [[nodiscard]] std::uint32_t find(std::string_view name, Same same = {}) const noexcept {
        // Most tables have no long name of one character: "-x" is then a
        // short name at once, without leaving the caller's loop.
        if (name.size() == 1 && oneCharacterTexts == 0) {
            return findShort(name[0], same);
        }
        const std::uint32_t byLong = findLong(name, same);
        return byLong == none && name.size() == 1 ? findShort(name[0], same) : byLong;
    }
    /// The entry `word` names exactly (long names before aliases before
    /// "no-" forms); nullptr when none has its text.
    template <class Same = AsRead>
    [[nodiscard]] const Entry* exactly(std::string_view word, Same same = {}) const noexcept {
        if (slots.empty()) {
            return nullptr;
        }
        const std::size_t mask = slots.size() - 1;
        for (std::size_t slot = hashOf(word) & mask; slots[slot] != 0; slot = (slot + 1) & mask) {
            const Entry& held = all[slots[slot] - 1];
            if (same(held, word)) {
                return &held;
            }
        }
        return nullptr;
    }
    /// The entry `word` names exactly, else the one owner whose abbreviable
    /// names begin with it.
    [[nodiscard]] Reading read(std::string_view word) const noexcept {
        if (const Entry* entry = exactly(word)) {
            return {entry, 1};
        }
        return readPrefix(word);
    }
    /// `read` for a word that is no name: the one owner it begins the names of.
    [[nodiscard]] Reading readPrefix(std::string_view word) const noexcept;
    /// The text of every abbreviable entry that begins with `prefix`, in
    /// byte order.
    [[nodiscard]] std::vector<std::string_view> beginningWith(std::string_view prefix) const;
    /// Every entry, in the order added.
    [[nodiscard]] const std::vector<Entry>& entries() const noexcept { return all; }
    /// True when some option read by `build` has a deprecated name: a parse
    /// then looks at each name it reads.
    [[nodiscard]] bool hasDeprecatedNames() const noexcept { return deprecatedNames; }

private:
    template <class Option> static bool sortsBefore(const Option& a, const Option& b) noexcept {
        return a.longName < b.longName;
    }
    template <class Options> void addShort(const Options& options, std::uint32_t index) {
        std::uint32_t& byShort = shortNames[static_cast<unsigned char>(options[index].shortName)];
        if (byShort == none || sortsBefore(options[index], options[byShort])) {
            byShort = index;
        }
    }
    /// The slot of text `name` in the hash table: its entry's, or an empty one.
    [[nodiscard]] std::size_t slotOf(std::string_view name) const noexcept {
        const std::size_t mask = slots.size() - 1;
        std::size_t slot = hashOf(name) & mask;
        while (slots[slot] != 0 && !sameText(all[slots[slot] - 1].text, name)) {
            slot = (slot + 1) & mask;
        }
        return slot;
    }
    static std::size_t hashOf(std::string_view text) noexcept {
        return static_cast<std::size_t>(hashText(text));
    }
    void clear();
    void grow();

    std::vector<Entry> all;
    /// Indexes of `all` sorted by text, then by precedence.
    std::vector<std::uint32_t> sorted;
    /// Open addressing: per text, 1 + the index of its entry with precedence;
    /// 0 for an empty slot. Never more than half full.
    std::vector<std::uint32_t> slots;
    std::size_t texts = 0;
    /// How many entries have a text of one character.
    std::size_t oneCharacterTexts = 0;
    std::array<std::uint32_t, 256> shortNames = emptyShortNames();
    bool deprecatedNames = false;

    static constexpr std::array<std::uint32_t, 256> emptyShortNames() noexcept {
        std::array<std::uint32_t, 256> names{};
        for (std::uint32_t& name : names) {
            name = none;
        }
        return names;
    }
};

template <class Options> void Names::build(const Options& options) {
    clear();
    const auto count = static_cast<std::uint32_t>(options.size());
    for (std::uint32_t i = 0; i < count; ++i) {
        const bool hidden = wholeNamesOnly(options[i]);
        add({options[i].longName, i, Kind::longName, true, hidden});
        const std::vector<std::string>& aliases = options[i].description().aliases;
        for (std::uint32_t place = 0; place < aliases.size(); ++place) {
            add({aliases[place], i, Kind::alias, true,
                 hidden || isDeprecatedAlias(options[i], aliases[place]), place});
        }
        addShort(options, i);
        deprecatedNames = deprecatedNames || hasDeprecatedName(options[i]);
    }
    // A "--no-" form names its option when its long name does; a long name
    // or alias of the same text shadows it.
    for (std::uint32_t i = 0; i < count; ++i) {
        if (hasNegatedForm(options[i]) && findLong(options[i].longName) == i) {
            add({"no-" + options[i].longName, i, Kind::negated, true, wholeNamesOnly(options[i])});
        }
    }
}

template <class Options> void Names::added(const Options& options, std::uint32_t index) {
    add({options[index].longName, index, Kind::longName});
    addShort(options, index);
}

/// The rule of which names clash: two options clash when they have one
/// short form (an ASCII letter) or one long name or alias.
template <class Option> bool namesClash(const Option& a, const Option& b) noexcept {
    if (a.shortName == b.shortName && isShortForm(a.shortName, Syntax::classic)) {
        return true;
    }
    const auto named = [](const Option& option, const std::string& name) {
        const std::vector<std::string>& aliases = option.description().aliases;
        return option.longName == name ||
               std::find(aliases.begin(), aliases.end(), name) != aliases.end();
    };
    const std::vector<std::string>& aliases = a.description().aliases;
    return named(b, a.longName) || std::any_of(aliases.begin(), aliases.end(),
                                               [&](const std::string& n) { return named(b, n); });
}

/// The option of `options` that has `name` as its long name, else the first
/// that has it as an alias; nullptr when none has.
template <class Options>
const typename Options::value_type* holderOf(const Options& options, const Names& names,
                                             std::string_view name) noexcept {
    const std::uint32_t holder = names.findLong(name);
    return holder != Names::none ? &options[holder] : nullptr;
}

/// True when `alias`, an alias of `owner`, an option of `options`, names
/// `owner`: no option has it as its long name, and none defined before
/// `owner` has it as an alias.
template <class Options>
bool aliasInEffect(const Options& options, const Names& names,
                   const typename Options::value_type& owner, std::string_view alias) noexcept {
    return holderOf(options, names, alias) == &owner && owner.longName != alias;
}

/// The name to suggest for `word`, which names no option of `options`: the
/// one name of `names` within two edits of it (hidden ones left out, "no-"
/// forms only when `negated`), or the long name of the one option that
/// several such names belong to; "" when none or several options are close.
template <class Options>
std::string closeName(const Names& names, const Options& options, std::string_view word,
                      bool negated) {
    CloseMatch close(word);
    for (const Names::Entry& entry : names.entries()) {
        if (entry.abbreviable() && (negated || entry.kind != Names::Kind::negated)) {
            close.consider(entry.text, entry.kind == Names::Kind::negated
                                           ? std::string_view(entry.text)
                                           : std::string_view(options[entry.option].longName));
        }
    }
    return close.found() ? std::string(close.candidate()) : std::string();
}

/// Calls `visit(option, name, negated)` for every long name a user can type
/// in the gnu syntax, in order of definition: each option's long name, its
/// aliases in effect, and "no-NAME" (`negated` true) when it is negatable
/// and takes no value. `name` lives only during the call.
template <class Options, class Visit>
void forEachLongName(const Options& options, const Names& names, Visit visit) {
    for (const auto& option : options) {
        visit(option, std::string_view(option.longName), false);
        for (const std::string& alias : option.description().aliases) {
            if (aliasInEffect(options, names, option, alias)) {
                visit(option, std::string_view(alias), false);
            }
        }
        if (hasNegatedForm(option)) {
            visit(option, std::string_view("no-" + option.longName), true);
        }
    }
}

} // namespace conkit::detail
