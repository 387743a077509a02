// Backup to and restore from backup\Vexal-backup.zip.
#include <string>

#include "app/main_window.h"
#include "backup/backup_files.h"
#include "backup/backup_texts.h"
#include "backup/restart.h"
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

constexpr const char* kTempSuffix = ".tmp";

}  // namespace

void TfrmVexal::zipOverallProgress(double percent, backup::ZipOperation operation, backup::ZipPhase phase) {
    pb1.setVisible(true);
    const int maximum = phase == backup::ZipPhase::Start ? 33 : phase == backup::ZipPhase::Process ? 67 : 100;
    pb1.setRange(1, maximum);
    if (operation == backup::ZipOperation::Add || operation == backup::ZipOperation::Replace)
        pb1.setPosition(static_cast<int>(percent));
}

void TfrmVexal::sbtnBackupClick() {
    auto& fs = services.fs;
    if (!fs.directoryExists(backupDir) && !fs.createDirectory(backupDir))
        throw Error(backup::text::cannotCreateFolder(backupDir));
    const std::string archive = backupDir + settings::kBackupArchive;
    {
        ProgressScope progress(*this);
        const auto sources = backup::backupSources(fs, programDir, settings::extractFileName(config.path()));
        std::uint64_t total = 0, done = 0;
        for (const auto& s : sources) total += s.size;
        auto percent = [&](std::uint64_t extra) {
            return total == 0 ? 100.0 : 100.0 * static_cast<double>(done + extra) / static_cast<double>(total);
        };
        const auto operation = fs.fileExists(archive) ? backup::ZipOperation::Replace : backup::ZipOperation::Add;

        backup::ZipWriter zip;
        std::size_t files = 0;
        for (const auto& source : sources) {
            zipOverallProgress(percent(0), operation, backup::ZipPhase::Start);
            std::string data;
            if (!source.isFolder()) {
                auto bytes = fs.readFile(source.path);
                if (!bytes) {
                    if (fs.fileExists(source.path)) throw Error(backup::text::unreadableSource(source.path));
                    continue;  // gone since the listing: skipped like any missing file
                }
                data = std::move(*bytes);
            }
            zip.add(source.name, data, source.attributes, source.time, [&](std::size_t chunk) {
                zipOverallProgress(percent(chunk), operation, backup::ZipPhase::Process);
            });
            done += source.size;
            if (!source.isFolder()) ++files;
            zipOverallProgress(percent(0), operation, backup::ZipPhase::End);
        }
        const std::string bytes = zip.finish();

        // The new archive goes beside the old one and replaces it only when it is
        // complete on disk and reads back as what was written: a full disk, a lock
        // or a kill half way leaves the previous backup as it was.
        const std::string temp = archive + kTempSuffix;
        try {
            (void)backup::verifyZip(bytes);
            fs.writeFileAtomic(temp, bytes);
            if (fs.readFile(temp) != bytes)
                throw Error(backup::text::badNewArchive("It differs from what was written."));
            fs.replaceFile(temp, archive);
        } catch (...) {
            (void)fs.deleteFile(temp);
            throw;
        }

        const std::string size =
            util::FormatByteSize(static_cast<std::uint32_t>(bytes.size()), services.clock.numberFormat());
        config.doc().writeString("Logs", "lastbackup", services.clock.dateTimeText(services.clock.now()));
        config.updateFile();
        lastBackup = config.doc().readString("Logs", "lastbackup", "");
        sbtnBackup.setColour(ui::kClWindowText);
        pb1.setVisible(false);
        if (!mnuBackupOnQuit->checked())
            services.dialogs.messageBox(backup::text::summary(files, size), platform::BoxKind::Information,
                                        platform::BoxButtons::Ok);
    }
    sbtnRestore.setEnabled(true);
}

void TfrmVexal::mnuBackupOnQuitClick() {
    config.doc().writeBool("Backup", "BackupOnQuit", mnuBackupOnQuit->checked());
    config.updateFile();
}

void TfrmVexal::sbtnRestoreClick() {
    auto& fs = services.fs;
    if (services.dialogs.messageBox(backup::text::kRestoreQuestion, platform::BoxKind::Warning,
                                    platform::BoxButtons::YesNo) != platform::BoxResult::Yes)
        return;
    const std::string archive = backupDir + settings::kBackupArchive;
    {
        ProgressScope progress(*this);
        if (!fs.fileExists(archive)) throw Error(backup::text::missingArchive(archive));
        const auto bytes = fs.readFile(archive);
        if (!bytes) throw Error(backup::text::damaged("The file cannot be read."));
        // Everything is checked before the first file is touched.
        const auto entries = backup::verifyZip(*bytes);
        const auto plan =
            backup::planRestore(fs, programDir, settings::extractFileName(services.process.exePath()), entries);
        // From here on this copy writes no settings and no lists: its document in
        // memory is the old one and would undo the restored files.
        config.freeze();
        backup::extractPlanned(fs, *bytes, plan,
                               [this](double percent, backup::ZipOperation op, backup::ZipPhase phase) {
                                   zipOverallProgress(percent, op, phase);
                               });
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

void TfrmVexal::wireBackupEvents() {
    auto on = [this](std::function<void()>& event, void (TfrmVexal::*handler)()) {
        event = [this, handler] { (this->*handler)(); };
    };
    on(sbtnBackup.onClick, &TfrmVexal::sbtnBackupClick);
    on(mnuBackupZip->onClick, &TfrmVexal::mnuBackupZipClick);
    on(mnuBackupOnQuit->onClick, &TfrmVexal::mnuBackupOnQuitClick);
    on(sbtnRestore.onClick, &TfrmVexal::sbtnRestoreClick);
    on(mnuRestore->onClick, &TfrmVexal::mnuRestoreClick);
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
