// The usage text, the synopsis and the operands' forms.
#include "options/present/Usage.h"

namespace conkit::detail {

namespace {

constexpr std::string_view programMarker = "%prog";

using Kind = EntryPiece::Kind;

/// Appends the pieces of a fixed text of the catalogue: its runs of letters
/// are placeholders ("OPTION"), the rest punctuation ("[", "]...").
void appendWords(std::vector<EntryPiece>& pieces, const std::string& text) {
    std::size_t at = 0;
    while (at < text.size()) {
        const auto letter = [&text](std::size_t i) {
            const auto byte = static_cast<unsigned char>(text[i]);
            return byte >= 0x80 || (byte >= 'A' && byte <= 'Z') || (byte >= 'a' && byte <= 'z');
        };
        const bool word = letter(at);
        std::size_t end = at;
        while (end < text.size() && letter(end) == word) {
            ++end;
        }
        pieces.push_back({word ? Kind::placeholder : Kind::punctuation, text.substr(at, end - at)});
        at = end;
    }
}

} // namespace

UsageText splitUsage(std::string_view usage) noexcept {
    const std::size_t at = usage.find(programMarker);
    if (at == std::string_view::npos) {
        return {false, usage, {}};
    }
    return {true, usage.substr(0, at), usage.substr(at + programMarker.size())};
}

std::string usageText(std::string_view usage, std::string_view program) {
    const UsageText split = splitUsage(usage);
    std::string text(split.before);
    if (split.marked) {
        text += program;
        text += split.after;
    }
    return text;
}

std::vector<EntryPiece> synopsis(const ParserView& view, std::string_view program) {
    const Texts texts = view.texts();
    std::vector<EntryPiece> pieces{{Kind::name, std::string(program)}, {Kind::punctuation, " "}};
    appendWords(pieces, texts.text(MessageId::usageOptions));
    if (!view.table().commands.empty()) {
        pieces.push_back({Kind::punctuation, " "});
        appendWords(pieces, texts.text(MessageId::usageCommand));
        return pieces;
    }
    for (const Operand::Description* operand : shownOperands(view.table())) {
        pieces.push_back({Kind::punctuation, operand->optional ? " [" : " "});
        pieces.push_back({Kind::placeholder, operand->name});
        pieces.push_back({Kind::punctuation, std::string(operand->optional ? "]" : "") +
                                                 (operand->repeated ? "..." : "")});
    }
    return pieces;
}

std::string entryForm(const Operand::Description& operand) {
    return operand.repeated ? operand.name + "..." : operand.name;
}

} // namespace conkit::detail
