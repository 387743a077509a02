#pragma once
// The one window of the program: its view (controls, menus, services and the
// program-wide state, view/), each feature's state, the one command dispatch,
// the wiring of events to handlers, start-up and shutdown.
#include <map>
#include <string>

#include "app/commands.h"
#include "app/wiring.h"
#include "view/main_view.h"
#include "backup/backup_commands.h"
#include "launch/launch_rules.h"
#include "launch/launcher.h"
#include "launch/map_list.h"
#include "launch/param_list.h"
#include "platform/platform.h"
#include "servers/server_view.h"
#include "settings/config.h"
#include "settings/keys.h"
#include "shell/hover_count.h"
#include "tools/hotkeys.h"
#include "settings/paths.h"
#include "ui/application.h"
#include "ui/control.h"
#include "ui/form.h"
#include "ui/menu.h"
#include "ui/window_model.h"
#include "util/file_count.h"
#include "viewers/viewers.h"

namespace vexal {

// "/" or "-" followed by one of the words, letter case ignored; anything else is ignored.
using view::Switches;
[[nodiscard]] Switches parseSwitches(const std::vector<std::string>& arguments);

class TfrmVexal : public view::MainView {
public:
    TfrmVexal(platform::Services& services, settings::Config& config, ui::Application& application);
    TfrmVexal(const TfrmVexal&) = delete;
    TfrmVexal& operator=(const TfrmVexal&) = delete;

    // What a button, menu item or shortcut asked for.
    void onCommand(Cmd command);
    // Every menu item's mark and enabled state from the program's state: run as a
    // menu opens, so a shortcut that changed the state shows at the next look.
    void updateMenus();
    [[nodiscard]] bool isOn(Cmd command) const;    // the mark of a check item
    [[nodiscard]] bool canRun(Cmd command) const;  // a menu item's enabled state

    // What the window system needs to show this window.
    [[nodiscard]] ui::WindowModel windowModel(std::function<void(const std::string&)> showError);

    // ---- start-up and shutdown (app/)
    void FormCreate();  // the first start
    void refresh();     // the settings and lists again, as on disk now
    void FormShow();
    void FormDestroy();
    void mnuInstancesClick();
    void bitbtnQuitClick();
    void popQuitClick();

    // ---- game directory (settings/)
    void bitbtnSelDirClick();

    // ---- sound (shell/)
    void mnuSoundClick();

    // ---- status line and hints (shell/)
    void MyHintProc(const std::string& hint);
    void assignStartHints();
    void bitbtnSelDirMouseMove();
    void imgAboutMouseMove();
    void sbtnNotepadMouseMove();
    void sbtnEditorMouseMove();
    void sbtnBackupMouseMove();
    void sbtnRestoreMouseMove();
    void bitbtnLogMouseMove();
    void btnPBMouseMove();
    void lboxParamMouseMove();
    void bitbtnDemoMouseMove();
    void bitbtnPictureMouseMove();
    void bitbtnSelMapMouseMove();
    void bitbtnRunMouseMove();
    void bitbtnASEMouseMove();
    // The demos or screenshots folder of the mod the parameter line starts.
    [[nodiscard]] std::string gameFilesFolder(const std::string& kind) const;
    [[nodiscard]] std::string editorHint() const;
    [[nodiscard]] std::int32_t hoverCount(const ui::Control& button, const std::string& folder);

    // ---- window state, tray icon and option toggles (shell/)
    void cbMinimizeClick();
    void cbCloseClick();
    void cbTrayClick();
    void optionMouseDown(ui::MouseButton button);  // the check boxes' click sound
    void mnuMinimizeClick();
    void mnuCloseClick();
    void mnuTasktrayClick();
    void mnuMaxClick();
    void ctrayIconDblClick();
    void storeOption(const ui::CheckBox& box, const settings::BoolKey& key);
    void loadOptions();      // start-up step: stored options into the check boxes
    void loadWindowState();  // start-up step: tray, list geometry

    // ---- date and time (shell/)
    void tmDateTimer();
    void tmTimeTimer();
    void stDateMouseDown(ui::MouseButton button);

    // ---- hotkey minimizer (tools/)
    void registerHotkeys();  // the last start-up step
    void unregisterHotkeys();
    void WMHotKey(int id);
    void MinimizeET();
    void fillHotkeyBox();
    void cbxHotKeyChange();
    void cbxHotKeyKeyPress(char& key);
    void cbxHotKeyEnter();
    void cbxHotKeyExit();

    // ---- the launch, for the features that still reach it through the window
    void cbxMapChange() { maps.change(); }
    void cbDelProfileClick() { launcher.profileOptionChange(); }

    // ---- config editing (tools/)
    bool EditorExists();

    // ---- companion programs, game file pickers, nickname, help and about (tools/)
    void bitbtnASEClick();
    void bitbtnASEExit();
    void btnPBClick();
    void bitbtnDemoClick();
    void bitbtnPictureClick();
    void bitbtnEditClick();
    void sbtnEditorClick();
    void sbtnNotepadClick();
    void mnuNickClick();
    void mnuETReadmeClick();
    void mnuDownloadClick();
    void mnuAboutClick();

    [[nodiscard]] std::string runHint() const;

    void keepFolderCounts();

    // ---- each feature's own state
    launch::MapList maps{*this,
                         {.editorExists = [this] { return EditorExists(); }, .showAbout = [this] { mnuAboutClick(); }}};
    launch::ParamList params{*this, maps};
    launch::Launcher launcher{*this, maps};
    tools::HotkeyMinimizer minimizer{services.hotkeys};
    backup::BackupCommands backupCommands{*this};
    viewers::Viewers textViewers{*this, [this] { serverStatus.close(); }};
    servers::StatusViewer serverStatus{*this, [this] { textViewers.openedFromTray(); },
                                       [](const std::string& line) {
                                           return launch::composeLaunchParameters(line, "", "");
                                       }};
    shell::HoverCount unwatchedCount;  // for a folder the folder watch cannot follow

private:
    void buildLayout();
    void buildMenus();
    void wireEvents();
    void wire(const Wire& wire);
    // ---- start-up steps, in the order FormCreate and refresh run them
    void readSwitches();
    [[nodiscard]] bool loadGameFolder();
    // Temporary files that a copy killed half way through a write left beside the
    // files this program writes: removed once, at the first start.
    void removeStaleTemporaries();
    platform::DateTime startTime_;
    void loadFeatures();
    void loadSettings();
    void loadRunTexts(const std::string& longName);
    void loadBackupHints();
    void loadCaptions(const std::string& longName);
};

// Program start, before any window exists: reads Window/Instances and, unless it
// is true, takes the named mutex. False when another copy holds it and this one
// must end silently.
[[nodiscard]] bool singleInstanceCheck(settings::Config& config, platform::Process& process);

}  // namespace vexal
