// Response files in the gnu syntax: a word "@FILE" stands for the words that
// the file FILE holds.
#pragma once

#include "options/parse/CommandWords.h"

#include <string>
#include <string_view>
#include <vector>

namespace conkit::detail {

/// The words of a command line whose "@FILE" words were replaced by the words
/// of their files, and how many files deep each word was read. A parser keeps
/// them from the parse that read them until a later parse reads files again:
/// the parse and its command read its words in place.
struct ResponseWords {
    std::vector<std::string> words;
    std::vector<unsigned char> depths;

    /// A view of the words.
    [[nodiscard]] CommandWords view() const noexcept { return {words, depths.data()}; }
};

/// How many response files deep a word may be read: the file that the command
/// line names is the first.
constexpr unsigned responseFileDepth = 10;

/// The words of a response file's text: split as splitCommandLine splits a
/// line, with line ends (LF and CR) outside double quotes counting as blanks.
std::vector<std::string> responseFileWords(std::string text);

} // namespace conkit::detail
