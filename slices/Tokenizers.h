// CharSplitter, StrSplitter and BlankSplitter: walk a text token by token,
// without copying.
#pragma once

#include "slices/StrSlice.h"

#include <cstddef>

// std::input_iterator_tag comes with <string_view> (through StrSlice.h), whose
// own iterators need the tags; <iterator> itself would double the cost of
// including this header.

namespace conkit {

/// Input iterator over the tokens of a splitter; each step calls `next`, so
/// iterating consumes the splitter. The end iterator is a default-constructed
/// one.
template <class Splitter> class TokenIterator {
public:
    /// A single pass: each step consumes a token.
    using iterator_category = std::input_iterator_tag;
    /// Tokens are slices.
    using value_type = StrSlice;
    /// The type of distances, which a single pass never measures.
    using difference_type = std::ptrdiff_t;
    /// What `operator->` returns.
    using pointer = const StrSlice*;
    /// What `operator*` returns.
    using reference = const StrSlice&;

    /// The end iterator.
    TokenIterator() noexcept = default;
    /// Starts at the next token of `splitter`.
    explicit TokenIterator(Splitter& splitter) noexcept : source(&splitter) { ++*this; }

    /// The current token.
    reference operator*() const noexcept { return token; }
    /// The current token's members.
    pointer operator->() const noexcept { return &token; }
    /// Moves to the next token, or to the end when there is none.
    TokenIterator& operator++() noexcept {
        if (!source->next(token)) {
            source = nullptr;
        }
        return *this;
    }
    /// As prefix ++; the copy returned shares the same splitter.
    TokenIterator operator++(int) noexcept {
        TokenIterator before = *this;
        ++*this;
        return before;
    }
    /// True when both are at the end, or both walk the same splitter.
    friend bool operator==(const TokenIterator& a, const TokenIterator& b) noexcept {
        return a.source == b.source;
    }
    /// The opposite of ==.
    friend bool operator!=(const TokenIterator& a, const TokenIterator& b) noexcept {
        return a.source != b.source;
    }

private:
    Splitter* source = nullptr;
    StrSlice token;
};

/// Hands out the fields of a text separated by one delimiter character.
///
/// Empty fields are kept: a delimiter at the front, or two in a row, give an
/// empty token. A delimiter at the very end gives no trailing empty token, and
/// an empty text gives no token at all. Tokens point into the text.
///
/// Example:
/// \code
///   for (conkit::StrSlice field : conkit::CharSplitter("a,,b", ',')) {
///       // "a", "", "b"
///   }
/// \endcode
class CONKIT_SLICES_API CharSplitter {
public:
    /// Splits the `count` characters at `text` at every `separator`.
    CharSplitter(const char* text, std::uint32_t count, char separator) noexcept
        : remaining(text, count), delimiter(separator) {}
    /// Splits the characters `text` views at every `separator`.
    CharSplitter(StrSlice text, char separator) noexcept : remaining(text), delimiter(separator) {}

    /// Writes the next token to `token` and returns true; returns false, and
    /// leaves `token` alone, when the text is used up.
    bool next(StrSlice& token) noexcept;

    /// Iterates over the remaining tokens, consuming them.
    TokenIterator<CharSplitter> begin() noexcept { return TokenIterator<CharSplitter>(*this); }
    /// The end of that iteration.
    TokenIterator<CharSplitter> end() const noexcept { return {}; }

private:
    StrSlice remaining;
    char delimiter;
};

/// Hands out the fields of a text separated by a delimiter text, with the same
/// rules as `CharSplitter`. An empty delimiter hands out the whole text as one
/// token.
class CONKIT_SLICES_API StrSplitter {
public:
    /// Splits the `count` characters at `text` at every NUL-terminated
    /// `separator`, which must outlive the splitter.
    StrSplitter(const char* text, std::uint32_t count, const char* separator) noexcept
        : remaining(text, count), delimiter(separator) {}
    /// Splits the characters `text` views at every occurrence of `separator`.
    StrSplitter(StrSlice text, StrSlice separator) noexcept
        : remaining(text), delimiter(separator) {}

    /// Writes the next token to `token` and returns true; returns false, and
    /// leaves `token` alone, when the text is used up.
    bool next(StrSlice& token) noexcept;

    /// Iterates over the remaining tokens, consuming them.
    TokenIterator<StrSplitter> begin() noexcept { return TokenIterator<StrSplitter>(*this); }
    /// The end of that iteration.
    TokenIterator<StrSplitter> end() const noexcept { return {}; }

private:
    StrSlice remaining;
    StrSlice delimiter;
    // Where the next delimiters of a long text stand, found a window ahead:
    // plain bytes here, whose layout and use belong to the lookahead in
    // slices/detail/DelimiterIndex.h (which checks their number).
    alignas(void*) unsigned char lookahead[2 * sizeof(void*) + 66] = {};
};

/// Hands out the words of a text: the runs of characters between runs of
/// blanks, tabs, CRs and LFs, as awk splits a line into fields. Unlike the
/// other two it never gives an empty token: blanks at the front, at the end
/// or several in a row separate no more than one blank does, and a text of
/// nothing but blanks gives no token at all. Tokens point into the text.
///
/// Example:
/// \code
///   for (conkit::StrSlice word : conkit::BlankSplitter("  ls \t-l  /tmp\n")) {
///       // "ls", "-l", "/tmp"
///   }
/// \endcode
class CONKIT_SLICES_API BlankSplitter {
public:
    /// Splits the `count` characters at `text` into words.
    BlankSplitter(const char* text, std::uint32_t count) noexcept : remaining(text, count) {}
    /// Splits the characters `text` views into words.
    explicit BlankSplitter(StrSlice text) noexcept : remaining(text) {}

    /// Writes the next word to `token` and returns true; returns false, and
    /// leaves `token` alone, when no word is left.
    bool next(StrSlice& token) noexcept;

    /// Iterates over the remaining words, consuming them.
    TokenIterator<BlankSplitter> begin() noexcept { return TokenIterator<BlankSplitter>(*this); }
    /// The end of that iteration.
    TokenIterator<BlankSplitter> end() const noexcept { return {}; }

private:
    StrSlice remaining;
};

} // namespace conkit
