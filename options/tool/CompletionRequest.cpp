// Answering a completion request: the words before the cursor read by a
// lenient parse, which says what the last word is, and that option's or
// operand's completer asked for candidates; a line completer is handed the
// parser of its level as that parse left it.
#include "options/tool/CompletionRequest.h"

#include "options/parse/ParseRun.h"
#include "options/present/CompletionModel.h"
#include "options/table/ValueKind.h"
#include "options/tool/ToolRequests.h"

#include <ostream>
#include <string>
#include <vector>

namespace conkit::detail {

namespace {

using Completer = OptionParser::Completer;
using LineCompleter = OptionParser::LineCompleter;

/// What completes a word: one of the two completers, or neither.
struct Completion {
    Completer plain = nullptr;
    LineCompleter line = nullptr;
};

/// The completers `described` was given.
Completion completionOf(const Option::Description& described) {
    return {described.completer, described.lineCompleter};
}

/// The completers of the operand that positional word `at` of `level`
/// stands for: each operand one word, a repeated one every word from its
/// place on; none past the last.
Completion operandCompletion(const TableState& level, std::size_t at) {
    if (!level.commands.empty()) {
        return {};
    }
    for (const Operand& operand : level.operands) {
        const Operand::Description& described = operand.description();
        if (at == 0 || described.repeated) {
            return completionOf(described.words);
        }
        --at;
    }
    return {};
}

/// The completers for the last word `word` where the words before it ended,
/// and in `typed` the part of it that is the value typed so far.
Completion completionFor(const LineEnd& end, std::string_view word, std::string& typed) {
    const ParserState& level = *end.level;
    const TableState& table = level.table;
    typed.assign(word.data(), word.size());
    if (end.pending != Names::none) {
        return completionOf(table.options[end.pending].description());
    }
    if (!end.ended && word.size() > 1 && word[0] == '-') {
        // "--name=VALUE" completes the value; other option words the scripts do.
        const std::size_t equals = word.find('=');
        if (equals == std::string_view::npos || word.substr(0, 2) != "--") {
            return {};
        }
        const std::string_view name = word.substr(2, equals - 2);
        const std::uint32_t option =
            level.syntax() == Syntax::classic ? table.find(name) : [&table, name] {
                const Names::Reading reading = table.read(name);
                return reading.entry != nullptr && reading.entry->kind != Names::Kind::negated
                           ? reading.entry->option
                           : Names::none;
            }();
        typed.assign(word.substr(equals + 1));
        return option != Names::none && valueKind(table.options[option]) != ValueKind::none
                   ? completionOf(table.options[option].description())
                   : Completion();
    }
    return operandCompletion(table, level.results.arguments().size());
}

/// The parser of `top` or of the commands it chose whose state is `level`.
const OptionParser& parserAt(const OptionParser& top, const ParserState* level) {
    const OptionParser* at = &top;
    while (&ParserAccess::of(*at) != level && at->commandParser() != nullptr) {
        at = at->commandParser();
    }
    return *at;
}

} // namespace

std::optional<int> answerCompletionRequest(OptionParser& parser, int argc, const char* const* argv,
                                           std::ostream& out) {
    const std::string word = "--" + std::string(completionRequestOption) + "=";
    if (argc < 3 || argv == nullptr || argv[1] == nullptr || argv[2] == nullptr ||
        std::string_view(argv[1]).substr(0, word.size()) != word ||
        std::string_view(argv[2]) != "--" ||
        std::as_const(parser).findOption(std::string(completionRequestOption)) == nullptr) {
        return std::nullopt;
    }
    // The line's words follow "--", the program's own word first; the last
    // is the word being completed.
    int last = 3;
    while (last + 1 < argc && argv[last + 1] != nullptr) {
        ++last;
    }
    if (last >= 4) {
        LineEnd end;
        ParseContext context;
        context.line = &end;
        ParserState& state = ParserAccess::of(parser);
        parseWords(state, CommandWords(argv + 3, static_cast<std::size_t>(last - 3)), context);
        std::string typed;
        const Completion complete =
            end.level != nullptr ? completionFor(end, argv[last], typed) : Completion();
        const std::vector<std::string> candidates =
            complete.plain != nullptr  ? complete.plain(typed)
            : complete.line != nullptr ? complete.line(parserAt(parser, end.level), typed)
                                       : std::vector<std::string>();
        for (const std::string& candidate : candidates) {
            if (offerable(candidate)) {
                out << candidate << '\n';
            }
        }
    }
    out.flush();
    return 0;
}

} // namespace conkit::detail
