// The status line: the hints that start-up assigns, the texts that some controls
// compute afresh while the mouse moves over them, and the focus texts.
#include "app/main_window.h"
#include "app/wiring.h"
#include "settings/paths.h"
#include "shell/texts.h"
#include "tools/texts.h"
#include "tools/tool_rules.h"
#include "util/utilities.h"

namespace vexal {

void TfrmVexal::MyHintProc(const std::string& hint) { setStatus(hint); }

std::string TfrmVexal::runHint() const { return shell::text::runHintLong(minimizer.key()); }

std::string TfrmVexal::editorHint() const {
    return settings::isSet(editorPath) ? shell::text::kEditorCurrent + editorPath + ")"
                                       : shell::text::kEditorNotConfigured;
}

void TfrmVexal::assignStartHints() {
    const std::string browser = settings::extractFileName(eyePath);

    bitbtnSelDir.setHint(shell::text::kSelDirStatus + gameDir);
    sbtnEditor.setHint(editorHint());
    cbMinimize.setHint(shell::text::kMinimizeHint + browser + shell::text::kRun);
    cbClose.setHint(shell::text::kCloseHint + browser + shell::text::kCloseHintEnd);
    btnDelMapList.setHint(shell::text::kDelMapListHint);
    lbMinET.setHint(cbxHotKey.hint());
    bitbtnEdit.setHint(tools::editHint(lastCfg));

    // Menu items: copies are taken now, after the controls' own start hints.
    const struct {
        const char* item;
        std::string hint;
    } menuHints[] = {
        {"mnuRunET", runHint()},
        {"mnuASE", settings::isSet(eyePath) ? shell::text::kRunProgram + eyePath : shell::text::kNoProgram},
        {"mnuPB", btnPB.hint()},
        {"mnuQuit", bitbtnQuit.hint()},
        {"mnuSelMap", bitbtnSelMap.hint()},
        {"mnuDemo", shell::text::kDemoHint},
        {"mnuScrShot", shell::text::kScreenshotHint},
        {"mnuEdit", bitbtnEdit.hint()},
        {"mnuMapInfo", shell::text::kMapInfoHint},
        {"mnuLog", shell::text::kLogHint},
        {"mnuASELog", shell::text::kBuddyLogHint},
        {"mnuLaunchInfo", shell::text::kLaunchInfoHint},
        {"mnuSelETDir", bitbtnSelDir.hint()},
        {"mnuNick", settings::isSet(nickname) ? tools::texts::kNickHint + nickname : shell::text::kNoNickname},
        {"mnuNotepad", shell::text::kNotepadHint},
        {"mnuSelEditor", sbtnEditor.hint()},
        {"mnuMinimize", cbMinimize.hint()},
        {"mnuClose", cbClose.hint()},
        {"mnuTasktray", cbTray.hint()},
        {"mnuDelProfile", cbDelProfile.hint()},
        {"mnuMinMax", shell::text::kMinMaxHint},
        {"mnuSound", setting(settings::key::sound) ? shell::text::kSoundOn : shell::text::kSoundOff},
        {"mnuBackupZip", shell::text::kBackupHint},
        {"mnuBackupOnQuit", shell::text::kBackupOnQuitHint},
        {"mnuRestore", sbtnRestore.hint()},
        {"mnuReadme", shell::text::kReadmeHint},
        {"mnuETReadme", shell::text::kSupportHint},
        {"mnuDownload", std::string(shell::text::kAddress) + tools::texts::kDownloadAddress},
        {"mnuChanges", shell::text::kChangesHint},
        {"mnuAbout", " " + imgAbout.hint()},
    };
    for (const auto& [item, hint] : menuHints) menuItem(item)->setHint(hint);
}

// ---- mouse-move texts -------------------------------------------------------

// Pointing at the status line afterwards names the game folder.
void TfrmVexal::bitbtnSelDirMouseMove() { stInfo.setHint(bitbtnSelDir.hint()); }

void TfrmVexal::imgAboutMouseMove() {
    setStatus(shell::text::kInstallDir + programDir);
    // The map statistics are long: give the reader time.
    application.hintHidePause = 60000;
}

void TfrmVexal::sbtnNotepadMouseMove() {
    const std::string notepad = services.process.environment("windir") + "\\notepad.exe";
    setStatus(services.fs.fileExists(notepad) ? shell::text::kNotepadAvailable + notepad + shell::text::kAvailable
                                              : shell::text::kNoNotepad);
}

void TfrmVexal::sbtnEditorMouseMove() { setStatus(editorHint()); }

void TfrmVexal::sbtnBackupMouseMove() {
    sbtnBackup.setHint(shell::text::kLastBackup + (settings::isSet(lastBackup) ? lastBackup : shell::text::kNever));
}

void TfrmVexal::sbtnRestoreMouseMove() { sbtnRestore.setHint(shell::text::kRestoreHint); }

void TfrmVexal::bitbtnLogMouseMove() {
    setStatus(settings::isSet(lastLog) ? " " + lastLog : shell::text::kLogNeverOpened);
}

void TfrmVexal::btnPBMouseMove() {
    setStatus(shell::text::kLastPbUpdate + (settings::isSet(pbLog) ? pbLog : shell::text::kNever));
}

void TfrmVexal::lboxParamMouseMove() { setStatus(shell::text::kListHint); }

std::string TfrmVexal::gameFilesFolder(const std::string& kind) const {
    return tools::modFolder(gameDir, edtParam.text(), kind);
}

// The folders are counted as they change, so a mouse move only reads a number.
std::int32_t TfrmVexal::hoverCount(const ui::Control& button, const std::string& folder) {
    folderCounts.keep(folder);  // a game folder chosen since the start is kept from now on
    if (const auto kept = folderCounts.current(folder)) return *kept;
    return unwatchedCount.count(services.fs, folder, application.pointed() == &button);
}

namespace {
// Appended piece by piece: GCC 12 at -O2 takes " " + a temporary string for an
// overlapping copy and stops the build.
std::string countText(std::int32_t count, const char* what, const std::string& folder) {
    std::string text(" ");
    text += std::to_string(count);
    text += what;
    text += folder;
    text += shell::text::kAvailable;
    return text;
}
}  // namespace

void TfrmVexal::bitbtnDemoMouseMove() {
    const std::string folder = gameFilesFolder("demos");
    setStatus(countText(hoverCount(bitbtnDemo, folder), shell::text::kDemoFiles, folder));
}

void TfrmVexal::bitbtnPictureMouseMove() {
    const std::string folder = gameFilesFolder("screenshots");
    setStatus(countText(hoverCount(bitbtnPicture, folder), shell::text::kScreenshots, folder));
}

void TfrmVexal::bitbtnSelMapMouseMove() { setStatus(mnuSelMap->hint()); }

void TfrmVexal::bitbtnRunMouseMove() {
    bitbtnRun.setHint(runHint());
    mnuRunET->setHint(runHint());
}

void TfrmVexal::bitbtnASEMouseMove() {
    setStatus(settings::isSet(eyePath) ? shell::text::kRunProgram + eyePath : shell::text::kNoOtherProgram);
}

}  // namespace vexal
