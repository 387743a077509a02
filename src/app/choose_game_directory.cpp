#include <algorithm>

#include "app/main_window.h"
#include "app/texts.h"
#include "settings/paths.h"

namespace vexal {

namespace {

// Where the installers of ET:Legacy (64-bit, then 32-bit) and of ET 2.60b noted their folder.
std::string installedGameFolder(platform::Services& services) {
    using View = platform::Registry::View;
    const struct {
        const char* key;
        View view;
    } places[] = {{"SOFTWARE\\ETLegacy", View::Bits64},
                  {"SOFTWARE\\ETLegacy", View::Bits32},
                  {"SOFTWARE\\Activision\\Wolfenstein - Enemy Territory", View::Bits32}};
    for (const auto& place : places) {
        const auto folder = services.registry.readMachineString(place.key, "InstallPath", place.view);
        if (folder && !folder->empty() && services.fs.directoryExists(*folder)) return *folder;
    }
    return {};
}

}  // namespace

// Chooses the game folder. The window caption and the hints keep the previous
// folder until the next refresh; a folder without a game program ends the program.
void TfrmVexal::bitbtnSelDirClick() {
    playClick();
    if (!services.fs.directoryExists(gameDir)) gameDir.clear();
    // With no folder known yet, the dialog opens at the game an installer put in place.
    const std::string preselect = gameDir.empty() ? installedGameFolder(services) : gameDir;
    if (auto chosen = services.dialogs.browseForFolder(text::kGameFolderTitle, preselect)) gameDir = *chosen;
    // With no folder at all the joined name would be "\et.exe" at the root of the
    // current drive, which proves nothing about a game installation.
    const auto present = programsIn(gameDir);
    if (!present.empty()) {
        settings::write(config.doc(), settings::key::etPath, gameDir);
        keepGameProgram(present);
        saveSettings();
    } else {
        services.dialogs.messageBox(text::kNoGame, platform::BoxKind::Error, platform::BoxButtons::Cancel);
        application.terminate();
    }
}

// The stored program while the folder holds it, else the folder's first. A folder
// of et.exe that never had another program leaves the settings file as it was.
bool TfrmVexal::keepGameProgram(const std::vector<settings::GameProgram>& present) {
    const std::string stored = settings::read(config.doc(), settings::key::etProgram);
    const auto chosen = settings::chooseProgram(stored, present);
    if (!chosen) return false;
    gameProgram = *chosen;
    const std::string file = settings::programFile(*chosen);
    if (stored == file || (stored.empty() && *chosen == settings::GameProgram::Et)) return false;
    settings::write(config.doc(), settings::key::etProgram, file);
    return true;
}

void TfrmVexal::chooseGameProgram(settings::GameProgram program) {
    playClick();
    // The menu showed what the folder held when it opened; it may have changed since.
    const auto present = programsIn(gameDir);
    if (std::find(present.begin(), present.end(), program) == present.end()) return;
    gameProgram = program;
    settings::write(config.doc(), settings::key::etProgram, settings::programFile(program));
    saveSettings();
    keepFolderCounts();
}

// At every start and refresh: the stored program, or the one that replaces it when
// it has gone from the folder, which the status line says once.
void TfrmVexal::loadGameProgram() {
    const std::string stored = settings::read(config.doc(), settings::key::etProgram);
    const auto present = programsIn(gameDir);
    gameProgram = settings::programNamed(stored).value_or(settings::GameProgram::Et);
    if (present.empty() || !keepGameProgram(present)) return;
    saveSettings();
    programNotice_ = text::programGone(stored.empty() ? settings::programFile(settings::GameProgram::Et) : stored,
                                       settings::programFile(gameProgram));
}

}  // namespace vexal
