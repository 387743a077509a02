#!/usr/bin/env bash
# The long kill test: writers of the settings file, both list files, the game's
# autoexec.cfg and the backup archive are each killed at random SOAK_KILLS (1000)
# times; after every kill each file must be the old one or the new one, and no
# temporary file may outlive the next start. Takes hours at 1000: about a second a kill.
#
#   SOAK_KILLS=1000 scripts/run-soak.sh
set -uo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
cd "$root"
kills=${SOAK_KILLS:-1000}
source scripts/wine-env.sh
failed=()
for kind in settings params maps autoexec; do
    scripts/test-atomic-kill.sh "$VEXAL_WIN_BUILD/atomic_writer.exe" "$kills" "$kind" || failed+=("$kind")
done
scripts/test-backup-kill.sh "$VEXAL_WIN_BUILD/backup_writer.exe" "$kills" || failed+=(backup)
# The restore's own kill test, when there is one, takes the same count: called as
# `scripts/test-restore-kill.sh "" KILLS` (its program, then the number of kills).
if [ -x scripts/test-restore-kill.sh ]; then
    scripts/test-restore-kill.sh "" "$kills" || failed+=(restore)
else
    echo "restore: no kill test yet (scripts/test-restore-kill.sh \"\" KILLS would be run here)"
fi
wineserver -k 2>/dev/null || true
if [ ${#failed[@]} -gt 0 ]; then
    echo "soak: $kills kills each: FAILED: ${failed[*]}"
    exit 1
fi
echo "soak: $kills kills each: every file old or new after every kill"
