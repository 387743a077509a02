#!/usr/bin/env bash
# Starts Vexal on the built-in demo under Wine. With no display it runs on a
# virtual one, saves a screenshot and says where.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
source "$root/scripts/wine-env.sh"
# The demo's stub programs come from the same build as Vexal.exe, so each build has its own demo.
build="$VEXAL_WIN_BUILD"
demo="$root/build/demo"
[ "$VEXAL_WINE_BITS" = 64 ] && demo="$root/build/demo64"
"$root/scripts/make-demo.sh" "$build" "$demo"
cp -f "$build/Vexal.exe" "$demo/program/Vexal.exe"
echo "Vexal: the ${VEXAL_WINE_BITS}-bit build runs the demo: $VEXAL_WINE_WHY"
cd "$demo/program"
# The fake game servers of the demo's server lines: on 127.0.0.1 only, for as long as the demo runs.
if command -v python3 >/dev/null; then
  python3 "$root/demo/servers.py" & servers=$!
  trap 'kill "$servers" 2>/dev/null || true' EXIT
fi
if [ -n "${DISPLAY:-}" ]; then
  wine explorer /desktop=Vexal,1024x768 Vexal.exe
  exit
fi
mkdir -p "$root/artifacts"
shot="$root/artifacts/vexal-demo.png"
xvfb-run -a -s '-screen 0 1024x768x24' bash -c '
  wine explorer /desktop=Vexal,1024x768 Vexal.exe & pid=$!
  sleep 8
  import -window root "'"$shot"'"
  wineserver -k || true
  wait $pid 2>/dev/null || true'
echo "No display: Vexal ran on a virtual screen; screenshot saved to $shot"
