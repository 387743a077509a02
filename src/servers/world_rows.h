#pragma once
// What the list of every server shows and keeps: its cells (the saved list's,
// with players as humans+bots/slots and the game type by name), which rows a
// filter keeps, their order, and the server Quick Join picks. Pure functions of
// the rows, so tables of cases hold them to account.
#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "servers/server_status.h"
#include "ui/control.h"

namespace vexal::servers {

enum WorldColumn {
    kWorldAddress,
    kWorldHost,
    kWorldMap,
    kWorldPlayers,
    kWorldPing,
    kWorldPassword,
    kWorldMod,
    kWorldGameType,
    kWorldColumns
};

// The game type by the name the game gives it, or its number.
[[nodiscard]] std::string gameTypeName(const std::string& gametype);

// Players with a ping; a ping of 0 is a bot.
[[nodiscard]] int humansOf(const ServerFacts& f);
// More than 64 slots, or more players than slots: the numbers are made up.
[[nodiscard]] bool fakeCounts(const ServerFacts& f);
// "12+4/20" (humans + bots / public slots), "12/20" without bots, "fake?".
[[nodiscard]] std::string worldPlayersText(const ServerFacts& f);

[[nodiscard]] ui::ListRow worldCells(const ServerRow& row);

// The right-click menu's check items and the typed text; kept between runs.
struct WorldFilter {
    std::string text{};  // as typed
    bool hideFull = false, hideEmpty = false, hidePassworded = false, onlyMyMods = false, onlyMyMaps = false;
    bool onlyWithBuddies = false;
    std::vector<std::string> buddies{};  // the buddy list's patterns, for onlyWithBuddies
    [[nodiscard]] bool active() const {
        return !text.empty() || hideFull || hideEmpty || hidePassworded || onlyMyMods || onlyMyMaps || onlyWithBuddies;
    }
};

// True when the game folder has the mod (the folder the server names; the game's
// own when it names none).
using HaveMod = std::function<bool(const std::string& modFolder)>;

// Whether the row stays on show. The text is looked for in the host name, the
// map, the mod and the players' names, colour codes and letter case ignored.
// While any filter is set, a row that shows no answer cannot be said to match
// and goes.
[[nodiscard]] bool passes(const ServerRow& row, const WorldFilter& filter, const HaveMod& haveMod);

// The rows' indexes in the order of `column` (players by humans, then all
// players; ping as a number; the rest as text); "fake?" rows and rows that show
// no answer come last either way; equal rows keep their order.
[[nodiscard]] std::vector<std::size_t> worldOrder(const std::vector<ServerRow>& rows,
                                                  const std::vector<std::size_t>& shown, int column, bool descending);

// The server Quick Join starts: among those with a public slot free, no password,
// believable counts, a mod the game folder has and the map installed, the one with
// the most humans, then the lowest ping; the first listed of equals. Nothing when
// none qualifies.
[[nodiscard]] std::optional<std::size_t> quickJoinChoice(const std::vector<ServerRow>& rows, const HaveMod& haveMod);

}  // namespace vexal::servers
