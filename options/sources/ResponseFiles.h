// Response files as a source of words: a word "@FILE" stands for the words
// that the file FILE holds.
#pragma once

#include "options/text/CommandWords.h"
#include "options/text/ReadFile.h"

#include <string>
#include <string_view>
#include <vector>

namespace conkit::detail {

/// How many response files deep a word may be read: the file that the command
/// line names is the first.
constexpr unsigned responseFileDepth = 10;

/// The words of a response file's text: split as splitCommandLine splits a
/// line, with line ends (LF and CR) outside double quotes counting as blanks.
std::vector<std::string> responseFileWords(std::string text);

/// The words of a command line as a parse reads them, each "@FILE" that the
/// parse takes for a response file replaced by its file's words. Words are
/// read on demand and a file's words stand in for its word without moving
/// the words after it, so that reading is linear in the words read.
class ResponseWords {
public:
    explicit ResponseWords(const CommandWords& line) : pending{{line, {}, 0, 0}} {}

    /// True when there is a word `index`; reads on as far as it.
    bool has(std::size_t index) {
        while (read.size() <= index && !pending.empty()) {
            readNext();
        }
        return index < read.size();
    }
    /// Word `index`, which `has` found.
    [[nodiscard]] std::string_view operator[](std::size_t index) const noexcept {
        return read[index];
    }
    /// How many response files deep word `index` was read.
    [[nodiscard]] unsigned depth(std::size_t index) const noexcept { return depths[index]; }
    /// Puts `words`, read from the file that the last word read names, in
    /// that word's place.
    void replaceLast(std::vector<std::string> words) {
        const unsigned deeper = depths.back() + 1;
        read.pop_back();
        depths.pop_back();
        pending.push_back({CommandWords(nullptr, 0), std::move(words), 0, deeper});
    }
    /// The words from `first` on, every word read, viewed as a command line.
    [[nodiscard]] CommandWords from(std::size_t first) {
        while (!pending.empty()) {
            readNext();
        }
        return CommandWords(read, depths.data()).from(first);
    }

private:
    /// Words still to read: a command line's, or a file's.
    struct Source {
        CommandWords line;
        std::vector<std::string> words;
        std::size_t next;
        unsigned depth;
    };
    void readNext() {
        Source& top = pending.back();
        const bool fromFile = top.line.size() == 0;
        const std::size_t size = fromFile ? top.words.size() : top.line.size();
        if (top.next == size) {
            pending.pop_back();
            return;
        }
        if (fromFile) {
            read.push_back(std::move(top.words[top.next]));
            depths.push_back(static_cast<unsigned char>(top.depth));
        } else {
            read.emplace_back(top.line[top.next]);
            depths.push_back(static_cast<unsigned char>(top.line.depth(top.next)));
        }
        ++top.next;
    }

    std::vector<Source> pending;
    std::vector<std::string> read;
    std::vector<unsigned char> depths;
};

} // namespace conkit::detail
