// The completion scripts, run in the real shells and driven the way each one
// completes: bash and zsh are typed into on a pseudo-terminal (zsh's zpty
// module types a line and a TAB), fish answers `complete -C`. A recorder in
// each shell prints the words a completion offered as the shell inserts
// them, quoted with backslashes, each with the help shown beside it.
#include "CompletingTool.h"
#include "options/OptionParser.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#if !defined(_WIN32)
#include <unistd.h>
#endif

namespace {

using conkit::OptionParser;

#if !defined(_WIN32)

/// Types each line of LINES, a TAB and Ctrl-X e into SHELL (bash or zsh)
/// after sourcing SETUP, whose recorder prints the words offered between
/// "<<B>>" and "<<D>>" when Ctrl-X e is pressed, followed by "<<E>>". Prints
/// each line's words and "<<row>>"; gives up after 30 seconds of silence.
const char* const driver = R"(zmodload zsh/zpty zsh/zselect || exit 2
case $1 in
bash) zpty shell env INPUTRC=/dev/null bash --norc --noprofile -i ;;
zsh) zpty shell zsh -f -i ;;
esac
readUntil() {
    local chunk
    local -i waited=0
    out=
    while [[ $out != $~1 ]]; do
        if zpty -rt shell chunk; then
            out+=$chunk
            waited=0
        elif (( ++waited > 500 )); then
            print -r -- "timed out waiting for $1 after: $out"
            exit 1
        else
            zselect -t 1
        fi
    done
}
zpty -w shell "PS1='<<P>>'; source ${(q)2}; printf '%s\\n' '<<READY''>>'"
readUntil '*<<READY>>*<<P>>*'
while IFS= read -r line; do
    zpty -w -n shell "$line"$'\t\C-xe'
    readUntil '*<<E>>*'
    out=${${${out##*<<B>>}%%<<D>>*}//$'\r'/}
    print -rn -- "${out#$'\n'}<<row>>"$'\n'
    zpty -w -n shell $'\C-u'
done < $3
zpty -d shell
)";

/// Records what bash's registered function offered for `$program`: the text
/// of the word before bash's own word (after '=') and each entry, quoted as
/// readline quotes it when the function asked for file names.
const char* const bashRecorder = R"(
bind -x '"\C-xe": printRecorded'
recorded=()
printRecorded() {
    printf '\n<<B>>\n'
    (( ${#recorded[@]} )) && printf '%s\n' "${recorded[@]}"
    printf '<<D>><<E>>'
    recorded=()
}
real=$(complete -p -- "$program")
real=${real#*-F }
real=${real%% *}
record() {
    "$real" "$@"
    local before=${COMP_LINE:0:COMP_POINT-${#2}} w format=%s
    before=${before##*[ ]}
    [[ $(compopt) == *"-o filenames"* ]] && format=%q
    for w in "${COMPREPLY[@]}"; do
        printf -v w "%s$format" "$before" "$w"
        recorded+=("$w")
    done
}
complete -F record -- "$program"
)";

/// Records every word zsh's completion system adds, with what was moved
/// into IPREFIX before it and the help of its display string; it quotes
/// words the way compadd does unless they came quoted (-Q). Completion
/// neither inserts nor lists, so the line stays as typed.
const char* const zshRecorder = R"(
autoload -Uz compinit && compinit -u -D
typeset -ga recorded
compadd() {
    if (( ${@[(I)-[OAD]*]} )); then
        builtin compadd "$@"
        return
    fi
    # Named apart from the arrays that -a and -d name.
    local -a _hits _words _displays
    local _hit _shown _name
    local -i _i
    builtin compadd -O _hits "$@"
    if (( ${@[(I)-d]} && ${@[(I)-a]} )); then
        _name=${@[${@[(I)-d]}+1]}
        _displays=("${(@P)_name}")
        _name=${@[${@[(I)-a]}+1]}
        _words=("${(@P)_name}")
    fi
    for _hit in $_hits; do
        _shown=$_hit
        (( ${@[(I)-[[:alnum:]]#Q[[:alnum:]]#]} )) || _shown=${(q)_hit}
        _i=${_words[(ie)$_hit]}
        (( _i <= $#_displays )) && [[ $_displays[_i] == *'  -- '?* ]] &&
            _shown+=$'\t'${_displays[_i]##*  -- }
        recorded+=("$IPREFIX$_shown")
    done
    builtin compadd "$@"
}
quiet() {
    compstate[insert]=''
    compstate[list]=''
}
printRecorded() {
    print -rn -- $'\n<<B>>\n'
    (( $#recorded )) && print -rl -- $recorded
    print -rn -- '<<D>><<E>>'
    recorded=()
    comppostfuncs=(quiet)
}
zle -N printRecorded
bindkey '^Xe' printRecorded
comppostfuncs=(quiet)
)";

/// Completes each line of $argv[2] with the completions autoloaded from the
/// folder $argv[1], printing each word as fish inserts it (a folder without
/// its '/') and its help after a tab. Fish loads completions only for
/// commands it finds: the program is on the PATH.
const char* const fishRunner = R"(
set fish_complete_path $argv[1] $fish_complete_path
while read -l line
    for offered in (complete -C"$line")
        set -l parts (string split -m1 \t -- $offered)
        set -l shown (string escape -n -- (string replace -r -- '/$' '' $parts[1]))
        set -q parts[2]; and test -n "$parts[2]"; and set shown "$shown"\t"$parts[2]"
        printf '%s\n' $shown
    end
    echo '<<row>>'
end < $argv[2]
)";

/// A scratch folder for one test, removed when the test ends.
struct Folder {
    explicit Folder(const std::string& name)
        : path(std::filesystem::path(testing::TempDir()) / name) {
        std::filesystem::remove_all(path);
        std::filesystem::create_directories(path);
    }
    ~Folder() { std::filesystem::remove_all(path); }
    std::filesystem::path path;
};

/// What `command` printed on both outputs, run by the shell in `folder`.
std::string run(const std::filesystem::path& folder, const std::string& command) {
    const std::string line = "cd '" + folder.string() + "' && LC_ALL=C " + command + " 2>&1";
    std::string output;
    FILE* pipe = popen(line.c_str(), "r");
    if (pipe == nullptr) {
        return "popen failed";
    }
    char buffer[4096];
    for (std::size_t got; (got = std::fread(buffer, 1, sizeof buffer, pipe)) != 0;) {
        output.append(buffer, got);
    }
    pclose(pipe);
    return output;
}

void write(const std::filesystem::path& file, const std::string& text) {
    std::ofstream(file, std::ios::binary) << text;
}

/// Each shell: the scripts are loaded the way it usually finds them.
class CompletionTest : public testing::TestWithParam<std::string> {
protected:
    void SetUp() override {
        std::filesystem::create_directories(files);
        if (run(folder.path, "command -v " + shell).empty()) {
            GTEST_SKIP() << shell << " is not installed";
        }
        if (shell != "fish" && run(folder.path, "command -v zsh").empty()) {
            GTEST_SKIP() << "typing into " << shell << " takes zsh's zpty module";
        }
    }

    /// The script of `parser` for `program` in this shell.
    std::string script(const OptionParser& parser, const std::string& program) const {
        return shell == "bash"  ? parser.bashCompletion(program)
               : shell == "zsh" ? parser.zshCompletion(program)
                                : parser.fishCompletion(program);
    }

    /// Installs the script of `parser` for `program` where the shell looks
    /// for completions (bash: sourced) and completes each of `lines` in the
    /// folder `files`. Each answer is the words offered, sorted, joined by
    /// blanks; with `helps` each word is followed by a tab and its help, if
    /// any. `program` on the PATH runs the completing tool.
    std::vector<std::string> complete(const OptionParser& parser, const std::string& program,
                                      const std::vector<std::string>& lines, bool helps = false) {
        return complete(script(parser, program), program, CONKIT_COMPLETING_TOOL, lines, helps);
    }

    /// The same with the script `text`, `program` on the PATH running `tool`.
    std::vector<std::string> complete(const std::string& text, const std::string& program,
                                      const std::string& tool,
                                      const std::vector<std::string>& lines, bool helps) {
        const std::filesystem::path harness = folder.path / "harness";
        const std::filesystem::path scripts = harness / "completions";
        std::filesystem::create_directories(scripts);
        std::string typed;
        for (const std::string& line : lines) {
            typed += line + "\n";
        }
        write(harness / "lines", typed);
        const std::string in = "'" + harness.string() + "/";
        std::filesystem::create_directories(harness / "bin");
        write(harness / "bin" / program, "#!/bin/sh\nexec " + tool + " \"$@\"\n");
        std::filesystem::permissions(harness / "bin" / program, std::filesystem::perms::owner_exec,
                                     std::filesystem::perm_options::add);
        const std::string path = "PATH=" + in + "bin':\"$PATH\" ";
        std::string output;
        if (shell == "fish") {
            write(scripts / (program + ".fish"), text);
            write(harness / "runner.fish", fishRunner);
            output = run(files, path + "fish --no-config " + in + "runner.fish' " + in +
                                    "completions' " + in + "lines'");
        } else {
            std::string setup;
            if (shell == "bash") {
                write(scripts / program, text);
                setup = "program=" + program + "\nsource " + in + "completions/" + program + "'" +
                        bashRecorder;
            } else {
                write(scripts / ("_" + program), text);
                setup = "fpath=(" + in + "completions' $fpath)" + zshRecorder;
            }
            write(harness / "setup", setup);
            write(harness / "driver.zsh", driver);
            output = run(files, path + "zsh -f " + in + "driver.zsh' " + shell + " " + in +
                                    "setup' " + in + "lines'");
        }
        std::vector<std::string> answers;
        std::size_t at = 0;
        for (std::size_t end; (end = output.find("<<row>>\n", at)) != std::string::npos;
             at = end + 8) {
            std::vector<std::string> words;
            std::istringstream block(output.substr(at, end - at));
            for (std::string word; std::getline(block, word);) {
                words.push_back(helps ? word : word.substr(0, word.find('\t')));
            }
            std::sort(words.begin(), words.end());
            std::string answer;
            for (const std::string& offered : words) {
                answer += (answer.empty() ? "" : " ") + offered;
            }
            answers.push_back(answer);
        }
        EXPECT_EQ(output.substr(at), "") << shell << " printed more";
        return answers;
    }

    /// Each row: a command line (its last word being completed) and the
    /// words offered for it, as `complete` gives them.
    using Rows = std::vector<std::pair<std::string, std::string>>;
    void expectOffers(const OptionParser& parser, const std::string& program, const Rows& rows,
                      bool helps = false) {
        std::vector<std::string> lines;
        for (const auto& row : rows) {
            lines.push_back(row.first);
        }
        const std::vector<std::string> answers = complete(parser, program, lines, helps);
        ASSERT_EQ(answers.size(), rows.size());
        for (std::size_t i = 0; i < rows.size(); ++i) {
            EXPECT_EQ(answers[i], rows[i].second) << shell << " completing: " << rows[i].first;
        }
    }

    static std::string folderName() {
        std::string name = "conkit_completion_" + std::to_string(getpid()) + "_";
        name += testing::UnitTest::GetInstance()->current_test_info()->name();
        std::replace(name.begin(), name.end(), '/', '_');
        return name;
    }

    std::string shell = GetParam();
    /// One folder per test, shell and process, so that tests run side by
    /// side, from other builds too.
    Folder folder{folderName()};
    /// Where the lines are completed, and file names found.
    std::filesystem::path files = folder.path / "files";
};

/// A tool with every kind of word: values with choices, an optional value,
/// a number, a "--no-" form, an alias, a hidden option, a short name only,
/// names with a blank and a quote, an exclusive group, and commands, one
/// nested.
OptionParser gnuTool() {
    OptionParser parser;
    parser.setSyntax(conkit::Syntax::gnu);
    parser.addHelpOption();
    parser.addOption('o', "output", true, "", "write here");
    parser.addOption('v', "verbose", false, "", "say more");
    parser.describe("verbose").negatable();
    parser.addOption('c', "color", true, "", "when to color");
    parser.describe("color")
        .optionalValue("always")
        .choices({"always", "never", "auto"})
        .alias("colour");
    parser.addOption('n', "count", true, "", "how many");
    parser.describe("count").range(1, 9);
    parser.addOption('\0', "secret", true, "", "");
    parser.describe("secret").hidden();
    parser.addOption('q', "", false, "", "quiet");
    parser.addOption('\0', "with blank", false, "", "");
    parser.addOption('\0', "it's", false, "", "");
    parser.exclusive({"verbose", "count"});
    OptionParser& add = parser.addCommand("add", "add things");
    add.setStopAtFirstArgument(true);
    add.addOption('\0', "name", true, "", "");
    add.describe("name").choices({"alice", "bob's"});
    add.addOption('\0', "all", false, "", "");
    parser.addCommand("remote", "").addCommand("show", "").addOption('l', "long", false, "", "");
    return parser;
}

TEST_P(CompletionTest, OffersWhatTheParseReads) {
    std::filesystem::create_directories(files / "out dir");
    write(files / "out.txt", "");
    write(files / "-dash", "");
    expectOffers(
        gnuTool(), "tool",
        {
            {"tool -", "--color --colour --count --help --it\\'s --no-verbose --output --verbose "
                       "--with\\ blank -c -h -n -o -q -v"},
            {"tool --col", "--color --colour"},
            {"tool --color=", "--color=always --color=auto --color=never"},
            {"tool --co=", ""}, // ambiguous: color, count
            // File names for a value: after a short name, an abbreviation, a
            // bundle, a hidden option; a value may begin with '-'.
            {"tool -o ", "-dash out.txt out\\ dir"},
            {"tool --ou ", "-dash out.txt out\\ dir"},
            {"tool -vo ", "-dash out.txt out\\ dir"},
            {"tool --secret o", "out.txt out\\ dir"},
            {"tool --sec ", "add remote"}, // a hidden option is named whole only
            {"tool --output=o", "--output=out.txt --output=out\\ dir"},
            {"tool --output -- --it", "--it\\'s"},
            {"tool --count ", ""}, // a number
            // An option that an exclusive group rules out is not offered,
            // unless a "--no-" form unset the other one.
            {"tool -v --co", "--color --colour"},
            {"tool --cou=3 -", "--color --colour --count --help --it\\'s --no-verbose --output "
                               "--with\\ blank -c -h -n -o -q"},
            {"tool -qv --no-verbose --co", "--color --colour --count"},
            // Commands where one may stand: not after an optional value, nor
            // where the word names none.
            {"tool -vo x ", "add remote"},
            {"tool --color ", "add remote"},
            {"tool -- ", "add remote"},
            {"tool bad -", ""},
            {"tool add -", "--all --name"},
            {"tool add --name ", "alice bob\\'s"},
            {"tool add --na=b", "--na=bob\\'s"},
            // Inside an open quote: bash's recorder shows the text as typed
            // after the quote (readline closes it), the others the word.
            {"tool add --name 'b", shell == "bash" ? "'bob'\\''s" : "bob\\'s"},
            {"tool add x -", "-dash"}, // the first positional word ends options
            {"tool remote show -", "--long -l"},
        });
    if (shell != "bash") { // zsh and fish show each word's help beside it
        expectOffers(gnuTool(), "tool",
                     {{"tool --out", "--output\twrite here"}, {"tool ", "add\tadd things remote"}},
                     true);
    }

    // Deprecated names still take their values and lead to their commands,
    // but are never offered.
    OptionParser renamed;
    renamed.setSyntax(conkit::Syntax::gnu);
    renamed.addOption('o', "output", true, "", "");
    renamed.describe("output").deprecatedAlias("out-file");
    renamed.addOption('q', "quiet", false, "", "");
    renamed.describe("quiet").deprecated("use --silent");
    renamed.addCommand("remove", "");
    OptionParser& rm = renamed.addCommand("rm", "");
    rm.setDeprecated("use remove");
    rm.addOption('f', "force", false, "", "");
    expectOffers(renamed, "ren",
                 {{"ren -", "--output -o"},
                  {"ren --out", "--output"},
                  {"ren --out-file ", "-dash out.txt out\\ dir"},
                  {"ren -q r", "remove"},
                  {"ren rm -", "--force -f"}});

    // The classic syntax: "--name", "-x" and "/name"; the plain word after
    // any option word is its value; "--" still ends the options.
    OptionParser classic;
    classic.addOption('o', "output", true, "", "");
    classic.addOption('v', "verbose", false, "", "");
    classic.addOption('1', "one", false, "", ""); // not a letter: no "-1"
    classic.addOption('\0', "color", true, "", "");
    classic.describe("color").choices({"always", "never"});
    expectOffers(classic, "old",
                 {
                     {"old -", "--color --one --output --verbose -o -v"},
                     {"old --verbose o", "out.txt out\\ dir"},
                     {"old -o -", "--color --one --output --verbose -o -v"},
                     {"old -o --color ", "always never"},
                     {"old /color ", "always never"},
                     {"old -color=n", "-color=never"},
                     {"old -- -", "-dash"},
                 });

    // Operands' choices, the program's answers, file names for a repeated
    // one from its place on; option values do not count, words after "--" do.
    expectOffers(conkit_test::completingTool(), "prog",
                 {
                     {"prog ", "start stop"},
                     {"prog -- -dash ", "alpha alps beta it\\'s\\ a\\ host"},
                     {"prog -H x stop alph", "alpha"},
                     {"prog start o", ""}, // the program prints nothing: no file names
                     {"prog start 'i", shell == "bash" ? "'it'\\''s a host" : "it\\'s\\ a\\ host"},
                     // '!' never reaches history expansion; a candidate with a
                     // control character or a stray byte is not offered.
                     {"prog start \"!", shell == "bash"  ? "\"\"\\!\"\"\\!\"\""
                                        : shell == "zsh" ? "\\!\\!"
                                                         : "!!"},
                     {"prog start !", shell == "fish" ? "!!" : "\\!\\!"},
                     {"prog --host=a", "--host=alpha --host=alps"},
                     {"prog stop beta x o", "out.txt out\\ dir"},
                 });
    // No file names where completeFiles(false), nor past the last operand.
    OptionParser make;
    make.addOption('o', "output", true, "", "");
    make.addOperand("NAME", "").completeFiles(false);
    make.addOperand("SIZE", "").optional().choices({"small", "large"});
    expectOffers(make, "mk", {{"mk ", ""}, {"mk -o x n ", "large small"}, {"mk n small ", ""}});

    // Response files: file names after "@" where an option word may stand,
    // and a word "@FILE" before the cursor counts as no word.
    write(files / "@at", "");
    OptionParser responding = gnuTool();
    responding.setResponseFiles(true);
    expectOffers(responding, "tool",
                 {
                     {"tool @o", "@out.txt @out\\ dir"},
                     {"tool @x --col", "--color --colour"},
                     {"tool -o @", "@at"},    // a value
                     {"tool add x @", "@at"}, // the options of "add" have ended
                 });
}

#if defined(CONKIT_NOTES)
TEST_P(CompletionTest, NotesCompletesTagsFromItsStore) {
    // The note keeper's own script: tags from the store its configuration
    // file or the line names, but for those the line already gives.
    write(files / "notes.toml", "store = \"home.tsv\"\n");
    write(files / "home.tsv", "1\t0\t2024-05-02\thome,admin\tx\n2\t0\t2024-05-03\tgarden\ty\n");
    write(files / "work.tsv", "1\t0\t2024-05-02\treport\tz\n");
    const std::string tool = "'" CONKIT_NOTES "'";
    const std::vector<std::string> answers =
        complete(run(files, tool + " --completion=" + shell), "notes", tool,
                 {"notes add -t ", "notes add -t home -t ", "notes list --tag=g",
                  "notes --store=work.tsv list --tag ", "notes -s work.tsv add -t r"},
                 false);
    EXPECT_EQ(answers, (std::vector<std::string>{"admin garden home", "admin garden",
                                                 "--tag=garden", "report", "report"}));
}
#endif

TEST_P(CompletionTest, HostileTextsRunNothing) {
    // Texts that would run a command if any of them reached the shell
    // unquoted, or broke out of a quote of one of the three shells.
    const std::vector<std::string> hostile = {"x\ntouch pwned #",
                                              "$(touch pwned)",
                                              "`touch pwned`",
                                              "(touch pwned)",
                                              "'; touch pwned; '",
                                              "\\'; touch pwned; '",
                                              "\"; touch pwned; \"",
                                              "-F touch",
                                              "a:b\\",
                                              "@F@",
                                              std::string(100000, 'n') + ";touch pwned",
                                              "a b\tc\\",
                                              std::string("n\0ul'; touch pwned", 17),
                                              ""};
    // As every text of one tool's table, then completed.
    OptionParser tool;
    tool.setSyntax(conkit::Syntax::gnu);
    tool.addOption('x', "x", true, "", "");
    tool.describe("x").choices(hostile);
    for (const std::string& text : hostile) {
        tool.addOption('\0', text, false, "", text);
        tool.addCommand(text, text).addOption('\0', text, true, "", text);
    }
    const std::vector<std::string> answers =
        complete(tool, "tool", {"tool -", "tool --", "tool -x ", "tool --x=", "tool "});
    EXPECT_EQ(answers.size(), 5U);
    EXPECT_FALSE(std::filesystem::exists(files / "pwned"));

    // As the program's name and every text of its table, each script
    // loaded as users load it. Loading prints nothing and registers one
    // function per script.
    std::string load;
    for (std::size_t i = 0; i < hostile.size(); ++i) {
        OptionParser parser;
        parser.setSyntax(i % 2 == 0 ? conkit::Syntax::gnu : conkit::Syntax::classic);
        parser.addOption('x', hostile[i], true, hostile[i], hostile[i]);
        parser.describe(hostile[i]).choices({hostile[i]}).valueName(hostile[i]);
        parser.addCommand(hostile[i], hostile[i]);
        const std::string file = "_script" + std::to_string(i);
        write(folder.path / file, script(parser, hostile[i]));
        load += "source " + file + "\n";
    }
    const std::string count = std::to_string(hostile.size()) + "\n";
    if (shell == "bash") {
        write(folder.path / "load",
              load + "complete -p | grep -c '^complete -F _conkit_complete_'\n");
        EXPECT_EQ(run(folder.path, "bash --norc --noprofile load"), count);
    } else if (shell == "zsh") {
        // compinit reads the first line of each file in $fpath too.
        write(folder.path / "load", "fpath=(. $fpath)\nautoload -Uz compinit\ncompinit -u -D\n" +
                                        load +
                                        "print -rl -- $_comps | grep -c '^_conkit_complete_'\n");
        EXPECT_EQ(run(folder.path, "zsh -f load"), count);
    } else {
        write(
            folder.path / "load",
            load +
                "functions -a | string match -r -- '^_conkit_complete_.*_[0-9a-f]{16}$' | count\n");
        EXPECT_EQ(run(folder.path, "fish --no-config load"), count);
    }
    EXPECT_FALSE(std::filesystem::exists(folder.path / "pwned"));
}

INSTANTIATE_TEST_SUITE_P(Shells, CompletionTest, testing::Values("bash", "zsh", "fish"),
                         [](const testing::TestParamInfo<std::string>& tried) {
                             return tried.param;
                         });

#else

TEST(CompletionTest, RunsInRealShells) {
    GTEST_SKIP() << "needs bash, zsh or fish and POSIX popen";
}

#endif

} // namespace
