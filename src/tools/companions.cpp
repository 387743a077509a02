// The server browser and the PunkBuster updater, started like the game itself.
#include "app/main_window.h"
#include "settings/paths.h"
#include "shell/texts.h"
#include "tools/texts.h"
#include "util/utilities.h"

namespace vexal {

void TfrmVexal::bitbtnASEClick() {
    playFeedback(programDir + settings::kClickSound);
    cbDelProfileClick();
    if (!services.fs.fileExists(eyePath)) {
        clearOdCfg();
        odCfg.filter = tools::texts::kExeFilter;
        odCfg.title = tools::texts::kSelectProgramTitle;
        if (const auto files = services.dialogs.openFile(odCfg)) eyePath = files->front();
        settings::write(config.doc(), settings::key::eyePath, eyePath);
        saveSettings();
        // Still nothing to start (the choice was cancelled): the launcher stays as it is.
        if (!services.fs.fileExists(eyePath)) return;
    }
    // The shell is asked first: a program it refuses is reported, and the
    // launcher neither hides nor closes for a start that did not happen.
    services.shell.open(eyePath, "", "", platform::ShowCmd::Show, true);
    if (cbMinimize.checked()) application.minimize();
    if (cbClose.checked()) close();  // the program ends once this handler has returned
    launcher.gameStarted(true);
}

void TfrmVexal::bitbtnASEExit() { launcher.gameStarted(false); }

void TfrmVexal::btnPBClick() {
    playFeedback(programDir + settings::kClickSound);
    application.setTitle(tools::texts::kLastPbUpdate +
                         (settings::isSet(pbLog) ? pbLog : std::string(shell::text::kNever)));
    if (!util::InternetConnected(services.connectivity)) {
        services.dialogs.messageBox(tools::texts::kNotConnected, platform::BoxKind::Warning,
                                    platform::BoxButtons::Cancel);
        refresh();
        return;
    }
    if (services.dialogs.messageBox(tools::texts::kReallyUpdate, platform::BoxKind::Plain,
                                    platform::BoxButtons::YesCancel) != platform::BoxResult::Yes)
        return;
    const std::string folder = gameDir + "\\pb";
    const std::string updater = folder + "\\pbweb.exe";
    if (!services.fs.fileExists(updater)) {
        services.dialogs.messageBox(tools::texts::kUpdaterMissing + folder + tools::texts::kUpdaterMissingEnd,
                                    platform::BoxKind::Warning, platform::BoxButtons::Ok);
        return;
    }
    // The updater looks for its files in its own folder.
    util::enterFolder(services.fs, folder);
    playFeedback(programDir + settings::kClickSound);
    services.shell.open(updater, "", "", platform::ShowCmd::Show, false);
    // Recorded only once the shell has accepted the start.
    settings::write(config.doc(), settings::key::pblog, services.clock.dateTimeText(services.clock.now()));
    saveSettings();
    refresh();
}

}  // namespace vexal
