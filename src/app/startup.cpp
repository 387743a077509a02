// Start-up, the window initialisation (also the refresh), the show steps and the end.
#include <algorithm>
#include <cctype>

#include "app/main_window.h"
#include "settings/paths.h"
#include "util/error.h"
#include "util/utilities.h"

namespace vexal {

namespace {

std::string lowered(std::string s) {
    std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return s;
}

bool isSet(const std::string& value) { return value.size() >= 2; }

// The hotkey box is red for the letters that the game itself binds by default.
bool hotkeyIsRed(char c) { return c >= 'A' && c <= 'U' && c != 'C' && c != 'G' && c != 'O' && c != 'T'; }

}  // namespace

Switches parseSwitches(const std::vector<std::string>& arguments) {
    Switches s;
    for (const auto& argument : arguments) {
        const std::string a = lowered(argument);
        if (a.empty() || (a[0] != '/' && a[0] != '-')) continue;
        const std::string word = a.substr(1);
        if (word == "tahoma")
            s.tahoma = true;
        else if (word == "min")
            s.minimized = true;
        else if (word == "readme" || word == "help")
            s.readme = true;
        else if (word == "log")
            s.log = true;
        else if (word == "restore")
            s.restore = true;
        else if (word == "editable")
            s.editable = true;
    }
    return s;
}

bool singleInstanceCheck(settings::Config& config, platform::Process& process) {
    if (config.doc().readBool("Window", "Instances", false)) return true;
    return process.createMutex("Vexal.exe");
}

std::string TfrmVexal::GetVersionText() { return util::GetVersionText(services.process); }

std::string TfrmVexal::version() { return GetVersionText(); }

std::string TfrmVexal::runHint() const {
    const std::string k(1, hotkeyChar);
    return " Run ET.exe -- (press Alt+" + k + " or Ctrl+" + k + " into ET for minimize ET or " +
           "use Ctrl+End for quit ET.exe";
}

void TfrmVexal::applySwitches() {
    switches = parseSwitches(services.process.arguments());
    if (switches.tahoma) {
        lbMinET.setLeft(387);
        // The window's font name changes; every control without a font of its own follows.
        for (auto* c : controls()) {
            if (c->font().name == "MS Sans Serif" && c != &bitbtnASE) {
                ui::Font f = c->font();
                f.name = "tahoma";
                c->setFont(f);
            }
        }
    }
    if (switches.editable) {
        memReadme.setReadOnly(false);
        memChanges.setReadOnly(false);
    }
}

void TfrmVexal::FormCreate() {
    auto& fs = services.fs;
    application.onHint = [this](const std::string& hint) { MyHintProc(hint); };
    applySwitches();

    programDir = settings::programDirectoryOf(services.process.exePath());
    backupDir = programDir + settings::kBackupFolder;

    if (fs.fileExists(programDir + settings::kMapFile)) loadMapList();

    // A first start: no settings file yet, or an executable under another name.
    if (!fs.fileExists(programDir + settings::kIniFile) || !fs.fileExists(programDir + settings::kExeFile))
        bitbtnSelDirClick();

    sbtnRestore.setEnabled(fs.fileExists(backupDir + settings::kBackupArchive));

    // Each read goes through the accessor, as every handler does.
    gameDir = config.doc().readString("Paths", "etPath", "");
    eyePath = config.doc().readString("Paths", "eyePath", "");
    editorPath = config.doc().readString("Paths", "editor", "");
    edtParam.setText(config.doc().readString("ET-Param", "ETParam", ""));
    cbxMap.setText(config.doc().readString("ET-Map", "Map", ""));
    cbClose.setChecked(config.doc().readBool("CloseVexal", "Close", false));
    cbMinimize.setChecked(config.doc().readBool("Minimize", "Minimize", false));
    cbTray.setChecked(config.doc().readBool("Minimize", "TrayIcon", false));
    cbDelProfile.setChecked(config.doc().readBool("DEL-PID", "profile.pid", false));
    pbLog = config.doc().readString("Logs", "pblog", "");
    lastLog = config.doc().readString("Logs", "lastlog", "");
    lastBackup = config.doc().readString("Logs", "lastbackup", "");
    lboxParam.setLeft(config.doc().readInteger("Window", "ParamLeft", lboxParam.bounds().left));
    lboxParam.setWidth(config.doc().readInteger("Window", "ParamWidth", lboxParam.bounds().width));
    edtParam.setLeft(config.doc().readInteger("Window", "EditLeft", edtParam.bounds().left));
    edtParam.setWidth(config.doc().readInteger("Window", "EditWidth", edtParam.bounds().width));
    listMaximized = config.doc().readBool("Window", "MaxListbox", false);
    tmTime.setEnabled(config.doc().readBool("Timer", "time", false));
    tmDate.setEnabled(config.doc().readBool("Timer", "date", true));
    mnuSound->setChecked(config.doc().readBool("Sound", "activ", true));
    mnuBackupOnQuit->setChecked(config.doc().readBool("Backup", "BackupOnQuit", false));
    nickname = config.doc().readString("ET-Nickname", "nick", "");
    lastCfg = config.doc().readString("Paths", "lastcfg", "");
    const std::string hotkey = config.doc().readString("Minimize", "ET-Minimize", "Z");
    hotkeyChar = hotkey.empty() ? '\0' : hotkey[0];
    mnuInstances->setChecked(config.doc().readBool("Window", "Instances", false));

    updateMapInfoEnabled();

    if (eyePath.find("eye.exe") == std::string::npos) {
        mnuASELog->setEnabled(false);
        mnuLaunchInfo->setEnabled(false);
    }
    if (hotkeyChar == '\0') hotkeyChar = 'Z';

    mnuMinimize->setChecked(cbMinimize.checked());
    mnuClose->setChecked(cbClose.checked());
    mnuDelProfile->setChecked(cbDelProfile.checked());
    mnuMinMax->setChecked(listMaximized);

    bitbtnRun.setHint(runHint());
    const std::string longName = longMapName();
    mnuRunET->setCaption("Run ET  [" + longName + "]");
    mnuRunET->setHint(runHint());

    bitbtnSelDir.setVisible(!listMaximized);

    mapStatistics();

    if (!isSet(lastBackup)) {
        sbtnBackup.setHint(" Create Vexal-backup.zipwith all config files");
        sbtnBackup.setColour(ui::kClGrayText);
    } else {
        sbtnBackup.setHint(" Create Vexal-backup.zip with all config files");
    }
    sbtnRestore.setHint(" Restore config files from Vexal-backup.zip");

    trayOpened = false;

    mnuTasktray->setChecked(cbTray.checked());
    ctrayIcon.minimizeToTray = cbTray.checked();
    ctrayIcon.setVisible(cbTray.checked());

    const std::string ver = version();
    standardCaption = "Vexal " + ver + " final  [" + gameDir + "]";
    setCaption(standardCaption);

    bitbtnLog.setHint(" Show logfile etconsole.log");

    application.setTitle("Run ET  [" + (isSet(cbxMap.text()) ? longName : edtParam.text()) + "]");
    ctrayIcon.setHint("Run ET [" + cbxMap.text() + "]\n\r[" + longName + "]");
    popRunET->setCaption("Run ET [" + longName + "]");

    assignStartHints();

    popVexal->setCaption("Show Vexal (" + ver + " final)");

    mnuASELog->setHint(" Show the All Seeing Eye buddylog.txt");
    mnuLaunchInfo->setHint(" Server infos about last ET game started with ASE");

    loadParamList();

    cbxHotKey.setColour(hotkeyIsRed(hotkeyChar) ? ui::kClRed : ui::kClAqua);
    // Refilled in one go: the list control is mirrored once, not once per character.
    std::vector<std::string> keys;
    for (char c = '0'; c <= '9'; ++c) keys.emplace_back(1, c);
    for (char c = 'A'; c <= 'Z'; ++c) keys.emplace_back(1, c);
    cbxHotKey.setItems(keys);
    cbxHotKey.setText(std::string(1, hotkeyChar));

    updateMapInfoEnabled();

    sbtnReadme.setEnabled(fs.fileExists(programDir + settings::kReadmeFile));

    // The virtual key of a letter is its capital: a hand-edited lower-case letter
    // would otherwise name a key of the number pad.
    const auto key = static_cast<unsigned>(std::toupper(static_cast<unsigned char>(hotkeyChar)));
    services.hotkeys.registerHotkey(0, platform::kModAlt, key);
    services.hotkeys.registerHotkey(1, platform::kModControl, key);
    services.hotkeys.registerHotkey(2, platform::kModControl | platform::kModAlt, 0x23 /* VK_END */);
}

void TfrmVexal::FormShow() {
    setFocus(&btnAdd);
    // The readme and the log viewer arrive with their own features.
    if (services.fs.fileExists(mapPictureFile())) loadPicture(mapPictureFile());
    restoreOnRequest();
}

void TfrmVexal::FormDestroy() {
    for (int id = 0; id <= 2; ++id) services.hotkeys.unregisterHotkey(id);
}

void TfrmVexal::mnuInstancesClick() {
    playClick();
    config.doc().writeBool("Window", "Instances", mnuInstances->checked());
    config.updateFile();
}

void TfrmVexal::bitbtnQuitClick() {
    // A failed backup ends the handler here: the user sees why and the window stays.
    if (mnuBackupOnQuit->checked()) sbtnBackupClick();
    close();
}

void TfrmVexal::popQuitClick() { close(); }

void TfrmVexal::restartProgram() {
    // Only asked for here: the program entry starts the new copy after this one's
    // window, hotkeys, tray icon and mutex are gone, so the guard cannot turn it
    // away and nothing this copy does on its way out can touch the new one's files.
    restartRequested = true;
    close();
}

}  // namespace vexal
