#!/usr/bin/env bash
# Retakes the README's pictures from the demo: the window, the map statistics
# shown as the tooltip of the map picture, and the server status of the demo's
# fake servers on 127.0.0.1.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
source "$root/scripts/wine-env.sh"
demo="$root/build/demo"
[ "$VEXAL_WINE_BITS" = 64 ] && demo="$root/build/demo64"
"$root/scripts/make-demo.sh" "$VEXAL_WIN_BUILD" "$demo"
cp -f "$VEXAL_WIN_BUILD/Vexal.exe" "$demo/program/Vexal.exe"
mkdir -p "$root/docs"
cd "$demo/program"
python3 "$root/demo/servers.py" --minutes 2 & servers=$!
trap 'kill "$servers" 2>/dev/null || true' EXIT
xvfb-run -a -s '-screen 0 1024x768x24' bash -c '
  wine explorer /desktop=Vexal,1024x768 Vexal.exe & pid=$!
  sleep 8
  import -window root /tmp/vexal-shot-window.png
  # Over the map picture: the statistics appear as its tooltip.
  xdotool mousemove 320 330; sleep 0.3; xdotool mousemove 330 340; sleep 2
  import -window root /tmp/vexal-shot-tooltip.png
  xdotool key F5; sleep 3
  import -window root /tmp/vexal-shot-servers.png
  wineserver -k || true
  wait $pid 2>/dev/null || true'
# The same window on a screen at 150% (144 dpi): Wine reads LogPixels when a program
# starts; the value before is put back afterwards.
before=$(wine reg query 'HKCU\Control Panel\Desktop' /v LogPixels 2>/dev/null | tr -d '\r' |
  awk '/LogPixels/ {print $3}' || true)
wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d 144 /f >/dev/null 2>&1
xvfb-run -a -s '-screen 0 1280x1024x24' bash -c '
  wine explorer /desktop=Vexal,1280x1024 Vexal.exe & pid=$!
  sleep 10
  import -window root /tmp/vexal-shot-150.png
  wineserver -k || true
  wait $pid 2>/dev/null || true'
if [ -n "$before" ]; then
  wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$((before))" /f >/dev/null 2>&1 || true
else
  wine reg delete 'HKCU\Control Panel\Desktop' /v LogPixels /f >/dev/null 2>&1 || true
fi
wineserver -w
# The window stands centred on the desktop above its taskbar: cut it out by the desktop's colour.
convert /tmp/vexal-shot-150.png -crop 1280x980+0+0 +repage -trim +repage "$root/docs/main-window-150.png"
convert /tmp/vexal-shot-window.png -crop 560x385+231+191 +repage "$root/docs/main-window.png"
convert /tmp/vexal-shot-tooltip.png -crop 560x385+231+191 +repage "$root/docs/map-statistics.png"
convert /tmp/vexal-shot-servers.png -crop 560x385+231+191 +repage "$root/docs/server-status.png"
echo "docs/main-window.png, docs/main-window-150.png, docs/map-statistics.png and docs/server-status.png retaken"
