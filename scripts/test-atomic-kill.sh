#!/usr/bin/env bash
# Kills a program that keeps rewriting one file through the program's own write
# routines at random moments and checks, after every kill, that the file holds
# exactly one of the two complete contents: never a torn, empty or missing file.
#
#   WINEPREFIX=... scripts/test-atomic-kill.sh [atomic_writer.exe] [kills] [kind]
#
# kind: file (default), settings, params, maps or autoexec; see tests/tools/atomic_writer.cpp.
# The caller prepares WINEPREFIX (wineboot --init) beforehand. Each start of the
# writer removes the temporaries earlier kills left, as the program does at its
# start; what the last kill left must go at the next start, which is checked at the end.
set -u

exe=${1:-${VEXAL_WIN_BUILD:-build/windows}/atomic_writer.exe}
kills=${2:-30}
kind=${3:-file}
source "$(dirname "$0")/kill-writer.sh"

[ -f "$exe" ] || { echo "no such program: $exe" >&2; exit 2; }

case $kind in
    file) name=target.txt ;;
    settings) name=Vexal.ini ;;
    params) name=VexalParam.dat ;;
    maps) name=VexalMap.dat ;;
    autoexec) name=autoexec.cfg ;;
    *) echo "unknown kind: $kind" >&2; exit 2 ;;
esac
folder="$WINEPREFIX/drive_c/vexal-kill-$kind"
target="$folder/$name"
winfolder="C:\\vexal-kill-$kind"
rm -rf "$folder"
mkdir -p "$folder/ref"

# The two contents, as the writer's first and second write make them.
for n in 1 2; do
    rm -f "$folder/ref/$name"
    wine "$exe" "$kind" "$winfolder\\ref\\$name" "$n" > "$work/out" 2> "$work/err" ||
        { echo "$kind: the writer failed: $(tr -d '\r' < "$work/err")"; exit 1; }
    cp "$folder/ref/$name" "$work/$n"
done
rm -rf "$folder/ref"
cmp -s "$work/1" "$work/2" && { echo "$kind: the two contents are the same"; exit 1; }

failures=0
torn=0
as_a=0
as_b=0
most=0
for ((i = 1; i <= kills; i++)); do
    kill_writer_at_random "$kind kill $i" 351 "$exe" "$kind" "$winfolder\\$name"
    case $? in
        1) failures=$((failures + 1)) ;;
        2) failures=$((failures + 1)); continue ;;
    esac

    if [ ! -f "$target" ]; then
        echo "$kind kill $i: $name missing"
        torn=$((torn + 1))
    elif cmp -s "$target" "$work/1"; then
        as_a=$((as_a + 1))
    elif cmp -s "$target" "$work/2"; then
        as_b=$((as_b + 1))
    else
        echo "$kind kill $i: $name torn ($(stat -c %s "$target") bytes)"
        torn=$((torn + 1))
    fi
    now=$(find "$folder" -type f ! -name "$name" | wc -l)
    [ "$now" -gt "$most" ] && most=$now
done

# The next start removes what the last kill left; temporaries count by the second.
sleep 1.1
left_by_kills=$(find "$folder" -type f ! -name "$name" | wc -l)
wine "$exe" clean "$winfolder" > /dev/null 2>&1
leftovers=$(find "$folder" -type f ! -name "$name" | wc -l)
echo "$kind write under SIGKILL: $kills kills, $as_a ended as A, $as_b as B, $torn torn or missing," \
     "$failures writer failures; temporary files: at most $most at once, $left_by_kills after the last kill," \
     "$leftovers after the next start"
rm -rf "$folder"
[ "$torn" -eq 0 ] && [ "$failures" -eq 0 ] && [ "$leftovers" -eq 0 ]
