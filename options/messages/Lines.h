// The lines a parse fails with, one function per kind of error, each built
// from the catalogue, and what a parse records of them.
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

/// The error lines of a parser: in its texts, each beginning with its
/// program name. A `suggestion` is the close name that a did-you-mean tail
/// offers, "" for none.
class Lines {
public:
    Lines(Texts wording, std::string programName)
        : texts(wording), program(std::move(programName)) {}

    /// @name The option rules of the gnu syntax
    /// @{
    Failure unknownOption(std::string_view written, std::string_view suggestion) const;
    Failure missingArgument(std::string_view written) const;
    Failure unexpectedArgument(std::string_view written) const;
    Failure ambiguousOption(std::string_view written,
                            const std::vector<std::string_view>& names) const;
    /// @}
    /// @name The classic syntax's two lines, which name no program
    /// @{
    Failure classicUnknownOption(std::string_view written, std::string_view name) const;
    Failure classicMissingArgument(std::string_view written, std::string_view longName) const;
    /// @}
    /// @name Values, and the rules of both syntaxes
    /// @{
    /// A value `option` (a long name) or `operand` refused: from the command
    /// line, or from `from` (a variable or FILE:LINE), for `reason`.
    Failure invalidValue(std::string_view option, std::string_view operand, std::string_view value,
                         std::string_view written, std::string_view from,
                         const std::string& reason) const;
    /// The reasons: not one of `choices`; not a number from `min` to `max`,
    /// of at least `min` or of at most `max`; what a check of the tool's own
    /// said; no word that switches an option on or off.
    std::string choiceReason(std::string_view choices, std::string_view suggestion) const;
    std::string rangeReason(std::string_view min, std::string_view max) const;
    std::string atLeastReason(std::string_view min) const;
    std::string atMostReason(std::string_view max) const;
    std::string checkReason(std::string_view reason) const;
    std::string switchReason() const;
    Failure missingOption(std::string_view longName) const;
    Failure conflictingOptions(std::string_view first, std::string_view second,
                               std::string_view written) const;
    Failure unknownCommand(std::string_view word, std::string_view suggestion) const;
    Failure missingCommand() const;
    Failure missingOperand(std::string_view name) const;
    Failure extraOperand(std::string_view word) const;
    /// A usage error the tool found itself, in its own words.
    Failure usageError(std::string_view text) const;
    /// @}
    /// @name The sources: `written` names the configuration file ("" for the default)
    /// @{
    Failure unknownConfigKey(std::string_view origin, std::string_view key,
                             std::string_view suggestion, std::string_view written) const;
    Failure configUnsupported(std::string_view origin, std::string_view key,
                              std::string_view written) const;
    Failure configRefused(std::string_view origin, std::string_view longName,
                          std::string_view written) const;
    Failure configUnreadable(std::string_view reason, std::string_view written) const;
    Failure responseTooDeep(std::string_view word) const;
    Failure responseUnreadable(std::string_view word, std::string_view reason) const;
    /// @}
    /// The line after a tool's error line.
    std::string tryLine() const;

    /// @name Warnings, which a parse writes before its error line, if any
    /// @{
    /// Option "--`name`" is deprecated; the advice is `advice`.
    std::string deprecatedOption(std::string_view name, std::string_view advice) const;
    /// The deprecated alias "--`alias`" of the option with long name `longName`.
    std::string deprecatedAlias(std::string_view alias, std::string_view longName) const;
    /// The deprecated command `name`.
    std::string deprecatedCommand(std::string_view name, std::string_view advice) const;
    /// @}

private:
    Failure make(ParseErrorKind kind, std::string_view word, std::string line) const {
        return {kind, std::string(word), std::move(line), program};
    }
    /// `line` and, for a suggestion, the did-you-mean tail.
    std::string suggesting(std::string line, std::string_view suggestion) const;

    Texts texts;
    std::string program;
};

} // namespace conkit::detail
