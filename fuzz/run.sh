#!/usr/bin/env bash
# Builds the fuzz targets and runs each for a fixed time from its seed corpus.
# Any crash, leak, sanitizer report or failed check stops the run with a
# non-zero status; the input that caused it is kept in build/fuzz/findings.
#
#   fuzz/run.sh            # 20 seconds per target
#   fuzz/run.sh 600        # 10 minutes per target
#   fuzz/run.sh 600 Slice  # one target
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
seconds=${1:-20}
targets=${2:-"CommandLine WordList Gnu ResponseFile Slice Tokenizer Number Toml"}

cmake --workflow --preset fuzz >/dev/null
work=build/fuzz/runs
findings=build/fuzz/findings
mkdir -p "$findings"
for name in $targets; do
    # The TOML target is built only where toml++ is found.
    if [ ! -x "build/fuzz/fuzz/conkit_fuzz_$name" ] && [ "$name" = Toml ]; then
        echo "== $name: skipped (toml++ not found, so conkit::config is not built)"
        continue
    fi
    corpus="$work/$name"
    rm -rf "$corpus" && mkdir -p "$corpus"
    dict=()
    [ -f "fuzz/dict/$name.dict" ] && dict=(-dict="fuzz/dict/$name.dict")
    echo "== $name: $seconds s"
    log="$work/$name.log"
    set +e
    build/fuzz/fuzz/conkit_fuzz_$name "${dict[@]}" -max_total_time="$seconds" \
        -print_final_stats=1 -artifact_prefix="$findings/$name-" -close_fd_mask=1 \
        "$corpus" "fuzz/corpus/$name" >"$log" 2>&1
    status=$?
    set -e
    grep -E '^#[0-9]+[[:space:]]+DONE|^stat::(number_of_executed_units|peak_rss_mb)' "$log" || true
    if [ "$status" -ne 0 ]; then
        tail -n 30 "$log" >&2
        echo "fuzz target $name failed (status $status); the input is in $findings" >&2
        exit 1
    fi
done
