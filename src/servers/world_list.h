#pragma once
// The state of the list of every server, apart from any window: the filter as
// typed and checked, the sort, which rows show in which order, the selected row
// kept by its address across refreshes, and what the status line says.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "servers/world_round.h"
#include "servers/world_rows.h"

namespace vexal::servers {

class WorldList {
public:
    WorldFilter filter;
    int sortColumn = -1;  // none: the masters' order
    bool descending = false;

    // Recomputes the rows on show from the round's rows. Unless `keepOrder`, they
    // are sorted anew; with it (the mouse is over the list) rows already on show
    // keep their places and new ones join at the end.
    void refresh(const std::vector<ServerRow>& rows, const HaveMod& haveMod, bool keepOrder = false);
    [[nodiscard]] const std::vector<std::size_t>& shown() const { return shown_; }

    // Typing in the list. True when the key was the filter's (and the rows changed).
    bool type(char c);
    bool backspace();
    // Escape clears the filter first; false when there was none (the list closes).
    bool escape();

    // The selection, by the row's address: it stays on its server as rows move.
    void select(int at, const std::vector<ServerRow>& rows);
    [[nodiscard]] int selectedAt() const;  // -1: none
    [[nodiscard]] const std::string& selectedKey() const { return selected_; }

    // " Filter: oasis  -  12 of 987 servers" while text is typed.
    [[nodiscard]] std::string filterStatus(std::size_t total) const;

private:
    std::vector<std::size_t> shown_;
    std::vector<std::string> keys_;  // the addresses of the rows shown, in order
    std::string selected_;
};

// What the status line says of a round: the masters being asked, the servers
// being asked, or how many answered and how many play (and which masters were
// silent).
[[nodiscard]] std::string roundStatus(const WorldState& round);

}  // namespace vexal::servers
