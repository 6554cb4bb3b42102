// OptionParser: the classic help text, the usage and version texts, and
// printing them; the gnu layout of the help is built elsewhere.
#include "options/OptionParser.h"

#include "options/parser/View.h"
#include "options/present/GnuHelp.h"
#include "options/present/Terminal.h"
#include "options/present/Usage.h"
#include "options/table/ShortForm.h"

#include <algorithm>
#include <iostream>

namespace conkit {

namespace {

/// Width of the name column, indent included; help texts start after it.
constexpr std::size_t nameColumnWidth = 24;

/// Appends the classic help line of `option` to `out`, so that `helpText`
/// builds the whole text in one string; its names in bold when `bold`.
void appendHelpLine(const detail::Texts& texts, const OptionParser::Option& option, bool bold,
                    std::string& out) {
    const std::size_t lineStart = out.size();
    std::size_t escapes = 0; // bytes that take no columns
    const auto appendName = [&](const std::string& name) {
        if (bold) {
            out += "\033[1m" + name + "\033[0m";
            escapes += 8;
        } else {
            out += name;
        }
    };
    out += "  ";
    if (detail::isShortForm(option.shortName, Syntax::classic)) {
        appendName(std::string{'-', option.shortName});
        if (!option.longName.empty()) {
            out += ", ";
            appendName("--" + option.longName);
        }
    } else {
        out += "    ";
        appendName("--" + option.longName);
    }
    if (option.hasDefault()) {
        out += '=';
        out += option.defaultValue;
    }
    const std::size_t width = out.size() - lineStart - escapes;
    out.append(width < nameColumnWidth ? nameColumnWidth - width : 1, ' ');
    out += detail::helpOf(texts, option);
    if (option.hasDefault()) {
        out += texts.text(MessageId::classicDefault, {{"value", option.defaultValue}});
    }
}

/// The help text of the parser `view` shows, its names and headings in bold
/// when `bold`.
std::string helpTextOf(const detail::ParserView& view, bool bold) {
    if (view.syntax() == Syntax::gnu) {
        return detail::gnuHelpText(
            view, {detail::helpColumns(view.helpWidth(), view.environment()), view.isTool(), bold});
    }
    const detail::Texts texts = view.texts();
    const detail::TableState& state = view.table();
    std::string text = state.version;
    text += '\n';
    text += detail::usageText(state.usage, view.program());
    text += '\n';
    // In long-name order; options with the same long name in definition order.
    std::vector<const OptionParser::Option*> options;
    for (const OptionParser::Option& option : state.options) {
        options.push_back(&option);
    }
    std::stable_sort(options.begin(), options.end(),
                     [](const auto* a, const auto* b) { return a->longName < b->longName; });
    for (const OptionParser::Option* option : options) {
        if (detail::wholeNamesOnly(*option)) {
            continue;
        }
        appendHelpLine(texts, *option, bold, text);
        text += '\n';
    }
    return text;
}

} // namespace

std::string OptionParser::Option::helpLine() const {
    std::string line;
    appendHelpLine(detail::Texts(), *this, false, line);
    return line;
}

std::string OptionParser::usageText() const {
    return detail::usageText(held->table.usage, held->program());
}

std::string OptionParser::helpText() const {
    return helpTextOf(detail::viewOf(*held), false);
}

void OptionParser::printHelp() const {
    printHelp(std::cout);
}

void OptionParser::printHelp(std::ostream& out) const {
    // The gnu help ends with its last line, as Unix tools print theirs; the
    // classic help has always been followed by an empty line.
    const detail::ParserView view = detail::viewOf(*held);
    out << helpTextOf(view, detail::coloured(view.colour(), out, view.environment()));
    if (held->syntax() == Syntax::gnu) {
        out.flush();
    } else {
        out << std::endl;
    }
}

void OptionParser::printVersion() const {
    printVersion(std::cout);
}

void OptionParser::printVersion(std::ostream& out) const {
    out << held->table.version << std::endl;
}

} // namespace conkit
