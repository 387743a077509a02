// Start-up, the refresh, the show steps and the end.
#include "app/main_window.h"
#include "launch/launch_rules.h"
#include "links/et_link.h"
#include "settings/paths.h"
#include "shell/texts.h"
#include "util/case_fold.h"
#include "util/error.h"
#include "util/path_text.h"
#include "util/temporaries.h"
#include "util/utilities.h"

namespace vexal {

Switches parseSwitches(const std::vector<std::string>& arguments) {
    Switches s;
    for (const auto& argument : arguments) {
        if (links::looksLikeEtLink(argument)) {
            if (s.link.empty()) s.link = argument;
            continue;
        }
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

void TfrmVexal::readSwitches() {
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
    // The "editable" switch takes effect as the readme or change log opens: only a
    // viewer that holds all of its file is made writable.
}

// The first start: the command line and the clean-up belong to it alone; the
// restore, readme and log requests are served once, when the window first shows.
void TfrmVexal::FormCreate() {
    application.onHint = [this](const std::string& hint) { hints.show(hint); };
    readSwitches();
    programDir = settings::programDirectoryOf(services.process.exePath());
    backupDir = programDir + settings::kBackupFolder;
    if (!loadGameFolder()) return;
    removeStaleTemporaries();
    loadFeatures();
}

// Leaving the PB-Update button, or a new editor or server browser: the window
// again from the settings and lists as they are on disk now.
void TfrmVexal::refresh() {
    if (loadGameFolder()) loadFeatures();
}

// The map list, then the game folder, chosen by the user on a first start. False
// when the user refused and the program ends.
bool TfrmVexal::loadGameFolder() {
    auto& fs = services.fs;
    if (fs.fileExists(programDir + settings::kMapFile)) maps.load();
    // A first start: no settings file yet, or an executable under another name.
    if (!fs.fileExists(programDir + settings::kIniFile) || !fs.fileExists(programDir + settings::kExeFile)) {
        bitbtnSelDirClick();
        // Refused: nothing may be written, so that the next start is a first start again.
        if (application.terminated()) return false;
    }
    sbtnRestore.setEnabled(fs.fileExists(backupDir + settings::kBackupArchive));
    // Each read goes through the accessor, as every handler does.
    gameDir = settings::read(config.doc(), settings::key::etPath);
    loadGameProgram();
    return true;
}

// Each feature loads in turn; the order matters, as later steps read what earlier
// ones set: the settings, the texts that follow from them and the map, the window
// state and its captions, the hints, the parameter list, and the hotkeys last.
void TfrmVexal::loadFeatures() {
    loadSettings();
    maps.updateInfoEnabled();
    const std::string longName = maps.longName();
    loadRunTexts(longName);
    keepFolderCounts();
    maps.statistics();
    loadBackupHints();
    textViewers.forgetTray();
    options.loadWindowState();
    loadCaptions(longName);
    hints.assign();
    toolbox.loadHints();
    params.load();
    hotkeys.fillBox();
    maps.updateInfoEnabled();
    sbtnReadme.setEnabled(services.fs.fileExists(programDir + settings::kReadmeFile));
    hotkeys.registerAll();
    buddyWatcher.load();
    if (!programNotice_.empty()) setStatus(programNotice_);
    programNotice_.clear();
}

// Every folder the status line and the map statistics count, for the current game
// folder, whichever mod the parameter line starts.
void TfrmVexal::keepFolderCounts() {
    std::vector<std::string> folders;
    for (const char* line : {"", "set fs_game etpro"})
        for (const char* kind : {"demos", "screenshots"}) folders.push_back(util::modFolder(gameDir, line, kind));
    // Another program keeps them where its home and the line's mod say.
    if (gameProgram != settings::GameProgram::Et)
        for (const char* kind : {"demos", "screenshots"}) folders.push_back(playerFolders().of(kind));
    for (auto& folder : maps.countedFolders()) folders.push_back(std::move(folder));
    folderCounts.keepOnly(folders);
}

// Every stored value into its field, box and menu mark.
void TfrmVexal::loadSettings() {
    const auto& doc = config.doc();
    eyePath = settings::read(doc, settings::key::eyePath);
    editorPath = settings::read(doc, settings::key::editor);
    edtParam.setText(settings::read(doc, settings::key::etParam));
    cbxMap.setText(settings::read(doc, settings::key::map));
    options.load();
    pbLog = settings::read(doc, settings::key::pblog);
    lastLog = settings::read(doc, settings::key::lastlog);
    lastBackup = settings::read(doc, settings::key::lastbackup);
    lboxParam.setLeft(settings::read(doc, settings::key::paramLeft, lboxParam.bounds().left));
    lboxParam.setWidth(settings::read(doc, settings::key::paramWidth, lboxParam.bounds().width));
    edtParam.setLeft(settings::read(doc, settings::key::editLeft, edtParam.bounds().left));
    edtParam.setWidth(settings::read(doc, settings::key::editWidth, edtParam.bounds().width));
    listMaximized = settings::read(doc, settings::key::maxListbox);
    tmTime.setEnabled(settings::read(doc, settings::key::timeTimer));
    tmDate.setEnabled(settings::read(doc, settings::key::dateTimer));
    nickname = settings::read(doc, settings::key::nick);
    lastCfg = settings::read(doc, settings::key::lastcfg);
    hotkeys.load(settings::read(doc, settings::key::hotkey));
}

void TfrmVexal::loadRunTexts(const std::string& longName) {
    bitbtnRun.setHint(hotkeys.runHint());
    mnuRunET->setCaption(launch::runMenuCaption(longName, false));
    mnuRunET->setHint(hotkeys.runHint());
}

void TfrmVexal::loadBackupHints() {
    if (!settings::isSet(lastBackup)) {
        sbtnBackup.setHint(shell::text::kFirstBackupHint);
        sbtnBackup.setColour(ui::kClGrayText);
    } else {
        sbtnBackup.setHint(shell::text::kBackupButtonHint);
    }
    sbtnRestore.setHint(shell::text::kRestoreButtonHint);
}

void TfrmVexal::loadCaptions(const std::string& longName) {
    const std::string ver = GetVersionText();
    standardCaption = shell::text::windowCaption(ver, gameDir);
    setCaption(standardCaption);
    bitbtnLog.setHint(shell::text::kLogButtonHint);
    application.setTitle(launch::runTitle(settings::isSet(cbxMap.text()) ? longName : edtParam.text()));
    ctrayIcon.setHint(launch::trayHint(cbxMap.text(), longName));
    popRunET->setCaption(launch::trayRunCaption(longName));
    popVexal->setCaption(shell::text::trayShowCaption(ver));
}

void TfrmVexal::removeStaleTemporaries() {
    // Only the folders this program writes into, only names of its own making, and
    // only files older than this copy: another copy running beside it keeps its own.
    util::removeStaleTemporaries(services.fs, programDir, startTime_);
    util::removeStaleTemporaries(services.fs, backupDir, startTime_, std::string(settings::kBackupArchive) + ".tmp");
    if (!gameDir.empty()) util::removeStaleTemporaries(services.fs, gameDir + settings::kEtMain, startTime_);
}

void TfrmVexal::FormShow() {
    setFocus(&btnAdd);
    if (services.fs.fileExists(maps.pictureFile())) maps.loadPicture(maps.pictureFile());
    backupCommands.restoreOnRequest();
    textViewers.openOnRequest();
    links.openOnRequest();
}

void TfrmVexal::FormDestroy() {
    hotkeys.unregisterAll();
    buddyWatcher.stop();
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
    if (setting(settings::key::backupOnQuit)) backupCommands.backup();
    close();
}

void TfrmVexal::popQuitClick() { close(); }

}  // namespace vexal
