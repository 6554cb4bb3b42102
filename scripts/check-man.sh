#!/usr/bin/env bash
# Checks man pages: each must be roff for the man macros (a .TH line) that
# groff formats with every warning turned on (-ww) without printing a word.
# A warning means some text of the page renders wrong or not at all.
#
#   scripts/check-man.sh FILE...          check these pages
#   PROGRAM --man-page | scripts/check-man.sh    check the page on standard input
#
# "-" stands for standard input, which is also what no argument means. Prints
# one line per page; exits 1 when a page fails, 2 when groff is missing.
set -euo pipefail

if ! command -v groff >/dev/null 2>&1; then
    echo "check-man: groff is not installed" >&2
    exit 2
fi
[ $# -gt 0 ] || set -- -

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

status=0
for page in "$@"; do
    name=$page
    if [ "$page" = - ]; then
        name="standard input"
        page=$work/stdin
        cat >"$page"
    fi
    if [ ! -r "$page" ]; then
        echo "$name: cannot be read"
        status=1
    elif ! grep -q '^\.TH' "$page"; then
        # An empty file, or a program printing something else than its page.
        echo "$name: no .TH line; not a man page"
        status=1
    elif ! warnings=$(groff -man -ww -z "$page" 2>&1) || [ -n "$warnings" ]; then
        echo "$name: groff -man -ww -z warns:"
        printf '%s\n' "$warnings"
        status=1
    else
        echo "$name: clean"
    fi
done
exit "$status"
