// The viewer's text: columns for a fixed-pitch font, each as wide as its longest
// cell (up to a limit), so that a row fits the window whenever it can.
#include <algorithm>
#include <array>

#include "servers/server_status.h"
#include "servers/texts.h"

namespace vexal::servers {

namespace {

enum Col { kAddress, kHost, kMap, kPlayers, kPing, kPassword, kMod, kColumns };
constexpr std::array<const char*, kColumns> kTitles = {"Address", "Host name", "Map", "Players", "Ping", "Pw", "Mod"};
constexpr std::array<std::size_t, kColumns> kMaxWidth = {21, 24, 22, 16, 7, 2, 12};
constexpr std::size_t kNameWidth = 36;  // the game's names are shorter

using Cells = std::array<std::string, kColumns>;

std::string playersText(const ServerFacts& f) {
    const std::size_t players = f.players.size();
    std::string s = std::to_string(players);
    if (f.maxPlayers) s += "/" + std::to_string(*f.maxPlayers);
    if (f.bots) s += " (" + std::to_string(*f.bots) + (*f.bots == 1 ? " bot)" : " bots)");
    if (f.maxPlayers && static_cast<int>(players) >= *f.maxPlayers) s += text::kFull;
    return s;
}

Cells cellsOf(const ServerRow& row) {
    Cells c;
    c[kAddress] = row.address.shown;
    switch (row.state) {
        case ServerRow::State::LookingUp:
            c[kHost] = text::kLookingUp;
            return c;
        case ServerRow::State::Asking:
            c[kHost] = text::kAsking;
            return c;
        case ServerRow::State::NoAnswer:
            c[kHost] = text::kNoAnswer;
            return c;
        case ServerRow::State::Problem:
            c[kHost] = row.problem;
            return c;
        case ServerRow::State::Answered:
            break;
    }
    const ServerFacts& f = row.facts;
    c[kHost] = f.hostName;
    c[kMap] = f.map + (row.mapInstalled ? "" : text::kMissingMap);
    c[kPlayers] = playersText(f);
    c[kPing] = std::to_string(row.pingMs) + " ms";
    c[kPassword] = f.password ? text::kPasswordMark : "";
    c[kMod] = f.mod;
    return c;
}

// Cut to the column, then padded with two blanks at least before the next one.
std::string line(const Cells& cells, const std::array<std::size_t, kColumns>& width, int last) {
    std::string out;
    for (int i = 0; i <= last; ++i) {
        const std::string cell = i == last ? cells[i] : cells[i].substr(0, width[i]);
        out += cell;
        if (i < last) out += std::string(width[i] + 2 - cell.size(), ' ');
    }
    while (!out.empty() && out.back() == ' ') out.pop_back();
    return out;
}

}  // namespace

std::string statusText(const std::vector<ServerRow>& rows) {
    std::string out = std::string(text::kTitle) + "\r\n\r\n";
    if (rows.empty()) return out + text::kNoServers + "\r\n";

    std::vector<Cells> cells;
    std::array<std::size_t, kColumns> width{};
    for (int i = 0; i < kColumns; ++i) width[i] = std::string(kTitles[i]).size();
    for (const ServerRow& row : rows) {
        cells.push_back(cellsOf(row));
        const bool answered = row.state == ServerRow::State::Answered;
        for (int i = 0; i < kColumns; ++i)
            // A row without an answer says why in the host column, whatever its width.
            if (answered || i == kAddress)
                width[i] = std::max(width[i], std::min(cells.back()[i].size(), kMaxWidth[i]));
    }
    Cells titles, rules;
    for (int i = 0; i < kColumns; ++i) {
        titles[i] = kTitles[i];
        rules[i] = std::string(width[i], '-');
    }
    out += line(titles, width, kMod) + "\r\n" + line(rules, width, kMod) + "\r\n";
    for (std::size_t r = 0; r < rows.size(); ++r) {
        const bool answered = rows[r].state == ServerRow::State::Answered;
        out += line(cells[r], width, answered ? kMod : kHost) + "\r\n";
        if (!answered) continue;
        for (const Player& p : rows[r].facts.players) {
            const std::string name = p.name.substr(0, kNameWidth);
            const std::string score = std::to_string(p.score);
            out += "  " + name + std::string(kNameWidth + 12 - name.size() - score.size(), ' ') + score + "\r\n";
        }
    }
    return out;
}

}  // namespace vexal::servers
