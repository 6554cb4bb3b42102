// Suggestions for a mistyped word: the one known word close to it.
#pragma once

#include <cstddef>
#include <string_view>

namespace conkit::detail {

/// The number of single-character insertions, deletions and substitutions
/// that turn `a` into `b`, or `limit` + 1 when that is more than `limit`.
std::size_t editDistance(std::string_view a, std::string_view b, std::size_t limit);

/// Looks among candidates for the one within two edits of a mistyped word.
class CloseMatch {
public:
    explicit CloseMatch(std::string_view typed) noexcept : word(typed) {}

    /// Takes `candidate` into account. It must outlive this object.
    void consider(std::string_view candidate) { consider(candidate, std::string_view()); }
    /// Takes `name`, one of the names of a thing called `shown`, into
    /// account: close names of one thing count as one candidate, which is
    /// `shown` when several of its names are close (an empty `shown` is a
    /// thing of its own). Both must outlive this object.
    void consider(std::string_view name, std::string_view shown) {
        if (editDistance(word, name, 2) > 2) {
            return;
        }
        if (count == 1 && !shown.empty() && shown == owner) {
            match = shown;
            return;
        }
        match = name;
        owner = shown;
        ++count;
    }
    /// True when exactly one candidate was close.
    [[nodiscard]] bool found() const noexcept { return count == 1; }
    /// That candidate.
    [[nodiscard]] std::string_view candidate() const noexcept { return match; }

private:
    std::string_view word;
    std::string_view match;
    std::string_view owner;
    std::size_t count = 0;
};

} // namespace conkit::detail
