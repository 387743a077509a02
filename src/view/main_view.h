#pragma once
// The window as the features see it: its controls and menus, the services and
// settings, the program-wide state, and the few routines every feature shares
// (saving the settings, the status line, the click sound, the one file dialog).
// The features keep their own state and handlers in their folders and reach the
// window through this class only; the program (app/) builds it, wires its events
// and owns the features.
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/platform.h"
#include "settings/config.h"
#include "settings/game_program.h"
#include "settings/keys.h"
#include "settings/paths.h"
#include "ui/application.h"
#include "ui/control.h"
#include "ui/form.h"
#include "ui/menu.h"
#include "ui/timer.h"
#include "ui/tray_icon.h"
#include "util/file_count.h"

namespace vexal::view {

// What an unset date (last update, last backup) reads.
inline constexpr const char* kNever = "never";

// What the command-line switches asked for.
struct Switches {
    bool tahoma = false;
    bool minimized = false;
    bool readme = false;
    bool log = false;
    bool restore = false;
    bool editable = false;
    std::string link;  // an et:// link to open, as given
};

class MainView : public ui::Form {
public:
    MainView(platform::Services& services, settings::Config& config, ui::Application& application);
    MainView(const MainView&) = delete;
    MainView& operator=(const MainView&) = delete;

    // ---- controls placed directly on the window
    ui::Memo memETLog{"memETLog"}, memLaunchInfo{"memLaunchInfo"}, memASE{"memASE"}, memChanges{"memChanges"};
    ui::Memo memReadme{"memReadme"};
    // The server list and the players of its selected server.
    ui::ListView lvServers{"lvServers"}, lvPlayers{"lvPlayers"};
    // Every server of the masters: rows made only as they are drawn.
    ui::ListView lvWorld{"lvWorld", ui::ListView::Rows::Virtual};
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
    ui::Timer tmServers;  // polls the server status while it is shown
    ui::Timer tmWorld;    // moves the round of every server on while its list is shown
    ui::Timer tmBuddies;  // the buddy watch's rounds
    ui::TrayIcon ctrayIcon;
    ui::MenuItem mnuMain{"mnuMain", ""};
    ui::MenuItem popLBox{"popLBox", ""};
    ui::MenuItem popTray{"popTray", ""};
    ui::MenuItem popServers{"popServers", ""};
    ui::MenuItem popWorld{"popWorld", ""};
    ui::MenuItem popPlayers{"popPlayers", ""};

    // The menu items whose caption or hint the program changes, set from the menu table.
    ui::MenuItem *mnuRunET{}, *popRunET{}, *popVexal{}, *mnuSelMap{}, *mnuNick{}, *mnuSound{}, *mnuASELog{},
        *mnuLaunchInfo{};

    // Every control of the layout, by name, in layout order.
    [[nodiscard]] const std::vector<ui::Control*>& controls() const { return controls_; }
    [[nodiscard]] ui::Control* control(const std::string& name) const;
    [[nodiscard]] ui::MenuItem* menuItem(const std::string& name) const;
    [[nodiscard]] ui::Timer* timer(const std::string& name);
    // The focus moves on as with Tab, within the control's group.
    void focusNext();

    // ---- program-wide state
    std::string programDir;  // ends with a backslash
    std::string backupDir;   // programDir + "backup\"
    std::string gameDir;     // no trailing backslash, except for a drive root
    std::string eyePath, editorPath, lastCfg, nickname;
    std::string pbLog, lastLog, lastBackup;
    bool listMaximized = false;
    std::string standardCaption;
    Switches switches;
    std::string currentParam;  // always equals the parameter field
    // The program Run starts from the game folder (Paths/etProgram, et.exe when unset).
    settings::GameProgram gameProgram = settings::GameProgram::Et;

    // The game programs `folder` holds now.
    [[nodiscard]] std::vector<settings::GameProgram> programsIn(const std::string& folder);
    // Where the game keeps the player's files when started with `paramLine`.
    [[nodiscard]] settings::PlayerFolders playerFolders(const std::string& paramLine);
    [[nodiscard]] settings::PlayerFolders playerFolders() { return playerFolders(edtParam.text()); }
    // The autoexec.cfg the game reads for the parameter field's line; empty when there is none.
    [[nodiscard]] std::string autoexecFile();
    // Where the game finds the maps it may need on a server of `serverMod` ("" for etmain).
    [[nodiscard]] std::vector<std::string> mapFolders(const std::string& serverMod);

    // Writes the settings file. A file that cannot be written (read-only, locked,
    // disk full) is reported once, not at every keystroke, and the handler goes on:
    // the window keeps working with what it shows.
    void saveSettings();

    // An on/off setting that only a menu item shows (sound, backup on quit, instances).
    [[nodiscard]] bool setting(const settings::BoolKey& key) const;

    void setStatus(const std::string& text) { stInfo.setCaption(text); }
    // Plays a sound file without waiting, when sound is on and the file is there.
    void PlaySoundFile(const std::string& path, bool wait);
    void playClick() { PlaySoundFile(programDir + settings::kClickSound, false); }
    // A sound that cannot be played is skipped: it only accompanies the action.
    void playFeedback(const std::string& path);
    // The window's one file-open dialog, shared by every picker: each use empties
    // its texts first, its multiple-selection option stays as last set.
    platform::OpenFileRequest odCfg;
    void clearOdCfg();
    [[nodiscard]] std::string GetVersionText();
    void hideToTray();  // hide-window, or minimize when no tray icon stands
    // A viewer laid over the window, in front of everything else on it.
    void showViewer(ui::Memo& memo, const ui::Font& font, ui::Colour colour);

    platform::Services& services;
    settings::Config& config;
    ui::Application& application;
    // Demos, screenshots, map pictures and map information files: read at every
    // mouse move and keystroke, counted only when they change.
    util::FolderCounts folderCounts{services.folderWatch, services.fs};

protected:
    std::vector<ui::Control*> controls_;              // filled as the window is built
    std::map<std::string, ui::MenuItem*> menuIndex_;  // likewise

private:
    bool settingsSaveFailed_ = false;
    std::optional<std::string> documents_;  // asked of the system once
};

}  // namespace vexal::view
