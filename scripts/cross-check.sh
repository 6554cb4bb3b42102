#!/usr/bin/env bash
# Builds the libraries, the demo and the tests for other platforms and runs
# the tests there, then prints one line per target and every test that did
# not run, with its reason. A failed test is run once more, and one that then
# passes is reported as flaky. Exits non-zero when any target fails to build
# or fails a test twice.
#
#   scripts/cross-check.sh                      # every target
#   scripts/cross-check.sh s390x mingw-shared   # some of them
#
# Targets:
#   aarch64, s390x, i686   Debian's cross g++, tests under qemu-user
#                          (s390x is big-endian; i686 has a 32-bit long and size_t)
#   mingw-static           Windows (mingw-w64 g++, POSIX threads), tests under wine
#   mingw-shared           the same with the libraries as DLLs
#   clang16                clang++-16 on this machine
#   cxx20                  g++ with -std=c++20
#
# What a target needs is installed with apt-get when missing. GoogleTest is
# built once per cross toolchain from Debian's sources in /usr/src/googletest.
# Builds are optimised lightly (-O1, assertions on) to keep emulated test runs
# short. Everything lands in build/cross: one folder and one log per target.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
root=$PWD
work=$root/build/cross

all_targets=(aarch64 s390x i686 mingw-static mingw-shared clang16 cxx20)

# The toolchain file (under cmake/toolchains) of a cross target, or nothing.
toolchain_of() {
    case $1 in
    aarch64 | s390x | i686) echo "$1-linux-gnu" ;;
    mingw-*) echo "x86_64-w64-mingw32" ;;
    esac
}

# The Debian packages a target needs beyond the native build tools.
packages_of() {
    case $1 in
    aarch64 | s390x | i686) echo "g++-$1-linux-gnu qemu-user" ;;
    mingw-*) echo "g++-mingw-w64-x86-64-posix wine wine64" ;;
    clang16) echo "clang-16" ;;
    cxx20) echo "" ;;
    *) return 1 ;;
    esac
}

targets=("$@")
[ ${#targets[@]} -eq 0 ] && targets=("${all_targets[@]}")
packages=(cmake ninja-build g++ libgtest-dev libgmock-dev)
for target in "${targets[@]}"; do
    if ! extra=$(packages_of "$target"); then
        echo "unknown target '$target'; known: ${all_targets[*]}" >&2
        exit 2
    fi
    # shellcheck disable=SC2206
    packages+=($extra)
done

mkdir -p "$work"
setup_start=$SECONDS
scripts/install-deps.sh --only "${packages[@]}"

# One wine prefix for both Windows targets, made before the tests start so
# that parallel tests do not race to create it.
if [[ " ${targets[*]} " == *" mingw-"* ]]; then
    export WINEPREFIX=$work/wine
    if [ ! -f "$WINEPREFIX/system.reg" ]; then
        echo "creating the wine prefix $WINEPREFIX"
        env -u DISPLAY -u WAYLAND_DISPLAY WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" \
            wineboot --init >/dev/null 2>&1
        wineserver --wait
    fi
fi
echo "setup: $((SECONDS - setup_start)) s"

# Installs GoogleTest built with toolchain $1 (once) and prints its CMake
# package folder.
googletest_for() {
    local prefix=$work/googletest/$1
    local config
    config=$(find "$prefix" -name GTestConfig.cmake 2>/dev/null | head -n 1)
    if [ -z "$config" ]; then
        cmake -S /usr/src/googletest -B "$work/googletest/$1-build" -G Ninja \
            -DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchains/$1.cmake" \
            -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$prefix" >&2 &&
            cmake --build "$work/googletest/$1-build" --parallel 2 >&2 &&
            cmake --install "$work/googletest/$1-build" >&2 || return 1
        config=$(find "$prefix" -name GTestConfig.cmake | head -n 1)
    fi
    dirname "$config"
}

# The text of an XML attribute or element, for awk.
# shellcheck disable=SC2016
awk_unescape='
    function unescape(text) {
        gsub(/&quot;/, "\"", text); gsub(/&apos;/, "\047", text)
        gsub(/&lt;/, "<", text); gsub(/&gt;/, ">", text); gsub(/&amp;/, "\\&", text)
        return text
    }'

# Prints one line per test of a JUnit file written by CTest: "passed NAME",
# "failed NAME" or "skipped NAME: REASON". A test counts as skipped only when
# it said so (the message of a GoogleTest skip, or a line "skipped: REASON");
# one that could not start (say, its program did not build) has failed.
test_results() {
    awk "$awk_unescape"'
        /<testcase / {
            name = $0; sub(/.*<testcase name="/, "", name); sub(/".*/, "", name)
            status = $0; sub(/.*status="/, "", status); sub(/".*/, "", status)
            reason = ""; after = 0
        }
        status == "notrun" && /<skipped message="SKIP_/ { status = "skip" }
        status == "skip" && reason == "" {
            if (after && $0 !~ /^[[:space:]]*$/) { reason = $0 }
            if ($0 ~ /: Skipped$/) { after = 1 }
            else if ($0 ~ /skipped: /) { reason = $0; sub(/.*skipped: /, "", reason) }
        }
        /<\/testcase>/ {
            if (status == "run") { print "passed " name }
            else if (status == "skip") {
                print "skipped " name ": " (reason == "" ? "(no reason given)" : unescape(reason))
            } else if (status != "disabled") { print "failed " name }
        }
    ' "$1"
}

# Prints what a failed target's log says about its failure: the compiler's
# and linker's errors, then the first lines of each failed test's output.
failure_details() {
    local log=$1 junit=$2
    # A log without such lines is no reason to stop: under pipefail, grep's
    # "nothing found" would end the script before the other targets ran.
    grep -E 'error:|undefined reference|^FAILED: ' "$log" | grep -v '^/usr/bin' |
        sort -u | head -n 20 | sed 's/^/    /' || true
    [ -f "$junit" ] || return 0
    awk "$awk_unescape"'
        /<testcase / { failed = ($0 ~ /status="fail"/); shown = 0 }
        /<\/system-out>/ { failed = 0 }
        failed && shown < 15 && !/<testcase |<failure / {
            line = $0; sub(/^[[:space:]]*<system-out>/, "", line)
            if (line !~ /^[[:space:]]*$|^Note: Google Test filter|^\[[-=]+\]|^\[ RUN/) {
                print "    " unescape(line); shown++
            }
        }
    ' "$junit"
}

summary=()
notes=()
failed_targets=0
totals=(0 0 0)

check_target() {
    local target=$1
    local start=$SECONDS
    local dir=$work/$target
    local log=$work/$target.log
    local toolchain
    toolchain=$(toolchain_of "$target")
    local args=(-G Ninja -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS_DEBUG=-O1 -DCONKIT_WERROR=ON)
    if [ -n "$toolchain" ]; then
        local gtest
        if ! gtest=$(googletest_for "$toolchain" 2>>"$log"); then
            record "$target" no 0 0 0 "$start" "GoogleTest did not build, see $log"
            return
        fi
        args+=(-DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchains/$toolchain.cmake"
            -DGTest_DIR="$gtest")
    fi
    case $target in
    mingw-*) args+=(-DCMAKE_RUNTIME_OUTPUT_DIRECTORY="$dir/bin") ;;&
    mingw-shared) args+=(-DBUILD_SHARED_LIBS=ON) ;;
    # Their package and kit tests would repeat the dev build's (about four
    # minutes): the kit is built with g++ -std=c++17 whatever this build's
    # compiler, and the install rules and consumers do not change with it.
    clang16) args+=(-DCMAKE_CXX_COMPILER=clang++-16 -DCONKIT_PACKAGE_TEST=OFF) ;;
    cxx20) args+=(-DCMAKE_CXX_STANDARD=20 -DCONKIT_PACKAGE_TEST=OFF) ;;
    esac

    echo "== $target"
    if ! cmake -S "$root" -B "$dir" "${args[@]}" >>"$log" 2>&1; then
        record "$target" no 0 0 0 "$start" "configuring failed, see $log"
        return
    fi
    # Whatever builds is tested, so that one broken file hides no other result.
    local built=yes
    cmake --build "$dir" --parallel 2 -- -k 0 >>"$log" 2>&1 || built=no
    local junit=$dir/junit.xml
    rm -f "$junit"
    ctest --test-dir "$dir" --parallel 2 --timeout 900 --output-on-failure \
        --output-junit "$junit" >>"$log" 2>&1 || true
    if [ ! -f "$junit" ]; then
        record "$target" "$built" 0 0 0 "$start" "no test results, see $log"
        return
    fi
    # A test that fails is run once more. One that passes then counts as
    # passed but is reported as flaky, with its first run's output: the
    # emulators (wine above all) now and then fail a run for reasons of their
    # own, and a second failure is a real one.
    local rerun=$dir/junit-rerun.xml passed_again=""
    rm -f "$rerun"
    if test_results "$junit" | grep -q '^failed '; then
        ctest --test-dir "$dir" --rerun-failed --timeout 900 --output-on-failure \
            --output-junit "$rerun" >>"$log" 2>&1 || true
        if [ -f "$rerun" ]; then
            passed_again=$(test_results "$rerun" | awk '$1 == "passed" { print $2 }')
        fi
    fi
    local passed=0 failed=0 skipped=0 flaky=0 outcome rest
    while read -r outcome rest; do
        case $outcome in
        passed) passed=$((passed + 1)) ;;
        failed)
            if grep -qxF -- "$rest" <<<"$passed_again"; then
                passed=$((passed + 1))
                flaky=$((flaky + 1))
                notes+=("FLAKY on $target: $rest failed once, then passed when run again")
            else
                failed=$((failed + 1))
                notes+=("FAILED on $target: $rest")
            fi
            ;;
        skipped)
            skipped=$((skipped + 1))
            notes+=("skipped on $target: $rest")
            ;;
        esac
    done < <(test_results "$junit")
    local problem=""
    if [ "$built" = no ]; then
        problem="build failed, see $log"
    elif [ "$failed" -ne 0 ]; then
        problem="tests failed, see $log"
    elif [ $((passed + failed)) -eq 0 ]; then
        problem="no test ran, see $log"
    fi
    record "$target" "$built" "$passed" "$failed" "$skipped" "$start" "$problem"
    if [ -n "$problem" ] || [ "$flaky" -ne 0 ]; then
        failure_details "$log" "$junit"
    fi
}

# record TARGET BUILT PASSED FAILED SKIPPED START PROBLEM
record() {
    summary+=("$(printf '%-13s %-5s %6s %6s %7s %7s  %s' "$1" "$2" "$3" "$4" "$5" \
        $((SECONDS - $6)) "$7")")
    totals=($((totals[0] + $3)) $((totals[1] + $4)) $((totals[2] + $5)))
    if [ -n "$7" ]; then
        failed_targets=$((failed_targets + 1))
    fi
    echo "${summary[-1]}"
}

for target in "${targets[@]}"; do
    rm -f "$work/$target.log"
    check_target "$target"
done

echo
printf '%-13s %-5s %6s %6s %7s %7s\n' target built passed failed skipped seconds
printf '%s\n' "${summary[@]}"
[ ${#notes[@]} -gt 0 ] && printf '%s\n' "${notes[@]}"
echo "cross-check: ${totals[0]} passed, ${totals[1]} failed, ${totals[2]} skipped"
[ "$failed_targets" -eq 0 ]
