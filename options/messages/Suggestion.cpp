// Edit distances, for suggesting a known word in place of a mistyped one.
#include "options/messages/Suggestion.h"

#include <algorithm>
#include <vector>

namespace conkit::detail {

std::size_t editDistance(std::string_view a, std::string_view b, std::size_t limit) {
    if ((a.size() > b.size() ? a.size() - b.size() : b.size() - a.size()) > limit) {
        return limit + 1;
    }
    // One row of the classic table: row[j] is the distance from the part of
    // `a` seen so far to the first j characters of `b`.
    std::vector<std::size_t> row(b.size() + 1);
    for (std::size_t j = 0; j <= b.size(); ++j) {
        row[j] = j;
    }
    for (std::size_t i = 1; i <= a.size(); ++i) {
        std::size_t diagonal = row[0];
        row[0] = i;
        for (std::size_t j = 1; j <= b.size(); ++j) {
            const std::size_t above = row[j];
            row[j] = std::min({above + 1, row[j - 1] + 1, diagonal + (a[i - 1] != b[j - 1])});
            diagonal = above;
        }
    }
    return std::min(row[b.size()], limit + 1);
}

} // namespace conkit::detail
