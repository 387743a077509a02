#!/usr/bin/env bash
# Starts Vexal on the built-in demo under Wine. With no display it runs on a
# virtual one, saves a screenshot and says where.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="$root/build/windows"
demo="$root/build/demo"
"$root/scripts/make-demo.sh" "$build" "$demo"
cp -f "$build/Vexal.exe" "$demo/program/Vexal.exe"
source "$root/scripts/wine-env.sh"
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
