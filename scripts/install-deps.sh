#!/usr/bin/env bash
# Installs the Debian packages that building and checking conkit needs, but
# only those the machine lacks, so that it returns at once when all are there.
#
#   scripts/install-deps.sh [PACKAGE...]          # the full tool set, and more
#   scripts/install-deps.sh --only PACKAGE...     # just these
set -euo pipefail

# ninja-build: the presets' generator. zsh, fish and bash-completion: the
# shells the completion scripts are tried in, bash with the completion
# package's loader. groff-base: groff with the man macros and the output
# devices that `groff -man -ww -z` checks a man page with. doxygen: the
# reference pages. libcli11-dev: the search example's CLI11 twin.
# libtomlplusplus-dev: toml++, which conkit::config reads TOML with (a build
# without it leaves that library out). unicode-data: the Unicode character
# database that scripts/width-table.sh generates the display-width table from.
# gettext: msgfmt and xgettext's kin, which build and check the translations
# in po/ (a build without them installs none). bsdutils: script(1), which runs
# a tool's help on a pseudo-terminal in the tests.
packages=(cmake ninja-build make g++ binutils clang libclang-rt-14-dev libgtest-dev libgmock-dev
          libtomlplusplus-dev pkg-config clang-format clang-tidy cppcheck valgrind
          zsh fish bash-completion groff-base doxygen libcli11-dev unicode-data gettext
          bsdutils)
if [ "${1:-}" = "--only" ]; then
    shift
    packages=()
fi
packages+=("$@")

missing=()
for package in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'ok installed'; then
        missing+=("$package")
    fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "installing: ${missing[*]}"
sudo=()
[ "$(id -u)" -ne 0 ] && sudo=(sudo)
"${sudo[@]}" apt-get update -q
DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}"
