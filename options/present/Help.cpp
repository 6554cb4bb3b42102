// OptionParser: the classic help text, the usage and version texts, and
// printing them; the gnu layout of the help is built elsewhere.
#include "options/OptionParser.h"

#include "options/parser/State.h"

#include "options/table/ShortForm.h"
#include "options/present/Presentation.h"

#include <algorithm>
#include <iostream>

namespace conkit {

namespace {

/// Width of the name column, indent included; help texts start after it.
constexpr std::size_t nameColumnWidth = 24;

constexpr std::string_view progMarker = "%prog";

/// Appends the classic help line of `option` to `out`, so that `helpText`
/// builds the whole text in one string.
void appendHelpLine(const OptionParser::Option& option, std::string& out) {
    const std::size_t lineStart = out.size();
    out += "  ";
    if (detail::isShortForm(option.shortName, Syntax::classic)) {
        out += '-';
        out += option.shortName;
        if (!option.longName.empty()) {
            out += ", --";
            out += option.longName;
        }
    } else {
        out += "    --";
        out += option.longName;
    }
    if (option.hasDefault()) {
        out += '=';
        out += option.defaultValue;
    }
    const std::size_t width = out.size() - lineStart;
    out.append(width < nameColumnWidth ? nameColumnWidth - width : 1, ' ');
    out += option.help;
    if (option.hasDefault()) {
        out += ". default is ";
        out += option.defaultValue;
    }
}

} // namespace

std::string OptionParser::Option::helpLine() const {
    std::string line;
    appendHelpLine(*this, line);
    return line;
}

std::string OptionParser::usageText() const {
    std::string text = held->usage;
    const std::string::size_type at = text.find(progMarker);
    if (at != std::string::npos) {
        text.replace(at, progMarker.size(), held->program());
    }
    return text;
}

std::string OptionParser::helpText() const {
    const detail::ParserState& state = *held;
    if (state.syntax == Syntax::gnu) {
        const detail::Names names = state.currentNames();
        const detail::ToolFacts tool{state.table,
                                     names,
                                     detail::commandFacts(state.commands),
                                     detail::operandFacts(state.operands, state.commands),
                                     state.description,
                                     state.footer};
        return detail::gnuHelpText(tool, usageText(), state.program(),
                                   detail::helpColumns(state.helpWidth, state.environment));
    }
    std::string text = state.version;
    text += '\n';
    text += usageText();
    text += '\n';
    // In long-name order; options with the same long name in definition order.
    std::vector<const Option*> options;
    for (const Option& option : state.table) {
        options.push_back(&option);
    }
    std::stable_sort(options.begin(), options.end(),
                     [](const Option* a, const Option* b) { return a->longName < b->longName; });
    for (const Option* option : options) {
        if (option->description().hidden) {
            continue;
        }
        appendHelpLine(*option, text);
        text += '\n';
    }
    return text;
}

void OptionParser::printHelp() const {
    printHelp(std::cout);
}

void OptionParser::printHelp(std::ostream& out) const {
    // The gnu help ends with its last line, as Unix tools print theirs; the
    // classic help has always been followed by an empty line.
    out << helpText();
    if (held->syntax == Syntax::gnu) {
        out.flush();
    } else {
        out << std::endl;
    }
}

void OptionParser::printVersion() const {
    printVersion(std::cout);
}

void OptionParser::printVersion(std::ostream& out) const {
    out << held->version << std::endl;
}

} // namespace conkit
