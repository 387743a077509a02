#pragma once
// The buddy watch in the window: switched on and off from the Preferences menu
// (kept in the settings), driven by its timer whether the window is shown,
// minimized or in the tray, and heard through the status line, the tray icon's
// balloon and, without a tray icon, the taskbar button. The saved and recent
// servers are its first source; the world plugs in through plug().
#include <functional>
#include <string>
#include <vector>

#include "servers/buddy_list.h"
#include "servers/buddy_watch.h"
#include "servers/server_status.h"
#include "util/recent_servers.h"
#include "view/main_view.h"

namespace vexal::servers {

class BuddyWatcher {
public:
    struct Hooks {
        // What the game gets from a parameter line: the servers it connects to.
        std::function<std::string(const std::string& paramLine)> commandLineOf;
        // Opens the server list with the server ("host:port", lower case) selected.
        std::function<void(const std::string& server)> openAt;
        // The same in the list of every server, for a server the saved list does not hold.
        std::function<void(const std::string& server)> openWorldAt;
        // The server list's status while the list is open, else nothing.
        std::function<const ServerStatus*()> listStatus;
    };

    BuddyWatcher(view::MainView& view, BuddyList& buddies, Hooks hooks);

    void load();    // start-up: on when the settings say so
    void toggle();  // the Preferences item
    [[nodiscard]] bool on() const { return watch_.on(); }
    void tick();            // the timer
    void balloonClicked();  // the tray icon's balloon
    void stop();            // the window goes: nothing more is sent
    // The server list is about to ask: the program has one socket, and while the
    // list is open its rounds serve the watch.
    void yieldNetwork();

    // A second source of rounds (the world).
    void plug(BuddyWatch::Source source, WatchSource functions) { watch_.setSource(source, std::move(functions)); }
    [[nodiscard]] const BuddyWatch& watch() const { return watch_; }

private:
    void switchOn(bool on);
    void startSaved();
    [[nodiscard]] bool pollSaved();
    [[nodiscard]] bool gameInFront();
    void arm();

    view::MainView& v_;
    BuddyList& buddies_;
    Hooks hooks_;
    ServerStatus status_;
    BuddyWatch watch_;
    std::vector<WatchRow> rows_;
    const ServerStatus* borrowed_ = nullptr;  // the list's status, whose round this one is
    std::string balloonServer_;
    bool balloonInWorld_ = false;  // the balloon's server is not one of the saved list's
};

}  // namespace vexal::servers
