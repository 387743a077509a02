// The status line and the hints that start-up assigns.
#include "app/main_window.h"
#include "settings/paths.h"

namespace vexal {

namespace {
bool isSet(const std::string& value) { return value.size() >= 2; }
}  // namespace

void TfrmVexal::MyHintProc(const std::string& hint) { setStatus(hint); }

void TfrmVexal::assignStartHints() {
    const std::string browser = settings::extractFileName(eyePath);

    bitbtnSelDir.setHint(" Enemy Territory directory: " + gameDir);
    sbtnEditor.setHint(isSet(editorPath) ? " Select your ET Editor (Current: " + editorPath + ")"
                                         : " Select your ET Editor (not yet configured)");
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
        ui::MenuItem* item;
        std::string hint;
    } menuHints[] = {
        {mnuRunET, runHint()},
        {mnuASE, isSet(eyePath) ? " Run " + eyePath : " No program configured! Press ASE Button"},
        {mnuPB, btnPB.hint()},
        {mnuQuit, bitbtnQuit.hint()},
        {mnuSelMap, bitbtnSelMap.hint()},
        {mnuDemo, " Select your ET demo map (*.dm83)"},
        {mnuScrShot, " Shows your Screenshots as jpg with your default viewer"},
        {mnuEdit, bitbtnEdit.hint()},
        {mnuMapInfo, " Shows map infos for the current ET map"},
        {mnuLog, " Show the ET logfile etconsole.log"},
        {mnuASELog, " Show the All Seeing Eye buddylog.txt"},
        {mnuLaunchInfo, " Server infos about last ET game started with ASE"},
        {mnuSelETDir, bitbtnSelDir.hint()},
        {mnuNick, isSet(nickname) ? " Current Nickname for Enemy Territory: " + nickname
                                  : " Nickname for Enemy Territory not yet configured!"},
        {mnuNotepad, " Fall back to Windows Notepad.exe"},
        {mnuSelEditor, sbtnEditor.hint()},
        {mnuMinimize, cbMinimize.hint()},
        {mnuClose, cbClose.hint()},
        {mnuTasktray, cbTray.hint()},
        {mnuDelProfile, cbDelProfile.hint()},
        {mnuMinMax, " Maximize/Minimize the Parameter listbox size"},
        {mnuSound, mnuSound->checked() ? " Toggle Sound Support [ON]" : " Toggle Sound Support [OFF]"},
        {mnuBackupZip, " Create a backup from all important Vexal files"},
        {mnuBackupOnQuit, " Create a backup if Vexal quit"},
        {mnuRestore, sbtnRestore.hint()},
        {mnuReadme, " Show readme-vexal.txt"},
        {mnuETReadme, " Show the Support html files for Enemy Territory"},
        {mnuChanges, " Show changes-vexal.txt"},
        {mnuAbout, " " + imgAbout.hint()},
    };
    for (const auto& [item, hint] : menuHints) item->setHint(hint);
}

}  // namespace vexal
