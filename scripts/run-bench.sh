#!/usr/bin/env bash
# Prints the project's figures, each against a baseline measured in the same run.
# --short (or VEXAL_BENCH_SHORT=1): every figure on a tenth of the data or less, a
# check of `make test` that the benchmarks still build and run, not a measurement.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
short=${VEXAL_BENCH_SHORT:-0}
[ "${1:-}" = "--short" ] && short=1
work="$root/build/bench-data"
[ "$short" = 1 ] && work="$root/build/bench-data-short"
# pick FULL SHORT: a size for the full run or for the short one
pick() { if [ "$short" = 1 ]; then echo "$2"; else echo "$1"; fi; }
# Up to date with the sources: a no-op when they are.
cmake --preset bench >/dev/null
nice -n 10 cmake --build --preset bench -j"${JOBS:-2}" --target vexal_bench >/dev/null
source "$root/scripts/wine-env.sh"
# The product's size is the 32-bit Vexal.exe's, shown beside the 64-bit one's; the figures
# under Wine come from the build this machine runs (scripts/wine-env.sh).
for preset in windows windows64; do
  cmake --preset "$preset" >/dev/null
  nice -n 10 cmake --build --preset "$preset" -j"${JOBS:-2}" >/dev/null
done
win="$VEXAL_WIN_BUILD"
echo "Wine figures from the ${VEXAL_WINE_BITS}-bit build: $VEXAL_WINE_WHY"
# LINE BYTES: the line repeated up to that many bytes. `yes` ends by SIGPIPE when
# head has enough, which pipefail would take for a failure.
repeat_line() { { yes "$1" || true; } | head -c "$2"; }
# A program that makes windows (the benchmark's own window for the folder counts
# included) runs on a display of its own, in a Wine server that has none from a
# display gone before: its desktop would never show a window.
gui() { wineserver -w; xvfb-run -a wine "$@"; }

echo "== size (static, stripped; the 32-bit one must stay at most 1 MB, 1,048,576 bytes)"
printf 'Vexal.exe, 32-bit: %d bytes\n' "$(stat -c %s "$root/build/windows/Vexal.exe")"
printf 'Vexal.exe, 64-bit: %d bytes\n' "$(stat -c %s "$root/build/windows64/Vexal.exe")"

if [ -x "$root/build/bench/vexal_bench" ]; then
  echo "== native"
  "$root/build/bench/vexal_bench"
fi

# The floor of start-up: Vexal's main window made with plain Win32 calls (floor.cpp, with its
# .rc and manifest) and a bare window, kept beside the project and built here with the
# project's MinGW for each build this machine runs; in a clone elsewhere the one-window
# program of the demo stands in.
floor_dir=${VEXAL_FLOOR_DIR:-$root/../shared/perf}
have_floor=0
if [ -f "$floor_dir/floor.cpp" ] && [ -f "$floor_dir/bare.cpp" ]; then
  have_floor=1
else
  echo "start-up: no floor program in $floor_dir (VEXAL_FLOOR_DIR): measured against the one-window program instead"
fi
# BITS OUT: floor.exe and bare.exe for that build into OUT.
build_floor() {
  local triplet=i686-w64-mingw32 arch=x86
  [ "$1" = 64 ] && triplet=x86_64-w64-mingw32 arch=amd64
  # The manifest names the processor, as Vexal's does.
  sed "s/processorArchitecture=\"x86\"/processorArchitecture=\"$arch\"/" "$floor_dir/floor.manifest" >"$2/floor.manifest"
  cp "$floor_dir/floor.rc" "$2/floor.rc"
  (cd "$2" && "$triplet-windres" floor.rc -O coff -o floor.res) &&
    "$triplet-g++-posix" -std=c++20 -O2 -static -mwindows "$floor_dir/floor.cpp" "$2/floor.res" -lcomctl32 \
      -o "$2/floor.exe" &&
    "$triplet-g++-posix" -std=c++20 -O2 -static -mwindows "$floor_dir/bare.cpp" -o "$2/bare.exe"
}
# Each build this machine runs: the 32-bit one where 32-bit programs run, the 64-bit one
# where Wine has its 64-bit loader.
startup_builds=()
runs_i386 && startup_builds+=(32)
[ -x /usr/lib/wine/wine64 ] && startup_builds+=(64)
for bits in "${startup_builds[@]}"; do
  (
    # The other build's figures come from its own prefix.
    [ "$bits" != "$VEXAL_WINE_BITS" ] && unset VEXAL_WINEPREFIX
    VEXAL_WINE_BITS=$bits
    unset VEXAL_WINE_WHY VEXAL_WIN_BUILD
    source "$root/scripts/wine-env.sh"
    echo "== start-up under Wine, the ${bits}-bit build, to the window on screen"
    d="$work/startup$bits"
    rm -rf "$d" && mkdir -p "$d/game"
    cp "$VEXAL_WIN_BUILD/Vexal.exe" "$VEXAL_WIN_BUILD/minimal.exe" "$d/"
    cp "$VEXAL_WIN_BUILD/et.exe" "$d/game/"
    printf '[Paths]\r\netPath=%s\r\n\r\n' "$(winpath "$d/game")" >"$d/Vexal.ini"
    if [ "$have_floor" = 1 ] && ! build_floor "$bits" "$d"; then
      echo "start-up: the floor program did not build: measured against the one-window program instead"
      rm -f "$d/floor.exe"
    fi
    gui "$VEXAL_WIN_BUILD/bench_win32.exe" startup "$(winpath "$d")" "$(pick 20 3)" | tr -d '\r'
    # A start is thousands of round trips between the program, Wine's server and the X
    # server. Spread over the processors, each trip may wait for a sleeping one to wake,
    # which a virtual machine makes slow at times: the starts then fall into a fast and a
    # slow group, for every program alike. On one processor that wait is gone, and what
    # is left is the programs' own work.
    if command -v taskset >/dev/null; then
      echo "== start-up under Wine, the ${bits}-bit build, everything on one processor"
      wineserver -w
      # The first processor this script may use (a container may not have the first of all).
      cpu=$(taskset -pc $$ | sed 's/.*: *//; s/[-,].*//')
      taskset -c "$cpu" xvfb-run -a wine "$VEXAL_WIN_BUILD/bench_win32.exe" startup "$(winpath "$d")" "$(pick 20 3)" |
        tr -d '\r'
    fi
    # The same starts counted in requests to Wine's server up to the window on screen (one
    # start of each after a first one): the work that waits for the server, which no
    # scheduling changes. A server of our own writes the trace, started before any program.
    echo "== start-up under Wine, the ${bits}-bit build, requests to Wine's server before the window shows"
    wineserver -k 2>/dev/null || true
    wineserver -w
    wineserver -d1 -f -p 2>"$d/server.log" &
    server=$!
    socket=$(printf '/tmp/.wine-%s/server-%x-%x/socket' "$(id -u)" "0x$(stat -c %D "$WINEPREFIX")" \
      "$(stat -c %i "$WINEPREFIX")")
    for _ in $(seq 50); do [ -S "$socket" ] && break; sleep 0.1; done
    xvfb-run -a wine "$VEXAL_WIN_BUILD/bench_win32.exe" startup "$(winpath "$d")" 1 >/dev/null
    wineserver -k 2>/dev/null || true
    wait "$server" || true
    awk -f "$root/scripts/server-requests.awk" "$d/server.log" | awk '
      { n[$1] = $2 }
      END {
        base = ("floor.exe" in n) ? "floor.exe" : "minimal.exe"
        if (!n["Vexal.exe"] || !n[base]) { print "not counted: the trace named no start of Vexal.exe and " base; exit }
        printf "Vexal.exe %d, %s %d, ratio %.2f", n["Vexal.exe"], base, n[base], n["Vexal.exe"] / n[base]
        if ("bare.exe" in n) printf " (bare.exe %d)", n["bare.exe"]
        print ""
      }'
    rm -f "$d/server.log"
  )
done

echo "== an et:// link handed to the running copy under Wine"
rm -rf "$work/link" && mkdir -p "$work/link/game"
cp "$win/Vexal.exe" "$work/link/"
cp "$win/et.exe" "$work/link/game/"
printf '[Paths]\r\netPath=%s\r\n\r\n' "$(winpath "$work/link/game")" >"$work/link/Vexal.ini"
printf '+map\r\n' >"$work/link/VexalParam.dat"
gui "$win/bench_win32.exe" linkhandoff "$(winpath "$work/link")" | tr -d '\r'

echo "== settings write under Wine"
rm -rf "$work/settings" && mkdir -p "$work/settings"
wine "$win/bench_win32.exe" settings "$(winpath "$work/settings")" | tr -d '\r'

walk_top=$(pick 100 10)
echo "== profile clean-up: $((walk_top * 1000)) files in $((walk_top * 50)) folders"
rm -rf "$work/walk" && mkdir -p "$work/walk"
for side in a b; do
  (cd "$work/walk" && for i in $(seq 1 "$walk_top"); do for j in $(seq 1 50); do echo "$side/m$i/p$j"; done; done | xargs mkdir -p)
  (cd "$work/walk" && for i in $(seq 1 "$walk_top"); do for j in $(seq 1 50); do
     for k in $(seq 1 19); do echo "$side/m$i/p$j/f$k.dat"; done; echo "$side/m$i/p$j/profile.pid"; done; done | xargs touch)
done
wine "$win/bench_win32.exe" walk "$(winpath "$work/walk")" | tr -d '\r'
left=$(find "$work/walk" -name profile.pid | wc -l)
echo "profile.pid files left after both: $left"

maps=$(pick 2000 200)
echo "== map change: $maps maps, $maps pictures"
rm -rf "$work/maps" && mkdir -p "$work/maps/mappics" "$work/maps/mapinfos" "$work/maps/game/etmain"
convert -size 160x109 gradient:navy-orange "$work/maps/sample.jpg"
: >"$work/maps/VexalMap.dat"
for i in $(seq -w 1 "$maps"); do printf 'map%s\r\n' "$i" >>"$work/maps/VexalMap.dat"; done
(cd "$work/maps" && for i in $(seq -w 1 "$maps"); do echo "mappics/map$i.jpg"; done | xargs -n 200 -I{} cp sample.jpg {})
for i in $(seq -w 1 200); do printf 'map%s\r\nlongname: Map number %s\r\n' "$i" "$i" >"$work/maps/mapinfos/map$i.txt"; done
for i in $(seq -w 1 200); do head -c 40000 /dev/zero >"$work/maps/game/etmain/map$i.pk3"; done
gui "$win/bench_win32.exe" mapchange "$(winpath "$work/maps")" | tr -d '\r'

demo_folders=$(pick 50 5)
echo "== mouse move over Demo: $((demo_folders * 40)) demos in $demo_folders folders"
rm -rf "$work/demos" && mkdir -p "$work/demos/game/etmain/demos"
(cd "$work/demos/game/etmain/demos" && for i in $(seq 1 "$demo_folders"); do mkdir -p "f$i"; for j in $(seq 1 40); do : >"f$i/demo$j.dm_84"; done; done)
gui "$win/bench_win32.exe" demomove "$(winpath "$work/demos")" | tr -d '\r'
log_bytes=$(pick 100000000 1000000)
echo "== console-log viewer: a $((log_bytes / 1000000)) MB log"
for size in big small; do
  d="$work/logviewer/$size"
  rm -rf "$d" && mkdir -p "$d/game/etmain"
  cp "$win/Vexal.exe" "$d/"
  printf '[Paths]\r\netPath=%s\r\n\r\n' "$(winpath "$d/game")" >"$d/Vexal.ini"
  printf '+map\r\n' >"$d/VexalParam.dat"
done
repeat_line 'Console line: a player connected, a map loaded, a frame drawn 1234567890' "$log_bytes" \
  | sed 's/$/\r/' >"$work/logviewer/big/game/etmain/etconsole.log"
repeat_line 'Console line' 1000 | sed 's/$/\r/' >"$work/logviewer/small/game/etmain/etconsole.log"
gui "$win/bench_win32.exe" logviewer "$(winpath "$work/logviewer")" | tr -d '\r'

echo "== editable readme: one keystroke writes the file back"
rm -rf "$work/typing" && mkdir -p "$work/typing"
gui "$win/bench_win32.exe" typing "$(winpath "$work/typing")" | tr -d '\r'

echo "== server list under Wine: a join, the wait for a free slot, 20 servers of 64 players"
gui "$win/servers_win32.exe" all $(pick "" short) | tr -d '\r'

world=$(pick 1000 100)
echo "== every server of a master under Wine: $world servers (round trips 20-180 ms), against quakestat -woetm"
# A fake world on 127.0.0.1 (demo/servers.py); the master's port changes from run to run so that two
# runs on one machine do not meet.
world_port=$(( 40000 + RANDOM % 10 * 1200 ))
for silent in $((world / 20)) 0; do
  log="$work/world-$silent.log"
  rm -f "$log"
  python3 "$root/demo/servers.py" --only-world --world "$world" --silent "$silent" --minutes 3 \
    --master-port "$world_port" --base-port $((world_port + 1)) --log "$log" 2>/dev/null &
  world_pid=$!
  for _ in $(seq 1 100); do grep -q '^ready' "$log" 2>/dev/null && break; sleep 0.1; done
  echo "-- $silent silent"
  wine "$win/world_win32.exe" round "$world_port" | tr -d '\r'
  if command -v quakestat >/dev/null; then
    quakestat -woetm "127.0.0.1:$world_port" >"$work/quakestat-$silent.txt"
    end=$(date +%s.%N)
    first=$(sed -n 's/^master //p' "$log" | tail -1)
    printf 'quakestat: %d lines, %s ms from the master'"'"'s first datagram to its end\n' \
      "$(grep -c '^WOETS' "$work/quakestat-$silent.txt")" "$(python3 -c "print(round(($end - $first) * 1000))")"
  else
    echo "quakestat: not installed (Debian's qstat package), no baseline this run"
  fi
  if [ "$silent" = 0 ]; then
    gui "$win/world_win32.exe" list "$world_port" "$world" | tr -d '\r'
    wine "$win/world_win32.exe" watch "$world_port" | tr -d '\r'
  fi
  kill "$world_pid" 2>/dev/null || true
  wait "$world_pid" 2>/dev/null || true
done
if [ "$short" != 1 ]; then
  echo "== the list of every server with 4,096 servers under Wine"
  log="$work/world-4096.log"
  rm -f "$log"
  # One socket a server: more than the usual 1,024 open files.
  (ulimit -n 8192 && exec python3 "$root/demo/servers.py" --only-world --world 4096 --minutes 3 --rtt 20-40 \
    --master-port "$world_port" --base-port $((world_port + 1)) --log "$log" 2>/dev/null) &
  world_pid=$!
  for _ in $(seq 1 300); do grep -q '^ready' "$log" 2>/dev/null && break; sleep 0.1; done
  gui "$win/world_win32.exe" list "$world_port" 4096 | tr -d '\r'
  kill "$world_pid" 2>/dev/null || true
  wait "$world_pid" 2>/dev/null || true
fi

pics=$(pick 400 40)
infos=$(pick 300 30)
echo "== backup and restore: $pics map pictures, $infos map information files, against Info-ZIP"
tree="$work/backup"
if [ ! -f "$tree/.ready" ]; then
  rm -rf "$tree" && mkdir -p "$tree/mappics" "$tree/mapinfos" "$tree/sample"
  for i in 1 2 3 4 5 6 7 8; do
    convert -size 640x480 plasma:fractal -blur 0x1 -quality 97 "$tree/pic$i.jpg"
  done
  for i in $(seq -w 1 "$pics"); do cp "$tree/pic$(( (10#$i % 8) + 1 )).jpg" "$tree/mappics/map$i.jpg"; done
  rm -f "$tree"/pic*.jpg
  for i in $(seq -w 1 "$infos"); do
    { printf 'map%s\r\nlongname: Map number %s\r\n' "$i" "$i"; seq 1 200 | sed "s/^/spawn $i point /"; } \
      >"$tree/mapinfos/map$i.txt"
  done
  printf 'demo\r\n' >"$tree/sample/readme.txt"
  printf '[Paths]\r\netPath=C:\\ET\r\n' >"$tree/Vexal.ini"
  for i in $(seq -w 1 "$pics"); do printf 'map%s\r\n' "$i"; done >"$tree/VexalMap.dat"
  printf '+set r_mode 4\r\n' >"$tree/VexalParam.dat"
  touch "$tree/.ready"
fi
printf 'tree: %s bytes\n' "$(du -sb --exclude=backup "$tree" | cut -f1)"
now() { date +%s%N; }
ms_since() { echo $(( ($(now) - $1) / 1000000 )); }
names="mapinfos sample mappics VexalParam.dat VexalMap.dat Vexal.ini"
rm -f "$work/infozip.zip"
t=$(now); (cd "$tree" && zip -9 -r -q "$work/infozip.zip" $names); zip_ms=$(ms_since "$t")
echo "zip -9 -r: $zip_ms ms, $(stat -c %s "$work/infozip.zip") bytes"
rm -rf "$tree/backup"
if [ -x "$root/build/bench/vexal_bench" ]; then
  "$root/build/bench/vexal_bench" backup "$tree"
  "$root/build/bench/vexal_bench" restore "$tree"
fi
rm -rf "$tree/backup"
wine "$win/bench_win32.exe" backup "$(winpath "$tree")" | tr -d '\r'
wine "$win/bench_win32.exe" restore "$(winpath "$tree")" | tr -d '\r' | sed 's/^restore/restore over the unchanged tree/'
# The worst case: every file differs from the archive's, so every one is staged and swapped.
find "$tree/mappics" "$tree/mapinfos" "$tree/sample" -type f -print0 | xargs -0 -n 200 sh -c 'for f; do printf x >>"$f"; done' _
wine "$win/bench_win32.exe" restore "$(winpath "$tree")" | tr -d '\r' | sed 's/^restore/restore over a tree where every file differs/'
wine "$win/bench_win32.exe" restore-held "$(winpath "$tree")" | tr -d '\r'
unzip -tqq "$tree/backup/Vexal-backup.zip" && echo "unzip -t: our archive is clean"
t=$(now); unzip -o -q "$tree/backup/Vexal-backup.zip" -d "$tree"; echo "unzip -o (the same archive): $(ms_since "$t") ms"
