#!/usr/bin/env bash
# Kills a program that keeps making the backup of one program folder at random
# moments and checks, after every kill, that backup\Vexal-backup.zip is the
# complete archive of the first run, byte for byte: never torn, empty or missing.
#
#   WINEPREFIX=... scripts/test-backup-kill.sh [backup_writer.exe] [kills]
#
# The caller prepares WINEPREFIX (wineboot --init) beforehand. Each start of the
# writer removes the temporaries earlier kills left in the backup folder, as the
# program does at its start; what the last kill left must go at the next start.
set -u

exe=${1:-${VEXAL_WIN_BUILD:-build/windows}/backup_writer.exe}
kills=${2:-20}
source "$(dirname "$0")/kill-writer.sh"

[ -f "$exe" ] || { echo "no such program: $exe" >&2; exit 2; }

folder="$WINEPREFIX/drive_c/vexal-backup-kill"
archive="$folder/backup/Vexal-backup.zip"
rm -rf "$folder"
mkdir -p "$folder/mapinfos" "$folder/mappics" "$folder/sample"

# A few MB, so that one backup takes long enough to be killed half way.
for i in $(seq 1 150); do printf 'map %d\r\nplayers 12\r\n' "$i" > "$folder/mapinfos/map$i.txt"; done
for i in $(seq 1 40); do head -c 150000 /dev/urandom > "$folder/mappics/map$i.jpg"; done
printf '[Paths]\r\netPath=C:\\ET\r\n' > "$folder/Vexal.ini"
printf 'oasis\r\nradar\r\n' > "$folder/VexalMap.dat"

wine "$exe" 'C:\vexal-backup-kill' 1 > "$work/out" 2> "$work/err" ||
    { echo "the first backup failed: $(tr -d '\r' < "$work/err")"; exit 1; }
cp "$archive" "$work/reference.zip"
unzip -tqq "$work/reference.zip" || { echo "unzip -t refuses our archive"; exit 1; }

failures=0
torn=0
intact=0
for ((i = 1; i <= kills; i++)); do
    kill_writer_at_random "kill $i" 700 "$exe" 'C:\vexal-backup-kill'
    case $? in
        1) failures=$((failures + 1)) ;;
        2) failures=$((failures + 1)); continue ;;
    esac
    if [ ! -f "$archive" ]; then
        echo "kill $i: archive missing"
        torn=$((torn + 1))
    elif cmp -s "$archive" "$work/reference.zip"; then
        intact=$((intact + 1))
    else
        echo "kill $i: archive torn ($(stat -c %s "$archive") bytes)"
        torn=$((torn + 1))
    fi
done

# The next start removes what the last kill left; temporaries count by the second.
sleep 1.1
left_by_kills=$(find "$folder/backup" -type f ! -name Vexal-backup.zip | wc -l)
wine "$exe" clean 'C:\vexal-backup-kill' > /dev/null 2>&1
leftovers=$(find "$folder/backup" -type f ! -name Vexal-backup.zip | wc -l)
echo "backup under SIGKILL: $kills kills, $intact archives intact, $torn torn or missing," \
     "$failures writer failures; temporary files: $left_by_kills after the last kill, $leftovers after the next start"
rm -rf "$folder"
[ "$torn" -eq 0 ] && [ "$failures" -eq 0 ] && [ "$leftovers" -eq 0 ]
