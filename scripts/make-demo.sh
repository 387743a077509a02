#!/usr/bin/env bash
# Lays out the demo: a Vexal program folder and a stand-in game installation, both under <target>.
#
#   scripts/make-demo.sh <build/windows dir> <target dir>
#
# <target>/program  Vexal.exe with map information, map pictures, logo, readme, change log, click
#                   sound, a sample folder, a Vexal.ini that already points at the game folder, and a
#                   parameter list whose server lines name the demo's fake servers on 127.0.0.1
# <target>/game     et.exe (a stub that shows and records its command line), etmain with real .pk3
#                   ZIP packages, demos, screenshots, autoexec.cfg, etconsole.log, profile.pid files,
#                   pb\pbweb.exe, Docs\Help\index.htm and ASE\eye.exe (a stub server browser)
#
# It runs once: when <target>/.complete exists it does nothing, so the user's changes survive.
# Needs the Windows build (Vexal.exe and the stubs), ImageMagick's convert, and zip (or python3,
# or failing both gzip, which the stored-ZIP fallback uses for the checksums).
set -euo pipefail

die() { echo "make-demo: $*" >&2; exit 1; }
[ $# -eq 2 ] || die "usage: $0 <build/windows dir> <target dir>"
build=$(cd "$1" && pwd) || die "no build folder $1"
mkdir -p "$2"
target=$(cd "$2" && pwd)

[ -e "$target/.complete" ] && exit 0

for exe in Vexal.exe et.exe eye.exe pbweb.exe; do
  [ -f "$build/$exe" ] || die "$build/$exe is missing: build the Windows targets first"
done
command -v convert >/dev/null || die "ImageMagick's convert is missing"

# A run that was cut short leaves only our own folders behind; anything else means the target is
# not a demo folder, and it is not ours to clear.
for entry in "$target"/* "$target"/.[!.]*; do
  [ -e "$entry" ] || continue
  case "${entry##*/}" in
    program | game | .building) ;;
    *) die "$target holds ${entry##*/}; give an empty or demo folder" ;;
  esac
done
rm -rf "$target/program" "$target/game" "$target/.building"

work="$target/.building"
prog="$work/program"
game="$work/game"
mkdir -p "$prog" "$game"

# The folders as Wine shows them to the program (drive Z: is the Unix root).
winpath() { printf 'Z:%s' "${1//\//\\}"; }

# Text files for the Windows side get CR LF line ends.
crlf() { sed 's/$/\r/'; }

# ---------------------------------------------------------------- pictures

font=$(convert -list font 2>/dev/null | awk '/Font: .*Sans-Bold$/ { print $2; exit }')
# picture <out.jpg> <size> <light colour> <dark colour> <seed> <caption>: a grey fractal landscape
# coloured between the two colours, with the caption along the bottom.
picture() {
  local out=$1 size=$2 light=$3 dark=$4 seed=$5 caption=$6 points
  points=$(( ${size#*x} / 7 ))
  local base=(-size "$size" -seed "$seed" plasma:fractal -blur 0x1 -colorspace gray -auto-level
              -sigmoidal-contrast 5x50% -type TrueColor +level-colors "$dark,$light")
  if [ -n "$font" ] && convert "${base[@]}" -gravity south -font "$font" -pointsize "$points" \
       -fill '#00000090' -annotate +1+5 "$caption" -fill white -annotate +0+6 "$caption" \
       -quality 85 "$out" 2>/dev/null; then
    return
  fi
  convert "${base[@]}" -quality 85 "$out" # no usable font: the picture without its caption
}

# ---------------------------------------------------------------- ZIP packages

# make_zip <archive> <folder>: every file below <folder>, names relative to it.
make_zip() {
  local archive=$1 dir=$2
  rm -f "$archive"
  if command -v zip >/dev/null; then
    (cd "$dir" && zip -q -r -X "$archive" .)
  elif command -v python3 >/dev/null; then
    python3 - "$archive" "$dir" <<'EOF'
import os, sys, zipfile
archive, root = sys.argv[1], sys.argv[2]
with zipfile.ZipFile(archive, "w", zipfile.ZIP_DEFLATED) as z:
    for folder, _, files in sorted(os.walk(root)):
        for name in sorted(files):
            path = os.path.join(folder, name)
            z.write(path, os.path.relpath(path, root))
EOF
  else
    stored_zip "$archive" "$dir"
  fi
}

le16() { printf '%b' "\\x$(printf %02x $(($1 & 255)))\\x$(printf %02x $(($1 >> 8 & 255)))"; }
le32() { le16 $(($1 & 65535)); le16 $(($1 >> 16 & 65535)); }

# A ZIP without compression, for machines with neither zip nor python3. gzip's trailer carries the
# same CRC-32 that ZIP wants, so it supplies the checksums.
stored_zip() {
  local archive=$1 dir=$2 central offset=0 count=0 name size crc
  central=$(mktemp)
  : >"$archive"
  while IFS= read -r name; do
    size=$(wc -c <"$dir/$name")
    crc=$(gzip -c <"$dir/$name" | tail -c 8 | head -c 4 | od -An -tu4 | tr -d ' ')
    {
      printf 'PK\003\004'; le16 10; le16 0; le16 0; le16 0; le16 33; le32 "$crc"; le32 "$size"; le32 "$size"
      le16 ${#name}; le16 0; printf '%s' "$name"; cat "$dir/$name"
    } >>"$archive"
    {
      printf 'PK\001\002'; le16 20; le16 10; le16 0; le16 0; le16 0; le16 33; le32 "$crc"; le32 "$size"
      le32 "$size"; le16 ${#name}; le16 0; le16 0; le16 0; le16 0; le32 0; le32 "$offset"; printf '%s' "$name"
    } >>"$central"
    offset=$((offset + 30 + ${#name} + size))
    count=$((count + 1))
  done < <(cd "$dir" && find . -type f | sed 's|^\./||' | LC_ALL=C sort)
  local central_size
  central_size=$(wc -c <"$central")
  cat "$central" >>"$archive"
  { printf 'PK\005\006'; le16 0; le16 0; le16 "$count"; le16 "$count"; le32 "$central_size"; le32 "$offset"; le16 0; } >>"$archive"
  rm -f "$central"
}

# ---------------------------------------------------------------- the click sound

# headshot.wav: 60 ms of decaying noise, 8-bit mono at 11025 Hz, from a fixed generator so every
# demo gets the same click.
make_click() {
  local out=$1 samples=662
  {
    printf 'RIFF'; le32 $((36 + samples)); printf 'WAVEfmt '; le32 16; le16 1; le16 1; le32 11025; le32 11025
    le16 1; le16 8; printf 'data'; le32 "$samples"
    LC_ALL=C awk -v n="$samples" 'BEGIN {
      seed = 12345
      for (i = 0; i < n; i++) {
        seed = (seed * 1103515245 + 12345) % 2147483648
        noise = seed / 1073741824 - 1
        body = sin(i * 2 * 3.14159265 * 170 / 11025) * 0.5
        v = 128 + int(118 * (noise * 0.8 + body) * exp(-i / 130))
        if (v < 1) v = 1
        if (v > 255) v = 255
        printf "%c", v
      }
    }'
  } >"$out"
}

# ---------------------------------------------------------------- the program folder

cp "$build/Vexal.exe" "$prog/"
mkdir -p "$prog/mapinfos" "$prog/mappics" "$prog/sample"

# map | long name | has info | has picture | light and dark colour | seed | description
maps=(
  "oasis|Siwa Oasis|1|1|#e0c27a #8a6a30|11|Axis engineers must breach the old city walls and destroy two anti-tank guns.|The Allies hold the water pump; whoever controls it controls the pace."
  "battery|Seawall Battery|1|1|#9fb8c8 #44556a|23|A beach landing under the guns of a coastal fortress.|Allies storm the seawall, reach the gun controls and hold the east beach."
  "goldrush|Gold Rush|1|1|#d8c08a #6a5030|37|Axis steal a tank, drive it through town and make off with the gold crates.|A long escort map that rewards engineers who keep the tank moving."
  "radar|Radar Station|1|1|#a8c890 #3f5a38|41|Two radar dishes, two parts to carry off, one forest road out.|Fast objective play for small teams."
  "railgun|Railgun|0|1|#b0a8a0 #4a4440|53||"
  "fueldump|Fuel Dump|1|0|||The Allies cross a frozen river and blow the fuel depot.|Snow, tunnels and a bridge that needs building first."
  "siwa|siwa|0|0|||"
)
for row in "${maps[@]}"; do
  IFS='|' read -r map long info pic colours seed line1 line2 <<<"$row"
  if [ "$info" = 1 ]; then
    printf '%s\nlongname: %s\n\n%s\n%s\n' "$map" "$long" "$line1" "$line2" | crlf >"$prog/mapinfos/$map.txt"
  fi
  if [ "$pic" = 1 ]; then
    read -r light dark <<<"$colours"
    picture "$prog/mappics/$map.jpg" 160x109 "$light" "$dark" "$seed" "$long"
  fi
done

# The logo is the program's own built-in picture, when the build has generated it.
if [ -f "$build/pictures/logo.bmp" ] && convert "$build/pictures/logo.bmp" -quality 92 "$prog/ET-Logo.jpg" 2>/dev/null; then
  :
else
  picture "$prog/ET-Logo.jpg" 160x109 '#e09050' '#2a3070' 7 "Vexal"
fi

crlf >"$prog/readme-vexal.txt" <<'EOF'
Vexal - a map and tool starter for Enemy Territory
==================================================

Vexal keeps your favourite start parameter lines and maps in one small
window and starts the game with the combination you pick.

  * Pick a parameter line, pick a map, press Run (or F9).
  * "+" adds the current parameter line to the list, "-" removes the
    selected one. Text in round brackets is a comment and is not passed
    to the game.
  * The Map button lists the map packages (*.pk3) of your etmain folder.
  * Alt+Z (or Ctrl+Z; the letter can be changed) minimizes the game and
    brings Vexal to the front while you play.
  * Backup writes Vexal's own files into backup\Vexal-backup.zip;
    Restore puts them back.

Vexal only starts programs; it never changes the game's own files except
the nickname line in etmain\autoexec.cfg, and the profile.pid files it
deletes when you ask it to.

This copy runs in the demo: the game, the server browser and the updater
are small stand-ins that show what they were started with.
EOF

crlf >"$prog/changes-vexal.txt" <<'EOF'
Vexal change log
================

1.0.0 (beta)
  * First public build: parameter and map lists, map pictures and
    information, game start with nickname, profile.pid clean-up,
    minimizer hotkey, server browser and updater launchers, config file
    editing, demo and screenshot pickers, backup and restore, and the
    text viewers for readme, change log, console log and server browser
    logs.
  * Known limits: on high-DPI screens Windows enlarges the fixed-size
    window as a whole, so its text looks soft; the about box plays its
    tune only when a Vexal.mp3 lies beside the program, and the click
    sound otherwise.
EOF

make_click "$prog/headshot.wav"

crlf >"$prog/sample/parameters-example.txt" <<'EOF'
+sv_pure 1 +g_gametype 2 +map (objective game on a listen server)
+set fs_game etpro +map (ETPro mod)
+connect 203.0.113.17:27960 (a friend's server)
EOF
crlf >"$prog/sample/autoexec-example.cfg" <<'EOF'
// An example autoexec.cfg: copy what you like into etmain\autoexec.cfg.
seta name "^1Demo^7Player"
seta cl_maxpackets 60
seta rate 25000
bind F1 "vote yes"
bind F2 "vote no"
EOF

game_win=$(winpath "$target/game")
{
  printf '[Paths]\netPath=%s\neyePath=%s\\ASE\\eye.exe\n\n' "$game_win" "$game_win"
  printf '[ET-Map]\nMap=oasis\n\n'
  printf '[ET-Param]\nETParam=+sv_pure 1 +g_gametype 2 +map (default)\n\n'
  # The demo's world: a fake master on this machine (demo/servers.py) and no other, so F6 and F7
  # never reach the internet.
  printf '[Masters]\nMaster1=127.0.0.1:27950\nMaster2=\n\n'
} | crlf >"$prog/Vexal.ini"
printf '%s\n' battery fueldump goldrush oasis radar | crlf >"$prog/VexalMap.dat"
# The demo's own server lines point at the fake servers the demo starts on this machine (demo/servers.py;
# nobody answers on 27963), never at the predefined example addresses.
crlf >"$prog/VexalParam.dat" <<'EOF'
+sv_pure 1 +g_gametype 2 +map (default)
+sv_pure 0 +g_gametype 2 +devmap
set fs_game etpro +sv_pure 0 +g_gametype 2 +map
set fs_game etpro +sv_pure 0 +g_gametype 2 +devmap
+connect 127.0.0.1:27960 (Vexal demo server)
+connect 127.0.0.1:27961 (Red Alert clan war)
+connect 127.0.0.1:27962 (Full House)
+connect 127.0.0.1:27963 (a server that is down)
+set fs_game bobot +sv_pure 0 +map (Bot match)
set fs_game etpro +sv_pure 0 +g_gametype 2 +r_texturebits 32 +r_fastsky 0 +map
EOF
# A server joined before but never saved: the server list shows it as recent (F5, then Ctrl+K keeps it).
printf '127.0.0.1:27964 %s\n127.0.0.1:27960 %s\n' "$(date +%F)" "$(date +%F)" | crlf >"$prog/VexalRecent.dat"

# ---------------------------------------------------------------- the game folder

cp "$build/et.exe" "$game/"
mkdir -p "$game/etmain/demos" "$game/etmain/screenshots" "$game/etmain/profiles/Player" \
         "$game/etmain/profiles/.hidden" "$game/etpro/profiles/x" "$game/etpro/demos" "$game/etpro/screenshots" \
         "$game/pb" "$game/Docs/Help" "$game/ASE"

# Map packages: a real ZIP each, with a map file of a different size so the statistics differ.
sizes=(oasis:180 battery:240 goldrush:310 radar:150 railgun:90 fueldump:200 siwa:60)
pk=$(mktemp -d)
for entry in "${sizes[@]}"; do
  map=${entry%%:*} kb=${entry##*:}
  rm -rf "${pk:?}"/*
  mkdir -p "$pk/maps" "$pk/scripts"
  head -c $((kb * 1024)) /dev/urandom >"$pk/maps/$map.bsp"
  printf '{\n\tmap "%s"\n\tlongname "%s"\n\ttype "wolfmp wolfsw"\n}\n' "$map" "$map" >"$pk/scripts/$map.arena"
  make_zip "$game/etmain/$map.pk3" "$pk"
done
rm -rf "$pk"

for demo in etmain/demos/oasis-defence etmain/demos/goldrush-stopwatch etmain/demos/radar-2on2 etpro/demos/battery-scrim; do
  { printf 'demo of %s\n' "${demo##*/}"; head -c 3000 /dev/urandom; } >"$game/$demo.dm_83"
done

picture "$game/etmain/screenshots/shot0001.jpg" 320x240 '#e0c27a' '#5a4020' 101 "oasis"
picture "$game/etmain/screenshots/shot0002.jpg" 320x240 '#9fb8c8' '#34455a' 102 "battery"
picture "$game/etmain/screenshots/shot0003.jpg" 320x240 '#d8c08a' '#5a4020' 103 "goldrush"
picture "$game/etpro/screenshots/shot0001.jpg" 320x240 '#a8c890' '#2f4a28' 104 "radar"

crlf >"$game/etmain/autoexec.cfg" <<'EOF'
// Run at every start of the game.
seta name "DemoPlayer"
seta com_hunkmegs 128
seta cg_drawFPS 1
bind F9 "screenshotJPEG"
EOF

crlf >"$game/etmain/etconsole.log" <<'EOF'
logfile opened on Sat Jun 01 20:14:02 2024
----- FS_Startup -----
Current search path:
etmain
----- Client Initialization -----
Loading map oasis...
Connected to 203.0.113.17:27960
EOF

for pid in etmain/profiles/Player etmain/profiles/.hidden etpro/profiles/x; do
  printf '4242' >"$game/$pid/profile.pid"
done

cp "$build/pbweb.exe" "$game/pb/"
cp "$build/eye.exe" "$game/ASE/"

crlf >"$game/Docs/Help/index.htm" <<'EOF'
<!DOCTYPE html>
<html><head><meta charset="windows-1252"><title>Demo game help</title></head>
<body>
<h1>Help for the demo game</h1>
<p>This page stands in for the game's support documentation. Vexal opens it from the Help menu.</p>
</body></html>
EOF

# ---------------------------------------------------------------- done

mv "$prog" "$game" "$target/"
rmdir "$work"
touch "$target/.complete"
echo "make-demo: demo laid out in $target"
