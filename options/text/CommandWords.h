// The words of one command line, read where they lie.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace conkit::detail {

/// A read-only view of the words of a command line, word 0 being the
/// program's path: either the entries of an argument vector or the strings of
/// a word list. Nothing is copied; the words must outlive the view.
class CommandWords {
public:
    /// The first `count` entries of `argv`, none of them null.
    CommandWords(const char* const* argv, std::size_t count) noexcept
        : entries(argv), wordCount(count) {}
    /// The strings of `words`.
    explicit CommandWords(const std::vector<std::string>& words) noexcept
        : strings(words.data()), wordCount(words.size()) {}
    /// The strings of `words`, word i read from response files `depths[i]`
    /// deep (see ResponseFiles.h).
    CommandWords(const std::vector<std::string>& words, const unsigned char* depths) noexcept
        : strings(words.data()), fileDepths(depths), wordCount(words.size()) {}

    /// The words from `first` on, which must not be beyond `size()`.
    [[nodiscard]] CommandWords from(std::size_t first) const noexcept {
        CommandWords rest = *this;
        if (strings != nullptr) {
            rest.strings += first;
        } else {
            rest.entries += first;
        }
        if (fileDepths != nullptr) {
            rest.fileDepths += first;
        }
        rest.wordCount -= first;
        return rest;
    }
    /// The number of words.
    [[nodiscard]] std::size_t size() const noexcept { return wordCount; }
    /// Word `index`, which must be below `size()`.
    [[nodiscard]] std::string_view operator[](std::size_t index) const noexcept {
        return strings != nullptr ? std::string_view(strings[index])
                                  : std::string_view(entries[index]);
    }
    /// How many response files deep word `index` was read: 0 for a word of
    /// the command line itself.
    [[nodiscard]] unsigned depth(std::size_t index) const noexcept {
        return fileDepths != nullptr ? fileDepths[index] : 0U;
    }

private:
    const char* const* entries = nullptr;
    const std::string* strings = nullptr;
    const unsigned char* fileDepths = nullptr;
    std::size_t wordCount = 0;
};

} // namespace conkit::detail
