#!/usr/bin/env bash
# Runs every test executable of the dev build, and the demo on good and bad
# command lines, under valgrind memcheck; any memory error or leak fails the
# run. (The demo is run here directly rather than through the end-to-end
# scripts, which choose its argv[0]: valgrind would replace it.)
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
cmake --preset dev >/dev/null && cmake --build --preset dev >/dev/null

memcheck() {
    valgrind --quiet --error-exitcode=1 --leak-check=full \
        --errors-for-leak-kinds=definite,indirect,possible "$@"
}

status=0
# The test programs of every folder of tests/.
for test in $(find build/dev/tests -name 'conkit_*_tests' -type f | sort); do
    echo "== valgrind $(basename "$test")"
    # The slice tests of one kernel level learn their level as ctest tells them.
    level=$(basename "$test" | sed -n 's/^conkit_slices_level_\(.*\)_tests$/\1/p')
    CONKIT_TEST_KERNELS=$level memcheck "$test" --gtest_brief=1 >/dev/null ||
        { echo "errors in $test" >&2; status=1; }
done
echo "== valgrind demo"
while read -r line; do
    # shellcheck disable=SC2086
    memcheck build/dev/demo/demo $line >/dev/null || { echo "errors in demo $line" >&2; status=1; }
done <<'LINES'
-u bob file
one two --user=bob
x -u -p
--color
--user
-h topic --version file
LINES
exit $status
