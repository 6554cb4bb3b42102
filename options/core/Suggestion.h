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
    void consider(std::string_view candidate) {
        if (editDistance(word, candidate, 2) <= 2) {
            match = candidate;
            ++count;
        }
    }
    /// True when exactly one candidate was close.
    [[nodiscard]] bool found() const noexcept { return count == 1; }
    /// That candidate.
    [[nodiscard]] std::string_view candidate() const noexcept { return match; }

private:
    std::string_view word;
    std::string_view match;
    std::size_t count = 0;
};

} // namespace conkit::detail
