#pragma once
// The server list in the window: opened from the Run menu (F5) or the tray menu,
// polled by its timer while shown, closed with the other viewers. A row joins its
// server; a full one can be waited on until a slot frees; a recent one kept.
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "servers/buddy_list.h"
#include "servers/server_status.h"
#include "servers/slot_wait.h"
#include "util/recent_servers.h"
#include "view/main_view.h"

namespace vexal::servers {

class StatusViewer {
public:
    struct Hooks {
        // Closing sends the window back to the tray when it was opened from there.
        std::function<void()> openedFromTray;
        // What the game gets from a parameter line when it starts with it: the servers
        // asked are the ones that line would connect to.
        std::function<std::string(const std::string& paramLine)> commandLineOf;
        // Starts the game with a parameter line, as Run does with it; `serverMod` is the
        // mod the server answered with, "" when none or unknown.
        std::function<void(const std::string& paramLine, const std::string& serverMod)> join;
        // Adds a line to the parameter list; false when it is there already.
        std::function<bool(const std::string& paramLine)> keep;
        std::function<void()> closeViewers;
        // The list is about to ask: whoever else uses the socket lets go of it.
        std::function<void()> asking;
    };

    StatusViewer(view::MainView& view, Hooks hooks)
        : v_(view), hooks_(std::move(hooks)), status_(view.services.network, view.services.fs) {}

    void open();  // opens the viewer, or asks again while it is open
    void openFromTray();
    // Opens the list (from wherever the window is) with the server ("host:port",
    // lower case) selected: where a balloon of the buddy watch points.
    void openAt(const std::string& server);
    void poll();   // the timer's tick
    void close();  // part of close-viewers

    // ---- the server list's and the player list's events
    void serverPicked();  // the user chose a row
    void columnClick(int column);
    void serverKeyDown(int& key);
    void playerKeyDown(int& key);
    void join();         // the selected row, Enter or a double click
    void waitForSlot();  // Ctrl+J on a full row
    void keep();         // Ctrl+K on a recent row
    void copy();         // Ctrl+C
    void launching();    // the game starts from anywhere: a wait ends
    void addBuddy();     // the selected player, Insert
    void removeBuddy();  // Delete
    void toggleOnlyWithBuddies();

    [[nodiscard]] bool canChangeBuddy() const { return selectedPlayer() != nullptr; }
    [[nodiscard]] bool onlyWithBuddies() const;
    [[nodiscard]] BuddyList& buddies() { return buddies_; }

    [[nodiscard]] bool canWait() const;
    [[nodiscard]] bool canKeep() const;
    [[nodiscard]] bool canJoin() const { return selected() != nullptr; }
    [[nodiscard]] bool waiting() const { return wait_.active(); }
    [[nodiscard]] const ServerStatus& status() const { return status_; }
    [[nodiscard]] const ServerStatus* openStatus() const { return status_.running() ? &status_ : nullptr; }

private:
    void start();
    void show();  // the rows, the selection and the players into the lists
    void stepWait();
    void cancelWait();
    [[nodiscard]] const ServerRow* selected() const;
    [[nodiscard]] const Player* selectedPlayer() const;
    [[nodiscard]] std::vector<ui::ListRow> playersOf(const ServerRow* row) const;
    [[nodiscard]] std::size_t selectedRow() const;  // index into status_.rows(), or npos
    [[nodiscard]] bool recent(const ServerRow& row) const { return row.address.line >= savedLines_.size(); }
    [[nodiscard]] std::string lineOf(const ServerRow& row) const;

    view::MainView& v_;
    Hooks hooks_;
    ServerStatus status_;
    BuddyList buddies_{v_};
    SlotWait wait_;
    std::vector<std::string> savedLines_;  // the parameter lines of the round
    std::vector<util::RecentServer> recent_;
    std::vector<std::size_t> order_;      // status rows in the order shown
    std::vector<std::string> shownKeys_;  // their addresses, lower case: the order carries over a new round
    std::string selectedKey_;             // the selected row's address, lower case
    int sortColumn_ = -1;
    bool descending_ = false;
    std::string shownStatus_;
    std::string notice_;  // what became of a wait, on show until the next round
};

}  // namespace vexal::servers
