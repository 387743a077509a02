#pragma once
// The one window of the program. The class is the one place to look for its
// controls, menus, program-wide state and handlers; each handler's body lives in
// the folder of the subsystem it belongs to (launch/ defines bitbtnRunClick ...).
#include <map>
#include <string>

#include "backup/zip_archive.h"
#include "platform/platform.h"
#include "settings/config.h"
#include "ui/application.h"
#include "ui/control.h"
#include "ui/form.h"
#include "ui/menu.h"

namespace vexal {

// What the command-line switches asked for.
struct Switches {
    bool tahoma = false;
    bool minimized = false;
    bool readme = false;
    bool log = false;
    bool restore = false;
    bool editable = false;
};

// "/" or "-" followed by one of the words, letter case ignored; anything else is ignored.
[[nodiscard]] Switches parseSwitches(const std::vector<std::string>& arguments);

class TfrmVexal : public ui::Form {
public:
    TfrmVexal(platform::Services& services, settings::Config& config, ui::Application& application);
    TfrmVexal(const TfrmVexal&) = delete;
    TfrmVexal& operator=(const TfrmVexal&) = delete;

    // ---- controls placed directly on the window
    ui::Memo memETLog{"memETLog"}, memLaunchInfo{"memLaunchInfo"}, memASE{"memASE"}, memChanges{"memChanges"};
    ui::MediaPlayer mPlay{"mPlay"};
    ui::Memo memReadme{"memReadme"};
    ui::GroupBox grpMain{"grpMain"}, grpMapName{"grpMapName"};
    ui::Label stInfo{"stInfo", ui::Kind::StaticText};
    ui::ProgressBar pb1{"pb1"};
    ui::Label stDate{"stDate", ui::Kind::StaticText};
    // ---- in grpMain
    ui::Button sbtnReadme{"sbtnReadme", ui::Kind::FlatButton};
    ui::Button bitbtnSelDir{"bitbtnSelDir", ui::Kind::BitButton};
    ui::Edit edtParam{"edtParam"};
    ui::Button btnAdd{"btnAdd"}, btnDelParam{"btnDelParam"}, btnDelParamList{"btnDelParamList"};
    ui::ListBox lboxParam{"lboxParam"};
    ui::PictureBox imgAbout{"imgAbout"};
    // ---- in grpMapName
    ui::Button sbtnNotepad{"sbtnNotepad", ui::Kind::FlatButton}, sbtnEditor{"sbtnEditor", ui::Kind::FlatButton};
    ui::Button sbtnBackup{"sbtnBackup", ui::Kind::FlatButton}, sbtnRestore{"sbtnRestore", ui::Kind::FlatButton};
    ui::CheckBox cbMinimize{"cbMinimize"}, cbClose{"cbClose"}, cbTray{"cbTray"}, cbDelProfile{"cbDelProfile"};
    ui::Button BitBtnInfo{"BitBtnInfo", ui::Kind::BitButton}, bitbtnSelMap{"bitbtnSelMap", ui::Kind::BitButton};
    ui::ComboBox cbxMap{"cbxMap"};
    ui::Button btnDelMap{"btnDelMap"}, btnDelMapList{"btnDelMapList"};
    ui::Label lbMinET{"lbMinET"};
    ui::ComboBox cbxHotKey{"cbxHotKey"};
    ui::Button bitbtnRun{"bitbtnRun", ui::Kind::BitButton}, bitbtnASE{"bitbtnASE", ui::Kind::BitButton};
    ui::Button bitbtnEdit{"bitbtnEdit", ui::Kind::BitButton}, bitbtnLog{"bitbtnLog", ui::Kind::BitButton};
    ui::Button bitbtnDemo{"bitbtnDemo", ui::Kind::BitButton}, bitbtnPicture{"bitbtnPicture", ui::Kind::BitButton};
    ui::Button btnPB{"btnPB"};
    ui::Button bitbtnQuit{"bitbtnQuit", ui::Kind::BitButton};

    // ---- components without a place on the screen
    ui::Timer tmDate, tmTime;
    ui::TrayIcon ctrayIcon;
    ui::MenuItem mnuMain{"mnuMain", ""};
    ui::MenuItem popLBox{"popLBox", ""};
    ui::MenuItem popTray{"popTray", ""};

    // Menu items, found in the trees above after they were built from the menu table.
    ui::MenuItem *Run1{}, *mnuRunET{}, *mnuASE{}, *mnuPB{}, *mnuQuit{};
    ui::MenuItem *Show1{}, *mnuSelMap{}, *mnuDemo{}, *mnuScrShot{}, *mnuEdit{}, *mnuMapInfo{}, *LogFiles1{}, *mnuLog{},
        *mnuASELog{}, *mnuLaunchInfo{};
    ui::MenuItem *Preferences1{}, *mnuSelETDir{}, *mnuNick{}, *mnuNotepad{}, *mnuSelEditor{}, *mnuMinimize{},
        *mnuClose{}, *mnuTasktray{}, *mnuInstances{}, *mnuDelProfile{}, *mnuMinMax{}, *mnuSound{};
    ui::MenuItem *Save1{}, *mnuBackupZip{}, *mnuBackupOnQuit{}, *mnuRestore{};
    ui::MenuItem *mnuHelp{}, *mnuReadme{}, *mnuETReadme{}, *mnuDownload{}, *mnuChanges{}, *mnuAbout{};
    ui::MenuItem *mnuAdd{}, *mnuDelete{}, *mnuDelLboxItems{}, *mnuCopyEntry{}, *mnuCopy{}, *mnuPaste{}, *mnuMax{};
    ui::MenuItem *popVexal{}, *popRunET{}, *popPB{}, *popRunASE{}, *popEditCfg{}, *popReadme{}, *popAbout{}, *popQuit{};

    // Every control of the layout, by name, in layout order.
    [[nodiscard]] const std::vector<ui::Control*>& controls() const { return controls_; }
    [[nodiscard]] ui::Control* control(const std::string& name) const;
    [[nodiscard]] ui::MenuItem* menuItem(const std::string& name) const;
    [[nodiscard]] std::vector<ui::MenuItem*> allMenuItems() const;

    // ---- program-wide state
    std::string programDir;  // ends with a backslash
    std::string backupDir;   // programDir + "backup\"
    std::string gameDir;     // no trailing backslash, except for a drive root
    std::string eyePath, editorPath, lastCfg, nickname;
    std::string pbLog, lastLog, lastBackup;
    char hotkeyChar = 'Z';
    bool listMaximized = false;
    std::string standardCaption;
    Switches switches;
    bool trayOpened = false;
    std::string currentParam;  // always equals the parameter field
    bool gameStarted = false;

    // ---- start-up and shutdown (app/)
    void FormCreate();  // the window initialisation, also the refresh
    void FormShow();
    void FormDestroy();
    void mnuInstancesClick();
    void bitbtnQuitClick();
    void mnuQuitClick() { bitbtnQuitClick(); }
    void popQuitClick();
    // Starts a fresh copy of the program and closes this one.
    void restartProgram();

    // ---- game directory (settings/)
    void bitbtnSelDirClick();
    void mnuSelETDirClick() { bitbtnSelDirClick(); }

    // ---- sound (shell/)
    void PlaySoundFile(const std::string& path, bool wait);
    void playClick() { PlaySoundFile(programDir + "headshot.wav", false); }
    void mnuSoundClick();
    void MyHintProc(const std::string& hint);
    void assignStartHints();
    void setStatus(const std::string& text) { stInfo.setCaption(text); }

    // ---- parameter list (launch/)
    void edtParamChange();
    void edtParamKeyPress(char& key);
    void edtParamEnter();
    void edtParamExit();
    void lboxParamEnter();
    void btnAddClick();
    void btnDelParamClick();
    void btnDelParamListClick();
    void lboxParamClick();
    void lboxParamDblClick();
    void mnuCopyEntryClick();
    void mnuCopyClick();
    void mnuPasteClick();
    void mnuAddClick() { btnAddClick(); }
    void mnuDeleteClick() { btnDelParamClick(); }
    void mnuDelLboxItemsClick() { btnDelParamListClick(); }
    void saveParamList();
    void loadParamList();  // the start-up step: load the file, or lay out the predefined lines

    // ---- map list (launch/)
    void cbxMapChange();
    void cbxMapKeyDown(int& key);
    void cbxMapKeyPress(char& key);
    void btnDelMapClick();
    void btnDelMapListClick();
    void bitbtnSelMapClick();
    void mnuSelMapClick() { bitbtnSelMapClick(); }
    void mnuMapInfoClick();
    void BitBtnInfoClick() { mnuMapInfoClick(); }
    [[nodiscard]] std::string longMapName();
    void mapStatistics();
    void showMapPicture();  // the map's picture, else the logo, else the picture stays
    void loadPicture(const std::string& path);
    void saveMapList();
    void loadMapList();
    [[nodiscard]] std::string mapInfoFile();
    [[nodiscard]] std::string mapPictureFile();
    void updateMapInfoEnabled();

    // ---- launch (launch/)
    void bitbtnRunClick();
    void bitbtnRunExit();
    void mnuRunETClick();
    void popRunETClick() { bitbtnRunClick(); }
    void cbDelProfileClick();
    void cbDelProfileMouseDown(ui::MouseButton button);
    void mnuDelProfileClick();

    // ---- backup and restore (backup/)
    void sbtnBackupClick();
    void mnuBackupZipClick() { sbtnBackupClick(); }
    void mnuBackupOnQuitClick();
    void sbtnRestoreClick();
    void mnuRestoreClick() { sbtnRestoreClick(); }
    void zipOverallProgress(double percent, backup::ZipOperation operation, backup::ZipPhase phase);
    void restoreOnRequest();  // the show step of the "restore" switch
    // Set by a restore: the program entry starts the new copy once this one is gone.
    bool restartRequested = false;

    // ---- config editing (tools/)
    bool EditorExists();

    // Shared routines that need the window's services.
    [[nodiscard]] std::string GetVersionText();
    [[nodiscard]] std::string runHint() const;
    [[nodiscard]] std::string version();

    platform::Services& services;
    settings::Config& config;
    ui::Application& application;

private:
    void buildLayout();
    void buildMenus();
    void wireEvents();
    void wireLaunchEvents();  // launch/
    void wireBackupEvents();  // backup/
    void applySwitches();
    std::vector<ui::Control*> controls_;
    std::map<std::string, ui::MenuItem*> menuIndex_;
};

// Program start, before any window exists: reads Window/Instances and, unless it
// is true, takes the named mutex. False when another copy holds it and this one
// must end silently.
[[nodiscard]] bool singleInstanceCheck(settings::Config& config, platform::Process& process);

}  // namespace vexal
