// What the completion scripts offer, read once from the option tables of a
// parser and its commands.
#pragma once

#include "options/table/ValueKind.h"
#include "options/text/Utf8.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace conkit::detail {

/// True when `text` holds a byte no command-line word can hold (a NUL).
inline bool untypeable(std::string_view text) noexcept {
    return text.find('\0') != std::string_view::npos;
}

/// True for the bytes below the blank and DEL.
constexpr bool isControl(char c) noexcept {
    return static_cast<unsigned char>(c) < 0x20 || c == '\x7f';
}

/// True when `text` may be offered as a word to complete, in every shell:
/// it holds no control character (a menu shows one word a line, a line
/// end would make two and a tab starts fish's description) and is
/// well-formed UTF-8 (a shell would quote a stray byte as an escape). The
/// one rule for the choices, the names and the program's own candidates.
inline bool offerable(std::string_view text) noexcept {
    for (const char c : text) {
        if (isControl(c)) {
            return false;
        }
    }
    return validUtf8(text);
}

/// A parser and its commands as the completion scripts see them: every word
/// that names an option, what follows it, and what each place on the command
/// line may hold. The parser and each of its commands, recursively, are
/// levels; a level's words name options of that level only.
///
/// Words that no command line can hold (a NUL byte) are left out. Words with
/// other control characters can be typed but are never offered: a menu shows
/// one word per line, and fish cannot carry them.
struct CompletionModel {
    /// What a word that names an option takes after it. In the classic
    /// syntax every option word takes a value, as the next plain word becomes
    /// the value of any option.
    using Value = ValueKind;
    /// What a value of an option (or a word of an operand) is completed
    /// with; `program`: the lines the program prints when asked.
    enum class Values : unsigned char { files, choices, nothing, program };
    /// How a word names an option.
    enum class Form : unsigned char { longName, negated, shortName };

    struct Option {
        Values values = Values::files;
        /// The choices that can be offered, in the order given.
        std::vector<std::string> choices;
        /// The help text on one line: control characters become blanks.
        std::string help;
        /// The placeholder of the value ("WHEN"; the long name in upper case
        /// when none was given).
        std::string valueName;
        /// The exclusive groups it belongs to, numbered across all levels.
        std::vector<std::size_t> groups;
    };
    /// One word that names an option at its level and reaches it.
    struct Name {
        Form form = Form::longName;
        /// The word without its dashes: "color", "no-color", "c".
        std::string text;
        /// The option, in `options`.
        std::size_t option = 0;
        Value value = Value::none;
        /// Offered as a completion: not hidden, and shown as a word of its
        /// own (an option defined by a short name alone has no "--x").
        bool offered = false;
        /// A name of a hidden option: it names the option only when typed
        /// whole.
        bool hidden = false;
    };
    struct Command {
        std::string name;
        /// The help text on one line.
        std::string help;
        /// The command's own level, in `levels`.
        std::size_t level = 0;
        bool offered = false;
    };
    /// An operand of a level: the positional word it stands for is
    /// completed as the value of an entry of `options`.
    struct Operand {
        std::size_t option = 0;
        /// It stands for every positional word from its place on.
        bool repeated = false;
    };
    struct Level {
        /// Long names and "--no-" forms first, then short names, so that an
        /// exact long name is found before a short name of one character.
        std::vector<Name> names;
        std::vector<Command> commands;
        /// The first positional word ends the options.
        bool stopAtFirstArgument = false;
        /// In order; none when the level has commands.
        std::vector<Operand> operands;
    };

    bool classic = false;
    /// A word "@FILE" where an option word may stand names a response file.
    bool responseFiles = false;
    /// Every option of every level, hidden ones too: their words still take
    /// values; and each operand, after the options of its level.
    std::vector<Option> options;
    /// The program's own level first.
    std::vector<Level> levels;
    /// How many exclusive groups the levels have.
    std::size_t groupCount = 0;
};

} // namespace conkit::detail
