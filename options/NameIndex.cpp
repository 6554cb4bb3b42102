// NameIndex: lookups of options by long name, short name and prefix.
#include "options/NameIndex.h"

#include "options/ShortText.h"

#include <algorithm>

namespace conkit::detail {

void NameIndex::add(char shortName, std::string_view longName) {
    const auto position = static_cast<OptionPosition>(keys.size());
    keys.push_back({names.size(), longName.size(), shortName});
    names.append(longName);

    // After the options with a name that sorts before or equal to this one,
    // so that equal names keep their order of definition.
    const auto at = std::upper_bound(sorted.begin(), sorted.end(), longName,
                                     [this](std::string_view name, OptionPosition other) {
                                         return name < this->longName(other);
                                     });
    sorted.insert(at, position);

    if (byCharacter.empty()) {
        byCharacter.assign(512, noOption);
    }
    OptionPosition& first = byCharacter[static_cast<unsigned char>(shortName)];
    if (first == noOption || longName < this->longName(first)) {
        first = position;
    }
    if (longName.size() == 1) {
        OptionPosition& named = byCharacter[256 + static_cast<unsigned char>(longName[0])];
        named = named == noOption ? position : named;
    }

    if (findLong(longName) == noOption) {
        if (2 * keys.size() > slots.size()) {
            growSlots();
        } else {
            insertIntoSlots(position);
        }
    }
}

void NameIndex::insertIntoSlots(OptionPosition position) {
    const std::size_t mask = slots.size() - 1;
    std::size_t at = hashText(longName(position)) & mask;
    while (slots[at] != noOption) {
        at = (at + 1) & mask;
    }
    slots[at] = position;
}

void NameIndex::growSlots() {
    std::size_t size = 16;
    while (size < 4 * keys.size()) {
        size *= 2;
    }
    slots.assign(size, noOption);
    // Only the first option of each long name goes in, as `findLong` answers.
    for (OptionPosition position = 0; position < keys.size(); ++position) {
        if (findLong(longName(position)) == noOption) {
            insertIntoSlots(position);
        }
    }
}

OptionPosition NameIndex::findLong(std::string_view name) const noexcept {
    if (name.size() == 1) {
        return byCharacter.empty() ? noOption
                                   : byCharacter[256 + static_cast<unsigned char>(name[0])];
    }
    if (slots.empty()) {
        return noOption;
    }
    const std::size_t mask = slots.size() - 1;
    for (std::size_t at = hashText(name) & mask; slots[at] != noOption; at = (at + 1) & mask) {
        if (sameText(longName(slots[at]), name)) {
            return slots[at];
        }
    }
    return noOption;
}

OptionPosition NameIndex::find(std::string_view name) const noexcept {
    if (name.size() == 1) {
        const OptionPosition byLong = findLong(name);
        return byLong != noOption ? byLong : findShort(name[0]);
    }
    return findLong(name);
}

NameIndex::Range NameIndex::withPrefix(std::string_view prefix) const noexcept {
    const auto startsWithPrefix = [this, prefix](OptionPosition position) {
        return longName(position).substr(0, prefix.size()) == prefix;
    };
    // Names that begin with the prefix sort together, from the prefix itself on.
    const auto first = std::lower_bound(sorted.begin(), sorted.end(), prefix,
                                        [this](OptionPosition position, std::string_view text) {
                                            return longName(position) < text;
                                        });
    const auto last = std::find_if_not(first, sorted.end(), startsWithPrefix);
    return {sorted.data() + (first - sorted.begin()), sorted.data() + (last - sorted.begin())};
}

std::string_view NameIndex::longName(OptionPosition position) const noexcept {
    const Key& key = keys[position];
    return std::string_view(names.data() + key.begin, key.length);
}

bool NameIndex::knows(OptionPosition position, char shortName,
                      std::string_view name) const noexcept {
    return position < keys.size() && keys[position].shortName == shortName &&
           longName(position) == name;
}

} // namespace conkit::detail
