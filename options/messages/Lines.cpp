// The error lines, built from the catalogue.
#include "options/messages/Lines.h"

namespace conkit::detail {

namespace {

std::string own(std::string_view text) {
    return std::string(text);
}

/// `line` and, when `suggestion` is not empty, the did-you-mean tail.
std::string withSuggestion(const Texts& texts, std::string line, std::string_view suggestion) {
    if (!suggestion.empty()) {
        line += texts.text(MessageId::didYouMean, {{"suggestion", suggestion}});
    }
    return line;
}

} // namespace

Failure unknownOption(const Texts& texts, std::string_view program, std::string_view written,
                      std::string_view suggestion) {
    std::string line =
        texts.text(MessageId::unknownOption, {{"program", program}, {"option", written}});
    return {ParseErrorKind::unknownOption, own(written),
            withSuggestion(texts, std::move(line), suggestion), own(program)};
}

Failure classicUnknownOption(const Texts& texts, std::string_view written, std::string_view name) {
    return {ParseErrorKind::unknownOption, own(written),
            texts.text(MessageId::classicUnknownOption, {{"option", name}}), std::string()};
}

Failure classicMissingArgument(const Texts& texts, std::string_view written,
                               std::string_view longName) {
    return {ParseErrorKind::missingArgument, own(written),
            texts.text(MessageId::classicMissingArgument, {{"option", longName}}), std::string()};
}

Failure missingArgument(const Texts& texts, std::string_view program, std::string_view written) {
    return {ParseErrorKind::missingArgument, own(written),
            texts.text(MessageId::missingArgument, {{"program", program}, {"option", written}}),
            own(program)};
}

Failure unexpectedArgument(const Texts& texts, std::string_view program, std::string_view written) {
    return {ParseErrorKind::unexpectedArgument, own(written),
            texts.text(MessageId::unexpectedArgument, {{"program", program}, {"option", written}}),
            own(program)};
}

Failure ambiguousOption(const Texts& texts, std::string_view program, std::string_view written,
                        const std::vector<std::string_view>& names) {
    std::string candidates;
    for (const std::string_view name : names) {
        candidates += candidates.empty() ? "--" : ", --";
        candidates += name;
    }
    return {ParseErrorKind::ambiguousOption, own(written),
            texts.text(MessageId::ambiguousOption,
                       {{"program", program}, {"option", written}, {"candidates", candidates}}),
            own(program)};
}

Failure invalidValue(const Texts& texts, std::string_view program, const Refusal& refusal) {
    std::string line;
    if (refusal.option.empty()) {
        line = texts.text(
            MessageId::invalidOperand,
            {{"program", program}, {"value", refusal.value}, {"operand", refusal.operand}});
    } else if (refusal.from.empty()) {
        line = texts.text(
            MessageId::invalidValue,
            {{"program", program}, {"value", refusal.value}, {"option", refusal.option}});
    } else {
        line = texts.text(MessageId::invalidValueFrom, {{"program", program},
                                                        {"value", refusal.value},
                                                        {"option", refusal.option},
                                                        {"source", refusal.from}});
    }
    return {ParseErrorKind::invalidValue, own(refusal.written), line + refusal.reason,
            own(program)};
}

std::string choiceReason(const Texts& texts, std::string_view choices,
                         std::string_view suggestion) {
    return withSuggestion(texts, texts.text(MessageId::expectedChoice, {{"choices", choices}}),
                          suggestion);
}

std::string rangeReason(const Texts& texts, std::string_view min, std::string_view max) {
    return texts.text(MessageId::expectedRange, {{"min", min}, {"max", max}});
}

std::string switchReason(const Texts& texts) {
    return texts.text(MessageId::expectedSwitch);
}

Failure missingOption(const Texts& texts, std::string_view program, std::string_view longName) {
    return {ParseErrorKind::missingOption, "--" + own(longName),
            texts.text(MessageId::missingOption, {{"program", program}, {"option", longName}}),
            own(program)};
}

Failure conflictingOptions(const Texts& texts, std::string_view program, std::string_view first,
                           std::string_view second, std::string_view written) {
    return {ParseErrorKind::conflictingOptions, own(written),
            texts.text(MessageId::conflictingOptions,
                       {{"program", program}, {"first", first}, {"second", second}}),
            own(program)};
}

Failure unknownCommand(const Texts& texts, std::string_view program, std::string_view word,
                       std::string_view suggestion) {
    std::string line =
        texts.text(MessageId::unknownCommand, {{"program", program}, {"command", word}});
    return {ParseErrorKind::unknownCommand, own(word),
            withSuggestion(texts, std::move(line), suggestion), own(program)};
}

Failure missingCommand(const Texts& texts, std::string_view program) {
    return {ParseErrorKind::missingCommand, std::string(),
            texts.text(MessageId::missingCommand, {{"program", program}}), own(program)};
}

Failure missingOperand(const Texts& texts, std::string_view program, std::string_view name) {
    return {ParseErrorKind::missingOperand, own(name),
            texts.text(MessageId::missingOperand, {{"program", program}, {"operand", name}}),
            own(program)};
}

Failure extraOperand(const Texts& texts, std::string_view program, std::string_view word) {
    return {ParseErrorKind::extraOperand, own(word),
            texts.text(MessageId::extraOperand, {{"program", program}, {"word", word}}),
            own(program)};
}

Failure unknownConfigKey(const Texts& texts, std::string_view program, std::string_view origin,
                         std::string_view key, std::string_view suggestion,
                         std::string_view written) {
    std::string line = texts.text(MessageId::unknownConfigKey,
                                  {{"program", program}, {"origin", origin}, {"key", key}});
    return {ParseErrorKind::badConfig, own(written),
            withSuggestion(texts, std::move(line), suggestion), own(program)};
}

Failure configUnsupported(const Texts& texts, std::string_view program, std::string_view origin,
                          std::string_view key, std::string_view written) {
    return {ParseErrorKind::badConfig, own(written),
            texts.text(MessageId::configUnsupported,
                       {{"program", program}, {"origin", origin}, {"key", key}}),
            own(program)};
}

Failure configRefused(const Texts& texts, std::string_view program, std::string_view origin,
                      std::string_view longName, std::string_view written) {
    return {ParseErrorKind::badConfig, own(written),
            texts.text(MessageId::configRefused,
                       {{"program", program}, {"origin", origin}, {"option", longName}}),
            own(program)};
}

Failure configUnreadable(const Texts& texts, std::string_view program, std::string_view reason,
                         std::string_view written) {
    return {ParseErrorKind::badConfig, own(written),
            texts.text(MessageId::configUnreadable, {{"program", program}, {"reason", reason}}),
            own(program)};
}

Failure responseTooDeep(const Texts& texts, std::string_view program, std::string_view word) {
    return {
        ParseErrorKind::badResponseFile, own(word),
        texts.text(MessageId::responseTooDeep, {{"program", program}, {"file", word.substr(1)}}),
        own(program)};
}

Failure responseUnreadable(const Texts& texts, std::string_view program, std::string_view word,
                           std::string_view reason) {
    return {ParseErrorKind::badResponseFile, own(word),
            texts.text(MessageId::responseUnreadable,
                       {{"program", program}, {"file", word.substr(1)}, {"reason", reason}}),
            own(program)};
}

std::string tryLine(const Texts& texts, std::string_view program) {
    return texts.text(MessageId::tryHelp, {{"program", program}});
}

} // namespace conkit::detail
