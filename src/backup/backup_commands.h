#pragma once
// Backup to and restore from backup\Vexal-backup.zip, and what the two commands
// keep between them and for the program entry.
#include "backup/restore_swap.h"
#include "backup/zip_archive.h"
#include "platform/platform.h"
#include "view/main_view.h"

namespace vexal::backup {

class BackupCommands {
public:
    explicit BackupCommands(view::MainView& view) : v_(view) {}

    void backup();
    void toggleOnQuit();
    void restore();
    void restoreOnRequest();  // the show step of the "restore" switch

    // Held already by the start that repaired an interrupted restore.
    void restoreLockTaken() { holdsRestoreLock_ = true; }

    // Set by a restore: the program entry starts the new copy once this one is gone.
    [[nodiscard]] bool restartRequested() const { return restartRequested_; }

private:
    // One copy at a time works on the program folder. Taken by the first restore and
    // then held. False when another copy holds it.
    [[nodiscard]] bool takeRestoreLock() {
        if (!holdsRestoreLock_) holdsRestoreLock_ = v_.services.process.createMutex(kRestoreLock);
        return holdsRestoreLock_;
    }
    void progress(double percent, ZipOperation operation, ZipPhase phase);
    // Starts a fresh copy of the program and closes this one.
    void restart();

    view::MainView& v_;
    bool holdsRestoreLock_ = false;
    bool restartRequested_ = false;
};

}  // namespace vexal::backup
