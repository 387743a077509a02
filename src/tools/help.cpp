// The Help menu's ways out of the launcher: the game's documentation, the
// download address and the about box with its tune.
#include "settings/paths.h"
#include "tools/texts.h"
#include "tools/tool_rules.h"
#include "tools/toolbox.h"
#include "util/utilities.h"

namespace vexal::tools {

void Toolbox::gameReadme() {
    v.playFeedback(v.programDir + settings::kClickSound);
    const std::string docs = v.gameDir + "\\Docs\\Help\\index.htm";
    if (v.services.fs.fileExists(docs)) {
        v.services.shell.open(docs, "", "", platform::ShowCmd::Normal, false);
        return;
    }
    v.services.dialogs.messageBox(texts::kDocsMissing + docs + ")", platform::BoxKind::Information,
                                  platform::BoxButtons::Ok);
}

void Toolbox::download() {
    v.playFeedback(v.programDir + settings::kClickSound);
    if (!util::InternetConnected(v.services.connectivity)) {
        v.services.dialogs.messageBox(texts::kNotConnected, platform::BoxKind::Warning, platform::BoxButtons::Cancel);
        return;
    }
    v.application.setTitle(texts::kDownloadTitle);
    if (v.services.dialogs.messageBox(texts::kReallyDownload, platform::BoxKind::Plain,
                                      platform::BoxButtons::YesCancel) != platform::BoxResult::Yes)
        return;
    v.services.shell.open(texts::kDownloadAddress, "", "", platform::ShowCmd::Normal, false);
}

void Toolbox::about() {
    const std::string tune = v.programDir + settings::kAboutSound;
    bool playing = false;
    if (v.setting(settings::key::sound) && v.services.fs.fileExists(tune)) {
        // Without an MP3 decoder the tune cannot be opened: the click stands in.
        try {
            v.services.sound.play(tune, false);
            playing = true;
        } catch (const std::exception&) {
        }
    }
    if (!playing) v.playFeedback(v.programDir + settings::kClickSound);
    const std::string text = aboutText(v.GetVersionText());
    v.application.setTitle(texts::kAboutTitle);
    v.services.dialogs.messageBox(text, platform::BoxKind::Plain, platform::BoxButtons::Ok);
    v.services.sound.close();  // the tune ends with the box
}

}  // namespace vexal::tools
