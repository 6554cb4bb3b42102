// ParseResults: what the latest parse found besides the options' own fields.
// Not part of the interface: OptionParser keeps one as a member.
#pragma once

#include "options/NameIndex.h"

#include <cstddef>
#include <cstring>
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
    void addArgument(std::string_view word) { arguments.push_back(keep(word)); }
    /// Records an option word that named the option at `position`.
    void addNamed(OptionPosition position) { events.push_back({position, true, {}}); }
    /// Records `value`, given to the option at `position`.
    void addValue(OptionPosition position, std::string_view value) {
        events.push_back({position, false, keep(value)});
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
    /// Where a text lies in `text`.
    struct Span {
        std::size_t begin = 0;
        std::size_t end = 0;
    };
    /// An option word (`named`) or a value given to an option.
    struct Event {
        OptionPosition option;
        bool named;
        Span value;
    };

    Span keep(std::string_view word) {
        const Span span{used, used + word.size()};
        if (span.end > text.size()) {
            text.resize(span.end > 2 * text.size() ? span.end : 2 * text.size());
        }
        if (!word.empty()) {
            std::memcpy(text.data() + used, word.data(), word.size());
        }
        used = span.end;
        return span;
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
