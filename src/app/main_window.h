#pragma once
// The one window of the program: its view (controls, menus, services and the
// program-wide state, view/), one object per feature, the one command dispatch,
// the wiring of events to the features, start-up and shutdown. What one feature
// asks of another passes through the functions given here.
#include <string>

#include "app/commands.h"
#include "app/layout.h"
#include "app/wiring.h"
#include "backup/backup_commands.h"
#include "launch/launch_rules.h"
#include "launch/launcher.h"
#include "launch/map_list.h"
#include "launch/param_list.h"
#include "links/links.h"
#include "servers/buddy_watcher.h"
#include "servers/server_view.h"
#include "servers/world_view.h"
#include "shell/shell.h"
#include "tools/hotkeys.h"
#include "tools/toolbox.h"
#include "ui/window_model.h"
#include "view/main_view.h"
#include "viewers/viewers.h"

namespace vexal {

// "/" or "-" followed by one of the words, letter case ignored; the first argument
// that begins with "et:" is the link to open; anything else is ignored.
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

    // ---- start-up and shutdown
    void FormCreate();  // the first start
    void refresh();     // the settings and lists again, as on disk now
    void FormShow();
    void FormDestroy();
    void mnuInstancesClick();
    void bitbtnQuitClick();
    void popQuitClick();

    // ---- the game folder, asked for at the first start and from its button
    void bitbtnSelDirClick();
    // The Game Program menu: which of the folder's programs Run starts.
    void chooseGameProgram(settings::GameProgram program);
    // The folders whose files the hints and the map list count, watched for changes.
    void keepFolderCounts();

    // ---- each feature: its state and handlers
    launch::MapList maps{
        *this, {.editorExists = [this] { return toolbox.editorExists(); }, .showAbout = [this] { toolbox.about(); }}};
    launch::ParamList params{*this, maps};
    launch::Launcher launcher{*this, maps};
    backup::BackupCommands backupCommands{*this};
    viewers::Viewers textViewers{*this, [this] {
                                     serverStatus.close();
                                     world.close();
                                 }};
    servers::StatusViewer serverStatus{
        *this,
        {.openedFromTray = [this] { textViewers.openedFromTray(); },
         .commandLineOf = [](const std::string& line) { return launch::composeLaunchParameters(line, "", ""); },
         .join = [this](const std::string& line, const std::string& mod) { launcher.join(line, mod); },
         .keep = [this](const std::string& line) { return params.keep(line); },
         .closeViewers = [this] { textViewers.close(); },
         .asking = [this] { buddyWatcher.yieldNetwork(); }}};
    servers::WorldViewer world{
        *this,
        serverStatus.buddies(),
        {.openedFromTray = [this] { textViewers.openedFromTray(); },
         .join = [this](const std::string& line, const std::string& mod) { launcher.join(line, mod); },
         .keep = [this](const std::string& line) { return params.keep(line); },
         .closeViewers = [this] { textViewers.close(); },
         .closeSavedList = [this] { serverStatus.close(); }}};
    servers::BuddyWatcher buddyWatcher{
        *this,
        serverStatus.buddies(),
        {.commandLineOf = [](const std::string& line) { return launch::composeLaunchParameters(line, "", ""); },
         .openAt = [this](const std::string& server) { serverStatus.openAt(server); },
         .openWorldAt = [this](const std::string& server) { world.openAt(server); },
         .listStatus = [this] { return serverStatus.openStatus(); }}};
    // A link joins through the launcher, as Run would with that line.
    links::Links links{*this, {.join = [this](const std::string& line) { launcher.join(line); }}};
    tools::Hotkeys hotkeys{*this, [this] { return launcher.gameStarted(); }};
    shell::Hints hints{*this, [this] { return hotkeys.runHint(); }};
    shell::Options options{*this, layout::kClientWidth};
    shell::DateTimeField dateTime{*this};
    tools::Toolbox toolbox{*this,
                           {.refresh = [this] { refresh(); },
                            .deleteProfile = [this] { launcher.profileOptionChange(); },
                            .mapChanged = [this] { maps.change(); },
                            .gameStarted = [this](bool started) { launcher.gameStarted(started); }}};

private:
    void buildLayout();
    void buildMenus();
    void wireEvents();
    void wire(const Wire& wire);
    // ---- start-up steps, in the order FormCreate and refresh run them
    void readSwitches();
    [[nodiscard]] bool loadGameFolder();
    void loadGameProgram();
    // Makes the program the stored one, or the folder's first; true when that changed the settings.
    bool keepGameProgram(const std::vector<settings::GameProgram>& present);
    std::string programNotice_;  // the stored program went from the folder: said once
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
