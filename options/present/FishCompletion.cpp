// The fish completion script: the model's arrays and a function that prints
// the words to offer with their help texts, registered with `complete`.
// Fish completes file names itself, after "--name=" too, when the function
// says a file name is wanted.
#include "options/present/CompletionScript.h"

namespace conkit::detail {

namespace {

// With the argument "files", the function prints nothing and succeeds when
// the current word wants a file name; without it, it prints the words to
// offer, a tab and their help. Fish matches them against the word itself.
const char* const fishEngine = R"(
    set -l words (commandline -opc)
    set -l program $words[1]
    set -e words[1]
    set -l cur (commandline -ct | string unescape)
    set cur "$cur"
    set -l level 0
    set -l ended 0
    set -l pending
    set -l found
    set -l positional 0
    set -l named
    for w in $words
        if set -q pending[1]
            set -e pending
            if test $classic = 0; or not string match -q -r -- '^[-/]' $w
                continue
            end
        end
@W@        if test $ended = 0; and contains -- $w --
            set ended 1
        else if test $ended = 0; and string match -q -r -- '^-.|^/' $w; and test $classic = 1 -o (string sub -l 1 -- $w) = -
            if test $classic = 1; or string match -q -- '--*' $w
                set found (@F@_find $w)
                set -q found[1]; or continue
                # A "--no-" form unsets its option.
                set -l at (contains -i -- $names[(math $found + 2)] $named); and set -e named[$at]
                string match -q 'n*' -- $names[(math $found + 1)]; or set -a named $names[(math $found + 2)]
                if not string match -q -- '*=*' $w; and string match -q -- '?r?' $names[(math $found + 1)]
                    set pending $names[(math $found + 2)]
                end
                continue
            end
            for k in (seq 2 (string length -- $w))
                set -l c (string sub -s $k -l 1 -- $w)
                set found
                for j in (seq 1 4 (count $names))
                    if contains -- $names[$j] $level; and string match -q 's*' -- $names[(math $j + 1)]; and contains -- $names[(math $j + 3)] $c
                        set found $j
                        break
                    end
                end
                set -q found[1]; or break
                contains -- $names[(math $found + 2)] $named; or set -a named $names[(math $found + 2)]
                switch $names[(math $found + 1)]
                    case '?r?'
                        test $k = (string length -- $w); and set pending $names[(math $found + 2)]
                        break
                    case '?o?'
                        break
                end
            end
        else
            set -l commanded
            set -l commanding 0
            for j in (seq 1 5 (count $commandList))
                contains -- $commandList[$j] $level; or continue
                set commanding 1
                if contains -- $commandList[(math $j + 1)] $w
                    set commanded $commandList[(math $j + 3)]
                    break
                end
            end
            if set -q commanded[1]
                set level $commanded
                set ended 0
                set positional 0
            else if test $commanding = 1
                return 1
            else
                test $stops[(math $level + 1)] = 1; and set ended 1
                set positional (math $positional + 1)
            end
        end
    end

    set -l option
    set -l prefix ''
    if set -q pending[1]; and begin; test $classic = 0; or not string match -q -r -- '^[-/]' $cur; end
        set option $pending
@A@    else if test $ended = 0; and string match -q -- '-*' $cur
        if string match -q -- '*=*' $cur; and begin; test $classic = 1; or string match -q -- '--*' $cur; end
            set found (@F@_find $cur)
            set -q found[1]; and not string match -q -- '?-?' $names[(math $found + 1)]; or return 1
            set option $names[(math $found + 2)]
            set prefix (string split -m1 = -- $cur)[1]=
        else
            test "$argv[1]" = files; and return 1
            for j in (seq 1 4 (count $names))
                contains -- $names[$j] $level; and string match -q '??+' -- $names[(math $j + 1)]; or continue
                @F@_barred $names[(math $j + 2)] $names[(math $j + 1)]; and continue
                set -l dashes --
                string match -q 's*' -- $names[(math $j + 1)]; and set dashes -
                printf '%s\t%s\n' $dashes$names[(math $j + 3)] $optionInfo[(math $names[(math $j + 2)] \* 3 + 3)]
            end
            return 0
        end
    else if set option (@F@_operand)
        if test $option = -1
            test "$argv[1]" != files
            return
        end
    else
        set -l commanding 0
        for j in (seq 1 5 (count $commandList))
            contains -- $commandList[$j] $level; or continue
            set commanding 1
            test "$argv[1]" = files; and return 1
            contains -- $commandList[(math $j + 2)] +; and printf '%s\t%s\n' $commandList[(math $j + 1)] $commandList[(math $j + 4)]
        end
        test $commanding = 0 -a "$argv[1]" = files
        return
    end
    set -l values $optionInfo[(math $option \* 3 + 1)]
    if test "$argv[1]" = files
        test $values = f
        return
    end
    if test $values = c
        for j in (seq 1 2 (count $choiceList))
            contains -- $choiceList[$j] $option; and printf '%s\n' $prefix$choiceList[(math $j + 1)]
        end
    else if test $values = p
        # The program prints the values for the words up to the cursor.
        for w in (command $program @R@=fish -- $program $words "$cur" 2>/dev/null </dev/null)
            printf '%s\n' $prefix$w
        end
    end
    return 0
end
)";

// FUNCTION_find prints the index in `names` of the record that the option
// word $argv[1] names at `level`; nothing when it names no option or
// several. FUNCTION_barred tells whether an exclusive group rules out an
// option word. FUNCTION_operand prints the option entry of the operand that
// the next positional word at `level` stands for, -1 past the last, and
// fails when the level has no operands. See the bash script.
const char* const finder = R"(function @F@_find -S
    set -l body (string split -m1 = -- $argv[1])[1]
    if test $classic = 1
        set body (string replace -r -- '^(--|-|/)' '' $body)
        set -l short
        for j in (seq 1 4 (count $names))
            contains -- $names[$j] $level; and contains -- $names[(math $j + 3)] $body; or continue
            if string match -q 's*' -- $names[(math $j + 1)]
                set -q short[1]; or set short $j
            else
                echo $j
                return
            end
        end
        set -q short[1]; and echo $short
        return
    end
    set body (string sub -s 3 -- $body)
    test -n "$body"; or return
    set -l found
    set -l several 0
    set -l length (string length -- $body)
    for j in (seq 1 4 (count $names))
        set -l flags $names[(math $j + 1)]
        set -l name $names[(math $j + 3)]
        contains -- $names[$j] $level; and not string match -q 's*' -- $flags; or continue
        contains -- (string sub -l $length -- $name) $body; or continue
        if contains -- $name $body
            echo $j
            return
        end
        string match -q '??h' -- $flags; and continue
        if not set -q found[1]
            set found $j
        else if test $names[(math $found + 2)] != $names[(math $j + 2)]; or test (string sub -l 1 -- $names[(math $found + 1)]) != (string sub -l 1 -- $flags)
            set several 1
        end
    end
    test $several = 0; and set -q found[1]; and echo $found
end
# Succeeds when an exclusive group rules out option $argv[1], named by a
# word of flags $argv[2]: another option of one of its groups is set on the
# line. A "--no-" form, which unsets its option, is never ruled out.
function @F@_barred -S
    string match -q 'n*' -- $argv[2]; and return 1
    contains -- $argv[1] $named; and return 1
    for barredAt in (seq 1 2 (count $groupList))
        test $groupList[$barredAt] = $argv[1]; or continue
        for barredBy in (seq 1 2 (count $groupList))
            test $groupList[(math $barredBy + 1)] = $groupList[(math $barredAt + 1)]; and contains -- $groupList[$barredBy] $named; and return 0
        end
    end
    return 1
end
function @F@_operand -S
    set -l at $positional
    set -l past 1
    for j in (seq 1 3 (count $operandList))
        contains -- $operandList[$j] $level; or continue
        if test $at = 0 -o $operandList[(math $j + 2)] = 1
            echo $operandList[(math $j + 1)]
            return
        end
        set at (math $at - 1)
        set past 0
    end
    test $past = 0; and echo -1
end
)";

/// `engine` with its parts for response files when `wanted`: a word "@FILE"
/// before the cursor counts as no word, and the word being completed offers
/// file names after its "@".
std::string responseFileParts(std::string_view script, bool wanted) {
    const std::string walked =
        withPart(script, "@W@", wanted,
                 "        if test $ended = 0; and string match -q -- '@?*' $w\n"
                 "            continue\n"
                 "        end\n");
    return withPart(walked, "@A@", wanted,
                    "    else if test $ended = 0; and string match -q -- '@*' $cur\n"
                    "        test \"$argv[1]\" = files; and return 1\n"
                    "        set -l stem (string sub -s 2 -- $cur)\n"
                    "        for file in \"$stem\"*\n"
                    "            test -d $file; and set file $file/\n"
                    "            printf '@%s\\n' $file\n"
                    "        end\n"
                    "        return 0\n");
}

/// `text` in fish's single quotes, where only a quote and a backslash need
/// a backslash before them.
std::string fishQuoted(std::string_view text) {
    std::string out = "'";
    for (const char c : text) {
        if (c == '\'' || c == '\\') {
            out += '\\';
        }
        out += c;
    }
    return out + "'";
}

/// True when fish's `complete -c` takes `program`: it refuses a name that
/// ends in an odd number of backslashes.
bool registrable(const std::string& program) {
    std::size_t backslashes = 0;
    while (backslashes < program.size() && program[program.size() - 1 - backslashes] == '\\') {
        ++backslashes;
    }
    return backslashes % 2 == 0;
}

} // namespace

std::string fishScript(const CompletionModel& model, const std::string& program) {
    const ArrayStyle style{"set -l ", "", " \\", "", fishQuoted};
    const std::string function = functionName(program);
    const std::string command = fishQuoted(program);
    // The program's name appears only as the quoted argument of `complete`.
    return "# fish completion, generated by conkit.\n" + withFunction(finder, function) +
           "function " + function + "\n    set -l classic " + (model.classic ? "1" : "0") + "\n" +
           declarations(scriptArrays(model), style) +
           withFunction(responseFileParts(fishEngine, model.responseFiles), function) +
           (registrable(program)
                ? "complete -c " + command + " -f -a '(" + function + ")'\ncomplete -c " + command +
                      " -n '" + function + " files' -F\n"
                : "# fish completes no command whose name ends in a backslash.\n");
}

} // namespace conkit::detail
