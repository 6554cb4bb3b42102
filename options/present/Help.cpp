// OptionParser: the classic help text, the usage and version texts, and
// printing them; the gnu layout of the help is built elsewhere.
#include "options/OptionParser.h"

#include "options/parser/View.h"
#include "options/present/GnuHelp.h"
#include "options/present/Usage.h"
#include "options/table/ShortForm.h"

#include <algorithm>
#include <iostream>

namespace conkit {

namespace {

/// Width of the name column, indent included; help texts start after it.
constexpr std::size_t nameColumnWidth = 24;

/// Appends the classic help line of `option` to `out`, so that `helpText`
/// builds the whole text in one string.
void appendHelpLine(const detail::Texts& texts, const OptionParser::Option& option,
                    std::string& out) {
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
    out += detail::helpOf(texts, option);
    if (option.hasDefault()) {
        out += texts.text(MessageId::classicDefault, {{"value", option.defaultValue}});
    }
}

} // namespace

std::string OptionParser::Option::helpLine() const {
    std::string line;
    appendHelpLine(detail::Texts(), *this, line);
    return line;
}

std::string OptionParser::usageText() const {
    return detail::usageText(held->table.usage, held->program());
}

std::string OptionParser::helpText() const {
    const detail::ParserView view = detail::viewOf(*held);
    if (view.syntax() == Syntax::gnu) {
        return detail::gnuHelpText(view, detail::helpColumns(view.helpWidth(), view.environment()));
    }
    const detail::Texts texts = view.texts();
    const detail::TableState& state = view.table();
    std::string text = state.version;
    text += '\n';
    text += usageText();
    text += '\n';
    // In long-name order; options with the same long name in definition order.
    std::vector<const Option*> options;
    for (const Option& option : state.options) {
        options.push_back(&option);
    }
    std::stable_sort(options.begin(), options.end(),
                     [](const Option* a, const Option* b) { return a->longName < b->longName; });
    for (const Option* option : options) {
        if (option->description().hidden) {
            continue;
        }
        appendHelpLine(texts, *option, text);
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
