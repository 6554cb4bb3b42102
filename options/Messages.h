// The texts the library writes on its own account, each with an id, a name
// and an English template, and the way a program has them translated.
#pragma once

#include "options/Export.h"

#include <string>

// The one table of those texts: error and warning lines, the Try line, the
// help's fixed words, the help of the options the library adds and the man
// page's headings; listed in docs/options-messages.md and po/conkit.pot.
// Placeholders are names in braces ("{program}"); "{{" and "}}" stand for
// literal braces. Rows that end in a value (a did-you-mean tail, the reason
// of an invalid value) are appended to the line before them.
// clang-format off
// X(name, English template), one row per text. Rows that end in a value (a
// did-you-mean tail, the reason of an invalid value) are appended to the
// line before them.
#define CONKIT_MESSAGES(X)                                                                         \
    /* Parse errors of the gnu syntax and of every tool */                                       \
    X(unknownOption, "{program}: unknown option '{option}'")                                     \
    X(didYouMean, " (did you mean '{suggestion}'?)")                                              \
    X(missingArgument, "{program}: option '{option}' needs a value")                              \
    X(unexpectedArgument, "{program}: option '{option}' takes no value")                          \
    X(ambiguousOption, "{program}: option '{option}' is ambiguous: {candidates}")                 \
    X(invalidValue, "{program}: invalid value '{value}' for '--{option}'")                        \
    X(invalidValueFrom, "{program}: invalid value '{value}' for '--{option}' from {source}")      \
    X(invalidOperand, "{program}: invalid value '{value}' for {operand}")                         \
    X(expectedChoice, " (choose from {choices})")                                                 \
    X(expectedRange, " (expected a number from {min} to {max})")                                  \
    X(expectedSwitch, " (expected 1, true, yes, on, 0, false, no or off)")                        \
    X(expectedAtLeast, " (expected a number of at least {min})")                                  \
    X(expectedAtMost, " (expected a number of at most {max})")                                    \
    X(checkReason, ": {reason}")                                                                  \
    X(missingOption, "{program}: option '--{option}' is required")                                \
    X(conflictingOptions, "{program}: options '--{first}' and '--{second}' cannot be used together") \
    X(unknownCommand, "{program}: unknown command '{command}'")                                   \
    X(missingCommand, "{program}: missing command")                                               \
    X(missingOperand, "{program}: missing operand {operand}")                                     \
    X(extraOperand, "{program}: extra operand '{word}'")                                          \
    X(unknownConfigKey, "{program}: {origin}: unknown option '{key}'")                            \
    X(configUnsupported, "{program}: {origin}: unsupported value for '{key}'")                   \
    X(configRefused, "{program}: {origin}: option '--{option}' cannot be set in a configuration file") \
    X(configUnreadable, "{program}: {reason}")                                                    \
    X(responseTooDeep, "{program}: response files nested too deeply at '{file}'")                 \
    X(responseUnreadable, "{program}: cannot read response file '{file}': {reason}")              \
    X(tryHelp, "Try '{program} --help' for more information.")                                   \
    X(usageError, "{program}: {text}")                                                            \
    /* Warnings */                                                                                \
    X(deprecatedOption, "{program}: warning: option '--{option}' is deprecated; {advice}")        \
    X(deprecatedCommand, "{program}: warning: command '{command}' is deprecated; {advice}")       \
    X(aliasAdvice, "use '--{option}'")                                                            \
    /* Parse errors of the classic syntax */                                                      \
    X(classicUnknownOption, "invalid option: {option}")                                           \
    X(classicMissingArgument, "--{option} need arg.")                                             \
    /* The help of the options the library adds */                                                \
    X(helpOptionHelp, "print help info")                                                          \
    X(versionOptionHelp, "print version info")                                                    \
    X(toolHelpOptionHelp, "print this help and exit")                                             \
    X(toolVersionOptionHelp, "print the version and exit")                                        \
    X(completionOptionHelp, "print the completion script for SHELL")                              \
    X(manPageOptionHelp, "print the man page")                                                    \
    X(completionRequestOptionHelp, "answer a completion script's request")                        \
    /* The help text */                                                                           \
    X(classicDefault, ". default is {value}")                                                     \
    X(usageHeading, "Usage:")                                                                     \
    X(usageOptions, "[OPTION]...")                                                                \
    X(usageCommand, "COMMAND [ARG]...")                                                           \
    X(argumentsHeading, "Arguments:")                                                             \
    X(optionsHeading, "Options:")                                                                 \
    X(sectionHeading, "{title}:")                                                                 \
    X(commandsHeading, "Commands:")                                                               \
    X(requiredTag, "[required]")                                                                  \
    X(choicesTag, "[possible values: {choices}]")                                                 \
    X(defaultTag, "[default: {value}]")                                                           \
    X(environmentTag, "[env: {variable}]")                                                        \
    /* The man page */                                                                            \
    X(manName, "NAME")                                                                            \
    X(manSynopsis, "SYNOPSIS")                                                                    \
    X(manDescription, "DESCRIPTION")                                                              \
    X(manArguments, "ARGUMENTS")                                                                  \
    X(manOptions, "OPTIONS")                                                                      \
    X(manCommands, "COMMANDS")                                                                    \
    X(manEnvironment, "ENVIRONMENT")                                                              \
    X(manFiles, "FILES")                                                                          \
    X(manDeprecated, "DEPRECATED OPTIONS")                                                        \
    X(manVariable, "Stands for {option} when the command line does not name that option.")       \
    X(manConfigFile, "The configuration file.")                                                   \
    X(manConfigFileNamed, "The configuration file, read when {option} names no other.")
// clang-format on

namespace conkit {

/// One text of the library, named as in the table above.
enum class MessageId : unsigned char {
#define CONKIT_MESSAGE_ID(name, english) name,
    CONKIT_MESSAGES(CONKIT_MESSAGE_ID)
#undef CONKIT_MESSAGE_ID
};

/// The English template of `id`.
[[nodiscard]] CONKIT_OPTIONS_API const char* englishText(MessageId id) noexcept;
/// The name of `id`, as in the table: "unknownOption".
[[nodiscard]] CONKIT_OPTIONS_API const char* messageName(MessageId id) noexcept;

/// Gives the template to use for `id` in place of `english`; "" keeps the
/// English one. A template whose placeholders differ from the English
/// one's is not used (see @ref options_messages).
using Translator = std::string (*)(MessageId id, const char* english);

} // namespace conkit
