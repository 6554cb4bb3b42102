// OptionParser: the completion model, read from the option tables of a parser
// and its commands, and the three scripts written from it.
#include "options/OptionParser.h"

#include "options/parser/Commands.h"
#include "options/parser/View.h"
#include "options/present/CompletionScript.h"
#include "options/present/Presentation.h"
#include "options/present/Shells.h"
#include "options/table/ShortForm.h"

namespace conkit {

namespace {

using Model = detail::CompletionModel;

using detail::isControl;
using detail::offerable;
using detail::untypeable;

/// `text` on one line: every control character becomes a blank.
std::string oneLine(std::string text) {
    for (char& c : text) {
        if (isControl(c)) {
            c = ' ';
        }
    }
    return text;
}

/// How the words `described` checks are completed: by the program when it
/// completes them, else by its choices, else file names when `files`.
Model::Option valuesOf(const OptionParser::Option::Description& described, bool files) {
    Model::Option completed;
    if (described.completer != nullptr || described.lineCompleter != nullptr) {
        completed.values = Model::Values::program;
    } else if (!described.choices.empty()) {
        completed.values = Model::Values::choices;
        for (const std::string& choice : described.choices) {
            if (!untypeable(choice) && offerable(choice)) {
                completed.choices.push_back(choice);
            }
        }
    } else if (!files) {
        completed.values = Model::Values::nothing;
    }
    return completed;
}

/// What completion needs of `option`'s value, help and exclusive groups,
/// the groups of its level numbered from `firstGroup`. A number is wanted
/// when a range is set: no file name could be one.
Model::Option optionOf(const detail::Texts& texts, const OptionParser::Option& option,
                       std::size_t firstGroup) {
    const OptionParser::Option::Description& described = option.description();
    Model::Option completed =
        valuesOf(described, described.range == OptionParser::Option::Description::Range::none);
    completed.help = oneLine(detail::helpOf(texts, option));
    completed.valueName = oneLine(detail::placeholder(option));
    for (const std::size_t group : described.groups) {
        completed.groups.push_back(firstGroup + group);
    }
    return completed;
}

/// What completion needs of `operand`'s words, shown as its name.
Model::Option operandOf(const OptionParser::Operand::Description& operand) {
    Model::Option completed = valuesOf(operand.words, operand.completeFiles);
    completed.help = oneLine(operand.help);
    completed.valueName = oneLine(operand.name);
    return completed;
}

/// What a word of `form` that names `option` takes after it under `syntax`.
Model::Value valueOf(const OptionParser::Option& option, Model::Form form, Syntax syntax) {
    if (syntax == Syntax::classic) {
        return Model::Value::required;
    }
    return form == Model::Form::negated ? Model::Value::none : detail::valueKind(option);
}

/// Adds the words that reach each option of `table`, whose first option is
/// `firstOption` in the model, to `level`: what the parse's lookup gives for
/// them is that option. Long names and aliases first, "--no-" forms where no
/// name repeats them, then short names.
void addNames(Model::Level& level, const detail::Table& table, const detail::Names& names,
              std::size_t firstOption, Syntax syntax) {
    std::size_t number = firstOption;
    const OptionParser::Option* current = nullptr;
    const auto holder = [&](std::string_view name) { return detail::holderOf(table, names, name); };
    detail::forEachLongName(
        table, names, [&](const OptionParser::Option& option, std::string_view name, bool negated) {
            if (current != &option) {
                number += current != nullptr ? 1 : 0;
                current = &option;
            }
            if (name.empty() || name.find('=') != std::string_view::npos || untypeable(name) ||
                (negated && syntax == Syntax::classic)) {
                return;
            }
            const bool reached = negated
                                     ? holder(name) == nullptr && holder(option.longName) == &option
                                     : holder(name) == &option;
            const bool shown =
                negated || name != option.longName || !detail::isShortOnly(option, syntax);
            if (reached) {
                const bool hidden = detail::wholeNamesOnly(option) ||
                                    (!negated && detail::isDeprecatedAlias(option, name));
                const Model::Form form = negated ? Model::Form::negated : Model::Form::longName;
                level.names.push_back({form, std::string(name), number,
                                       valueOf(option, form, syntax),
                                       shown && !hidden && offerable(name), hidden});
            }
        });
    number = firstOption;
    for (std::uint32_t index = 0; index < table.size(); ++index) {
        const OptionParser::Option& option = table[index];
        const char c = option.shortName;
        const bool reached = syntax == Syntax::gnu
                                 ? detail::isShortForm(c, syntax) && names.findShort(c) == index
                                 : c != '\0' && names.find(std::string_view(&c, 1)) == index;
        if (reached) {
            // "--" alone ends the options: a short name '-' is reached in a
            // bundle only, so it is not offered.
            const bool hidden = detail::wholeNamesOnly(option);
            level.names.push_back({Model::Form::shortName, std::string(1, c), number,
                                   valueOf(option, Model::Form::shortName, syntax),
                                   detail::isShortForm(c, syntax) && c != '-' && !hidden, hidden});
        }
        ++number;
    }
}

/// Adds the level of `view` to `model`, then the levels of its commands,
/// which take the syntax of the program.
void addLevel(Model& model, const detail::ParserView& view, Syntax syntax) {
    const detail::TableState& table = view.table();
    const std::size_t level = model.levels.size();
    const std::size_t firstOption = model.options.size();
    model.levels.emplace_back();
    model.levels[level].stopAtFirstArgument = syntax == Syntax::gnu && table.stopAtFirstArgument;
    for (const OptionParser::Option& option : table.options) {
        model.options.push_back(optionOf(view.texts(), option, model.groupCount));
    }
    model.groupCount += table.groupCount;
    addNames(model.levels[level], table.options, view.names(), firstOption, syntax);
    // A level with commands takes no operands: its positional word is the
    // command.
    if (table.commands.empty()) {
        for (const OptionParser::Operand& operand : table.operands) {
            model.levels[level].operands.push_back(
                {model.options.size(), operand.description().repeated});
            model.options.push_back(operandOf(operand.description()));
        }
    }
    for (const detail::Command& command : table.commands) {
        if (untypeable(command.name)) {
            continue;
        }
        const Model::Command completed{command.name, oneLine(command.help), model.levels.size(),
                                       offerable(command.name) &&
                                           detail::deprecationOf(command) == nullptr};
        model.levels[level].commands.push_back(completed);
        addLevel(model, detail::ParserView::of(command), syntax);
    }
}

} // namespace

namespace detail {

CompletionModel completionModel(const ParserView& view) {
    Model model;
    model.classic = view.syntax() == Syntax::classic;
    model.responseFiles = view.responseFiles();
    addLevel(model, view, view.syntax());
    return model;
}

std::string completionScript(const ParserView& view, const Shell& shell,
                             const std::string& program) {
    // The program's name as a command line can hold it: up to its first NUL.
    return shell.script(completionModel(view), program.substr(0, program.find('\0')));
}

} // namespace detail

std::string OptionParser::bashCompletion(const std::string& program) const {
    return detail::completionScript(detail::viewOf(*held), *detail::shellNamed("bash"), program);
}

std::string OptionParser::zshCompletion(const std::string& program) const {
    return detail::completionScript(detail::viewOf(*held), *detail::shellNamed("zsh"), program);
}

std::string OptionParser::fishCompletion(const std::string& program) const {
    return detail::completionScript(detail::viewOf(*held), *detail::shellNamed("fish"), program);
}

} // namespace conkit
