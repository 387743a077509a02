#pragma once
// The one window of the program: its view (controls, menus, services and the
// program-wide state, view/), each feature's state, the one command dispatch,
// the wiring of events to handlers, start-up and shutdown.
#include <map>
#include <string>

#include "app/commands.h"
#include "app/layout.h"
#include "app/wiring.h"
#include "backup/backup_commands.h"
#include "backup/zip_archive.h"
#include "launch/launcher.h"
#include "launch/list_file.h"
#include "platform/platform.h"
#include "servers/server_status.h"
#include "settings/config.h"
#include "settings/keys.h"
#include "settings/paths.h"
#include "shell/shell.h"
#include "tools/hotkeys.h"
#include "tools/toolbox.h"
#include "ui/application.h"
#include "ui/control.h"
#include "ui/form.h"
#include "ui/menu.h"
#include "ui/window_model.h"
#include "util/file_count.h"
#include "view/main_view.h"
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
    // Starts a fresh copy of the program and closes this one.
    void restartProgram();

    // ---- game directory (settings/)
    void bitbtnSelDirClick();

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
    void saveParamList();
    void loadParamList();  // the start-up step: load the file, or lay out the predefined lines

    // ---- map list (launch/)
    void cbxMapChange();
    void cbxMapKeyDown(int& key);
    void cbxMapKeyPress(char& key);
    void btnDelMapClick();
    void btnDelMapListClick();
    void bitbtnSelMapClick();
    void mnuMapInfoClick();
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
    void cbDelProfileClick();
    void cbDelProfileMouseDown(ui::MouseButton button);
    void mnuDelProfileClick();

    // ---- backup and restore (backup/)
    void sbtnBackupClick();
    void mnuBackupOnQuitClick();
    void sbtnRestoreClick();
    void zipOverallProgress(double percent, backup::ZipOperation operation, backup::ZipPhase phase);
    void restoreOnRequest();  // the show step of the "restore" switch

    // ---- text viewers (viewers/)
    void sbtnReadmeClick();
    void popReadmeClick();
    void mnuChangesClick();
    void bitbtnLogClick();
    void mnuASELogClick();
    void mnuLaunchInfoClick();
    void memReadmeKeyDown(int& key);  // Escape in any viewer closes them all
    void memReadmeChange();
    void memChangesChange();
    void stInfoClick();           // close-viewers
    void openViewersOnRequest();  // the show step of the "readme" and "log" switches
    void enterViewerFolder(const std::string& folder);
    void showViewer(ui::Memo& memo, const ui::Font& font, ui::Colour colour);
    std::size_t loadViewer(ui::Memo& memo, const std::string& path, bool end, bool* intact = nullptr,
                           const std::string& header = {});
    [[nodiscard]] std::string browserFolder() const;
    void writeViewerBack(ui::Memo& memo, viewers::Viewers::File file, const std::string& path);

    // ---- server status (servers/)
    void mnuServerStatusClick();  // opens the viewer, or asks again while it is open
    void popServerStatusClick();
    void tmServersTimer();
    void closeServerStatus();  // part of close-viewers
    void showServerStatus();

    servers::ServerStatus serverStatus{services.network, services.fs};
    void keepFolderCounts();

    // ---- each feature's own state
    launch::ListFile paramFile{services.fs, services.dialogs}, mapFile{services.fs, services.dialogs};
    launch::Launcher launcher;
    viewers::Viewers viewerState;
    backup::BackupCommands backupCommands;
    // The window's shell (shell/) and the tools (tools/).
    tools::Hotkeys hotkeys{*this, [this] { return launcher.gameStarted(); }};
    shell::Hints hints{*this, [this] { return hotkeys.runHint(); }};
    shell::Options options{*this, layout::kClientWidth};
    shell::DateTimeField dateTime{*this};
    tools::Toolbox toolbox{*this,
                           {.refresh = [this] { refresh(); },
                            .deleteProfile = [this] { cbDelProfileClick(); },
                            .mapChanged = [this] { cbxMapChange(); },
                            .gameStarted = [this](bool started) { launcher.gameStarted(started); }}};
    // What the map list asks of the tools.
    bool EditorExists() { return toolbox.editorExists(); }
    void mnuAboutClick() { toolbox.about(); }

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
