# Source this file first in a kill test: it checks the Wine prefix, quiets Wine and
# makes the scratch folder $work, removed when the test ends.
#
# kill_writer_at_random LABEL MAX_MS EXE ARG... starts `wine EXE ARG...`,
# waits (bounded) until it says "writing", then kills it with SIGKILL after a random
# 50 to 50+MAX_MS ms. Returns 0 when it was killed at work, 1 when it had already
# stopped, 2 when it never started; it says why in the last two cases.
: "${WINEPREFIX:?WINEPREFIX must name a prepared Wine prefix}"
export WINEDEBUG=${WINEDEBUG:--all} WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

kill_writer_at_random() {
    local label=$1 maxms=$2 exe=$3 pid w attempt status=0
    shift 3
    # A program started while the Wine server still tidies up after the one killed
    # before is now and then taken down with it: that start is tried again.
    for attempt in 1 2 3; do
        : > "$work/out"
        wine "$exe" "$@" > "$work/out" 2> "$work/err" &
        pid=$!
        for ((w = 0; w < 300; w++)); do
            grep -q writing "$work/out" 2>/dev/null && break
            kill -0 "$pid" 2>/dev/null || break
            sleep 0.1
        done
        grep -q writing "$work/out" && break
        kill -9 "$pid" 2>/dev/null
        wait "$pid" 2>/dev/null
        sleep 1
    done
    if ! grep -q writing "$work/out"; then
        echo "$label: the writer did not start in three tries: $(tr -d '\r' < "$work/err")"
        return 2
    fi
    local ms=$((50 + RANDOM % maxms))
    sleep "$((ms / 1000)).$(printf '%03d' $((ms % 1000)))"
    if ! kill -9 "$pid" 2>/dev/null; then
        echo "$label: the writer had already stopped: $(tr -d '\r' < "$work/err")"
        status=1
    fi
    wait "$pid" 2>/dev/null
    # Give the Wine server a moment to notice the death; a program started while
    # it still tidies up after the killed one is sometimes taken down with it.
    sleep 0.3
    return $status
}
