// Start-up, the window initialisation (also the refresh), the show steps and the end.
#include "app/main_window.h"
#include "launch/launch_rules.h"
#include "settings/paths.h"
#include "tools/hotkeys.h"
#include "util/case_fold.h"
#include "util/error.h"
#include "util/temporaries.h"
#include "util/utilities.h"

namespace vexal {

namespace {

bool isSet(const std::string& value) { return value.size() >= 2; }

}  // namespace

Switches parseSwitches(const std::vector<std::string>& arguments) {
    Switches s;
    for (const auto& argument : arguments) {
        const std::string a = util::lowerCase(argument);
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
    if (settings::read(config.doc(), settings::key::instances)) return true;
    return process.createMutex("Vexal.exe");
}

std::string TfrmVexal::GetVersionText() { return util::GetVersionText(services.process); }

std::string TfrmVexal::version() { return GetVersionText(); }

void TfrmVexal::applySwitches() {
    // A refresh reads the command line again, but the restore, readme and log
    // requests belong to the first showing: once served they stay served.
    const Switches before = switches;
    switches = parseSwitches(services.process.arguments());
    if (switchesRead_) {
        switches.restore = before.restore;
        switches.readme = before.readme;
        switches.log = before.log;
    }
    switchesRead_ = true;
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
    // The "editable" switch takes effect as the readme or change log opens: only a
    // viewer that holds all of its file is made writable.
}

void TfrmVexal::FormCreate() {
    auto& fs = services.fs;
    application.onHint = [this](const std::string& hint) { MyHintProc(hint); };
    applySwitches();

    programDir = settings::programDirectoryOf(services.process.exePath());
    backupDir = programDir + settings::kBackupFolder;

    if (fs.fileExists(programDir + settings::kMapFile)) loadMapList();

    // A first start: no settings file yet, or an executable under another name.
    if (!fs.fileExists(programDir + settings::kIniFile) || !fs.fileExists(programDir + settings::kExeFile)) {
        bitbtnSelDirClick();
        // Refused: nothing may be written, so that the next start is a first start again.
        if (application.terminated()) return;
    }

    sbtnRestore.setEnabled(fs.fileExists(backupDir + settings::kBackupArchive));

    // Each read goes through the accessor, as every handler does.
    gameDir = settings::read(config.doc(), settings::key::etPath);
    if (!temporariesRemoved_) removeStaleTemporaries();
    eyePath = settings::read(config.doc(), settings::key::eyePath);
    editorPath = settings::read(config.doc(), settings::key::editor);
    edtParam.setText(settings::read(config.doc(), settings::key::etParam));
    cbxMap.setText(settings::read(config.doc(), settings::key::map));
    loadOptions();
    pbLog = settings::read(config.doc(), settings::key::pblog);
    lastLog = settings::read(config.doc(), settings::key::lastlog);
    lastBackup = settings::read(config.doc(), settings::key::lastbackup);
    lboxParam.setLeft(settings::read(config.doc(), settings::key::paramLeft, lboxParam.bounds().left));
    lboxParam.setWidth(settings::read(config.doc(), settings::key::paramWidth, lboxParam.bounds().width));
    edtParam.setLeft(settings::read(config.doc(), settings::key::editLeft, edtParam.bounds().left));
    edtParam.setWidth(settings::read(config.doc(), settings::key::editWidth, edtParam.bounds().width));
    listMaximized = settings::read(config.doc(), settings::key::maxListbox);
    tmTime.setEnabled(settings::read(config.doc(), settings::key::timeTimer));
    tmDate.setEnabled(settings::read(config.doc(), settings::key::dateTimer));
    nickname = settings::read(config.doc(), settings::key::nick);
    lastCfg = settings::read(config.doc(), settings::key::lastcfg);
    hotkeyChar = tools::hotkeyCharOf(settings::read(config.doc(), settings::key::hotkey), 'Z');

    updateMapInfoEnabled();

    bitbtnRun.setHint(runHint());
    const std::string longName = longMapName();
    mnuRunET->setCaption(launch::runMenuCaption(longName, false));
    mnuRunET->setHint(runHint());

    keepFolderCounts();
    mapStatistics();

    if (!isSet(lastBackup)) {
        sbtnBackup.setHint(" Create Vexal-backup.zipwith all config files");
        sbtnBackup.setColour(ui::kClGrayText);
    } else {
        sbtnBackup.setHint(" Create Vexal-backup.zip with all config files");
    }
    sbtnRestore.setHint(" Restore config files from Vexal-backup.zip");

    trayOpened = false;

    loadWindowState();

    const std::string ver = version();
    standardCaption = "Vexal " + ver + " final  [" + gameDir + "]";
    setCaption(standardCaption);

    bitbtnLog.setHint(" Show logfile etconsole.log");

    application.setTitle(launch::runTitle(isSet(cbxMap.text()) ? longName : edtParam.text()));
    ctrayIcon.setHint(launch::trayHint(cbxMap.text(), longName));
    popRunET->setCaption(launch::trayRunCaption(longName));

    assignStartHints();

    popVexal->setCaption("Show Vexal (" + ver + " final)");

    mnuASELog->setHint(" Show the All Seeing Eye buddylog.txt");
    mnuLaunchInfo->setHint(" Server infos about last ET game started with ASE");

    loadParamList();

    fillHotkeyBox();

    updateMapInfoEnabled();

    sbtnReadme.setEnabled(fs.fileExists(programDir + settings::kReadmeFile));

    registerHotkeys();
}

void TfrmVexal::removeStaleTemporaries() {
    temporariesRemoved_ = true;
    // Only the folders this program writes into, only names of its own making, and
    // only files older than this copy: another copy running beside it keeps its own.
    util::removeStaleTemporaries(services.fs, programDir, startTime_);
    util::removeStaleTemporaries(services.fs, backupDir, startTime_, std::string(settings::kBackupArchive) + ".tmp");
    if (!gameDir.empty()) util::removeStaleTemporaries(services.fs, gameDir + settings::kEtMain, startTime_);
}

void TfrmVexal::FormShow() {
    setFocus(&btnAdd);
    if (services.fs.fileExists(mapPictureFile())) loadPicture(mapPictureFile());
    restoreOnRequest();
    openViewersOnRequest();
}

void TfrmVexal::FormDestroy() {
    unregisterHotkeys();
    // The folder watch's thread must not outlive the window it reports to.
    folderCounts.stop();
    services.folderWatch.stop();
}

void TfrmVexal::mnuInstancesClick() {
    playClick();
    settings::write(config.doc(), settings::key::instances, !setting(settings::key::instances));
    saveSettings();
}

void TfrmVexal::bitbtnQuitClick() {
    // A failed backup ends the handler here: the user sees why and the window stays.
    if (setting(settings::key::backupOnQuit)) sbtnBackupClick();
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
