#!/usr/bin/env bash
# Kills a program that keeps rewriting one file through the atomic write at
# random moments and checks, after every kill, that the file holds exactly one
# of the two complete contents: never a torn, empty or missing file.
#
#   WINEPREFIX=... scripts/test-atomic-kill.sh [atomic_writer.exe] [kills]
#
# The caller prepares WINEPREFIX (wineboot --init) beforehand. Temporary files
# a kill leaves beside the target are allowed and counted.
set -u

exe=${1:-build/windows/atomic_writer.exe}
kills=${2:-30}
: "${WINEPREFIX:?WINEPREFIX must name a prepared Wine prefix}"
export WINEDEBUG=${WINEDEBUG:--all} WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}

[ -f "$exe" ] || { echo "no such program: $exe" >&2; exit 2; }

folder="$WINEPREFIX/drive_c/vexal-atomic-kill"
target="$folder/target.txt"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
rm -rf "$folder"
mkdir -p "$folder"

# The same two contents the writer alternates: 2048 lines of 99 letters, then a marker.
for letter in A B; do
    { yes "$(printf "${letter}%.0s" $(seq 99))" | head -n 2048; printf 'END-%s\n' "$letter"; } > "$work/$letter"
done

source "$(dirname "$0")/kill-writer.sh"
failures=0
torn=0
as_a=0
as_b=0
for ((i = 1; i <= kills; i++)); do
    kill_writer_at_random "kill $i" 351 "$exe" 'C:\vexal-atomic-kill\target.txt'
    case $? in
        1) failures=$((failures + 1)) ;;
        2) failures=$((failures + 1)); continue ;;
    esac

    if [ ! -f "$target" ]; then
        echo "kill $i: target missing"
        torn=$((torn + 1))
    elif cmp -s "$target" "$work/A"; then
        as_a=$((as_a + 1))
    elif cmp -s "$target" "$work/B"; then
        as_b=$((as_b + 1))
    else
        echo "kill $i: target torn ($(stat -c %s "$target") bytes)"
        torn=$((torn + 1))
    fi
done

leftovers=$(find "$folder" -type f ! -name target.txt | wc -l)
echo "atomic write under SIGKILL: $kills kills, $as_a ended as A, $as_b as B, $torn torn or missing," \
     "$failures writer failures, $leftovers temporary files left"
rm -rf "$folder"
[ "$torn" -eq 0 ] && [ "$failures" -eq 0 ]
