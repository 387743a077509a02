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

level "unit (native)" build/native/vexal_unit --gtest_brief=1
level "contract (fakes)" build/native/vexal_contract_fake --gtest_brief=1
level "fuzz targets (corpus and a few seconds each)" scripts/run-fuzz.sh quick

source scripts/wine-env.sh
export VEXAL_ARTIFACTS="$root/artifacts"
mkdir -p "$VEXAL_ARTIFACTS"
level "contract (Win32 under Wine)" xvfb-run -a wine build/windows/vexal_contract_win32.exe --gtest_brief=1
level "end to end (Wine)" scripts/run-e2e.sh
level "bench (short)" scripts/run-bench.sh --short
# Last: killing Wine processes at random can take a program started just after down with them.
level "atomic writes killed at random" scripts/test-atomic-kill.sh build/windows/atomic_writer.exe
level "backups killed at random" scripts/test-backup-kill.sh build/windows/backup_writer.exe
level "program files killed at random" bash -c 'for kind in settings params maps autoexec; do
  scripts/test-atomic-kill.sh build/windows/atomic_writer.exe 5 "$kind" || exit 1; done'
level "restores killed at random" scripts/test-restore-kill.sh build/windows/restore_writer.exe
wineserver -k 2>/dev/null || true

echo
if [ ${#failed[@]} -eq 0 ]; then
  echo "SUMMARY: all ${#passed[@]} test levels passed (${passed[*]})"
  exit 0
fi
echo "SUMMARY: ${#failed[@]} of $(( ${#passed[@]} + ${#failed[@]} )) test levels FAILED: ${failed[*]}"
exit 1
