// The error lines, built from the catalogue.
#include "options/messages/Lines.h"

namespace conkit::detail {

std::string Lines::suggesting(std::string line, std::string_view suggestion) const {
    if (!suggestion.empty()) {
        line += texts.text(MessageId::didYouMean, {{"suggestion", suggestion}});
    }
    return line;
}

Failure Lines::unknownOption(std::string_view written, std::string_view suggestion) const {
    return make(ParseErrorKind::unknownOption, written,
                suggesting(texts.text(MessageId::unknownOption,
                                      {{"program", program}, {"option", written}}),
                           suggestion));
}

Failure Lines::missingArgument(std::string_view written) const {
    return make(
        ParseErrorKind::missingArgument, written,
        texts.text(MessageId::missingArgument, {{"program", program}, {"option", written}}));
}

Failure Lines::unexpectedArgument(std::string_view written) const {
    return make(
        ParseErrorKind::unexpectedArgument, written,
        texts.text(MessageId::unexpectedArgument, {{"program", program}, {"option", written}}));
}

Failure Lines::ambiguousOption(std::string_view written,
                               const std::vector<std::string_view>& names) const {
    std::string candidates;
    for (const std::string_view name : names) {
        candidates += candidates.empty() ? "--" : ", --";
        candidates += name;
    }
    return make(
        ParseErrorKind::ambiguousOption, written,
        texts.text(MessageId::ambiguousOption,
                   {{"program", program}, {"option", written}, {"candidates", candidates}}));
}

Failure Lines::classicUnknownOption(std::string_view written, std::string_view name) const {
    return make(ParseErrorKind::unknownOption, written,
                texts.text(MessageId::classicUnknownOption, {{"option", name}}));
}

Failure Lines::classicMissingArgument(std::string_view written, std::string_view longName) const {
    return make(ParseErrorKind::missingArgument, written,
                texts.text(MessageId::classicMissingArgument, {{"option", longName}}));
}

Failure Lines::invalidValue(std::string_view option, std::string_view operand,
                            std::string_view value, std::string_view written, std::string_view from,
                            const std::string& reason) const {
    const MessageId id = option.empty() ? MessageId::invalidOperand
                         : from.empty() ? MessageId::invalidValue
                                        : MessageId::invalidValueFrom;
    return make(ParseErrorKind::invalidValue, written,
                texts.text(id, {{"program", program},
                                {"value", value},
                                {"option", option},
                                {"operand", operand},
                                {"source", from}}) +
                    reason);
}

std::string Lines::choiceReason(std::string_view choices, std::string_view suggestion) const {
    return suggesting(texts.text(MessageId::expectedChoice, {{"choices", choices}}), suggestion);
}

std::string Lines::rangeReason(std::string_view min, std::string_view max) const {
    return texts.text(MessageId::expectedRange, {{"min", min}, {"max", max}});
}

std::string Lines::atLeastReason(std::string_view min) const {
    return texts.text(MessageId::expectedAtLeast, {{"min", min}});
}

std::string Lines::atMostReason(std::string_view max) const {
    return texts.text(MessageId::expectedAtMost, {{"max", max}});
}

std::string Lines::checkReason(std::string_view reason) const {
    return texts.text(MessageId::checkReason, {{"reason", reason}});
}

std::string Lines::switchReason() const {
    return texts.text(MessageId::expectedSwitch);
}

Failure Lines::missingOption(std::string_view longName) const {
    return make(ParseErrorKind::missingOption, "--" + std::string(longName),
                texts.text(MessageId::missingOption, {{"program", program}, {"option", longName}}));
}

Failure Lines::conflictingOptions(std::string_view first, std::string_view second,
                                  std::string_view written) const {
    return make(ParseErrorKind::conflictingOptions, written,
                texts.text(MessageId::conflictingOptions,
                           {{"program", program}, {"first", first}, {"second", second}}));
}

Failure Lines::unknownCommand(std::string_view word, std::string_view suggestion) const {
    return make(
        ParseErrorKind::unknownCommand, word,
        suggesting(texts.text(MessageId::unknownCommand, {{"program", program}, {"command", word}}),
                   suggestion));
}

Failure Lines::missingCommand() const {
    return make(ParseErrorKind::missingCommand, {},
                texts.text(MessageId::missingCommand, {{"program", program}}));
}

Failure Lines::missingOperand(std::string_view name) const {
    return make(ParseErrorKind::missingOperand, name,
                texts.text(MessageId::missingOperand, {{"program", program}, {"operand", name}}));
}

Failure Lines::extraOperand(std::string_view word) const {
    return make(ParseErrorKind::extraOperand, word,
                texts.text(MessageId::extraOperand, {{"program", program}, {"word", word}}));
}

Failure Lines::usageError(std::string_view text) const {
    return make(ParseErrorKind::usage, {},
                texts.text(MessageId::usageError, {{"program", program}, {"text", text}}));
}

Failure Lines::unknownConfigKey(std::string_view origin, std::string_view key,
                                std::string_view suggestion, std::string_view written) const {
    return make(ParseErrorKind::badConfig, written,
                suggesting(texts.text(MessageId::unknownConfigKey,
                                      {{"program", program}, {"origin", origin}, {"key", key}}),
                           suggestion));
}

Failure Lines::configUnsupported(std::string_view origin, std::string_view key,
                                 std::string_view written) const {
    return make(ParseErrorKind::badConfig, written,
                texts.text(MessageId::configUnsupported,
                           {{"program", program}, {"origin", origin}, {"key", key}}));
}

Failure Lines::configRefused(std::string_view origin, std::string_view longName,
                             std::string_view written) const {
    return make(ParseErrorKind::badConfig, written,
                texts.text(MessageId::configRefused,
                           {{"program", program}, {"origin", origin}, {"option", longName}}));
}

Failure Lines::configUnreadable(std::string_view reason, std::string_view written) const {
    return make(
        ParseErrorKind::badConfig, written,
        texts.text(MessageId::configUnreadable, {{"program", program}, {"reason", reason}}));
}

Failure Lines::responseTooDeep(std::string_view word) const {
    return make(
        ParseErrorKind::badResponseFile, word,
        texts.text(MessageId::responseTooDeep, {{"program", program}, {"file", word.substr(1)}}));
}

Failure Lines::responseUnreadable(std::string_view word, std::string_view reason) const {
    return make(ParseErrorKind::badResponseFile, word,
                texts.text(MessageId::responseUnreadable,
                           {{"program", program}, {"file", word.substr(1)}, {"reason", reason}}));
}

std::string Lines::tryLine() const {
    return texts.text(MessageId::tryHelp, {{"program", program}});
}

std::string Lines::deprecatedOption(std::string_view name, std::string_view advice) const {
    return texts.text(MessageId::deprecatedOption,
                      {{"program", program}, {"option", name}, {"advice", advice}});
}

std::string Lines::deprecatedAlias(std::string_view alias, std::string_view longName) const {
    return deprecatedOption(alias, texts.text(MessageId::aliasAdvice, {{"option", longName}}));
}

std::string Lines::deprecatedCommand(std::string_view name, std::string_view advice) const {
    return texts.text(MessageId::deprecatedCommand,
                      {{"program", program}, {"command", name}, {"advice", advice}});
}

} // namespace conkit::detail
