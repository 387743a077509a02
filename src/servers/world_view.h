#pragma once
// The list of every server in the window: All Servers in the Run menu (F6) or the
// tray menu asks the world and lists it, F5 asks again; typing filters it, the
// right-click menu's check items hide what the player cannot or would not join.
// Quick Join (F7) asks the world (or takes a round of the last minute) and starts
// the best server. Nothing is sent before the player asks for one of the two.
#include <cstdint>
#include <functional>
#include <map>
#include <string>

#include "servers/buddy_list.h"
#include "servers/buddy_watch.h"
#include "servers/slot_wait.h"
#include "servers/world_list.h"
#include "servers/world_runner.h"
#include "view/main_view.h"

namespace vexal::servers {

// A round younger than this is good enough for Quick Join.
inline constexpr std::uint64_t kQuickJoinReuseMs = 60000;
// While servers answer, the rows on show are brought up to date this often: the
// list fills in steps a player can follow, and a sort of 4,096 rows runs ten times
// a second at most.
inline constexpr std::uint64_t kWorldShowMs = 100;

class WorldViewer {
public:
    struct Hooks {
        std::function<void()> openedFromTray;
        // Starts the game with a parameter line; the server's mod tells whether the chosen
        // program can load it.
        std::function<void(const std::string& paramLine, const std::string& serverMod)> join;
        std::function<bool(const std::string& paramLine)> keep;
        std::function<void()> closeViewers;
        // The saved servers' list shares the place: it closes as this one opens.
        std::function<void()> closeSavedList;
    };
    enum class Check { HideFull, HideEmpty, HidePassworded, OnlyMyMods, OnlyMyMaps, OnlyWithBuddies };

    WorldViewer(view::MainView& view, BuddyList& buddies, Hooks hooks);

    void open();  // F6: the list, and a round of the world
    void openFromTray();
    // The list with the server ("host:port") selected: where a balloon of the buddy
    // watch points. The rows on hand serve; the world is asked when there are none.
    void openAt(const std::string& server);
    void askAgain();   // F5 while the list is open
    void quickJoin();  // F7, from anywhere
    void quickJoinFromTray();
    void poll();   // the timer's tick
    void close();  // part of close-viewers
    [[nodiscard]] bool isOpen() const { return open_; }

    // ---- the list's events
    void picked();
    void columnClick(int column);
    void keyDown(int& key);
    void keyPress(char& key);
    void join();
    void waitForSlot();
    void keep();
    void copy();
    void launching();  // the game starts from anywhere: a wait ends
    void toggle(Check which);
    void playerKeyDown(int& key);
    void addBuddy();     // the selected player, Insert
    void removeBuddy();  // Delete
    [[nodiscard]] bool canChangeBuddy() const { return selectedPlayer() != nullptr; }

    // The world as a source of the buddy watch: its rounds run on the list's socket,
    // and while the list is open its own rounds serve.
    [[nodiscard]] WatchSource watchSource();

    [[nodiscard]] bool isOn(Check which) const;
    [[nodiscard]] bool canJoin() const { return selected() != nullptr; }
    [[nodiscard]] bool canWait() const;
    [[nodiscard]] const WorldState& round() const { return round_.state(); }
    [[nodiscard]] const WorldList& list() const { return list_; }

private:
    void openList(bool ask);
    void start();
    void show(bool force);
    void showStatus();
    void stepWait();
    void cancelWait();
    void finishQuickJoin();
    void loadSettings();
    void saveSettings();
    [[nodiscard]] bool haveMod(const std::string& folder);
    [[nodiscard]] const ServerRow* selected() const;
    [[nodiscard]] std::size_t selectedRow() const;
    [[nodiscard]] const Player* selectedPlayer() const;
    void changeBuddy(bool add);
    void watchStart(bool askMasters);
    [[nodiscard]] bool watchPoll();

    view::MainView& v_;
    BuddyList& buddies_;
    Hooks hooks_;
    WorldRunner round_;
    WorldList list_;
    SlotWait wait_;
    std::map<std::string, bool> mods_;  // the game folder's mod folders, looked at once a round
    std::uint64_t lastShown_ = 0;
    bool unshown_ = false;  // the round changed since the rows were last shown
    // The players wait for the next tick when the server list has just filled: under
    // Wine each list's first rows cost a repaint of its frame, and two in one message
    // hold the window too long.
    bool playersPending_ = false;
    std::string shownStatus_, notice_;
    std::vector<WatchRow> watchRows_;
    bool open_ = false, quickJoinPending_ = false, settingsLoaded_ = false;
    bool watching_ = false;  // a round of the buddy watch runs on the list's socket
};

}  // namespace vexal::servers
