// OptionParser: the Unix tool preset, the one call that parses and answers
// every request that asks nothing of the tool's own work, and the usage
// errors a tool finds itself, which it reports as those of a parse.
#include "options/OptionParser.h"

#include "options/parser/State.h"
#include "options/present/Shells.h"
#include "options/tool/CompletionRequest.h"
#include "options/tool/HelpCommand.h"
#include "options/tool/ToolRequests.h"

#include <iostream>

namespace conkit {

namespace {

/// The parser whose answer a parse of `top` gives: the deepest one of the
/// chosen commands for which `asked` holds, or nullptr.
template <class Asked> const OptionParser* deepest(const OptionParser& top, Asked asked) {
    const OptionParser* found = nullptr;
    for (const OptionParser* at = &top; at != nullptr; at = at->commandParser()) {
        if (asked(*at)) {
            found = at;
        }
    }
    return found;
}

/// Adds the hidden option `name` through which a tool is asked for
/// something it presents, with `help`; `shells` when its value names one.
void addRequest(OptionParser& parser, std::string_view name, MessageId help, bool shells) {
    const std::string longName(name);
    detail::addBuiltIn(parser, '\0', longName, shells, help);
    OptionParser::Option& option = parser.describe(longName).hidden();
    if (shells) {
        option.valueName("SHELL").choices(detail::shellNames());
    }
    detail::ParserState& state = detail::ParserAccess::of(parser);
    state.table.requests.push_back(state.table.find(longName));
}

} // namespace

OptionParser OptionParser::tool(const std::string& name, const std::string& version,
                                const std::string& description) {
    OptionParser parser;
    detail::ParserState& state = *parser.held;
    state.table.syntax = Syntax::gnu;
    state.errorOutput = &std::cerr;
    state.table.programName = name;
    state.table.description = description;
    state.table.version = name + " " + version;
    state.tool = true;
    state.helpWidth = detail::ParserState::fitsTerminal;
    state.colour = ColourMode::automatic;
    state.commandFallback = detail::answerHelpCommand;
    detail::addBuiltIn(parser, 'h', "help", false, MessageId::toolHelpOptionHelp);
    detail::addBuiltIn(parser, 'V', "version", false, MessageId::toolVersionOptionHelp);
    addRequest(parser, detail::completionOption, MessageId::completionOptionHelp, true);
    addRequest(parser, detail::manPageOption, MessageId::manPageOptionHelp, false);
    addRequest(parser, detail::completionRequestOption, MessageId::completionRequestOptionHelp,
               true);
    return parser;
}

std::optional<int> OptionParser::parseAndAnswer(int argc, const char* const* argv) {
    return parseAndAnswer(argc, argv, std::cout);
}

std::optional<int> OptionParser::parseAndAnswer(int argc, const char* const* argv,
                                                std::ostream& out) {
    if (const std::optional<int> answered =
            detail::answerCompletionRequest(*this, argc, argv, out)) {
        return answered;
    }
    const bool parsed = parse(argc, argv);
    detail::ParserState& state = *held;
    if (parsed && state.tool) {
        const std::string completion(detail::completionOption);
        if (isSet(completion)) {
            if (const detail::Shell* shell = detail::shellNamed(value(completion))) {
                out << detail::completionScript(detail::viewOf(state), *shell, state.program());
                out.flush();
                return 0;
            }
        }
        if (isSet(std::string(detail::manPageOption))) {
            out << manPage(state.program());
            out.flush();
            return 0;
        }
        if (isSet(std::string(detail::completionRequestOption))) {
            return 0; // a request without its words asks for nothing
        }
    }
    if (!parsed) {
        const detail::Failure& failure = state.results.failure;
        if (failure.kind != ParseErrorKind::none && state.errors() != nullptr) {
            *state.errors() << detail::Lines(state.texts(), failure.program).tryLine() << std::endl;
        }
        return 2;
    }
    if (const OptionParser* asked =
            deepest(*this, [](const OptionParser& p) { return p.helpRequested(); })) {
        asked->printHelp(out);
        return 0;
    }
    if (const OptionParser* asked =
            deepest(*this, [](const OptionParser& p) { return p.versionRequested(); })) {
        asked->printVersion(out);
        return 0;
    }
    return std::nullopt;
}

int OptionParser::usageError(const std::string& text) {
    detail::ParserState& state = *held;
    const detail::Lines lines(state.texts(), state.program());
    state.results.failure = lines.usageError(text);
    if (std::ostream* out = state.errors()) {
        *out << state.results.failure.line << std::endl;
        if (state.isTool()) {
            *out << lines.tryLine() << std::endl;
        }
    }
    return 2;
}

} // namespace conkit
