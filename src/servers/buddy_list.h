#pragma once
// The buddy list as the window keeps it: read from VexalBuddies.dat when a list
// opens and before each round of the watch, written back at once when the player
// adds or removes a buddy.
#include <optional>
#include <string>
#include <vector>

#include "servers/buddies.h"
#include "servers/server_status.h"
#include "ui/control.h"
#include "view/main_view.h"

namespace vexal::servers {

class BuddyList {
public:
    explicit BuddyList(view::MainView& view) : v_(view) {}

    // Reads the file again. Skipped lines are said in the status line once for
    // each content of the file: the words, when they were said now.
    std::optional<std::string> reload();
    [[nodiscard]] const std::vector<std::string>& patterns() const { return patterns_; }
    [[nodiscard]] bool isBuddy(const std::string& playerName) const { return servers::isBuddy(patterns_, playerName); }
    // The player as a buddy, by the name without colour codes; said in the status line.
    void add(const std::string& playerName);
    // Every pattern that names the player goes.
    void remove(const std::string& playerName);

private:
    void write(const std::vector<std::string>& patterns);
    [[nodiscard]] std::string path() const { return v_.programDir + settings::kBuddyFile; }

    view::MainView& v_;
    std::vector<std::string> patterns_;
    bool unreadable_ = false;                  // there, but could not be read: never written over
    std::optional<std::string> reportedFile_;  // the content whose skipped lines were said
};

// A server with buddies on it, in either list: a star before its host name, their
// names in the tip of its row.
void markBuddies(ui::ListRow& cells, std::size_t hostColumn, const std::vector<std::string>& names);
// The player in that row of the players list, when the row shows one.
[[nodiscard]] const Player* playerAt(const ServerRow* row, int at);
// The players of a server as the players list shows them, a buddy's row in bold.
[[nodiscard]] std::vector<ui::ListRow> playerCellsMarked(const ServerRow* row, const BuddyList& buddies);

}  // namespace vexal::servers
