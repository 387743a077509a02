#include <string>

#include "backup/backup_commands.h"
#include "backup/backup_files.h"
#include "backup/backup_texts.h"
#include "backup/restart.h"
#include "backup/restore_swap.h"
#include "backup/zip_archive.h"
#include "settings/paths.h"
#include "util/error.h"
#include "util/utilities.h"

namespace vexal::backup {

namespace {

// The progress bar lies over the date field; whatever happens, the bar goes and
// the date comes back when the command ends.
class ProgressScope {
public:
    explicit ProgressScope(view::MainView& view) : v_(view) { v_.stDate.setVisible(false); }
    ~ProgressScope() {
        v_.pb1.setVisible(false);
        v_.stDate.setVisible(true);
    }
    ProgressScope(const ProgressScope&) = delete;
    ProgressScope& operator=(const ProgressScope&) = delete;

private:
    view::MainView& v_;
};

// The progress bar's range for each phase of an archive operation: a third each.
int progressMaximum(ZipPhase phase) { return phase == ZipPhase::Start ? 33 : phase == ZipPhase::Process ? 67 : 100; }

}  // namespace

void BackupCommands::progress(double percent, ZipOperation operation, ZipPhase phase) {
    v_.pb1.setVisible(true);
    v_.pb1.setRange(1, progressMaximum(phase));
    if (operation == ZipOperation::Add || operation == ZipOperation::Replace)
        v_.pb1.setPosition(static_cast<int>(percent));
}

void BackupCommands::backup() {
    auto& v = v_;
    auto& fs = v.services.fs;
    if (!fs.directoryExists(v.backupDir) && !fs.createDirectory(v.backupDir))
        throw Error(text::cannotCreateFolder(v.backupDir));
    {
        ProgressScope scope(v);
        const auto summary = writeBackup(
            fs, v.programDir, settings::extractFileName(v.config.path()), v.backupDir + settings::kBackupArchive,
            [this](double percent, ZipOperation op, ZipPhase phase) { progress(percent, op, phase); });
        // Only the lower 32 bits, as the size routine takes them.
        const std::string size =
            util::FormatByteSize(static_cast<std::uint32_t>(summary.bytes), v.services.clock.numberFormat());
        settings::write(v.config.doc(), settings::key::lastbackup,
                        v.services.clock.dateTimeText(v.services.clock.now()));
        v.saveSettings();
        v.lastBackup = settings::read(v.config.doc(), settings::key::lastbackup);
        v.sbtnBackup.setColour(ui::kClWindowText);
        v.pb1.setVisible(false);
        if (!v.setting(settings::key::backupOnQuit))
            v.services.dialogs.messageBox(text::summary(summary.files, size), platform::BoxKind::Information,
                                          platform::BoxButtons::Ok);
        // Also on quit: a file the backup does not hold is something the user must know.
        if (!summary.leftOut.empty())
            v.services.dialogs.messageBox(text::leftOut(summary.leftOut), platform::BoxKind::Warning,
                                          platform::BoxButtons::Ok);
    }
    v.sbtnRestore.setEnabled(true);
}

void BackupCommands::toggleOnQuit() {
    settings::write(v_.config.doc(), settings::key::backupOnQuit, !v_.setting(settings::key::backupOnQuit));
    v_.saveSettings();
}

void BackupCommands::restore() {
    auto& v = v_;
    auto& fs = v.services.fs;
    if (v.services.dialogs.messageBox(text::kRestoreQuestion, platform::BoxKind::Warning,
                                      platform::BoxButtons::YesNo) != platform::BoxResult::Yes)
        return;
    if (!takeRestoreLock()) throw Error(text::kRestoreBusy);
    const std::string archive = v.backupDir + settings::kBackupArchive;
    {
        ProgressScope scope(v);
        try {
            restoreBackup(fs, v.programDir, settings::extractFileName(v.services.process.exePath()), archive,
                          [this](double percent, ZipOperation op, ZipPhase phase) { progress(percent, op, phase); });
        } catch (const UnfinishedRestore& e) {
            // Part old, part new on disk: this copy adds nothing to it, and the next
            // start completes or undoes the restore from its journal.
            v.config.freeze();
            v.services.dialogs.errorBox(e.what());
            restart();
            return;
        }
        // Any other failure left the folder as it was and this copy saves as before.
        // From here on it saves no settings and no lists: its document in memory is
        // the old one and would undo the restored files.
        v.config.freeze();
        v.pb1.setVisible(false);
    }
    if (fs.fileExists(archive))
        v.services.dialogs.messageBox(text::kRestoreDone, platform::BoxKind::Information, platform::BoxButtons::Ok);
    restart();
}

void BackupCommands::restoreOnRequest() {
    if (!v_.switches.restore) return;
    v_.switches.restore = false;  // served once, not again at the next showing
    restore();
}

void BackupCommands::restart() {
    // Only asked for here: the program entry starts the new copy after this one's
    // window, hotkeys, tray icon and mutex are gone, so the guard cannot turn it
    // away and nothing this copy does on its way out can touch the new one's files.
    restartRequested_ = true;
    v_.close();
}

void startRestoredCopy(platform::Services& services) {
    try {
        services.shell.open(services.process.exePath(), "", "", platform::ShowCmd::Normal, false);
    } catch (const std::exception& e) {
        services.dialogs.errorBox(text::restartFailed(e.what()));
    }
}

}  // namespace vexal::backup
