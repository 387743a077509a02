#include "servers/server_rows.h"

#include <algorithm>
#include <numeric>

#include "servers/texts.h"
#include "util/colour_codes.h"

namespace vexal::servers {

namespace {

using State = ServerRow::State;

std::string playersText(const ServerFacts& f) {
    const std::size_t players = f.players.size();
    std::string s = std::to_string(players);
    if (f.maxPlayers) s += "/" + std::to_string(*f.maxPlayers);
    if (f.bots) s += " (" + std::to_string(*f.bots) + (*f.bots == 1 ? " bot)" : " bots)");
    if (f.maxPlayers && static_cast<int>(players) >= *f.maxPlayers) s += text::kFull;
    return s;
}

std::string stateText(const ServerRow& row) {
    switch (row.state) {
        case State::LookingUp:
            return text::kLookingUp;
        case State::Asking:
            return text::kAsking;
        case State::NoAnswer:
            return text::kNoAnswer;
        case State::Problem:
            return row.problem;
        case State::Answered:
            break;
    }
    return {};
}

ui::ListCell plain(std::string text) { return {std::move(text), {}}; }

ui::ListCell coloured(const std::string& clean, const std::string& withCodes) {
    return {clean, colouredText(withCodes)};
}

}  // namespace

std::vector<ui::TextRun> colouredText(const std::string& withCodes) {
    std::vector<ui::TextRun> runs;
    for (auto& run : util::colourRuns(withCodes))
        runs.push_back(
            {run.colour == util::kNoColour ? ui::kClDefault : util::kGameColours[static_cast<std::size_t>(run.colour)],
             std::move(run.text)});
    return runs;
}

ui::ListRow serverCells(const ServerRow& row, bool recent) {
    ui::ListRow cells(kServerColumns);
    cells[kAddressColumn] = plain(row.address.shown);
    if (recent) {
        cells[kAddressColumn].text += std::string("  ") + text::kRecentMark;
        cells[kAddressColumn].runs = {{ui::kClDefault, row.address.shown},
                                      {kMarkColour, std::string("  ") + text::kRecentMark}};
    }
    if (!row.showsFacts()) {
        cells[kHostColumn] = plain(stateText(row));
        return cells;
    }
    const ServerFacts& f = row.facts;
    cells[kHostColumn] = coloured(f.hostName, f.hostNameCodes);
    cells[kMapColumn] = plain(f.map + (row.mapInstalled ? "" : text::kMissingMap));
    cells[kPlayersColumn] = plain(playersText(f));
    cells[kPingColumn] = plain(std::to_string(row.pingMs) + " ms");
    cells[kPasswordColumn] = plain(f.password ? text::kPasswordMark : "");
    cells[kModColumn] = plain(f.mod);
    return cells;
}

std::vector<ui::ListRow> playerCells(const ServerRow& row) {
    std::vector<ui::ListRow> out;
    if (!row.showsFacts()) return out;
    for (const Player& p : row.facts.players)
        out.push_back({coloured(p.name, p.codes), plain(std::to_string(p.score)), plain(std::to_string(p.ping))});
    return out;
}

std::string copyText(const ServerRow& row) {
    const ui::ListRow cells = serverCells(row, false);
    std::vector<std::string> parts;
    for (const int c : {kAddressColumn, kHostColumn, kMapColumn, kPlayersColumn})
        parts.push_back(cells[static_cast<std::size_t>(c)].text);
    while (!parts.empty() && parts.back().empty()) parts.pop_back();
    std::string out;
    for (const auto& p : parts) out += (out.empty() ? "" : "  ") + p;
    return out;
}

std::vector<std::size_t> sortedOrder(const std::vector<ServerRow>& rows, int column, bool descending) {
    std::vector<std::size_t> order(rows.size());
    std::iota(order.begin(), order.end(), std::size_t{0});
    std::vector<ui::ListRow> cells;
    for (const auto& row : rows) cells.push_back(serverCells(row, false));
    auto number = [&](std::size_t i) -> long long {
        const ServerFacts& f = rows[i].facts;
        if (column == kPlayersColumn) return static_cast<long long>(f.players.size());
        return rows[i].pingMs;
    };
    // -1, 0, 1 as a goes before, with or after b in ascending order.
    auto compare = [&](std::size_t a, std::size_t b) {
        if (column == kPlayersColumn || column == kPingColumn) {
            const long long x = number(a), y = number(b);
            return x < y ? -1 : (x > y ? 1 : 0);
        }
        if (column < 0 || column >= kServerColumns) return 0;
        return ui::compareText(cells[a][static_cast<std::size_t>(column)].text,
                               cells[b][static_cast<std::size_t>(column)].text);
    };
    std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
        // Every row has an address; the other columns are empty without an answer.
        const bool fa = column == kAddressColumn || rows[a].showsFacts();
        const bool fb = column == kAddressColumn || rows[b].showsFacts();
        if (fa != fb) return fa;
        if (!fa) return false;
        const int c = compare(a, b);
        return descending ? c > 0 : c < 0;
    });
    return order;
}

}  // namespace vexal::servers
