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

namespace {
bool isSet(const std::string& value) { return value.size() >= 2; }
}  // namespace

void TfrmVexal::MyHintProc(const std::string& hint) { setStatus(hint); }

std::string TfrmVexal::runHint() const { return shell::text::runHintLong(hotkeyChar); }

std::string TfrmVexal::editorHint() const {
    return isSet(editorPath) ? shell::text::kEditorCurrent + editorPath + ")" : shell::text::kEditorNotConfigured;
}

void TfrmVexal::assignStartHints() {
    const std::string browser = settings::extractFileName(eyePath);

    bitbtnSelDir.setHint(shell::text::kSelDirStatus + gameDir);
    sbtnEditor.setHint(editorHint());
    cbMinimize.setHint(" Minimize Vexal to taskbar or system tray if ET.exe or " + browser + " run");
    cbClose.setHint(" Close Vexal after starting ET.exe or " + browser +
                    "  (if checked, NO global hotkeys available!)");
    btnDelMapList.setHint(" Delete ALL Entries in map list!");
    lbMinET.setHint(cbxHotKey.hint());
    bitbtnEdit.setHint(isSet(lastCfg)
                           ? " Edit Enemy Territory cfg files  (recent cfg: " + settings::extractFileName(lastCfg) + ")"
                           : " Edit Enemy Territory cfg files");

    // Menu items: copies are taken now, after the controls' own start hints.
    const struct {
        const char* item;
        std::string hint;
    } menuHints[] = {
        {"mnuRunET", runHint()},
        {"mnuASE", isSet(eyePath) ? shell::text::kRunProgram + eyePath : " No program configured! Press ASE Button"},
        {"mnuPB", btnPB.hint()},
        {"mnuQuit", bitbtnQuit.hint()},
        {"mnuSelMap", bitbtnSelMap.hint()},
        {"mnuDemo", " Select your ET demo map (*.dm83)"},
        {"mnuScrShot", " Shows your Screenshots as jpg with your default viewer"},
        {"mnuEdit", bitbtnEdit.hint()},
        {"mnuMapInfo", " Shows map infos for the current ET map"},
        {"mnuLog", " Show the ET logfile etconsole.log"},
        {"mnuASELog", " Show the All Seeing Eye buddylog.txt"},
        {"mnuLaunchInfo", " Server infos about last ET game started with ASE"},
        {"mnuSelETDir", bitbtnSelDir.hint()},
        {"mnuNick", isSet(nickname) ? " Current Nickname for Enemy Territory: " + nickname
                                  : " Nickname for Enemy Territory not yet configured!"},
        {"mnuNotepad", " Fall back to Windows Notepad.exe"},
        {"mnuSelEditor", sbtnEditor.hint()},
        {"mnuMinimize", cbMinimize.hint()},
        {"mnuClose", cbClose.hint()},
        {"mnuTasktray", cbTray.hint()},
        {"mnuDelProfile", cbDelProfile.hint()},
        {"mnuMinMax", " Maximize/Minimize the Parameter listbox size"},
        {"mnuSound", setting(settings::key::sound) ? shell::text::kSoundOn : shell::text::kSoundOff},
        {"mnuBackupZip", " Create a backup from all important Vexal files"},
        {"mnuBackupOnQuit", " Create a backup if Vexal quit"},
        {"mnuRestore", sbtnRestore.hint()},
        {"mnuReadme", " Show readme-vexal.txt"},
        {"mnuETReadme", " Show the Support html files for Enemy Territory"},
        {"mnuDownload", std::string(" Address: ") + tools::texts::kDownloadAddress},
        {"mnuChanges", " Show changes-vexal.txt"},
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
    sbtnBackup.setHint(shell::text::kLastBackup + (isSet(lastBackup) ? lastBackup : shell::text::kNever));
}

void TfrmVexal::sbtnRestoreMouseMove() { sbtnRestore.setHint(shell::text::kRestoreHint); }

void TfrmVexal::bitbtnLogMouseMove() { setStatus(isSet(lastLog) ? " " + lastLog : shell::text::kLogNeverOpened); }

void TfrmVexal::btnPBMouseMove() {
    setStatus(shell::text::kLastPbUpdate + (isSet(pbLog) ? pbLog : shell::text::kNever));
}

void TfrmVexal::lboxParamMouseMove() { setStatus(shell::text::kListHint); }

std::string TfrmVexal::gameFilesFolder(const std::string& kind) const {
    return tools::modFolder(gameDir, edtParam.text(), kind);
}

// The folders are counted as they change, so a mouse move only reads a number.
// A folder that cannot be watched is counted when the pointer comes onto the
// button and kept while it stays there: a tree of a few thousand demos takes tens
// of milliseconds to walk, and mouse moves come by the dozen.
std::int32_t TfrmVexal::hoverCount(const ui::Control& button, const std::string& folder) {
    folderCounts.keep(folder);  // a game folder chosen since the start is kept from now on
    if (const auto kept = folderCounts.current(folder)) return *kept;
    if (application.pointed() != &button || hoverFolder_ != folder) {
        hoverFolder_ = folder;
        hoverCount_ = util::CountFilesInTree(services.fs, folder);
    }
    return hoverCount_;
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
    setStatus(isSet(eyePath) ? shell::text::kRunProgram + eyePath : shell::text::kNoOtherProgram);
}

}  // namespace vexal
