// The pieces the gnu help and the man page share: which options are shown
// under which heading, how an option's names and value read, its tags, and
// the lines of free text.
#include "options/present/Presentation.h"

#include "options/parser/Commands.h"
#include "options/table/ShortForm.h"
#include "options/table/ValueKind.h"
#include "options/table/ValueRules.h"

#include <algorithm>

namespace conkit::detail {

namespace {

using Kind = EntryPiece::Kind;

/// Appends the placeholder of `option`'s value, if it takes one, after
/// `joint`; after `optionalJoint` and in brackets when the value is optional.
void appendValue(const Option& option, const char* joint, const char* optionalJoint,
                 std::vector<EntryPiece>& pieces) {
    if (valueKind(option) == ValueKind::none) {
        return;
    }
    const bool optional = valueKind(option) == ValueKind::optional;
    pieces.push_back({Kind::punctuation, optional ? optionalJoint : joint});
    pieces.push_back({Kind::placeholder, placeholder(option)});
    if (optional) {
        pieces.push_back({Kind::punctuation, "]"});
    }
}

/// Appends the long form of `name`, a long name or alias of `option`.
/// "[no-]" only the option's own long name gets, and only where the gnu
/// syntax accepts "--no-NAME": on an option without a value.
void appendLongForm(const Option& option, const std::string& name, bool negatable,
                    std::vector<EntryPiece>& pieces) {
    const std::string dashes = negatable && hasNegatedForm(option) ? "--[no-]" : "--";
    pieces.push_back({Kind::name, dashes + name});
    appendValue(option, "=", "[=", pieces);
}

} // namespace

std::string placeholder(const Option& option) {
    if (!option.description().valueName.empty()) {
        return option.description().valueName;
    }
    std::string text = option.longName;
    std::transform(text.begin(), text.end(), text.begin(), [](char c) {
        return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
    });
    return text;
}

std::vector<const Command*> shownCommands(const TableState& table) {
    std::vector<const Command*> shown;
    for (const Command& command : table.commands) {
        if (deprecationOf(command) == nullptr) {
            shown.push_back(&command);
        }
    }
    return shown;
}

std::vector<OptionBlock> optionBlocks(const Table& table) {
    std::vector<OptionBlock> blocks(1); // the untitled block comes first
    for (const Option& option : table) {
        if (wholeNamesOnly(option)) {
            continue;
        }
        const std::string& title = option.description().section;
        auto block = std::find_if(blocks.begin(), blocks.end(),
                                  [&title](const OptionBlock& b) { return b.title == title; });
        if (block == blocks.end()) {
            block = blocks.insert(blocks.end(), OptionBlock{title, {}});
        }
        block->options.push_back(&option);
    }
    if (blocks.front().options.empty()) {
        blocks.erase(blocks.begin());
    }
    return blocks;
}

std::vector<EntryPiece> entryPieces(const Table& table, const Names& names, const Option& option) {
    std::vector<EntryPiece> pieces;
    if (isShortForm(option.shortName, Syntax::gnu)) {
        pieces.push_back({Kind::name, std::string{'-', option.shortName}});
        if (isShortOnly(option, Syntax::gnu)) {
            // A short option's value is the next word, or attached when it is
            // optional.
            appendValue(option, " ", "[", pieces);
        } else {
            pieces.push_back({Kind::punctuation, ", "});
            appendLongForm(option, option.longName, option.description().negatable, pieces);
        }
    } else {
        appendLongForm(option, option.longName, option.description().negatable, pieces);
    }
    for (const std::string& alias : option.description().aliases) {
        if (aliasInEffect(table, names, option, alias) && !isDeprecatedAlias(option, alias)) {
            pieces.push_back({Kind::punctuation, ", "});
            appendLongForm(option, alias, false, pieces);
        }
    }
    return pieces;
}

namespace {

/// Appends `tag` to `text`, after a blank unless it is empty.
void appendTag(std::string& text, const std::string& tag) {
    if (!text.empty()) {
        text += ' ';
    }
    text += tag;
}

} // namespace

std::string helpOf(const Texts& texts, const Option& option) {
    const std::optional<MessageId> builtIn = option.description().builtInHelp;
    return builtIn && option.help == englishText(*builtIn) ? texts.text(*builtIn) : option.help;
}

std::string helpWithTags(const Texts& texts, const Option& option) {
    const Option::Description& described = option.description();
    std::string text = helpOf(texts, option);
    if (described.required) {
        appendTag(text, texts.text(MessageId::requiredTag));
    }
    if (!described.choices.empty()) {
        appendTag(text, texts.text(MessageId::choicesTag, {{"choices", joinedChoices(described)}}));
    }
    if (valueKind(option) != ValueKind::none && option.hasDefault()) {
        const std::string& value = option.defaultValue;
        // Quotes keep a blank at either end visible.
        const bool quoted = isBlankOrTab(value.front()) || isBlankOrTab(value.back());
        appendTag(text, texts.text(MessageId::defaultTag,
                                   {{"value", quoted ? '"' + value + '"' : value}}));
    }
    if (!described.env.empty()) {
        appendTag(text, texts.text(MessageId::environmentTag, {{"variable", described.env}}));
    }
    return text;
}

std::string helpWithTags(const Texts& texts, const Operand::Description& operand) {
    std::string text = operand.help;
    if (!operand.words.choices.empty()) {
        appendTag(text,
                  texts.text(MessageId::choicesTag, {{"choices", joinedChoices(operand.words)}}));
    }
    return text;
}

std::vector<const Operand::Description*> shownOperands(const TableState& table) {
    std::vector<const Operand::Description*> shown;
    if (table.commands.empty()) {
        for (const Operand& operand : table.operands) {
            shown.push_back(&operand.description());
        }
    }
    return shown;
}

std::string blockHeading(const Texts& texts, const OptionBlock& block) {
    return block.title.empty() ? texts.text(MessageId::optionsHeading)
                               : texts.text(MessageId::sectionHeading, {{"title", block.title}});
}

std::string joined(const std::vector<EntryPiece>& pieces) {
    std::string text;
    for (const EntryPiece& piece : pieces) {
        text += piece.text;
    }
    return text;
}

bool operandsExplained(const std::vector<const Operand::Description*>& operands) {
    return std::any_of(operands.begin(), operands.end(),
                       [](const Operand::Description* operand) { return !operand->help.empty(); });
}

std::string_view withoutTrailingBlanks(std::string_view text) noexcept {
    while (!text.empty() && isBlankOrTab(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

std::vector<std::string_view> paragraphLines(std::string_view text) {
    std::vector<std::string_view> lines;
    std::size_t begin = 0;
    while (begin <= text.size()) {
        const std::size_t end = std::min(text.find('\n', begin), text.size());
        lines.push_back(withoutTrailingBlanks(text.substr(begin, end - begin)));
        begin = end + 1;
    }
    const auto first =
        std::find_if(lines.begin(), lines.end(), [](std::string_view l) { return !l.empty(); });
    lines.erase(lines.begin(), first);
    while (!lines.empty() && lines.back().empty()) {
        lines.pop_back();
    }
    return lines;
}

} // namespace conkit::detail
