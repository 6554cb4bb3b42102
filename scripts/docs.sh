#!/usr/bin/env bash
# Builds the reference pages of the public headers (docs/Doxyfile) into
# build/docs/html. Every warning, such as a public member without a comment or
# a comment doxygen cannot read, is printed as FILE:LINE: TEXT and fails the
# run. So do faults that doxygen renders without a warning (pageFaults), and
# two in the text of docs/ and README.md: a completion option that no tool
# takes, and install commands that build more than the libraries.
#
# First it runs the same settings on a small header of its own, to make sure
# that they still fail on its undocumented public members and its broken
# comment, and only on those: a setting that quietly stopped the check would
# otherwise pass every header. The same header holds one of each fault that
# doxygen renders without a warning and this script finds in the HTML pages
# (pageFaults), which must find each there.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
root=$PWD

scripts/install-deps.sh --only doxygen

sample=$(mktemp -d)
trap 'rm -rf "$sample"' EXIT
cat >"$sample/Sample.h" <<'EOF'
#pragma once
namespace conkit {
/// A documented class.
class Sample {
public:
    /// Documented.
    void documented();
    void undocumentedPublic();
    /// @{
    /// Overloads documented once, as a group.
    void grouped(int value);
    void grouped(double value);
    /// @}
    /// @name A section whose title holds a reference (@ref Sample)
    /// @{

    /// In the section; takes --help.
    void inSection();
    /// Prints `cannot read 'FILE': REASON` and `more`.
    void quoted();
    /// @}

private:
    void undocumentedPrivate();
};
void undocumentedFree();
/// Documented, but with a parameter it does not have.
/// \param present something
/// \param absent nothing
void wrongParameter(int present);
namespace detail {
class Hidden {
public:
    void undocumentedDetail();
};
} // namespace detail
} // namespace conkit
EOF
# The completion options a tool answers, as the option parser's sources name
# them, and the shells they take (or SHELL, the placeholder): the pages and the
# README show no other completion option word, as `tool --bash-completion`
# once was (a tool fails it with exit status 2).
completionNames=$(grep -rhoE --include='*.h' --include='*.cpp' '"completion(-[a-z]+)*"' options |
    tr -d '"' | sort -u)
if ! grep -qx completion <<<"$completionNames"; then
    echo "docs: options/ names no option \"completion\"; the completion words cannot be checked" >&2
    exit 1
fi
# Prints FILE:LINE:WORD for each completion option word in the files and
# folders given that names an option not in completionNames or a shell that
# is not taken.
unknownCompletionWords() {
    { grep -rHnoE -- '--[A-Za-z0-9_-]*completion[A-Za-z0-9_-]*(=[A-Za-z0-9_]*)?' "$@" || true; } |
        awk -F: -v names="$completionNames" '
            BEGIN {
                n = split(names, list, "\n")
                for (i = 1; i <= n; i++) known[list[i]] = 1
            }
            {
                word = substr($3, 3)
                value = "SHELL"
                if ((at = index(word, "=")) > 0) {
                    value = substr(word, at + 1)
                    word = substr(word, 1, at - 1)
                }
                if (!(word in known) || value !~ /^(bash|zsh|fish|SHELL)$/) print
            }'
}
cat >"$sample/words.md" <<'EOF'
source <(tool --bash-completion)
source <(tool --completion=bash) or `--completion=SHELL`, `--completion`
tool --completion=ksh
PROG --completion-request=SHELL -- WORD
EOF
found=$(unknownCompletionWords "$sample/words.md")
if [ "$found" != "$sample/words.md:1:--bash-completion
$sample/words.md:3:--completion=ksh" ]; then
    echo "docs: the completion word check no longer finds exactly the two wrong words" \
        "of a sample text:" >&2
    printf '%s\n' "$found" >&2
    exit 1
fi
found=$(unknownCompletionWords docs README.md)
if [ -n "$found" ]; then
    printf '%s\n' "$found" >&2
    echo "docs: a completion option that no tool takes (a tool takes" \
        "$(tr '\n' ' ' <<<"$completionNames")with bash, zsh or fish)" >&2
    exit 1
fi

# Prints PAGE: FAULT: TEXT for each fault that doxygen renders without a
# warning in the HTML pages given.
pageFaults() {
    local page
    for page in "$@"; do
        # A @name title is printed as written: a reference there shows as
        # "@ref NAME" (the reference goes in the section's own text instead).
        { grep -oE '.{0,40}[@\\]ref\b.{0,40}' "$page" || true; } |
            sed "s|^|${page##*/}: literal reference: |"
        # "--" outside a code span becomes an en dash: an option word "--help"
        # shows as "–help" (in a code span, `--help`, it stays as written).
        { LC_ALL=C grep -oP '.{0,40}(&ndash;|&#8211;|\xE2\x80\x93)(?=[A-Za-z[]).{0,40}' "$page" ||
            true; } | sed "s|^|${page##*/}: en dash for --: |"
        # A code span of one backtick that holds a quote closing a word ('FILE'
        # then a blank or a stop) is printed as a quotation, 'FILE: REASON'
        # between curly quotes, and the spans after it in the paragraph turn
        # inside out; two backticks keep it a code span: ``'FILE': REASON``.
        { grep -oE '.{0,40}&[lr]squo;.{0,40}' "$page" || true; } |
            sed "s|^|${page##*/}: code span read as a quotation: |"
    done
}

# The README's install commands build the libraries alone, in a folder of
# their own: they turn off each CONKIT_BUILD_* switch that CMakeLists.txt does
# not turn off by default, and leave conkit/build/ to the presets.
install=$(awk '/^Installed, found by CMake/ { found = 1 }
    found && /^```sh/ { block = 1; next }
    block && /^```/ { exit }
    block' README.md)
switches=$(sed -nE 's/^option\((CONKIT_BUILD_[A-Z0-9_]+) .* ([^ ]+)\)$/\1 \2/p' CMakeLists.txt |
    awk '$2 != "OFF" { print $1 }')
if [ -z "$install" ] || [ -z "$switches" ]; then
    echo "docs: found no install commands under \"Installed, found by CMake\" in README.md," \
        "or no CONKIT_BUILD_* switch on by default in CMakeLists.txt" >&2
    exit 1
fi
for switch in $switches; do
    if ! grep -qE -- "-D$switch=OFF( |$)" <<<"$install"; then
        echo "docs: README.md's install commands build what $switch builds; add -D$switch=OFF" >&2
        exit 1
    fi
done
if grep -qE -- '-B +conkit/build(/[^ ]*)?( |$)' <<<"$install"; then
    echo "docs: README.md's install commands build in conkit/build, the presets' folder" >&2
    exit 1
fi

# The sample is read along with everything the settings name; only its own
# warnings count here (the XML, which repeats some of them, is left out).
status=0
warnings=$({
    cat docs/Doxyfile
    printf 'INPUT += %s\nOUTPUT_DIRECTORY = %s\nGENERATE_XML = NO\n' "$sample" "$sample/out"
} |
    doxygen - 2>&1 >/dev/null) || status=$?
warnings=$(grep -F "$sample/" <<<"$warnings" || true)
if [ "$status" -eq 0 ] || [ "$(grep -c . <<<"$warnings")" -ne 3 ] ||
    ! grep -q 'undocumentedPublic.*not documented' <<<"$warnings" ||
    ! grep -q 'undocumentedFree.*not documented' <<<"$warnings" ||
    ! grep -q "'absent'.*wrongParameter" <<<"$warnings"; then
    echo "docs/Doxyfile no longer fails on exactly the two undocumented public members" \
        "and the one wrong parameter of a sample header (doxygen exited $status):" >&2
    printf '%s\n' "$warnings" >&2
    exit 1
fi
page=$sample/out/html/classconkit_1_1Sample.html
found=$(pageFaults "$page" | cut -d: -f2 | sort | uniq -c)
if [ "$found" != "      1  code span read as a quotation
      1  en dash for --
      1  literal reference" ]; then
    echo "docs: the page checks no longer find exactly one of each fault in $page:" >&2
    printf '%s\n' "$found" >&2
    exit 1
fi

# doxygen creates its output folder but not the folders above it.
rm -rf build/docs/html
mkdir -p build/docs
status=0
warnings=$(doxygen docs/Doxyfile 2>&1 >/dev/null) || status=$?
if [ -n "$warnings" ]; then
    printf '%s\n' "${warnings//"$root/"/}" >&2
fi
if [ "$status" -ne 0 ] || [ -n "$warnings" ]; then
    echo "docs: $(grep -c . <<<"$warnings") warnings; doxygen exited $status" >&2
    exit 1
fi
found=$(pageFaults build/docs/html/*.html)
if [ -n "$found" ]; then
    printf '%s\n' "$found" >&2
    echo "docs: $(grep -c . <<<"$found") faults in the HTML pages" >&2
    exit 1
fi
# Each member shows its own text. When a member group swallows a member's
# comment (see docs/Doxyfile), the member is handed the text of the one
# after it: two neighbours in one member group, with different names, showing
# the same text. Overloads share a name and may share a text. The pairs named
# below once showed one text where the pages were read: each member must be
# found with a text of its own, so that the check cannot pass by reading
# nothing.
shared=$(awk -v RS='</memberdef>' -v pairs="OptionParser::bashCompletion OptionParser::zshCompletion
OptionParser::setErrorOutput OptionParser::helpText OptionParser::checkTable OptionParser::nameList
StrSlice::substr StrSlice::subRange" '
    /<sectiondef/ {
        grouped = $0 ~ /<sectiondef kind="user-defined"/
        last = ""
        lastName = ""
    }
    /<memberdef kind="(function|variable|typedef)"/ {
        if (!match($0, /<qualifiedname>[^<]*<\/qualifiedname>/)) next
        name = substr($0, RSTART + 15, RLENGTH - 31)
        text = $0
        sub(/.*<briefdescription>/, "", text)
        sub(/<\/detaileddescription>.*/, "", text)
        gsub(/<[^>]*>/, " ", text)
        gsub(/[ \t\n]+/, " ", text)
        short = name
        sub(/.*::/, "", short)
        if (grouped && text != " " && text == last && short != lastName)
            printf "%s shows the text of %s:%s\n", lastFull, short, text
        if (text != " ")
            found[name] = text
        last = text
        lastName = short
        lastFull = name
    }
    END {
        n = split(pairs, names, /[ \n]+/)
        for (i = 1; i < n; i += 2) {
            a = "conkit::" names[i]
            b = "conkit::" names[i + 1]
            if (!(a in found) || !(b in found) || found[a] == found[b])
                printf "%s and %s: not each with a text of its own\n", a, b
        }
    }' build/docs/xml/*.xml)
if [ -n "$shared" ]; then
    printf '%s\n' "$shared" >&2
    echo "docs: a member shows another member's text" >&2
    exit 1
fi
echo "docs: no warnings; open build/docs/html/index.html"
