#!/usr/bin/env bash
# Runs every test level and ends with one summary line; non-zero on any failure.
set -uo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
cd "$root"
failed=()
passed=()
level() { # name command...
  local name=$1; shift
  echo "=== $name"
  if "$@"; then passed+=("$name"); else failed+=("$name"); fi
}

# The product is one file the user copies, and it stays at most 1 MB: the 32-bit Vexal.exe,
# built for the players of this size, is measured on every run and fails the run above it.
size_check() {
  local exe=build/windows/Vexal.exe limit=1048576 size
  size=$(stat -c %s "$exe" 2>/dev/null) || { echo "build/windows/Vexal.exe is missing"; return 1; }
  if [ "$size" -gt "$limit" ]; then
    echo "the 32-bit Vexal.exe is $size bytes, $((size - limit)) over 1 MB ($limit bytes);" \
      "build/windows/Vexal.map says which library and object brings what"
    return 1
  fi
  echo "the 32-bit Vexal.exe is $size bytes, $((limit - size)) under 1 MB"
}
level "size of Vexal.exe (at most 1 MB)" size_check
level "unit (native)" build/native/vexal_unit --gtest_brief=1
level "contract (fakes)" build/native/vexal_contract_fake --gtest_brief=1
level "fuzz targets (corpus and a few seconds each)" scripts/run-fuzz.sh quick

# The Wine levels run the build this machine can run (scripts/wine-env.sh says which and why).
source scripts/wine-env.sh
win="$VEXAL_WIN_BUILD"
bits="${VEXAL_WINE_BITS}-bit"
export VEXAL_ARTIFACTS="$root/artifacts"
mkdir -p "$VEXAL_ARTIFACTS"
level "contract (Win32 under Wine, $bits)" xvfb-run -a wine "$win/vexal_contract_win32.exe" --gtest_brief=1
level "end to end (Wine, $bits)" scripts/run-e2e.sh
level "bench (short, $bits)" scripts/run-bench.sh --short
# Last: killing Wine processes at random can take a program started just after down with them.
level "atomic writes killed at random" scripts/test-atomic-kill.sh "$win/atomic_writer.exe"
level "backups killed at random" scripts/test-backup-kill.sh "$win/backup_writer.exe"
level "program files killed at random" bash -c 'for kind in settings params maps autoexec; do
  scripts/test-atomic-kill.sh "$0/atomic_writer.exe" 5 "$kind" || exit 1; done' "$win"
level "restores killed at random" scripts/test-restore-kill.sh "$win/restore_writer.exe"
wineserver -k 2>/dev/null || true

# Where 32-bit programs cannot run natively, the product itself, the 32-bit Vexal.exe, still runs
# under user-mode emulation: the Win32 contract, and the start-up, a launch the stub game
# records, the single instance and the quit, in one story: emulated, a start takes a minute or two,
# and every wait of the story is made ten times as long.
emulated=""
if [ "$VEXAL_WINE_BITS" = 64 ]; then
  stories='Lifetime.*'
  started=$SECONDS
  level "32-bit Vexal.exe under emulation" scripts/emulated.sh bash -c '
    source scripts/wine-env.sh
    xvfb-run -a wine "$VEXAL_WIN_BUILD/vexal_contract_win32.exe" --gtest_brief=1 || exit 1
    VEXAL_E2E_TIME_SCALE=10 scripts/run-e2e.sh "$0"
    status=$?; wineserver -k 2>/dev/null; exit $status' "$stories"
  if [[ " ${failed[*]} " == *" 32-bit Vexal.exe under emulation "* ]]; then
    emulated="; the 32-bit Vexal.exe FAILED its emulated stories ($((SECONDS - started)) s)"
  else
    emulated="; the 32-bit Vexal.exe passed its emulated stories ($((SECONDS - started)) s)"
  fi
else
  emulated="; the 64-bit build was built"
fi

wine_line="Wine levels ran the ${bits} build: ${VEXAL_WINE_WHY}${emulated}"
echo
if [ ${#failed[@]} -eq 0 ]; then
  echo "SUMMARY: all ${#passed[@]} test levels passed (${passed[*]}). $wine_line."
  exit 0
fi
echo "SUMMARY: ${#failed[@]} of $(( ${#passed[@]} + ${#failed[@]} )) test levels FAILED: ${failed[*]}. $wine_line."
exit 1
