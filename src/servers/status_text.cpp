// The viewer's text: fixed columns for a fixed-pitch font.
#include "servers/server_status.h"
#include "servers/texts.h"

namespace vexal::servers {

namespace {

struct Column {
    const char* title;
    std::size_t width;
};
constexpr Column kAddress{"Address", 22}, kHost{"Host name", 26}, kMap{"Map", 22}, kPlayers{"Players", 15},
    kPing{"Ping", 8}, kPassword{"Pw", 4}, kMod{"Mod", 0};

// Cut to the column and padded to it, with one blank at least between columns.
std::string cell(const std::string& text, const Column& column) {
    if (column.width == 0) return text;
    if (text.size() + 1 >= column.width) return text.substr(0, column.width - 1) + " ";
    return text + std::string(column.width - text.size(), ' ');
}

std::string playersText(const ServerFacts& f) {
    const std::size_t players = f.players.size();
    std::string s = std::to_string(players);
    if (f.maxPlayers) s += "/" + std::to_string(*f.maxPlayers);
    if (f.bots) s += " (" + std::to_string(*f.bots) + (*f.bots == 1 ? " bot)" : " bots)");
    if (f.maxPlayers && static_cast<int>(players) >= *f.maxPlayers) s += text::kFull;
    return s;
}

std::string serverLine(const ServerRow& row) {
    std::string line = cell(row.address.shown, kAddress);
    switch (row.state) {
        case ServerRow::State::LookingUp:
            return line + text::kLookingUp;
        case ServerRow::State::Asking:
            return line + text::kAsking;
        case ServerRow::State::NoAnswer:
            return line + text::kNoAnswer;
        case ServerRow::State::Problem:
            return line + row.problem;
        case ServerRow::State::Answered:
            break;
    }
    const ServerFacts& f = row.facts;
    line += cell(f.hostName, kHost);
    line += cell(f.map + (row.mapInstalled ? "" : text::kMissingMap), kMap);
    line += cell(playersText(f), kPlayers);
    line += cell(std::to_string(row.pingMs) + " ms", kPing);
    line += cell(f.password ? text::kPasswordMark : "", kPassword);
    line += cell(f.mod, kMod);
    while (!line.empty() && line.back() == ' ') line.pop_back();
    return line;
}

}  // namespace

std::string statusText(const std::vector<ServerRow>& rows) {
    std::string out = std::string(text::kTitle) + "\r\n\r\n";
    if (rows.empty()) return out + text::kNoServers + "\r\n";
    std::string header;
    for (const Column* c : {&kAddress, &kHost, &kMap, &kPlayers, &kPing, &kPassword, &kMod})
        header += cell(c->title, *c);
    out += header + "\r\n";
    for (const Column* c : {&kAddress, &kHost, &kMap, &kPlayers, &kPing, &kPassword, &kMod})
        out += cell(std::string(c->width ? c->width - 1 : 10, '-'), *c);
    out += "\r\n";
    for (const ServerRow& row : rows) {
        out += serverLine(row) + "\r\n";
        if (row.state != ServerRow::State::Answered) continue;
        for (const Player& p : row.facts.players) {
            const std::string score = std::to_string(p.score);
            out += "    " + cell(p.name, {"", 38}) + std::string(12 - score.size(), ' ') + score + "\r\n";
        }
    }
    return out;
}

}  // namespace vexal::servers
