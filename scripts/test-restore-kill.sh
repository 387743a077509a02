#!/usr/bin/env bash
# Kills a program that keeps restoring one program folder from two archives in
# turn, at random moments; after every kill it repairs the folder as the program's
# start does and checks that the folder holds exactly the files of one archive or
# of the other: every file old or every file new, no temporary file, no journal.
#
#   WINEPREFIX=... scripts/test-restore-kill.sh [restore_writer.exe] [kills]
#
# The caller prepares WINEPREFIX (wineboot --init) beforehand.
set -u

exe=${1:-${VEXAL_WIN_BUILD:-build/windows}/restore_writer.exe}
kills=${2:-20}
backup_exe=$(dirname "$exe")/backup_writer.exe
source "$(dirname "$0")/kill-writer.sh"

[ -f "$exe" ] || { echo "no such program: $exe" >&2; exit 2; }
[ -f "$backup_exe" ] || { echo "no such program: $backup_exe" >&2; exit 2; }

folder="$WINEPREFIX/drive_c/vexal-restore-kill"
dir='C:\vexal-restore-kill'
rm -rf "$folder"
mkdir -p "$folder/mapinfos" "$folder/mappics" "$folder/sample" "$folder/backup"

# The folder's files with their contents, the backup folder left out.
state() { (cd "$folder" && find . -path ./backup -prune -o -print0 | sort -z | xargs -0 sha1sum 2>&1 | sed 's/sha1sum: //'); }

# One side: a few MB, so that one restore takes long enough to be killed half way.
fill() { # side
    for i in $(seq 1 150); do printf '%s map %d\r\nplayers 12\r\n' "$1" "$i" > "$folder/mapinfos/map$i.txt"; done
    for i in $(seq 1 40); do head -c 150000 /dev/urandom > "$folder/mappics/map$i.jpg"; done
    printf '[Paths]\r\netPath=C:\\%s\r\n' "$1" > "$folder/Vexal.ini"
    printf '%s\r\nradar\r\n' "$1" > "$folder/VexalMap.dat"
}
for side in B A; do
    fill "$side"
    wine "$backup_exe" "$dir" 1 > "$work/out" 2> "$work/err" ||
        { echo "the backup of side $side failed: $(tr -d '\r' < "$work/err")"; exit 1; }
    mv "$folder/backup/Vexal-backup.zip" "$folder/backup/$side.zip"
done
state > "$work/A"
started=$(date +%s%N)
wine "$exe" "$dir" 2 > "$work/out" 2> "$work/err" ||
    { echo "the restores failed: $(tr -d '\r' < "$work/err")"; exit 1; }
# Kills spread over about two restores, so they land in every phase: the staging,
# the swaps and the clean-up.
spread=$(( ($(date +%s%N) - started) / 1000000 ))
state > "$work/B"
cmp -s "$work/A" "$work/B" && { echo "the two sides do not differ"; exit 1; }

failures=0
mixed=0
sides=""
for ((i = 1; i <= kills; i++)); do
    kill_writer_at_random "kill $i" "$spread" "$exe" "$dir"
    case $? in
        1) failures=$((failures + 1)) ;;
        2) failures=$((failures + 1)); continue ;;
    esac
    if ! wine "$exe" "$dir" repair > "$work/repair" 2> "$work/err"; then
        echo "kill $i: $(tr -d '\r' < "$work/err")"
        failures=$((failures + 1))
        continue
    fi
    tr -d '\r' < "$work/repair" >> "$work/repairs"
    state > "$work/now"
    if cmp -s "$work/now" "$work/A"; then
        sides="${sides}A"
    elif cmp -s "$work/now" "$work/B"; then
        sides="${sides}B"
    else
        echo "kill $i: the folder is neither side after '$(tr -d '\r' < "$work/repair")':"
        diff "$work/A" "$work/now" | head -5
        mixed=$((mixed + 1))
    fi
done

a=$(tr -cd A <<< "$sides" | wc -c)
b=$(tr -cd B <<< "$sides" | wc -c)
echo "restore under SIGKILL ($spread ms for two restores): $kills kills, then a start's repair ($(sort "$work/repairs" | uniq -c | xargs)):" \
     "$a folders all A, $b all B, $mixed mixed, $failures writer failures"
rm -rf "$folder"
[ "$mixed" -eq 0 ] && [ "$failures" -eq 0 ]
