#pragma once
// What the server list shows of the status rows: the cells of a server and of its
// players (colour codes as runs of colour, the copied text without them), and the
// order of the rows when a column sorts them.
#include <cstddef>
#include <string>
#include <vector>

#include "servers/server_status.h"
#include "ui/control.h"

namespace vexal::servers {

enum ServerColumn {
    kAddressColumn,
    kHostColumn,
    kMapColumn,
    kPlayersColumn,
    kPingColumn,
    kPasswordColumn,
    kModColumn,
    kServerColumns
};

// Text not coloured by a code: the game's own default, white, on the list's dark ground.
inline constexpr ui::Colour kListText = 0xFFFFFF;
inline constexpr ui::Colour kListBackground = 0x201810;
inline constexpr ui::Colour kMarkColour = 0xA0A0A0;  // the "recent" mark

// A name or host name as the game draws it: one run per colour.
[[nodiscard]] std::vector<ui::TextRun> colouredText(const std::string& withCodes);

[[nodiscard]] ui::ListRow serverCells(const ServerRow& row, bool recent);
[[nodiscard]] std::vector<ui::ListRow> playerCells(const ServerRow& row);
// "address  host name  map  players", without colour codes or empty cells at the end.
[[nodiscard]] std::string copyText(const ServerRow& row);

// The rows' indexes in the order of `column` (players and ping as numbers, the
// rest as text, letter case ignored); rows that show no answer come last either
// way, and equal rows keep their list order.
[[nodiscard]] std::vector<std::size_t> sortedOrder(const std::vector<ServerRow>& rows, int column, bool descending);

}  // namespace vexal::servers
