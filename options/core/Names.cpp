// Reading a typed name against the names of a table.
#include "options/core/Names.h"

#include <algorithm>

namespace conkit::detail {

namespace {

bool entryBefore(const Names::Entry& a, const Names::Entry& b) noexcept {
    if (a.text != b.text) {
        return a.text < b.text;
    }
    return a.kind != b.kind ? a.kind < b.kind : a.option < b.option;
}

/// The first entry of `sorted` whose text is not below `text`.
std::vector<Names::Entry>::const_iterator firstAtLeast(const std::vector<Names::Entry>& sorted,
                                                       std::string_view text) noexcept {
    return std::lower_bound(
        sorted.begin(), sorted.end(), text,
        [](const Names::Entry& entry, std::string_view wanted) { return entry.text < wanted; });
}

bool beginsWith(std::string_view text, std::string_view prefix) noexcept {
    return text.substr(0, prefix.size()) == prefix;
}

} // namespace

void Names::finish() {
    std::stable_sort(sorted.begin(), sorted.end(), entryBefore);
    for (std::size_t i = 0; i < sorted.size(); ++i) {
        // Every long name is typed as itself; an alias or a "--no-" form
        // behind an entry of the same text is never reached.
        sorted[i].reached =
            sorted[i].kind == Kind::longName || i == 0 || sorted[i - 1].text != sorted[i].text;
    }
}

std::uint32_t Names::findLong(std::string_view name) const noexcept {
    const auto at = firstAtLeast(sorted, name);
    return at != sorted.end() && at->text == name && at->kind != Kind::negated ? at->option : none;
}

Names::Reading Names::read(std::string_view word) const noexcept {
    auto at = firstAtLeast(sorted, word);
    if (at != sorted.end() && at->text == word) {
        return {&*at, 0};
    }
    Reading reading;
    for (; at != sorted.end() && beginsWith(at->text, word); ++at) {
        if (!at->reached) {
            continue;
        }
        if (reading.entry == nullptr || reading.entry->owner() != at->owner()) {
            ++reading.matches;
        }
        reading.entry = &*at;
    }
    if (reading.matches != 1) {
        reading.entry = nullptr;
    }
    return reading;
}

std::vector<std::string_view> Names::beginningWith(std::string_view prefix) const {
    std::vector<std::string_view> texts;
    for (auto at = firstAtLeast(sorted, prefix); at != sorted.end() && beginsWith(at->text, prefix);
         ++at) {
        if (at->reached) {
            texts.emplace_back(at->text);
        }
    }
    return texts;
}

} // namespace conkit::detail
