// The help text of the gnu syntax: blocks of paragraphs and two-column
// entries, the help column wrapped to the width of the terminal.
#include "options/present/GnuHelp.h"

#include "options/present/Usage.h"
#include "options/table/ShortForm.h"
#include "options/text/Width.h"

#include <algorithm>

namespace conkit::detail {

namespace {

/// The column (from 1) where the help of an entry begins. An entry shares
/// its first line with the help when at least one blank is left between them;
/// a wider entry stands alone.
constexpr std::size_t helpColumn = 30;
constexpr std::size_t widestPaddedEntry = helpColumn - 2;

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

/// Sets text in bold for a coloured help; escapes take no columns, so each
/// piece's columns are counted from its plain text.
struct Style {
    bool bold = false;
    /// `text`, in bold when the help is coloured.
    [[nodiscard]] std::string strong(std::string_view text) const {
        return bold ? "\033[1m" + std::string(text) + "\033[0m" : std::string(text);
    }
};

/// An entry of a two-column block as printed, and the columns it takes.
struct HelpEntry {
    std::string text;
    std::size_t columns = 0;
};

/// The help column's lines of `help` in `room` columns: wrapped as a
/// paragraph, where a line that begins with a blank is kept as written.
std::vector<std::string_view> helpLines(std::string_view help, std::size_t room, bool paragraphs) {
    if (!paragraphs) {
        return wrapped(help, room);
    }
    std::vector<std::string_view> lines;
    for (std::string_view line : paragraphLines(help)) {
        if (line.empty() || isBlankOrTab(line.front())) {
            lines.push_back(line);
            continue;
        }
        for (std::string_view piece : wrapped(line, room)) {
            lines.push_back(piece);
        }
    }
    return lines;
}

/// Appends an entry line: `entry`, then the lines of `help` from column 30,
/// the first on the entry's line when the entry leaves a blank before it.
void appendEntry(std::string& out, const HelpEntry& entry, std::string_view help,
                 const HelpLayout& layout, bool paragraphs = false) {
    out += entry.text;
    const std::size_t room = layout.width > helpColumn - 1 ? layout.width - (helpColumn - 1) : 0;
    const std::vector<std::string_view> lines = helpLines(help, room, paragraphs);
    std::size_t at = entry.columns;
    if (at > widestPaddedEntry && !lines.empty()) {
        out += '\n';
        at = 0;
    }
    for (std::string_view line : lines) {
        if (!line.empty()) {
            out.append(helpColumn - 1 - at, ' ');
            out += line;
        }
        out += '\n';
        at = 0;
    }
    if (lines.empty()) {
        out += '\n';
    }
}

/// A block of free text, line by line; "" when it shows nothing. A tool's
/// lines are wrapped at the width, but those that begin with a blank.
std::string paragraph(std::string_view text, const HelpLayout& layout) {
    std::string block;
    for (std::string_view line : paragraphLines(text)) {
        const bool kept = !layout.paragraphs || line.empty() || isBlankOrTab(line.front());
        for (std::string_view piece :
             kept ? std::vector<std::string_view>{line} : wrapped(line, layout.width)) {
            block += piece;
            block += '\n';
        }
    }
    return block;
}

/// The entry of `option`, its names in bold when the help is coloured.
HelpEntry optionEntry(const ParserView& view, const Option& option, const Style& style) {
    // Long forms line up whether a short form stands before them or not.
    HelpEntry entry{isShortForm(option.shortName, Syntax::gnu) ? "  " : "      ", 0};
    entry.columns = entry.text.size();
    for (const EntryPiece& piece : entryPieces(view.table().options, view.names(), option)) {
        entry.text += piece.kind == EntryPiece::Kind::name ? style.strong(piece.text) : piece.text;
        entry.columns += displayColumns(piece.text);
    }
    return entry;
}

std::string optionBlock(const ParserView& view, const Texts& texts, const OptionBlock& shown,
                        const HelpLayout& layout) {
    const Style style{layout.bold};
    std::string block = style.strong(blockHeading(texts, shown)) + "\n";
    for (const Option* option : shown.options) {
        appendEntry(block, optionEntry(view, *option, style), helpWithTags(texts, *option), layout);
    }
    return block;
}

} // namespace

std::string gnuHelpText(const ParserView& view, const HelpLayout& layout) {
    const Style style{layout.bold};
    const TableState& table = view.table();
    const Texts texts = view.texts();
    const std::string program = view.program();
    std::vector<std::string> blocks;
    if (table.usage.empty()) {
        blocks.push_back(style.strong(texts.text(MessageId::usageHeading)) + " " +
                         joined(synopsis(view, program)) + "\n");
    } else {
        blocks.push_back(paragraph(usageText(table.usage, program), HelpLayout{}));
    }
    blocks.push_back(paragraph(table.description, layout));
    const std::vector<const Operand::Description*> operands = shownOperands(table);
    if (operandsExplained(operands)) {
        std::string block = style.strong(texts.text(MessageId::argumentsHeading)) + "\n";
        for (const Operand::Description* operand : operands) {
            const std::string form = "  " + entryForm(*operand);
            appendEntry(block, {form, displayColumns(form)}, helpWithTags(texts, *operand), layout);
        }
        blocks.push_back(std::move(block));
    }
    for (const OptionBlock& shown : optionBlocks(table.options)) {
        blocks.push_back(optionBlock(view, texts, shown, layout));
    }
    if (const std::vector<const Command*> commands = shownCommands(table); !commands.empty()) {
        std::string block = style.strong(texts.text(MessageId::commandsHeading)) + "\n";
        for (const Command* command : commands) {
            appendEntry(block,
                        {"  " + style.strong(command->name), 2 + displayColumns(command->name)},
                        command->help, layout, layout.paragraphs);
        }
        blocks.push_back(std::move(block));
    }
    blocks.push_back(paragraph(table.footer, layout));

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
