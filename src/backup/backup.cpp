// Backup to and restore from backup\Vexal-backup.zip.
#include <string>

#include "app/main_window.h"
#include "backup/backup_files.h"
#include "backup/backup_texts.h"
#include "backup/restart.h"
#include "backup/restore_swap.h"
#include "backup/zip_archive.h"
#include "settings/paths.h"
#include "util/error.h"
#include "util/utilities.h"

namespace vexal {

namespace {

// The progress bar lies over the date field; whatever happens, the bar goes and
// the date comes back when the command ends.
class ProgressScope {
public:
    explicit ProgressScope(TfrmVexal& form) : form_(form) { form_.stDate.setVisible(false); }
    ~ProgressScope() {
        form_.pb1.setVisible(false);
        form_.stDate.setVisible(true);
    }
    ProgressScope(const ProgressScope&) = delete;
    ProgressScope& operator=(const ProgressScope&) = delete;

private:
    TfrmVexal& form_;
};

}  // namespace

void TfrmVexal::zipOverallProgress(double percent, backup::ZipOperation operation, backup::ZipPhase phase) {
    pb1.setVisible(true);
    pb1.setRange(1, backup::BackupCommands::progressMaximum(phase));
    if (operation == backup::ZipOperation::Add || operation == backup::ZipOperation::Replace)
        pb1.setPosition(static_cast<int>(percent));
}

void TfrmVexal::sbtnBackupClick() {
    auto& fs = services.fs;
    if (!fs.directoryExists(backupDir) && !fs.createDirectory(backupDir))
        throw Error(backup::text::cannotCreateFolder(backupDir));
    {
        ProgressScope progress(*this);
        const auto summary = backup::writeBackup(
            fs, programDir, settings::extractFileName(config.path()), backupDir + settings::kBackupArchive,
            [this](double percent, backup::ZipOperation op, backup::ZipPhase phase) {
                zipOverallProgress(percent, op, phase);
            });
        // Only the lower 32 bits, as the size routine takes them.
        const std::string size =
            util::FormatByteSize(static_cast<std::uint32_t>(summary.bytes), services.clock.numberFormat());
        settings::write(config.doc(), settings::key::lastbackup, services.clock.dateTimeText(services.clock.now()));
        saveSettings();
        lastBackup = settings::read(config.doc(), settings::key::lastbackup);
        sbtnBackup.setColour(ui::kClWindowText);
        pb1.setVisible(false);
        if (!setting(settings::key::backupOnQuit))
            services.dialogs.messageBox(backup::text::summary(summary.files, size), platform::BoxKind::Information,
                                        platform::BoxButtons::Ok);
        // Also on quit: a file the backup does not hold is something the user must know.
        if (!summary.leftOut.empty())
            services.dialogs.messageBox(backup::text::leftOut(summary.leftOut), platform::BoxKind::Warning,
                                        platform::BoxButtons::Ok);
    }
    sbtnRestore.setEnabled(true);
}

void TfrmVexal::mnuBackupOnQuitClick() {
    settings::write(config.doc(), settings::key::backupOnQuit, !setting(settings::key::backupOnQuit));
    saveSettings();
}

void TfrmVexal::sbtnRestoreClick() {
    auto& fs = services.fs;
    if (services.dialogs.messageBox(backup::text::kRestoreQuestion, platform::BoxKind::Warning,
                                    platform::BoxButtons::YesNo) != platform::BoxResult::Yes)
        return;
    if (!backupCommands.takeRestoreLock(services.process)) throw Error(backup::text::kRestoreBusy);
    const std::string archive = backupDir + settings::kBackupArchive;
    {
        ProgressScope progress(*this);
        try {
            backup::restoreBackup(fs, programDir, settings::extractFileName(services.process.exePath()), archive,
                                  [this](double percent, backup::ZipOperation op, backup::ZipPhase phase) {
                                      zipOverallProgress(percent, op, phase);
                                  });
        } catch (const backup::UnfinishedRestore& e) {
            // Part old, part new on disk: this copy adds nothing to it, and the next
            // start completes or undoes the restore from its journal.
            config.freeze();
            services.dialogs.errorBox(e.what());
            restartProgram();
            return;
        }
        // Any other failure left the folder as it was and this copy saves as before.
        // From here on it saves no settings and no lists: its document in memory is
        // the old one and would undo the restored files.
        config.freeze();
        pb1.setVisible(false);
    }
    if (fs.fileExists(archive))
        services.dialogs.messageBox(backup::text::kRestoreDone, platform::BoxKind::Information,
                                    platform::BoxButtons::Ok);
    restartProgram();
}

void TfrmVexal::restoreOnRequest() {
    if (!switches.restore) return;
    switches.restore = false;  // served once, not again at the next showing
    sbtnRestoreClick();
}

namespace backup {

void startRestoredCopy(platform::Services& services) {
    try {
        services.shell.open(services.process.exePath(), "", "", platform::ShowCmd::Normal, false);
    } catch (const std::exception& e) {
        services.dialogs.errorBox(text::restartFailed(e.what()));
    }
}

}  // namespace backup

}  // namespace vexal
