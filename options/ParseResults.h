// ParseResults: what the latest parse found besides the options' own fields.
// Not part of the interface: OptionParser keeps one as a member.
#pragma once

#include "options/NameIndex.h"
#include "options/ShortText.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace conkit::detail {

/// The positional words of a parse, and every option word and value in
/// command-line order, so that counts and repeated values can be asked for.
///
/// All texts are copied into one buffer, and the buffers are kept from parse
/// to parse: a parser that parses again needs no new memory, and even the
/// first parse needs only three blocks.
class ParseResults {
public:
    /// Forgets everything; the buffers keep their capacity.
    void clear() noexcept {
        used = 0;
        arguments.clear();
        events.clear();
    }
    /// Makes room for the results of a command line of `words` words.
    void reserve(std::size_t words) {
        if (text.size() < 16 * words) {
            text.resize(16 * words);
        }
        arguments.reserve(words);
        events.reserve(words);
    }

    /// Records a positional word.
    void addArgument(std::string_view word) {
        const std::size_t begin = keep(word);
        arguments.emplace_back(begin, used);
    }
    /// Records an option word that named the option at `position`.
    void addNamed(OptionPosition position) { events.emplace_back(position, true, 0, 0); }
    /// Records `value`, given to the option at `position`.
    void addValue(OptionPosition position, std::string_view value) {
        const std::size_t begin = keep(value);
        events.emplace_back(position, false, begin, used);
    }

    /// The number of positional words.
    [[nodiscard]] std::size_t argumentCount() const noexcept { return arguments.size(); }
    /// Positional word `index`, which must be below `argumentCount()`.
    [[nodiscard]] std::string_view argument(std::size_t index) const noexcept {
        return view(arguments[index]);
    }
    /// How many option words named the option at `position`.
    [[nodiscard]] std::size_t timesNamed(OptionPosition position) const noexcept {
        std::size_t times = 0;
        for (const Event& event : events) {
            times += event.option == position && event.named ? 1 : 0;
        }
        return times;
    }
    /// The values given to the option at `position`, in command-line order.
    [[nodiscard]] std::vector<std::string> valuesOf(OptionPosition position) const {
        std::vector<std::string> found;
        for (const Event& event : events) {
            if (event.option == position && !event.named) {
                found.emplace_back(view(event.value));
            }
        }
        return found;
    }
    /// The last value given to the option at `position`; false when none.
    bool lastValueOf(OptionPosition position, std::string_view& value) const noexcept {
        for (auto event = events.rbegin(); event != events.rend(); ++event) {
            if (event->option == position && !event->named) {
                value = view(event->value);
                return true;
            }
        }
        return false;
    }
    /// Calls `visit` with the position of every option that an option word
    /// named or a value was given to (some more than once).
    template <class Visit> void forEachOption(Visit visit) const {
        for (const Event& event : events) {
            visit(event.option);
        }
    }

private:
    /// Where a text lies in `text`. (Built in place by emplace_back: a
    /// temporary copied in would cost a stalled 16-byte load per word.)
    struct Span {
        Span(std::size_t first, std::size_t last) noexcept : begin(first), end(last) {}
        std::size_t begin;
        std::size_t end;
    };
    /// An option word (`named`) or a value given to an option.
    struct Event {
        Event(OptionPosition position, bool isNamed, std::size_t first, std::size_t last) noexcept
            : option(position), named(isNamed), value(first, last) {}
        OptionPosition option;
        bool named;
        Span value;
    };

    /// Copies `word` behind the texts kept so far; returns where it begins.
    std::size_t keep(std::string_view word) {
        const std::size_t begin = used;
        const std::size_t end = used + word.size();
        if (end > text.size()) {
            text.resize(end > 2 * text.size() ? end : 2 * text.size());
        }
        copyText(text.data() + begin, word);
        used = end;
        return begin;
    }
    [[nodiscard]] std::string_view view(Span span) const noexcept {
        return std::string_view(text.data() + span.begin, span.end - span.begin);
    }

    /// The texts are the first `used` characters; the rest is room to grow.
    std::vector<char> text;
    std::size_t used = 0;
    std::vector<Span> arguments;
    std::vector<Event> events;
};

} // namespace conkit::detail
