#!/usr/bin/env bash
# The end-to-end level: the real Vexal.exe under Wine on a virtual screen.
set -uo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
source "$root/scripts/wine-env.sh"
artifacts="${VEXAL_ARTIFACTS:-$root/artifacts}"
mkdir -p "$artifacts"
export VEXAL_ARTIFACTS_WIN="$(winpath "$artifacts")"
cd "$root/build/windows"
# Each test starts its own copies of Vexal in throw-away folders.
timeout 900 xvfb-run -a -s '-screen 0 1024x768x24' \
  wine vexal_e2e.exe --gtest_brief=1 "$@" 2>&1 | tr -d '\r'
status=${PIPESTATUS[0]}
for bmp in "$artifacts"/*.bmp; do
  [ -f "$bmp" ] && convert "$bmp" "${bmp%.bmp}.png" && rm -f "$bmp"
done
exit "$status"
