#!/usr/bin/env bash
# Installs the Debian packages that building and checking conkit needs, but
# only those the machine lacks. Extra package names may be passed as arguments.
set -euo pipefail

packages=(cmake make g++ binutils clang libclang-rt-14-dev libgtest-dev libgmock-dev pkg-config
          clang-format clang-tidy cppcheck valgrind "$@")

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
