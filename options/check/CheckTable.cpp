// OptionParser: the check of the definitions for mistakes that no parse
// reports, such as a default that the option's own choices refuse or an alias
// that another option has already taken.
#include "options/OptionParser.h"

#include "options/parser/View.h"
#include "options/table/ValueKind.h"
#include "options/table/ValueRules.h"

#include <algorithm>

namespace conkit {

namespace {

using Lines = std::vector<std::string>;
using detail::Option;

/// "--NAME", how the lines name an option.
std::string dashed(const std::string& name) {
    return "--" + name;
}

/// True when the range of `rules` accepts no number at all: its minimum
/// exceeds its maximum, or a limit is not a number.
bool rangeIsEmpty(const Option::Description& rules) {
    return (rules.range == Option::Description::Range::whole && rules.wholeMin > rules.wholeMax) ||
           (rules.range == Option::Description::Range::real && !(rules.realMin <= rules.realMax));
}

/// The line for `text`, the default or implicit value (`what`) of `option`,
/// when the option's own choices or range refuse it. An empty range is
/// reported by itself, not once more through every value it refuses.
void checkValue(const Option& option, const char* what, const std::string& text, Lines& lines) {
    const Option::Description& rules = option.description();
    const std::string start = dashed(option.longName) + ": " + what + " '" + text + "' is not ";
    if (!detail::isChoice(rules, text)) {
        lines.push_back(start + "one of its choices (" + detail::joinedChoices(rules) + ")");
    } else if (!rangeIsEmpty(rules) && !detail::inRange(rules, text)) {
        lines.push_back(start + "a number " + detail::rangeWords(rules));
    }
}

/// The lines for what `option` was described with: rules that its kind of
/// value makes pointless, values its own rules refuse, and a default that
/// `required` makes pointless.
void checkDescription(const Option& option, Lines& lines) {
    const Option::Description& rules = option.description();
    const std::string name = dashed(option.longName);
    if (detail::valueKind(option) == detail::ValueKind::none) {
        if (!rules.choices.empty()) {
            lines.push_back(name + ": has choices but takes no value");
        }
        if (rules.range != Option::Description::Range::none) {
            lines.push_back(name + ": has a range but takes no value");
        }
    } else if (rules.negatable) {
        lines.push_back(name + ": negatable but takes " +
                        (detail::valueKind(option) == detail::ValueKind::optional
                             ? "an optional value"
                             : "a value") +
                        ", so there is no --no-" + option.longName);
    }
    if (rangeIsEmpty(rules)) {
        lines.push_back(name + ": range from " + detail::rangeText(rules) + " accepts no value");
    }
    const detail::ValueKind takes = detail::valueKind(option);
    if (takes != detail::ValueKind::none && option.hasDefault()) {
        checkValue(option, "default", option.defaultValue, lines);
    }
    if (takes == detail::ValueKind::optional) {
        checkValue(option, "implicit value", rules.implicitValue, lines);
    }
    if (rules.required && option.hasDefault()) {
        lines.push_back(name + ": required, so its default '" + option.defaultValue +
                        "' is never used");
    }
}

/// The lines for names of `option` that a user cannot type as given: aliases
/// that are not in effect, and a "--no-" form that a long name or alias of
/// some option repeats (the name wins).
void checkNames(const detail::Table& table, const detail::Names& names, const Option& option,
                Lines& lines) {
    const std::string name = dashed(option.longName);
    for (const std::string& alias : option.description().aliases) {
        if (detail::aliasInEffect(table, names, option, alias)) {
            continue;
        }
        const Option* holder = detail::holderOf(table, names, alias);
        std::string line = name;
        line += ": alias '";
        line += alias;
        line += "' is not in effect: ";
        if (holder == &option) {
            line += "it is the option's own long name";
        } else {
            line += dashed(holder->longName) + " has it as " +
                    (holder->longName == alias ? "its long name" : "an alias");
        }
        lines.push_back(line);
    }
    if (detail::hasNegatedForm(option)) {
        const std::string negated = "no-" + option.longName;
        if (const Option* holder = detail::holderOf(table, names, negated)) {
            lines.push_back(name + ": its form " + dashed(negated) + " is also " +
                            (holder->longName == negated ? "the long name" : "an alias") + " of " +
                            dashed(holder->longName) + ", which wins");
        }
    }
}

/// The line for an addHelpOption or addVersionOption (`call`) that added
/// nothing, its option being `shortName` and `longName`. No line when an
/// option with exactly those names is there, as after a second call.
void checkBuiltIn(const detail::Table& table, const char* call, char shortName,
                  const std::string& longName, Lines& lines) {
    Option wanted;
    wanted.shortName = shortName;
    wanted.longName = longName;
    const auto taker = std::find_if(table.begin(), table.end(), [&](const Option& option) {
        return option.conflictsWith(wanted);
    });
    if (taker != table.end() && taker->shortName == shortName && taker->longName == longName) {
        return;
    }
    std::string line = dashed(longName) + ": " + call + " added nothing: -" + shortName + " or " +
                       dashed(longName) + " was taken";
    // The taker may have been renamed since; the option is missing all the same.
    if (taker != table.end()) {
        line += " by " + dashed(taker->longName);
    }
    lines.push_back(line);
}

/// The lines for the operands of `state`: operands that commands make
/// pointless, an optional or repeated operand that a repeated one before it
/// leaves without words, and choices that the operand's own range refuses.
void checkOperands(const detail::TableState& state, Lines& lines) {
    const OptionParser::Operand::Description* repeated = nullptr;
    for (const OptionParser::Operand& operand : state.operands) {
        const OptionParser::Operand::Description& described = operand.description();
        if (!state.commands.empty()) {
            lines.push_back(described.name + ": operand ignored, as there are commands");
            continue;
        }
        if (repeated != nullptr && (described.optional || described.repeated)) {
            lines.push_back(described.name + ": " + (described.repeated ? "repeated" : "optional") +
                            " operand after the repeated operand " + repeated->name +
                            " never gets a word");
        }
        const Option::Description& rules = described.words;
        if (rangeIsEmpty(rules)) {
            lines.push_back(described.name + ": range from " + detail::rangeText(rules) +
                            " accepts no value");
        }
        for (const std::string& choice : rules.choices) {
            if (!rangeIsEmpty(rules) && !detail::inRange(rules, choice)) {
                lines.push_back(described.name + ": choice '" + choice + "' is not a number " +
                                detail::rangeWords(rules));
            }
        }
        repeated = described.repeated && repeated == nullptr ? &described : repeated;
    }
}

} // namespace

std::vector<std::string> OptionParser::checkTable() const {
    const detail::ParserView view = detail::viewOf(*held);
    const detail::TableState& state = view.table();
    const std::vector<std::string>& unknownNames = state.unknownNames;
    const detail::Names& names = view.names();
    Lines lines;
    for (auto name = unknownNames.begin(); name != unknownNames.end(); ++name) {
        // describe("x") called twice is one mistake.
        if (std::find(unknownNames.begin(), name, *name) == name) {
            lines.push_back("'" + *name +
                            "': no option had this name when describe or exclusive was given it");
        }
    }
    for (const Option& option : state.options) {
        checkDescription(option, lines);
        checkNames(state.options, names, option, lines);
    }
    checkOperands(state, lines);
    if (state.helpNotAdded) {
        checkBuiltIn(state.options, "addHelpOption", 'h', "help", lines);
    }
    if (state.versionNotAdded) {
        checkBuiltIn(state.options, "addVersionOption", 'v', "version", lines);
    }
    for (const detail::Command& command : state.commands) {
        for (const std::string& line : command.parser.checkTable()) {
            lines.push_back(command.name + ": " + line);
        }
    }
    return lines;
}

} // namespace conkit
