#pragma once
// What the backup and restore commands keep between them and for the program entry.
#include "backup/restore_swap.h"
#include "backup/zip_archive.h"
#include "platform/platform.h"

namespace vexal::backup {

class BackupCommands {
public:
    // One copy at a time works on the program folder. Taken by the first restore and
    // then held, or already by the start that repaired an interrupted restore.
    // False when another copy holds it.
    [[nodiscard]] bool takeRestoreLock(platform::Process& process) {
        if (!holdsRestoreLock_) holdsRestoreLock_ = process.createMutex(kRestoreLock);
        return holdsRestoreLock_;
    }
    void restoreLockTaken() { holdsRestoreLock_ = true; }

    // Set by a restore: the program entry starts the new copy once this one is gone.
    void requestRestart() { restartRequested_ = true; }
    [[nodiscard]] bool restartRequested() const { return restartRequested_; }

    // The progress bar's range for each phase of an archive operation: a third each.
    [[nodiscard]] static int progressMaximum(ZipPhase phase) {
        return phase == ZipPhase::Start ? 33 : phase == ZipPhase::Process ? 67 : 100;
    }

private:
    bool holdsRestoreLock_ = false;
    bool restartRequested_ = false;
};

}  // namespace vexal::backup
