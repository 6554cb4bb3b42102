// The help text of the gnu syntax: blocks of paragraphs and two-column
// entries, the help column wrapped to the width of the terminal.
#include "options/present/GnuHelp.h"

#include "options/present/Usage.h"
#include "options/table/ShortForm.h"
#include "options/text/Width.h"

#include <algorithm>
#include <charconv>

namespace conkit::detail {

namespace {

/// The column (from 1) where the help of an entry begins. An entry shares
/// its first line with the help when at least one blank is left between them;
/// a wider entry stands alone.
constexpr std::size_t helpColumn = 30;
constexpr std::size_t widestPaddedEntry = helpColumn - 2;

constexpr std::size_t defaultWidth = 80;
constexpr std::size_t narrowestColumns = 40;
constexpr std::size_t widestColumns = 500;

/// The lines `text` fills when it is wrapped at blanks to `room` columns. A
/// line end in the text always ends a line; blanks where a line breaks
/// vanish, blanks between the words of a line stay as they are; a word wider
/// than the room has a line of its own. Empty lines are left out.
std::vector<std::string_view> wrapped(std::string_view text, std::size_t room) {
    std::vector<std::string_view> lines;
    std::size_t begin = 0; // of the line being filled
    std::size_t end = 0;
    std::size_t used = 0; // its columns
    bool filling = false;
    const auto finish = [&] {
        if (filling) {
            lines.push_back(text.substr(begin, end - begin));
        }
        filling = false;
    };
    for (std::size_t at = 0; at < text.size();) {
        if (text[at] == '\n') {
            finish();
            ++at;
            continue;
        }
        if (isBlankOrTab(text[at])) {
            ++at;
            continue;
        }
        std::size_t wordEnd = at;
        while (wordEnd < text.size() && text[wordEnd] != '\n' && !isBlankOrTab(text[wordEnd])) {
            ++wordEnd;
        }
        const std::size_t word = displayColumns(text.substr(at, wordEnd - at));
        const std::size_t gap = at - end;
        if (filling && used + gap + word <= room) {
            used += gap + word;
        } else {
            finish();
            begin = at;
            used = word;
            filling = true;
        }
        end = wordEnd;
        at = wordEnd;
    }
    finish();
    return lines;
}

/// Appends an entry line: `entry`, then the lines of `help` from column 30,
/// the first on the entry's line when the entry leaves a blank before it.
void appendEntry(std::string& out, std::string_view entry, std::string_view help,
                 std::size_t width) {
    out += entry;
    const std::vector<std::string_view> lines =
        wrapped(help, width > helpColumn - 1 ? width - (helpColumn - 1) : 0);
    std::size_t at = displayColumns(entry);
    if (at > widestPaddedEntry && !lines.empty()) {
        out += '\n';
        at = 0;
    }
    for (std::string_view line : lines) {
        out.append(helpColumn - 1 - at, ' ');
        out += line;
        out += '\n';
        at = 0;
    }
    if (lines.empty()) {
        out += '\n';
    }
}

/// A block of free text, line by line; "" when it shows nothing.
std::string paragraph(std::string_view text) {
    std::string block;
    for (std::string_view line : paragraphLines(text)) {
        block += line;
        block += '\n';
    }
    return block;
}

std::string optionBlock(const ParserView& view, const Texts& texts, const OptionBlock& shown,
                        std::size_t width) {
    std::string block = blockHeading(texts, shown) + "\n";
    for (const Option* option : shown.options) {
        // Long forms line up whether a short form stands before them or not.
        std::string entry = isShortForm(option->shortName, Syntax::gnu) ? "  " : "      ";
        entry += joined(entryPieces(view.table().options, view.names(), *option));
        appendEntry(block, entry, helpWithTags(texts, *option), width);
    }
    return block;
}

} // namespace

std::size_t helpColumns(std::size_t columns, OptionParser::Environment environment) {
    if (columns != 0) {
        return columns;
    }
    const char* text = environment != nullptr ? environment("COLUMNS") : nullptr;
    if (text == nullptr) {
        return defaultWidth;
    }
    const std::string_view digits(text);
    std::size_t number = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), number);
    const bool whole = error == std::errc() && end == digits.data() + digits.size();
    return whole && number >= narrowestColumns && number <= widestColumns ? number : defaultWidth;
}

std::string gnuHelpText(const ParserView& view, std::size_t width) {
    const TableState& table = view.table();
    const Texts texts = view.texts();
    const std::string program = view.program();
    std::vector<std::string> blocks;
    if (table.usage.empty()) {
        blocks.push_back(texts.text(MessageId::usageHeading) + " " +
                         joined(synopsis(view, program)) + "\n");
    } else {
        blocks.push_back(paragraph(usageText(table.usage, program)));
    }
    blocks.push_back(paragraph(table.description));
    const std::vector<const Operand::Description*> operands = shownOperands(table);
    if (operandsExplained(operands)) {
        std::string block = texts.text(MessageId::argumentsHeading) + "\n";
        for (const Operand::Description* operand : operands) {
            appendEntry(block, "  " + entryForm(*operand), helpWithTags(texts, *operand), width);
        }
        blocks.push_back(std::move(block));
    }
    for (const OptionBlock& shown : optionBlocks(table.options)) {
        blocks.push_back(optionBlock(view, texts, shown, width));
    }
    if (!table.commands.empty()) {
        std::string block = texts.text(MessageId::commandsHeading) + "\n";
        for (const Command& command : table.commands) {
            appendEntry(block, "  " + command.name, command.help, width);
        }
        blocks.push_back(std::move(block));
    }
    blocks.push_back(paragraph(table.footer));

    std::string text;
    for (const std::string& block : blocks) {
        if (block.empty()) {
            continue;
        }
        if (!text.empty()) {
            text += '\n';
        }
        text += block;
    }
    // Names and value names may end in a blank too; no line keeps one.
    std::string trimmed;
    trimmed.reserve(text.size());
    for (std::string_view line : paragraphLines(text)) {
        trimmed += line;
        trimmed += '\n';
    }
    return trimmed;
}

} // namespace conkit::detail
