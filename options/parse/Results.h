// What the latest parse gave: one record per option, the texts it kept, and
// the one writer of them and of the options' public `found` and `value`.
#pragma once

#include "options/OptionParser.h"
#include "options/messages/Lines.h"
#include "options/table/OptionTable.h"
#include "options/text/PathName.h"
#include "options/text/ShortText.h"
#include "slices/detail/Hints.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace conkit::detail {

/// What the latest parse gave one option.
struct Record {
    /// The parse it belongs to; a record of an earlier parse reads as empty.
    std::uint32_t stamp = 0;
    /// Where its value came from.
    ValueSource from = ValueSource::none;
    /// How many times the command line named it.
    std::uint32_t timesNamed = 0;
    /// How many values it got since it was last undone, and where the last
    /// of them lies among the parse's values.
    std::uint32_t valueCount = 0;
    std::size_t lastValue = 0;
};

/// Where a text of the latest parse lies in its buffer.
struct Span {
    std::size_t begin = 0;
    std::size_t length = 0;
};

/// The positional words an operand took: the first, and how many.
struct OperandWords {
    std::size_t first = 0;
    std::size_t count = 0;
};

/// The results of the latest parse. A record belongs to the parse that
/// stamped it: a new parse makes every record read as empty by moving on to
/// a new stamp, so clearing costs nothing however large the table.
class Results {
public:
    /// @name Reading
    /// @{
    /// What the latest parse gave option `index`.
    [[nodiscard]] const Record& record(std::size_t index) const noexcept {
        return index < records.size() && records[index].stamp == stamp ? records[index] : empty;
    }
    /// The latest value of option `index`, else `fallback`.
    [[nodiscard]] std::string_view latestValue(std::size_t index,
                                               std::string_view fallback) const noexcept {
        const Record& got = record(index);
        return got.valueCount == 0 ? fallback : text(values[got.lastValue].text);
    }
    /// Every value of option `index`, in the order given.
    [[nodiscard]] std::vector<std::string> valuesOf(std::size_t index) const;
    /// A text kept by the latest parse.
    [[nodiscard]] std::string_view text(Span span) const noexcept {
        return std::string_view(texts.data() + span.begin, span.length);
    }
    /// The positional words of the latest parse.
    [[nodiscard]] const std::vector<Span>& arguments() const noexcept { return positional; }
    /// The words each operand took, in order of declaration; empty when the
    /// parser has no operands or the parse ended before sharing them out.
    [[nodiscard]] const std::vector<OperandWords>& operandWords() const noexcept { return shared; }
    /// The options the latest parse wrote, in the order it first wrote them.
    [[nodiscard]] const std::vector<std::uint32_t>& written() const noexcept { return touched; }
    /// @}

    /// @name Writing: the only code that writes results
    /// @{
    /// Starts a new parse of `table`: every record reads as empty, and
    /// `found` is cleared on the options the last parse wrote and on those in
    /// `handedOut`, the only ones anything else may have set.
    void clear(Table& table, const std::vector<std::uint32_t>& handedOut);
    /// The command line named option `index`.
    void named(Option& option, std::uint32_t index) {
        Record& got = fresh(index);
        option.found = true;
        got.from = ValueSource::commandLine;
        ++got.timesNamed;
    }
    /// Option `index` got `text` from `from`: it is found, and `text` joins
    /// its values and becomes its `value` field. An option often takes
    /// several values in a row: the field is written once the row ends, at
    /// the latest by `finish`.
    void stored(Option& option, std::uint32_t index, std::string_view text, ValueSource from) {
        store(option, fresh(index), index, text, from);
    }
    /// The command line named option `index` and gave it `text`: `named`
    /// and `stored` in one step.
    void namedWithValue(Option& option, std::uint32_t index, std::string_view text) {
        Record& got = fresh(index);
        ++got.timesNamed;
        store(option, got, index, text, ValueSource::commandLine);
    }
    /// Ends the parse's writing: the last option that took values gets its
    /// `value` field.
    void finish() {
        if (pending != nullptr) {
            writePending();
        }
    }
    /// The latest naming of option `index`, which gave it no value, is
    /// undone: the option is as the namings and values before it left it.
    void unnamed(Option& option, std::uint32_t index);
    /// "--no-NAME" undid every earlier naming of option `index`.
    void negated(Option& option, std::uint32_t index);
    /// `from` (the environment or the configuration file) switched option
    /// `index`, which takes no value, on or off.
    void switched(Option& option, std::uint32_t index, bool on, ValueSource from);
    /// Sets `option`'s public fields as a stored value does.
    static void setValue(Option& option, std::string_view text);
    /// Keeps a positional word.
    void positionalWord(std::string_view word) { positional.push_back(keep(word)); }
    /// Keeps `text` until the next parse, as values and positional words are.
    Span kept(std::string_view text) { return keep(text); }
    /// Records the words each operand took.
    void operandsTook(std::vector<OperandWords> words) { shared = std::move(words); }
    /// Makes room for the texts of `words` words, so that parsing again
    /// allocates nothing.
    void reserve(std::size_t words) {
        if (texts.size() < 16 * words) { // room for the texts of a usual command line
            texts.resize(16 * words);
        }
        positional.reserve(words);
    }
    /// Makes room for the records of `options` options, as the table grows.
    void reserveRecords(std::size_t options) {
        if (records.size() < options) {
            growRecords(options);
        }
    }
    /// @}

    /// Takes `name` as the program name.
    void nameProgram(std::string_view name) {
        programFromPath = false;
        if (!sameText(program, name)) { // usually the same as in the last parse
            program.assign(name.data(), name.size());
        }
    }
    /// Takes the last component of `path`, a command line's word 0, as the
    /// program name. The path is kept, so that the same word 0 parsed again
    /// is not read again.
    void nameProgramFromPath(std::string_view path) {
        if (!programFromPath || !sameText(programPath, path)) {
            nameProgram(lastPathComponent(path));
            programPath.assign(path.data(), path.size());
            programFromPath = true;
        }
    }

    /// The program name the latest parse took from its word 0 (or was
    /// given); written by the two above.
    std::string program;
    /// The error of the latest parse; its kind is none after a success.
    Failure failure;
    /// Records the warning `line` of this parse, unless it has it already.
    void warn(std::string line);
    /// The warning lines of the latest parse (its commands' included when
    /// they wrote here), in the order written.
    [[nodiscard]] std::vector<std::string> warnings() const {
        return warnedIn == stamp ? warned : std::vector<std::string>();
    }
    /// Drops the warnings of this parse, which answers a request instead.
    void dropWarnings() { warned.clear(); }
    /// The command the latest parse chose, by its place among the commands.
    static constexpr std::size_t noCommand = static_cast<std::size_t>(-1);
    std::size_t chosen = noCommand;

private:
    /// A value: whose it is, and where its text lies.
    struct Value {
        // Built in place: a copy through the stack would store the two
        // fields apart and load them as one, which the processor cannot
        // forward.
        Value(std::uint32_t owner, Span kept) noexcept : option(owner), text(kept) {}
        std::uint32_t option;
        Span text;
    };

    /// The record of option `index` in this parse, stamped on first use.
    /// The records grow with the table, before any parse reads it.
    Record& fresh(std::uint32_t index) {
        Record& got = records[index];
        if (got.stamp != stamp) {
            got = Record();
            got.stamp = stamp;
            touched.push_back(index);
        }
        return got;
    }
    /// `stored`, into the record `got` of option `index`.
    void store(Option& option, Record& got, std::uint32_t index, std::string_view text,
               ValueSource from) {
        option.found = true;
        got.from = from;
        got.lastValue = values.size();
        ++got.valueCount;
        const Span kept = keep(text);
        values.emplace_back(index, kept);
        if (&option != pending) {
            if (pending != nullptr) {
                writePending();
            }
            pending = &option;
        }
        pendingText = kept;
    }
    /// Copies `text` behind the texts kept so far.
    Span keep(std::string_view text) {
        const std::size_t begin = used;
        if (text.size() > texts.size() - begin) {
            grow(text.size());
        }
        copyText(&texts[begin], text);
        used = begin + text.size();
        return {begin, text.size()};
    }
    void grow(std::size_t more);
    void growRecords(std::size_t options);
    /// Out of line: a parse seldom follows a failed one.
    CONKIT_NOINLINE void clearFailure();
    /// Writes the `value` field of the option that took the latest values.
    void writePending();

    std::vector<Record> records;
    std::uint32_t stamp = 1;
    std::vector<std::uint32_t> touched;
    std::vector<Value> values;
    std::vector<Span> positional;
    std::vector<OperandWords> shared;
    std::string texts;
    std::size_t used = 0;
    /// The option whose `value` field is still to be written, and its text.
    Option* pending = nullptr;
    Span pendingText;
    /// Warnings, and the parse that wrote them: lines of an earlier parse
    /// are no lines of this one, so a parse that warns of nothing spends
    /// nothing on them.
    std::vector<std::string> warned;
    std::uint32_t warnedIn = 0;
    /// The word 0 that `program` was taken from, when it was.
    std::string programPath;
    bool programFromPath = false;
    static constexpr Record empty{};
};

} // namespace conkit::detail
