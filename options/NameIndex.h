// NameIndex: finds options by name. Not part of the interface: OptionParser
// keeps one beside its option table.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace conkit::detail {

/// Where an option stands in its parser's table: the order of definition.
using OptionPosition = std::uint32_t;

/// "No option": what the lookups answer when nothing matches.
inline constexpr OptionPosition noOption = 0xFFFFFFFFu;

/// An index of the option table by long name, short name and long-name order.
///
/// It keeps its own copy of every name it was given and answers with
/// positions, so it never points into the table: a caller may change an
/// option's names, and the index then simply no longer describes that option
/// (`knows` tells) until it is built again.
///
/// Long names are compared byte for byte. Where several options have the same
/// long name (which only a rename can bring about) the first defined wins.
class NameIndex {
public:
    /// Positions in long-name order that begin with a prefix.
    struct Range {
        const OptionPosition* first = nullptr;
        const OptionPosition* last = nullptr;
        [[nodiscard]] std::size_t size() const noexcept {
            return static_cast<std::size_t>(last - first);
        }
        [[nodiscard]] const OptionPosition* begin() const noexcept { return first; }
        [[nodiscard]] const OptionPosition* end() const noexcept { return last; }
    };

    /// Indexes the option at the next position (the count of options added
    /// so far) under `shortName` and `longName`.
    void add(char shortName, std::string_view longName);

    /// The option whose long name is `name`, or `noOption`.
    [[nodiscard]] OptionPosition findLong(std::string_view name) const noexcept;
    /// Among the options whose short name is `c`, the one whose long name
    /// sorts first; `noOption` when none has it.
    [[nodiscard]] OptionPosition findShort(char c) const noexcept {
        return byCharacter.empty() ? noOption : byCharacter[static_cast<unsigned char>(c)];
    }
    /// The option with the long name `name`; failing that, for a name of one
    /// character, the option `findShort` gives for it.
    [[nodiscard]] OptionPosition find(std::string_view name) const noexcept;
    /// The options whose long names begin with `prefix`, in long-name order.
    [[nodiscard]] Range withPrefix(std::string_view prefix) const noexcept;
    /// Every option, in long-name order (byte-wise, then order of definition).
    [[nodiscard]] Range inNameOrder() const noexcept {
        return {sorted.data(), sorted.data() + sorted.size()};
    }
    /// The long name the option at `position` was indexed under.
    [[nodiscard]] std::string_view longName(OptionPosition position) const noexcept;
    /// True when the option at `position` was indexed under exactly these names.
    [[nodiscard]] bool knows(OptionPosition position, char shortName,
                             std::string_view longName) const noexcept;

private:
    struct Key {
        std::size_t begin = 0; // of the long name in `names`
        std::size_t length = 0;
        char shortName = '\0';
    };

    void insertIntoSlots(OptionPosition position);
    void growSlots();

    /// The long names, back to back; `keys` says where each one lies.
    std::string names;
    std::vector<Key> keys;
    /// Positions in long-name order.
    std::vector<OptionPosition> sorted;
    /// Open-addressing hash table of long names: positions, `noOption` where
    /// free. Its size is a power of two, at least twice the count of names.
    std::vector<OptionPosition> slots;
    /// Per byte value, the answer of `findShort`, then (from entry 256 on)
    /// the option whose long name is that one character, so that lookups of
    /// one-character names need no hashing. Empty while no option is indexed,
    /// so that an empty index costs nothing to make.
    std::vector<OptionPosition> byCharacter;
};

} // namespace conkit::detail
