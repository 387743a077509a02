// The server browser and the PunkBuster updater, started like the game itself.
#include "settings/paths.h"
#include "tools/texts.h"
#include "tools/toolbox.h"
#include "util/utilities.h"

namespace vexal::tools {

void Toolbox::runBrowser() {
    v.playFeedback(v.programDir + settings::kClickSound);
    links_.deleteProfile();
    if (!v.services.fs.fileExists(v.eyePath)) {
        askForProgram(v.eyePath, settings::key::eyePath, texts::kSelectProgramTitle);
        // Still nothing to start (the choice was cancelled): the launcher stays as it is.
        if (!v.services.fs.fileExists(v.eyePath)) return;
    }
    // The shell is asked first: a program it refuses is reported, and the
    // launcher neither hides nor closes for a start that did not happen.
    v.services.shell.open(v.eyePath, "", "", platform::ShowCmd::Show, true);
    if (v.cbMinimize.checked()) v.application.minimize();
    if (v.cbClose.checked()) v.close();  // the program ends once this handler has returned
    links_.gameStarted(true);
}

void Toolbox::updatePunkBuster() {
    v.playFeedback(v.programDir + settings::kClickSound);
    v.application.setTitle(texts::kLastPbUpdate + (settings::isSet(v.pbLog) ? v.pbLog : std::string(view::kNever)));
    if (!util::InternetConnected(v.services.connectivity)) {
        v.services.dialogs.messageBox(texts::kNotConnected, platform::BoxKind::Warning, platform::BoxButtons::Cancel);
        links_.refresh();
        return;
    }
    if (v.services.dialogs.messageBox(texts::kReallyUpdate, platform::BoxKind::Plain,
                                      platform::BoxButtons::YesCancel) != platform::BoxResult::Yes)
        return;
    const std::string folder = v.gameDir + "\\pb";
    const std::string updater = folder + "\\pbweb.exe";
    if (!v.services.fs.fileExists(updater)) {
        v.services.dialogs.messageBox(texts::kUpdaterMissing + folder + texts::kUpdaterMissingEnd,
                                      platform::BoxKind::Warning, platform::BoxButtons::Ok);
        return;
    }
    // The updater looks for its files in its own folder.
    util::enterFolder(v.services.fs, folder);
    v.playFeedback(v.programDir + settings::kClickSound);
    v.services.shell.open(updater, "", "", platform::ShowCmd::Show, false);
    // Recorded only once the shell has accepted the start.
    settings::write(v.config.doc(), settings::key::pblog, v.services.clock.dateTimeText(v.services.clock.now()));
    v.saveSettings();
    links_.refresh();
}

}  // namespace vexal::tools
