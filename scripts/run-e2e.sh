#!/usr/bin/env bash
# The end-to-end level: the real Vexal.exe under Wine on a virtual screen. The tray
# stories run a second time inside a Wine virtual desktop, whose taskbar has a
# notification area; everything else runs on the bare screen.
set -uo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
source "$root/scripts/wine-env.sh"
artifacts="${VEXAL_ARTIFACTS:-$root/artifacts}"
mkdir -p "$artifacts"
export VEXAL_ARTIFACTS_WIN="$(winpath "$artifacts")"
cd "$VEXAL_WIN_BUILD"
filter="${1:-}"
filter="${filter#--gtest_filter=}"
[ -n "$filter" ] || filter='*'
# Each test starts its own copies of Vexal in throw-away folders.
ran=$(mktemp)
timeout 900 xvfb-run -a -s '-screen 0 1024x768x24' \
  wine vexal_e2e.exe --gtest_brief=1 "--gtest_filter=${filter}:-TrayDesktop.*" 2>&1 | tr -d '\r' |
  grep --line-buffered -v '^ALSA' | tee "$ran"
status=${PIPESTATUS[0]}
# A filter that names no story would pass with nothing run.
if [[ "$filter" != TrayDesktop* ]] && ! grep -q '^\[==========\] [1-9][0-9]* tests\? from' "$ran"; then
  echo "no end-to-end story ran for the filter '$filter'"
  status=1
fi
rm -f "$ran"

# explorer does not hand back the test's exit code: the XML report tells.
report="$artifacts/tray-desktop.xml"
rm -f "$report"
desktop_filter='TrayDesktop.*'
[ "$filter" = '*' ] || desktop_filter="${filter}"
if [ "$filter" = '*' ] || [[ "$filter" == TrayDesktop* ]]; then
  timeout 300 xvfb-run -a -s '-screen 0 1024x768x24' \
    wine explorer /desktop=vexale2e,1024x768 vexal_e2e.exe --gtest_brief=1 "--gtest_filter=${desktop_filter}" \
    "--gtest_output=xml:$(winpath "$report")" 2>&1 | tr -d '\r' | grep --line-buffered -v '^ALSA'
  if [ ! -f "$report" ] || grep -q '<failure' "$report"; then
    echo "tray stories in a virtual desktop FAILED (report: $report)"
    status=1
  fi
fi
for bmp in "$artifacts"/*.bmp; do
  [ -f "$bmp" ] && convert "$bmp" "${bmp%.bmp}.png" && rm -f "$bmp"
done
exit "$status"
