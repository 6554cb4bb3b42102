// OptionParser: the man page of a tool, in the roff of the man macros, with
// every text escaped so that it prints as it is and never acts as roff.
#include "options/OptionParser.h"

#include "options/parser/View.h"
#include "options/present/Usage.h"
#include "options/text/Utf8.h"

#include <algorithm>
#include <set>
#include <utility>

namespace conkit {

namespace {

using detail::EntryPiece;
using Operand = OptionParser::Operand;

/// A man page being written. Text goes through `text`, which escapes it;
/// requests and font changes go through `raw`.
class Roff {
public:
    /// Appends `text` so that it prints as it is: '\', '-', quotes and
    /// apostrophes as escapes (so that they print as themselves, and a quote
    /// cannot end a macro argument), a '.' at the start of an input line
    /// behind "\&" so that it starts no request, every other non-ASCII
    /// character as a Unicode escape (ill-formed UTF-8 as U+FFFD), and line
    /// ends and other control characters as blanks, so that a text never
    /// opens a line of its own. A word gets a break point after every 30
    /// characters, so that no word is too long for a line.
    void text(std::string_view text) {
        for (std::size_t at = 0; at < text.size();) {
            const auto [point, length] = detail::decodeAt(text, at);
            at += length;
            if (point <= 0x20 || point == 0x7F || (point >= 0x80 && point <= 0x9F)) {
                out += ' ';
                wordLength = 0;
                continue;
            }
            if (wordLength != 0 && wordLength % breakEvery == 0) {
                out += "\\:";
            }
            ++wordLength;
            append(point);
            linePrints = true;
        }
    }

    /// True when the input line so far holds a character of a text, not
    /// blanks only.
    bool printsOnLine() const { return linePrints; }

    /// Appends roff as it is.
    void raw(std::string_view roff) {
        out += roff;
        if (roff.find('\n') != std::string_view::npos) {
            linePrints = false;
        }
    }

    /// Appends `text` as a macro argument, in double quotes.
    void argument(std::string_view text) {
        out += " \"";
        this->text(text);
        out += '"';
    }

    /// Ends the input line, unless it is empty, without the blanks at its
    /// end (that control characters may have left).
    void endLine() {
        while (!out.empty() && out.back() == ' ') {
            out.pop_back();
        }
        if (!out.empty() && out.back() != '\n') {
            out += '\n';
        }
        wordLength = 0;
        linePrints = false;
    }

    /// Appends a text of several lines, one input line each; an empty line
    /// becomes the request `gap` (one for a run of them).
    void lines(std::string_view text, std::string_view gap) {
        bool gapDue = false;
        for (std::string_view line : detail::paragraphLines(text)) {
            if (line.empty()) {
                gapDue = true;
                continue;
            }
            if (gapDue) {
                raw(gap);
                gapDue = false;
            }
            this->text(line);
            endLine();
        }
    }

    /// The page: the fallbacks of the non-ASCII characters it uses (before
    /// the title, which is formatted at once), its first input line (the
    /// title), the settings that every page gets, then the rest.
    std::string page() const {
        // A character the output device lacks prints as '?' instead of
        // nothing and a warning.
        std::string fallbacks;
        for (const char32_t point : nonAscii) {
            fallbacks += ".fchar " + unicodeEscape(point) + " ?\n";
        }
        // Left-aligned lines: a line holding a single broken word cannot be
        // spread to both margins. AD is the man macros' own setting for it.
        const std::string_view settings = ".ad l\n.ds AD l\n";
        const std::size_t titleEnd = out.find('\n') + 1;
        return fallbacks + out.substr(0, titleEnd) + std::string(settings) + out.substr(titleEnd);
    }

private:
    static constexpr std::size_t breakEvery = 30;

    /// "\[uXXXX]": at least four upper-case hexadecimal digits, no more
    /// leading zeros, as groff names Unicode characters.
    static std::string unicodeEscape(char32_t point) {
        std::string name = "\\[u";
        for (int shift = 20; shift >= 0; shift -= 4) {
            const auto digit = static_cast<unsigned>(point >> shift) & 0xFu;
            if (shift < 16 || digit != 0 || name.size() > 3) {
                name += "0123456789ABCDEF"[digit];
            }
        }
        return name + ']';
    }

    void append(char32_t point) {
        switch (point) {
        case '\\':
            out += "\\(rs";
            break;
        case '-':
            out += "\\-";
            break;
        case '\'':
            out += "\\(aq";
            break;
        case '"':
            out += "\\(dq";
            break;
        case '.':
            if (out.empty() || out.back() == '\n') {
                out += "\\&";
            }
            out += '.';
            break;
        default:
            if (point < 0x80) {
                out += static_cast<char>(point);
            } else {
                out += unicodeEscape(point);
                nonAscii.insert(point);
            }
        }
    }

    std::string out;
    std::size_t wordLength = 0;
    bool linePrints = false;
    std::set<char32_t> nonAscii;
};

/// The first sentence of `text`: up to the first full stop that ends the
/// text or stands before a blank or line end, or up to the first empty
/// line; without the full stop.
std::string_view firstSentence(std::string_view text) {
    const std::size_t begin = text.find_first_not_of(" \t\n");
    if (begin == std::string_view::npos) {
        return {};
    }
    text.remove_prefix(begin);
    for (std::size_t at = 0; at < text.size(); ++at) {
        const char next = at + 1 < text.size() ? text[at + 1] : ' ';
        if ((text[at] == '.' && (detail::isBlankOrTab(next) || next == '\n')) ||
            (text[at] == '\n' && next == '\n')) {
            return detail::withoutTrailingBlanks(text.substr(0, at));
        }
    }
    return detail::withoutTrailingBlanks(text);
}

/// Appends the names of an option's entry, names in bold and placeholders in
/// italics.
void appendManEntry(Roff& page, const std::vector<EntryPiece>& pieces) {
    for (const EntryPiece& piece : pieces) {
        const bool styled = piece.kind != EntryPiece::Kind::punctuation;
        if (styled) {
            page.raw(piece.kind == EntryPiece::Kind::name ? "\\fB" : "\\fI");
        }
        page.text(piece.text);
        if (styled) {
            page.raw("\\fR");
        }
    }
    // A tag line of blanks (a name of blanks or control characters) counts
    // as no text line for .TP, which would take the next line as the tag,
    // or keep the last one open to the end of the page; "\&" makes it one.
    if (!page.printsOnLine()) {
        page.raw("\\&");
    }
    page.endLine();
}

/// Appends the heading of a section.
void appendSection(Roff& page, const detail::Texts& texts, MessageId name) {
    page.raw(".SH ");
    page.text(texts.text(name));
    page.endLine();
}

/// Appends `pattern`, a template of the catalogue, as lines of text, its
/// placeholders bold (the names `args` give them), each ending its line.
void appendSentence(Roff& page, const std::string& pattern, detail::Args args) {
    bool lineStart = false;
    detail::forEachPiece(
        pattern,
        [&page, &lineStart](std::string_view text) {
            if (lineStart) { // a blank that opens an input line would break it
                text.remove_prefix(std::min(text.find_first_not_of(' '), text.size()));
            }
            page.text(text);
            lineStart = lineStart && text.empty();
        },
        [&page, &lineStart, args](std::string_view name) {
            for (const detail::Arg& arg : args) {
                if (arg.name == name) {
                    appendManEntry(page, {{EntryPiece::Kind::name, std::string(arg.value)}});
                    lineStart = true;
                }
            }
        });
    page.endLine();
}

/// Appends the DEPRECATED OPTIONS section when an option that is not hidden
/// is deprecated or has deprecated aliases: each such option with its
/// advice, each deprecated alias with "use '--LONG'".
void appendDeprecated(Roff& page, const detail::Texts& texts, const detail::TableState& table) {
    bool shown = false;
    for (const OptionParser::Option& option : table.options) {
        const OptionParser::Option::Description& described = option.description();
        if (described.hidden || !detail::hasDeprecatedName(option)) {
            continue;
        }
        if (!shown) {
            appendSection(page, texts, MessageId::manDeprecated);
            shown = true;
        }
        if (described.deprecated) {
            page.raw(".TP\n");
            appendManEntry(page, detail::entryPieces(table.options, table.names(), option));
            page.lines(*described.deprecated, ".sp\n");
        }
        for (const std::string& alias : described.deprecatedAliases) {
            page.raw(".TP\n");
            appendManEntry(page, {{EntryPiece::Kind::name, "--" + alias}});
            page.lines(texts.text(MessageId::aliasAdvice, {{"option", option.longName}}), ".sp\n");
        }
    }
}

/// Appends the entries of `operands`, as the ARGUMENTS section shows them.
void appendOperands(Roff& page, const detail::Texts& texts,
                    const std::vector<const Operand::Description*>& operands) {
    for (const Operand::Description* operand : operands) {
        page.raw(".TP\n");
        appendManEntry(page, {{EntryPiece::Kind::placeholder, operand->name},
                              {EntryPiece::Kind::punctuation, operand->repeated ? "..." : ""}});
        page.lines(detail::helpWithTags(texts, *operand), ".sp\n");
    }
}

/// Appends the entries of `blocks`, the options of `view`'s table, each
/// section under its title: a subsection at the top, a bold line in a
/// command's block (where a subsection would end the indentation).
void appendOptions(Roff& page, const detail::ParserView& view,
                   const std::vector<detail::OptionBlock>& blocks, bool top) {
    for (const detail::OptionBlock& block : blocks) {
        if (!block.title.empty() && top) {
            page.raw(".SS");
            page.argument(block.title);
            page.endLine();
        } else if (!block.title.empty()) {
            page.raw(".PP\n\\fB");
            page.text(block.title);
            page.raw("\\fR");
            page.endLine();
        }
        for (const OptionParser::Option* option : block.options) {
            page.raw(".TP\n");
            appendManEntry(page, detail::entryPieces(view.table().options, view.names(), *option));
            page.lines(detail::helpWithTags(view.texts(), *option), ".sp\n");
        }
    }
}

/// Appends an entry for each command of `table` that is not deprecated,
/// each followed, one indentation deeper, by what its own ARGUMENTS, OPTIONS
/// and COMMANDS would show.
void appendCommands(Roff& page, const detail::TableState& table) {
    for (const detail::Command* command : detail::shownCommands(table)) {
        page.raw(".TP\n");
        appendManEntry(page, {{EntryPiece::Kind::name, command->name}});
        page.lines(command->help, ".sp\n");
        const detail::ParserView view = detail::ParserView::of(*command);
        const std::vector<const Operand::Description*> operands =
            detail::shownOperands(view.table());
        const bool explained = detail::operandsExplained(operands);
        const std::vector<detail::OptionBlock> blocks = detail::optionBlocks(view.table().options);
        if (explained || !blocks.empty() || !detail::shownCommands(view.table()).empty()) {
            page.raw(".RS\n");
            if (explained) {
                appendOperands(page, view.texts(), operands);
            }
            appendOptions(page, view, blocks, false);
            appendCommands(page, view.table());
            page.raw(".RE\n");
        }
    }
}

} // namespace

std::string OptionParser::manPage(const std::string& program, int section) const {
    const detail::ParserView view = detail::viewOf(*held);
    const detail::TableState& table = view.table();
    const detail::Texts texts = view.texts();
    Roff page;
    page.raw(".TH");
    page.argument(program);
    page.argument(std::to_string(section));
    if (!table.version.empty()) {
        page.raw(" \"\""); // no date
        page.argument(table.version);
    }
    page.endLine();

    appendSection(page, texts, MessageId::manName);
    page.text(program);
    const std::string_view sentence = firstSentence(table.description);
    if (!sentence.empty()) {
        page.raw(" \\- ");
        page.text(sentence);
    }
    page.endLine();

    // The usage text from its "%prog" on, line by line; else the synopsis.
    appendSection(page, texts, MessageId::manSynopsis);
    const detail::UsageText usage = detail::splitUsage(table.usage);
    if (!usage.marked) {
        appendManEntry(page, detail::synopsis(view, program));
    } else {
        page.raw("\\fB");
        page.text(program);
        page.raw("\\fR");
        for (std::string_view line : detail::paragraphLines(usage.after)) {
            page.text(line);
            page.endLine();
            page.raw(".br\n");
        }
    }
    page.endLine();

    if (!detail::paragraphLines(table.description).empty()) {
        appendSection(page, texts, MessageId::manDescription);
        page.lines(table.description, ".PP\n");
    }

    const std::vector<const Operand::Description*> operands = detail::shownOperands(table);
    if (detail::operandsExplained(operands)) {
        appendSection(page, texts, MessageId::manArguments);
        appendOperands(page, texts, operands);
    }

    const std::vector<detail::OptionBlock> blocks = detail::optionBlocks(table.options);
    if (!blocks.empty()) {
        appendSection(page, texts, MessageId::manOptions);
    }
    appendOptions(page, view, blocks, true);
    appendDeprecated(page, texts, table);

    if (!detail::shownCommands(table).empty()) {
        appendSection(page, texts, MessageId::manCommands);
        appendCommands(page, table);
    }

    bool environmentShown = false;
    for (const Option& option : table.options) {
        const Option::Description& described = option.description();
        if (detail::wholeNamesOnly(option) || described.env.empty()) {
            continue;
        }
        if (!environmentShown) {
            appendSection(page, texts, MessageId::manEnvironment);
            environmentShown = true;
        }
        page.raw(".TP\n");
        appendManEntry(page, {{EntryPiece::Kind::name, described.env}});
        appendSentence(page, texts.pattern(MessageId::manVariable),
                       {{"option", "--" + option.longName}});
    }

    const detail::ConfigSetting& config = view.configFile();
    if (config.reader != nullptr && !config.defaultPath.empty()) {
        appendSection(page, texts, MessageId::manFiles);
        page.raw(".TP\n");
        appendManEntry(page, {{EntryPiece::Kind::placeholder, config.defaultPath}});
        const std::uint32_t index = table.find(config.option);
        if (index == detail::Names::none || table.options[index].description().hidden) {
            appendSentence(page, texts.pattern(MessageId::manConfigFile), {});
        } else {
            appendSentence(page, texts.pattern(MessageId::manConfigFileNamed),
                           {{"option", "--" + table.options[index].longName}});
        }
    }
    return page.page();
}

} // namespace conkit
