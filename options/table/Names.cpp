// Reading a typed name against the names of a table.
#include "options/table/Names.h"

#include <algorithm>

namespace conkit::detail {

namespace {

/// True when `a` has precedence over `b`, an entry of the same text.
bool precedes(const Names::Entry& a, const Names::Entry& b) noexcept {
    return a.kind != b.kind ? a.kind < b.kind : a.option < b.option;
}

} // namespace

void Names::clear() {
    all.clear();
    sorted.clear();
    oneCharacterTexts = 0;
    slots.assign(16, 0);
    texts = 0;
    shortNames = emptyShortNames();
    deprecatedNames = false;
}

void Names::grow() {
    std::vector<std::uint32_t> old(slots.size() * 2, 0);
    old.swap(slots);
    for (const std::uint32_t held : old) {
        if (held != 0) {
            slots[slotOf(all[held - 1].text)] = held;
        }
    }
}

void Names::add(Entry entry) {
    if (slots.empty()) {
        slots.assign(16, 0);
    }
    if (2 * (texts + 1) > slots.size()) {
        grow();
    }
    const auto index = static_cast<std::uint32_t>(all.size());
    oneCharacterTexts += entry.text.size() == 1 ? 1U : 0U;
    const std::size_t slot = slotOf(entry.text);
    if (slots[slot] == 0) {
        slots[slot] = index + 1;
        ++texts;
    } else if (Entry& held = all[slots[slot] - 1]; precedes(entry, held)) {
        held.reached = held.kind == Kind::longName; // every long name is typed as itself
        slots[slot] = index + 1;
    } else {
        entry.reached = entry.kind == Kind::longName;
    }
    const auto at = std::lower_bound(
        sorted.begin(), sorted.end(), entry, [this](std::uint32_t held, const Entry& wanted) {
            const Entry& e = all[held];
            return e.text != wanted.text ? e.text < wanted.text : precedes(e, wanted);
        });
    sorted.insert(at, index);
    all.push_back(std::move(entry));
}

Names::Reading Names::readPrefix(std::string_view word) const noexcept {
    Reading reading;
    auto at = std::lower_bound(
        sorted.begin(), sorted.end(), word,
        [this](std::uint32_t held, std::string_view wanted) { return all[held].text < wanted; });
    for (; at != sorted.end() && beginsWith(all[*at].text, word); ++at) {
        const Entry& entry = all[*at];
        if (!entry.abbreviable()) {
            continue;
        }
        if (reading.entry == nullptr || reading.entry->owner() != entry.owner()) {
            ++reading.matches;
        }
        reading.entry = &entry;
    }
    if (reading.matches != 1) {
        reading.entry = nullptr;
    }
    return reading;
}

std::vector<std::string_view> Names::beginningWith(std::string_view prefix) const {
    std::vector<std::string_view> found;
    auto at = std::lower_bound(
        sorted.begin(), sorted.end(), prefix,
        [this](std::uint32_t held, std::string_view wanted) { return all[held].text < wanted; });
    for (; at != sorted.end() && beginsWith(all[*at].text, prefix); ++at) {
        if (all[*at].abbreviable()) {
            found.emplace_back(all[*at].text);
        }
    }
    return found;
}

} // namespace conkit::detail
