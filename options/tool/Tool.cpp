// OptionParser: the Unix tool preset, and the one call that parses and
// answers every request that asks nothing of the tool's own work.
#include "options/OptionParser.h"

#include "options/parser/State.h"
#include "options/tool/CompletionRequest.h"

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

} // namespace

OptionParser OptionParser::tool(const std::string& name, const std::string& version,
                                const std::string& description) {
    OptionParser parser;
    detail::ParserState& state = *parser.held;
    state.syntax = Syntax::gnu;
    state.errorOutput = &std::cerr;
    state.programName = name;
    state.description = description;
    state.version = name + " " + version;
    state.tool = true;
    state.toolLevel = true;
    parser.addOption('h', "help", false, std::string(), "print this help and exit");
    parser.addOption('V', "version", false, std::string(), "print the version and exit");
    const std::string completion(detail::completionOption);
    const std::string manPage(detail::manPageOption);
    parser.addOption('\0', completion, true, std::string(),
                     "print the completion script for SHELL");
    parser.describe(completion).valueName("SHELL").choices({"bash", "zsh", "fish"}).hidden();
    parser.addOption('\0', manPage, false, std::string(), "print the man page");
    parser.describe(manPage).hidden();
    const std::string request(detail::completionRequestOption);
    parser.addOption('\0', request, true, std::string(), "answer a completion script's request");
    parser.describe(request).valueName("SHELL").choices({"bash", "zsh", "fish"}).hidden();
    return parser;
}

void OptionParser::setProgramName(const std::string& name) {
    held->programName = name;
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
    const detail::ParserState& state = *held;
    if (parsed && state.tool) {
        const std::string& program = state.program();
        const std::string completion(detail::completionOption);
        const std::string shell = isSet(completion) ? value(completion) : "";
        if (!shell.empty()) {
            out << (shell == "bash"  ? bashCompletion(program)
                    : shell == "zsh" ? zshCompletion(program)
                                     : fishCompletion(program));
            out.flush();
            return 0;
        }
        if (isSet(std::string(detail::manPageOption))) {
            out << manPage(program);
            out.flush();
            return 0;
        }
    }
    if (!parsed) {
        const OptionParser* failed = deepest(
            *this, [](const OptionParser& p) { return p.errorKind() != ParseErrorKind::none; });
        if (failed != nullptr && state.errorOutput != nullptr) {
            *state.errorOutput << "Try '" << failed->state().program()
                               << " --help' for more information." << std::endl;
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

} // namespace conkit
