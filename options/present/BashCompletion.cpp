// The bash completion script: the model's arrays and a function that reads
// the command line the way the parse will, registered with `complete -F`.
// It uses bash's own builtins only, so it works without the bash-completion
// package.
#include "options/present/CompletionScript.h"

namespace conkit::detail {

namespace {

// The words before the cursor are read from COMP_LINE rather than
// COMP_WORDS, which bash splits at '=' and ':' too; blanks outside quotes
// separate them, and quotes and backslashes are removed. Bash replaces only
// the text after the last such break ($2), so each word offered loses its
// first `strip` characters and is quoted as it will stand on the line.
const char* const bashEngine = R"(
    local line=${COMP_LINE:0:COMP_POINT} start=$(( COMP_POINT - ${#2} ))
    local typed=() word= quote= strip=0 inWord=0 i c j w
    for (( i = 0; i < ${#line}; ++i )); do
        c=${line:i:1}
        (( i == start )) && strip=${#word}
        if [[ -n $quote ]]; then
            if [[ $c == "$quote" ]]; then
                quote=
            elif [[ $quote$c == '"\' && ${line:i+1:1} == [\"\\\$\`] ]]; then
                word+=${line:i+1:1}
                (( ++i ))
            else
                word+=$c
            fi
        elif [[ $c == [$' \t\n'] ]]; then
            (( inWord )) && typed+=("$word")
            word= inWord=0
        else
            inWord=1
            if [[ $c == [\"\'] ]]; then
                quote=$c
            elif [[ $c == \\ ]]; then
                word+=${line:i+1:1}
                (( ++i ))
            else
                word+=$c
            fi
        fi
    done
    (( start >= ${#line} )) && strip=${#word}
    local cur=$word

    local level=0 ended=0 pending=-1 positional=0 found=-1 flags named=' '
    @F@_walk || return 0

    # What the current word may be: a value, an option word, a command, an
    # operand's word.
    local offers=() prefix= option=-1 files=0
    if (( pending >= 0 )) && [[ $classic$cur != 1[-/]* ]]; then
        option=$pending
@A@    elif (( !ended )) && [[ $cur == -* ]]; then
        if [[ $cur == *=* && ( $classic == 1 || $cur == --* ) ]]; then
            @F@_find "$cur"
            (( found >= 0 )) && [[ $flags != ?-? ]] || return 0
            option=$found
            prefix=${cur%%=*}=
        else
            for (( j = 0; j < ${#names[@]}; j += 4 )); do
                [[ ${names[j]} == "$level" && ${names[j+1]} == ??+ ]] || continue
                @F@_barred "${names[j+2]}" "${names[j+1]}" && continue
                w=-${names[j+3]}
                [[ ${names[j+1]} == s* ]] || w=-$w
                offers+=("$w")
            done
        fi
    else
        files=1
        @F@_operand && option=$found files=0
        for (( j = 0; j < ${#commandList[@]}; j += 5 )); do
            [[ ${commandList[j]} == "$level" ]] || continue
            files=0
            [[ ${commandList[j+2]} == + ]] && offers+=("${commandList[j+1]}")
        done
    fi
    if (( option >= 0 )); then
        case ${optionInfo[option*3]} in
        c)
            for (( j = 0; j < ${#choiceList[@]}; j += 2 )); do
                [[ ${choiceList[j]} == "$option" ]] && offers+=("$prefix${choiceList[j+1]}")
            done
            ;;
        f) files=1 ;;
        p)
            # The program prints the values for the words up to the cursor.
            while IFS= read -r w; do
                offers+=("$prefix$w")
            done < <(command "${typed[0]}" @R@=bash -- "${typed[@]}" "$cur" \
                         2>/dev/null </dev/null)
            ;;
        esac
    fi

    COMPREPLY=()
    if (( files )); then
        # Bash quotes file names and marks folders itself.
        compopt -o filenames 2>/dev/null
        while IFS= read -r w; do
            w=$prefix$w
            COMPREPLY+=("${w:strip}")
        done < <(compgen -f -- "${cur:${#prefix}}")
        return 0
    fi
    for w in "${offers[@]}"; do
        [[ $w == "$cur"* ]] || continue
        w=${w:strip}
        # Inside an open quote the text stays quoted: a single quote closes
        # the quote, stands escaped and reopens it. Readline closes the quote
        # after a sole word unless the word ends with the quote character, and
        # overwrites the opening quote with a word that begins with it; so such
        # words carry the closing or opening quote themselves. In double quotes
        # a '!' would start a history expansion when the line is entered, and a
        # backslash before it would stay in the word: it stands escaped outside
        # the quote.
        if [[ $quote == \' ]]; then
            w=${w//\'/\'\\\'\'}
            [[ $w == \'* ]] && w=\'$w
        elif [[ $quote == \" ]]; then
            w=${w//\\/\\\\} w=${w//\"/\\\"} w=${w//\$/\\\$} w=${w//\`/\\\`}
            w=${w//!/\"\\!\"}
        else
            printf -v w %q "$w"
        fi
        [[ -n $quote && $w == *"$quote" ]] && w+=$quote
        COMPREPLY+=("$w")
    done
    return 0
}
)";

} // namespace

std::string bashScript(const CompletionModel& model, const std::string& program) {
    const ArrayStyle style{"local ", "=(", "", "\n    )", singleQuoted};
    // The program's name appears once, quoted, as the last word: whatever it
    // holds, sourcing the script defines two functions and registers one.
    const std::string function = functionName(program);
    // With response files, "@FILE" completes a file name after the "@".
    const std::string body = withPart(bashEngine, "@A@", model.responseFiles,
                                      "    elif (( !ended )) && [[ $cur == '@'* ]]; then\n"
                                      "        files=1 prefix=@\n");
    return "# bash completion, generated by conkit.\n" +
           walkFunctions(function, "", model.responseFiles) + function +
           "() {\n    local classic=" + (model.classic ? "1" : "0") + "\n" +
           declarations(scriptArrays(model), style) + withFunction(body, function) +
           "complete -F " + function + " -- " + singleQuoted(program) + "\n";
}

} // namespace conkit::detail
