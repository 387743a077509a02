#!/usr/bin/env bash
# Runs the fuzz targets of tests/fuzz (built by `cmake --build --preset fuzz --target vexal_fuzzers`).
#
#   scripts/run-fuzz.sh quick   each target replays its corpus and runs FUZZ_QUICK_SECONDS (5) s;
#                               nothing is kept (the test level of `make test`)
#   scripts/run-fuzz.sh long    each target runs FUZZ_SECONDS (300) s; a finding is kept in
#                               tests/fuzz/corpus/<target>/ as a regression file (`make fuzz`)
#   scripts/run-fuzz.sh known   replays tests/fuzz/known/<target>/: inputs of faults known
#                               and not yet mended, kept out of the corpus until they pass
#
# FUZZ_TARGETS limits the run to some targets (names without "fuzz_"). Every run has
# 512 MB of memory at most. Prints the executions of each target; non-zero when any
# property failed or anything crashed.
set -uo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
cd "$root"
mode=${1:-quick}
bin=build/fuzz
corpus=tests/fuzz/corpus
known=tests/fuzz/known
artifacts="$root/artifacts/fuzz"
mkdir -p "$artifacts"
case $mode in
    quick) seconds=${FUZZ_QUICK_SECONDS:-5} ;;
    long) seconds=${FUZZ_SECONDS:-300} ;;
    known) seconds=0 ;;
    *) echo "usage: $0 quick|long|known" >&2; exit 2 ;;
esac

targets=()
for exe in "$bin"/fuzz_*; do
    [ -x "$exe" ] || continue
    name=$(basename "$exe")
    name=${name#fuzz_}
    if [ -n "${FUZZ_TARGETS:-}" ] && ! [[ " $FUZZ_TARGETS " == *" $name "* ]]; then continue; fi
    targets+=("$name")
done
[ ${#targets[@]} -gt 0 ] || { echo "no fuzz targets in $bin: build them with the fuzz preset" >&2; exit 2; }

limits=(-rss_limit_mb=512 -malloc_limit_mb=512 -timeout=20)
# The address sanitizer keeps up to 256 MB of freed memory in quarantine by default,
# which put a target that allocates and frees a lot (a master list of 4,096 servers)
# at the 512 MB limit without any fault of its own, and failed runs at random. With a
# small quarantine the limit measures the target; use-after-free is still caught.
export ASAN_OPTIONS=${ASAN_OPTIONS:-quarantine_size_mb=32}
failed=()
total=0
for name in "${targets[@]}"; do
    exe="$bin/fuzz_$name"
    if [ "$mode" = known ]; then
        [ -d "$known/$name" ] || continue
        for input in "$known/$name"/*; do
            if "$exe" "${limits[@]}" "$input" > "$artifacts/$name.known.log" 2>&1; then
                echo "known $name/$(basename "$input"): passes now (move it into the corpus)"
            else
                echo "known $name/$(basename "$input"): still fails:" \
                     "$(grep -m1 -E 'PROPERTY FAILED|ERROR: |runtime error' "$artifacts/$name.known.log")"
                failed+=("$name/$(basename "$input")")
            fi
        done
        continue
    fi
    mkdir -p "$corpus/$name"
    found="$artifacts/$name"
    rm -rf "$found" && mkdir -p "$found/new"
    # New inputs go to a scratch folder: the committed corpus stays small.
    "$exe" "${limits[@]}" -max_total_time="$seconds" -print_final_stats=1 -artifact_prefix="$found/" \
        "$found/new" "$corpus/$name" > "$found.log" 2>&1
    status=$?
    runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$found.log" | tail -1)
    runs=${runs:-0}
    total=$((total + runs))
    if [ $status -eq 0 ]; then
        printf '%-18s %10d executions in %d s, corpus %d files\n' "$name" "$runs" "$seconds" \
               "$(find "$corpus/$name" -type f | wc -l)"
    else
        failed+=("$name")
        printf '%-18s FAILED after %d executions: %s\n' "$name" "$runs" \
               "$(grep -m1 -E 'PROPERTY FAILED|ERROR: |runtime error' "$found.log")"
        for finding in "$found"/crash-* "$found"/leak-* "$found"/timeout-* "$found"/oom-* "$found"/slow-unit-*; do
            [ -f "$finding" ] || continue
            if [ "$mode" = long ]; then
                cp "$finding" "$corpus/$name/regression-$(basename "$finding")"
                echo "    kept as $corpus/$name/regression-$(basename "$finding")"
            else
                echo "    input: $finding (log: $found.log)"
            fi
        done
    fi
    rm -rf "$found/new"
done

[ "$mode" = known ] || echo "fuzz ($mode): ${#targets[@]} targets, $total executions"
if [ ${#failed[@]} -gt 0 ]; then
    echo "fuzz ($mode): failed: ${failed[*]}"
    exit 1
fi
