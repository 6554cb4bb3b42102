// The lines a parse fails with, one function per kind of error: each builds
// the line from the catalogue and says what the parse records of it.
#pragma once

#include "options/OptionParser.h"
#include "options/messages/Texts.h"

#include <string>
#include <string_view>
#include <vector>

namespace conkit::detail {

/// A parse's error: its kind, the word it is about (errorOption), its line,
/// and the program the line names, which the Try line names too.
struct Failure {
    ParseErrorKind kind = ParseErrorKind::none;
    std::string word;
    std::string line;
    std::string program;
};

/// An option word that names no option; `suggestion` ("--color") is "" when
/// no name is close enough.
Failure unknownOption(const Texts& texts, std::string_view program, std::string_view written,
                      std::string_view suggestion);
/// The same in the classic syntax, whose line names the name part only.
Failure classicUnknownOption(const Texts& texts, std::string_view written, std::string_view name);
/// A classic option word after one that still awaits its argument, or the
/// end of the line there: the awaiting option, by its long name.
Failure classicMissingArgument(const Texts& texts, std::string_view written,
                               std::string_view longName);
/// An option that needs a value got none.
Failure missingArgument(const Texts& texts, std::string_view program, std::string_view written);
/// "--name=value" for an option that takes no value.
Failure unexpectedArgument(const Texts& texts, std::string_view program, std::string_view written);
/// A prefix of the names of several options, each listed.
Failure ambiguousOption(const Texts& texts, std::string_view program, std::string_view written,
                        const std::vector<std::string_view>& names);

/// A value refused by the rules of an option or operand.
struct Refusal {
    /// The option's long name; "" for an operand.
    std::string_view option;
    /// The operand's name, for an operand.
    std::string_view operand;
    std::string_view value;
    /// The option word as written, or the operand's name: errorOption.
    std::string_view written;
    /// Where a value that the command line did not give came from: a
    /// variable or FILE:LINE; "" for the command line.
    std::string_view from;
    /// Why it was refused, from one of the reasons below.
    std::string reason;
};
Failure invalidValue(const Texts& texts, std::string_view program, const Refusal& refusal);
/// The reasons: not one of `choices` (joined), with a close one suggested
/// when there is one; not a number from `min` to `max`; not a word that
/// switches an option on or off.
std::string choiceReason(const Texts& texts, std::string_view choices, std::string_view suggestion);
std::string rangeReason(const Texts& texts, std::string_view min, std::string_view max);
std::string switchReason(const Texts& texts);

/// A required option got no value from any source.
Failure missingOption(const Texts& texts, std::string_view program, std::string_view longName);
/// Two options of an exclusive group were named; `written` names the later.
Failure conflictingOptions(const Texts& texts, std::string_view program, std::string_view first,
                           std::string_view second, std::string_view written);
/// A word where a command stands that names none.
Failure unknownCommand(const Texts& texts, std::string_view program, std::string_view word,
                       std::string_view suggestion);
/// No command where one is required.
Failure missingCommand(const Texts& texts, std::string_view program);
/// A required operand without a word, and a word no operand takes.
Failure missingOperand(const Texts& texts, std::string_view program, std::string_view name);
Failure extraOperand(const Texts& texts, std::string_view program, std::string_view word);

/// The configuration file: a key (or table) that names no option (or
/// command), an option that a file cannot set, and the reader's own error.
/// `written` is the word that named the file ("" for the default path).
Failure unknownConfigKey(const Texts& texts, std::string_view program, std::string_view origin,
                         std::string_view key, std::string_view suggestion,
                         std::string_view written);
Failure configUnsupported(const Texts& texts, std::string_view program, std::string_view origin,
                          std::string_view key, std::string_view written);
Failure configRefused(const Texts& texts, std::string_view program, std::string_view origin,
                      std::string_view longName, std::string_view written);
Failure configUnreadable(const Texts& texts, std::string_view program, std::string_view reason,
                         std::string_view written);

/// "@FILE" nested too deeply, and a response file that cannot be read.
Failure responseTooDeep(const Texts& texts, std::string_view program, std::string_view word);
Failure responseUnreadable(const Texts& texts, std::string_view program, std::string_view word,
                           std::string_view reason);

/// The line after a tool's error line.
std::string tryLine(const Texts& texts, std::string_view program);

} // namespace conkit::detail
