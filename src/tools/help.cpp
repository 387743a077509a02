// The Help menu's ways out of the launcher: the game's documentation, the
// download address and the about box with its tune.
#include "app/main_window.h"
#include "settings/paths.h"
#include "tools/texts.h"
#include "tools/tool_rules.h"
#include "util/utilities.h"

namespace vexal {

void TfrmVexal::mnuETReadmeClick() {
    playFeedback(programDir + settings::kClickSound);
    const std::string docs = gameDir + "\\Docs\\Help\\index.htm";
    if (services.fs.fileExists(docs)) {
        services.shell.open(docs, "", "", platform::ShowCmd::Normal, false);
        return;
    }
    services.dialogs.messageBox(tools::texts::kDocsMissing + docs + ")", platform::BoxKind::Information,
                                platform::BoxButtons::Ok);
}

void TfrmVexal::mnuDownloadClick() {
    playFeedback(programDir + settings::kClickSound);
    if (!util::InternetConnected(services.connectivity)) {
        services.dialogs.messageBox(tools::texts::kNotConnected, platform::BoxKind::Warning,
                                    platform::BoxButtons::Cancel);
        return;
    }
    application.setTitle(tools::texts::kDownloadTitle);
    if (services.dialogs.messageBox(tools::texts::kReallyDownload, platform::BoxKind::Plain,
                                    platform::BoxButtons::YesCancel) != platform::BoxResult::Yes)
        return;
    services.shell.open(tools::texts::kDownloadAddress, "", "", platform::ShowCmd::Normal, false);
}

void TfrmVexal::mnuAboutClick() {
    const std::string tune = programDir + settings::kAboutSound;
    bool playing = false;
    if (setting(settings::key::sound) && services.fs.fileExists(tune)) {
        // Without an MP3 decoder the tune cannot be opened: the click stands in.
        try {
            services.sound.play(tune, false);
            playing = true;
        } catch (const std::exception&) {
        }
    }
    if (!playing) playFeedback(programDir + settings::kClickSound);
    const std::string text = tools::aboutText(GetVersionText());
    application.setTitle(tools::texts::kAboutTitle);
    services.dialogs.messageBox(text, platform::BoxKind::Plain, platform::BoxButtons::Ok);
    services.sound.close();  // the tune ends with the box
}

}  // namespace vexal
