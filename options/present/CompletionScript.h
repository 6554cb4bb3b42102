// What the bash, zsh and fish writers share: the completion model laid out
// as flat arrays, their declaration, quoting and function names.
#pragma once

#include "options/present/CompletionModel.h"

#include <string>
#include <string_view>
#include <vector>

namespace conkit::detail {

/// The model as the arrays that each script's completion function declares
/// and reads the same way: each array has a name and records of a fixed
/// number of elements, which the writer quotes for its shell.
///
/// - "names": level, flags, option, name. The flags are three letters: the
///   form ('l' long name, 'n' "--no-" form, 's' short name), what follows
///   ('-' nothing, 'r' a value, 'o' an attached value only) and '+' when
///   offered, 'h' for a name of a hidden option (typed whole only), '-'
///   for another name not offered.
/// - "optionInfo": per option (or operand) in order, how its values
///   complete ('f' file names, 'c' choices, '-' nothing, 'p' the lines the
///   program prints when asked), the value's placeholder, the help.
/// - "choiceList": option, choice.
/// - "commandList": level, name, '+' when offered, the command's level, help.
/// - "stops": per level, '1' when its first positional word ends options.
/// - "groupList": option, exclusive group.
/// - "operandList": level, option, '1' when repeated, '0' when not.
struct ScriptArray {
    const char* name;
    std::vector<std::vector<std::string>> records;
};
std::vector<ScriptArray> scriptArrays(const CompletionModel& model);

/// How a shell declares an array in a function: `declare` before the name,
/// `open` after it, `lineEnd` before each line break inside it, `close` after
/// it, and `quote` for each element.
struct ArrayStyle {
    std::string_view declare;
    std::string_view open;
    std::string_view lineEnd;
    std::string_view close;
    std::string (*quote)(std::string_view text);
};
/// The arrays declared one after the other, one record a line.
std::string declarations(const std::vector<ScriptArray>& arrays, const ArrayStyle& style);

/// `script` with each "@F@" replaced by `function`, and each "@R@" by the
/// option word of the completion request.
std::string withFunction(std::string_view script, std::string_view function);

/// `script` with each `mark` replaced by `part` when `wanted`, else removed:
/// the parts of a script that only some parsers need.
std::string withPart(std::string_view script, std::string_view mark, bool wanted,
                     std::string_view part);

/// The functions FUNCTION_find, FUNCTION_walk and FUNCTION_operand that the
/// bash and zsh scripts share, written in bash, each body opening with
/// `prologue`. They read the arrays, `classic` and `typed` (the words before
/// the cursor, unquoted, the program first) and set `level`, `ended`,
/// `pending`, `positional`, `found`, `flags` and `named` (the options set on
/// the line, each followed by a blank, after a blank), all of them the
/// caller's locals. A fourth function, FUNCTION_barred, tells from `named`
/// whether an exclusive group rules out an option word. With
/// `responseFiles`, a word "@FILE" where an option word may stand counts as
/// no word.
std::string walkFunctions(std::string_view function, std::string_view prologue, bool responseFiles);

/// `text` in single quotes for bash and zsh, a quote inside becoming '\''.
std::string singleQuoted(std::string_view text);

/// A shell function name for `program`: "_conkit_complete_", up to 32
/// letters and digits of the program's name, and a hash of the whole name, so
/// that programs never share a function and no name grows long.
std::string functionName(std::string_view program);

} // namespace conkit::detail
