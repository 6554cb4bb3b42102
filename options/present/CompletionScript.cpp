// What the three completion scripts share: the model as flat arrays, their
// declaration in each shell, quoting, and function names.
#include "options/present/CompletionScript.h"

#include "options/table/ShortForm.h"
#include "options/tool/ToolRequests.h"

#include <cstdint>

namespace conkit::detail {

namespace {

// The helpers of the bash and zsh scripts, in bash; zsh runs them in its ksh
// emulation (arrays from 0), which "@P@" turns on.
const char* const walkText =
    R"(# Sets `found` to the option that the option word $1 names at `level`, and
# `flags` to the flags of that name: an exact long name or else a unique
# prefix of the long names of one option that is not hidden; in the classic
# syntax an exact name after "--", "-" or "/". `found` is -1 when it names
# none.
@F@_find() {@P@
    local word=$1 body j at=-1 several=0
    found=-1
    if (( classic )); then
        body=${word:1}
        [[ $word == --* ]] && body=${word:2}
        body=${body%%=*}
        for (( j = 0; j < ${#names[@]}; j += 4 )); do
            if [[ ${names[j]} == "$level" && ${names[j+3]} == "$body" ]]; then
                (( at < 0 )) && at=$j
                [[ ${names[j+1]} == s* ]] || { at=$j; break; }
            fi
        done
    else
        body=${word:2}
        body=${body%%=*}
        [[ -n $body ]] || return
        for (( j = 0; j < ${#names[@]}; j += 4 )); do
            [[ ${names[j]} == "$level" && ${names[j+1]} != s* &&
               ${names[j+3]} == "$body"* ]] || continue
            [[ ${names[j+3]} == "$body" ]] && { at=$j several=0; break; }
            [[ ${names[j+1]} == ??h ]] && continue
            if (( at < 0 )); then
                at=$j
            elif [[ ${names[at+2]} != "${names[j+2]}" ||
                    ${names[at+1]:0:1} != "${names[j+1]:0:1}" ]]; then
                several=1
            fi
        done
    fi
    (( at >= 0 && !several )) || return
    found=${names[at+2]} flags=${names[at+1]}
}
# Reads the words `typed` before the current one: the level of the command
# they chose, whether "--" ended the options, the option whose value comes
# next (`pending`), the options set (`named`) and how many positional
# words the level has had (`positional`). Fails where a word names no
# command but one must stand: nothing fits after it.
@F@_walk() {@P@
    local i j k w commanded
    for (( i = 1; i < ${#typed[@]}; ++i )); do
        w=${typed[i]}
        if (( pending >= 0 )) && [[ $classic$w != 1[-/]* ]]; then
            pending=-1
            continue
        fi
        pending=-1
@W@        if (( !ended )) && [[ $w == -- ]]; then
            ended=1
        elif (( !ended )) && [[ $w == -?* || $classic$w == 1/* ]]; then
            if (( classic )) || [[ $w == --* ]]; then
                @F@_find "$w"
                (( found >= 0 )) || continue
                # A "--no-" form unsets its option.
                named=${named// $found / }
                [[ $flags == n* ]] || named+="$found "
                [[ $w != *=* && $flags == ?r? ]] && pending=$found
                continue
            fi
            # A bundle: the first option that takes a value takes the rest
            # of the word, or the next word when nothing is left.
            for (( k = 1; k < ${#w}; ++k )); do
                found=-1
                for (( j = 0; j < ${#names[@]}; j += 4 )); do
                    if [[ ${names[j]} == "$level" && ${names[j+1]} == s* &&
                          ${names[j+3]} == "${w:$k:1}" ]]; then
                        found=${names[j+2]} flags=${names[j+1]}
                        break
                    fi
                done
                (( found < 0 )) && break
                [[ $named == *" $found "* ]] || named+="$found "
                case $flags in
                ?r?) (( k == ${#w} - 1 )) && pending=$found; break ;;
                ?o?) break ;;
                esac
            done
        else
            # A plain word: a command's name where one may stand.
            commanded=-1
            for (( j = 0; j < ${#commandList[@]}; j += 5 )); do
                [[ ${commandList[j]} == "$level" ]] || continue
                commanded=-2
                [[ ${commandList[j+1]} == "$w" ]] && { commanded=${commandList[j+3]}; break; }
            done
            (( commanded == -2 )) && return 1
            if (( commanded >= 0 )); then
                level=$commanded ended=0 positional=0
            else
                (( ${stops[level]} )) && ended=1
                (( ++positional ))
            fi
        fi
    done
    return 0
}
# Succeeds when an exclusive group rules out option $1, named by a word of
# flags $2: another option of one of its groups is set on the line. A
# "--no-" form, which unsets its option, is never ruled out.
@F@_barred() {@P@
    local j k
    [[ $2 != n* && $named != *" $1 "* ]] || return 1
    for (( j = 0; j < ${#groupList[@]}; j += 2 )); do
        [[ ${groupList[j]} == "$1" ]] || continue
        for (( k = 0; k < ${#groupList[@]}; k += 2 )); do
            [[ ${groupList[k+1]} == "${groupList[j+1]}" &&
               $named == *" ${groupList[k]} "* ]] && return 0
        done
    done
    return 1
}
# Sets `found` to the option entry of the operand that the next positional
# word at `level` stands for: each operand stands for one word, a repeated
# one for every word from its place on; -1 past the last. Fails when the
# level has no operands.
@F@_operand() {@P@
    local j at=$positional
    found=-2
    for (( j = 0; j < ${#operandList[@]}; j += 3 )); do
        [[ ${operandList[j]} == "$level" ]] || continue
        found=-1
        (( at-- == 0 )) || [[ ${operandList[j+2]} == 1 ]] || continue
        found=${operandList[j+1]}
        break
    done
    (( found > -2 ))
}
)";

/// `text` with each `mark` replaced by `by`.
std::string replaced(std::string_view text, std::string_view mark, std::string_view by) {
    std::string out;
    for (std::size_t at = 0; at < text.size();) {
        const std::size_t found = text.find(mark, at);
        out += text.substr(at, found - at);
        if (found == std::string_view::npos) {
            break;
        }
        out += by;
        at = found + mark.size();
    }
    return out;
}

} // namespace

std::string walkFunctions(std::string_view function, std::string_view prologue,
                          bool responseFiles) {
    const std::string walk = withPart(walkText, "@W@", responseFiles,
                                      "        (( !ended )) && [[ $w == '@'?* ]] && continue\n");
    return withFunction(replaced(walk, "@P@", prologue), function);
}

std::vector<ScriptArray> scriptArrays(const CompletionModel& model) {
    static const char forms[] = {'l', 'n', 's'};
    static const char follows[] = {'-', 'r', 'o'};
    static const char completes[] = {'f', 'c', '-', 'p'};
    ScriptArray names{"names", {}};
    ScriptArray optionInfo{"optionInfo", {}};
    ScriptArray choiceList{"choiceList", {}};
    ScriptArray commandList{"commandList", {}};
    ScriptArray stops{"stops", {}};
    ScriptArray operandList{"operandList", {}};
    ScriptArray groupList{"groupList", {}};
    for (std::size_t level = 0; level < model.levels.size(); ++level) {
        const CompletionModel::Level& listed = model.levels[level];
        for (const CompletionModel::Name& name : listed.names) {
            const std::string flags{forms[static_cast<int>(name.form)],
                                    follows[static_cast<int>(name.value)],
                                    name.offered  ? '+'
                                    : name.hidden ? 'h'
                                                  : '-'};
            names.records.push_back(
                {std::to_string(level), flags, std::to_string(name.option), name.text});
        }
        for (const CompletionModel::Command& command : listed.commands) {
            commandList.records.push_back({std::to_string(level), command.name,
                                           command.offered ? "+" : "-",
                                           std::to_string(command.level), command.help});
        }
        stops.records.push_back({listed.stopAtFirstArgument ? "1" : "0"});
        for (const CompletionModel::Operand& operand : listed.operands) {
            operandList.records.push_back({std::to_string(level), std::to_string(operand.option),
                                           operand.repeated ? "1" : "0"});
        }
    }
    for (std::size_t number = 0; number < model.options.size(); ++number) {
        const CompletionModel::Option& option = model.options[number];
        optionInfo.records.push_back({std::string(1, completes[static_cast<int>(option.values)]),
                                      option.valueName, option.help});
        for (const std::string& choice : option.choices) {
            choiceList.records.push_back({std::to_string(number), choice});
        }
        for (const std::size_t group : option.groups) {
            groupList.records.push_back({std::to_string(number), std::to_string(group)});
        }
    }
    return {names, optionInfo, choiceList, commandList, stops, groupList, operandList};
}

std::string declarations(const std::vector<ScriptArray>& arrays, const ArrayStyle& style) {
    std::string out;
    for (const ScriptArray& array : arrays) {
        out += "    ";
        out += style.declare;
        out += array.name;
        out += style.open;
        for (const std::vector<std::string>& record : array.records) {
            out += style.lineEnd;
            out += "\n       ";
            for (const std::string& element : record) {
                out += ' ' + style.quote(element);
            }
        }
        out += style.close;
        out += '\n';
    }
    return out;
}

std::string withFunction(std::string_view script, std::string_view function) {
    return replaced(replaced(script, "@F@", function), "@R@",
                    "--" + std::string(completionRequestOption));
}

std::string withPart(std::string_view script, std::string_view mark, bool wanted,
                     std::string_view part) {
    return replaced(script, mark, wanted ? part : std::string_view());
}

std::string singleQuoted(std::string_view text) {
    std::string out = "'";
    for (const char c : text) {
        out += c == '\'' ? std::string_view("'\\''") : std::string_view(&c, 1);
    }
    return out + "'";
}

std::string functionName(std::string_view program) {
    static const char hex[] = "0123456789abcdef";
    std::string name = "_conkit_complete_";
    const std::size_t longest = name.size() + 32;
    std::uint64_t hash = 0xCBF29CE484222325U; // FNV-1a
    for (const char c : program) {
        if ((isAsciiLetter(c) || (c >= '0' && c <= '9')) && name.size() < longest) {
            name += c;
        }
        hash = (hash ^ static_cast<unsigned char>(c)) * 0x100000001B3U;
    }
    name += '_';
    for (int shift = 60; shift >= 0; shift -= 4) {
        name += hex[(hash >> shift) & 0xF];
    }
    return name;
}

} // namespace conkit::detail
