#!/usr/bin/env bash
# Builds and runs the benchmarks, then prints the table of ratios against the
# baselines measured in the same run (medians of repeated runs).
#
#   bench/run.sh                  # every benchmark, 5 repetitions each
#   bench/run.sh --install-peers  # first install the peer libraries (Debian)
#   bench/run.sh --benchmark_filter=parse   # extra arguments go to the binary
#   bench/run.sh --baseline 94106e4 ...     # also build and time that revision's
#                                           # parser and slices, for "conkit vs 94106e4"
#   bench/run.sh --kernels=avx2   # the slice kernels of one level (scalar, sse2,
#                                 # avx2, avx512), where the processor runs it;
#                                 # glibc's peers (memchr, strncasecmp, ...) are
#                                 # held to the same level, as on a processor
#                                 # that has no more
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."

if [ "${1:-}" = "--install-peers" ]; then
    shift
    scripts/install-deps.sh libbenchmark-dev libcxxopts-dev libcli11-dev \
        libboost-program-options-dev libabsl-dev
fi

# The baseline revision stays in the build's cache: set it, or clear it, each run.
baseline=""
if [ "${1:-}" = "--baseline" ]; then
    baseline="${2:?--baseline needs a git revision}"
    shift 2
fi
cmake --preset bench -DCONKIT_BENCH_BASELINE="$baseline" >/dev/null

cmake --workflow --preset bench >/dev/null
# glibc picks its string functions when the program starts: hold it to the
# level of the kernels asked for, so that both sides run as on a processor of
# that level.
avx512="-AVX512F,-AVX512BW,-AVX512VL,-AVX512DQ,-AVX512CD"
for arg in "$@"; do
    case "$arg" in
    --kernels=avx2) export GLIBC_TUNABLES="glibc.cpu.hwcaps=$avx512" ;;
    --kernels=sse2 | --kernels=scalar)
        export GLIBC_TUNABLES="glibc.cpu.hwcaps=$avx512,-AVX2,-AVX" ;;
    esac
done

# Repetitions are interleaved at random, so that a burst of load on a shared
# machine spreads over every benchmark instead of falling on one of them. The
# run stays on one processor: those of a shared virtual machine can differ in
# speed by 2x, and a ratio must not compare two of them.
pin=()
if command -v taskset >/dev/null; then
    pin=(taskset -c "$(taskset -cp $$ | sed 's/.*: //; s/[,-].*//')")
fi
exec "${pin[@]}" build/bench/bench/conkit_bench --benchmark_repetitions=5 \
    --benchmark_enable_random_interleaving=true \
    --benchmark_report_aggregates_only=true --benchmark_min_time=0.2 "$@"
