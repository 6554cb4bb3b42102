#!/usr/bin/env bash
# Static analysis of the library and the demo: clang-tidy with the checks in
# .clang-tidy, and cppcheck. Any finding fails the run.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."

# clang-tidy reads the compile commands of the dev build.
[ -f build/dev/compile_commands.json ] || cmake --preset dev >/dev/null
sources=$(git ls-files 'options/*.cpp' 'slices/*.cpp' 'config/*.cpp' 'demo/*.cpp')

echo "== clang-tidy"
# One file at a time takes minutes: a few files per run, on every core. xargs
# fails when any run does.
# shellcheck disable=SC2086
printf '%s\n' $sources | xargs -P "$(nproc)" -n 4 clang-tidy --quiet -p build/dev

echo "== cppcheck"
# shellcheck disable=SC2086
cppcheck --quiet --error-exitcode=1 -j "$(nproc)" --std=c++17 --language=c++ \
    --enable=warning,performance,portability --inline-suppr \
    --suppress=missingIncludeSystem -I . $sources
echo "static analysis: clean"
