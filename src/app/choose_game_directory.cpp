#include "app/main_window.h"
#include "app/texts.h"
#include "settings/paths.h"

namespace vexal {

// Chooses the game folder. The window caption and the hints keep the previous
// folder until the next refresh; a folder without et.exe ends the program.
void TfrmVexal::bitbtnSelDirClick() {
    playClick();
    if (!services.fs.directoryExists(gameDir)) gameDir.clear();
    if (auto chosen = services.dialogs.browseForFolder(text::kGameFolderTitle, gameDir)) gameDir = *chosen;
    // With no folder at all the joined name would be "\et.exe" at the root of the
    // current drive, which proves nothing about a game installation.
    if (!gameDir.empty() && services.fs.fileExists(gameDir + "\\" + settings::kGameExe)) {
        settings::write(config.doc(), settings::key::etPath, gameDir);
        saveSettings();
    } else {
        services.dialogs.messageBox(text::kNoGame, platform::BoxKind::Error, platform::BoxButtons::Cancel);
        application.terminate();
    }
}

}  // namespace vexal
