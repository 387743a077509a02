#include "servers/world_rows.h"

#include <algorithm>
#include <cstdint>

#include "servers/buddies.h"
#include "servers/server_rows.h"
#include "servers/texts.h"
#include "util/case_fold.h"

namespace vexal::servers {

namespace {

bool contains(const std::string& haystack, const std::string& lowerNeedle) {
    return util::asciiLowerCase(haystack).find(lowerNeedle) != std::string::npos;
}

bool fullRow(const ServerRow& row) {
    const ServerFacts& f = row.facts;
    return f.maxPlayers && static_cast<int>(f.players.size()) >= *f.maxPlayers;
}

// A dotted address and port as one number, so 10.0.0.9 comes before 10.0.0.10.
std::uint64_t addressKey(const ServerRow& row) {
    std::uint64_t address = 0;
    unsigned part = 0;
    for (const char c : row.address.host) {
        if (c == '.') {
            address = address << 8 | part;
            part = 0;
        } else if (c >= '0' && c <= '9') {
            part = part * 10 + static_cast<unsigned>(c - '0');
        }
    }
    address = address << 8 | part;
    return address << 16 | row.address.port;
}

}  // namespace

std::string gameTypeName(const std::string& gametype) {
    // The multiplayer types of the game (0 and 1 are its single-player and co-op
    // leftovers, which have no name a player would know).
    static constexpr const char* kNames[] = {
        nullptr, nullptr, "Single-Map Objective", "Stopwatch", "Campaign", "Last Man Standing", "Map Voting"};
    if (gametype.size() == 1 && gametype[0] >= '0' && gametype[0] <= '6' && kNames[gametype[0] - '0'])
        return kNames[gametype[0] - '0'];
    return gametype;
}

int humansOf(const ServerFacts& f) {
    return static_cast<int>(
        std::count_if(f.players.begin(), f.players.end(), [](const Player& p) { return p.ping != 0; }));
}

bool fakeCounts(const ServerFacts& f) {
    if (f.claimedClients &&
        (*f.claimedClients > static_cast<int>(kMaxPlayers) || static_cast<int>(f.players.size()) > *f.claimedClients))
        return true;
    return false;
}

std::string worldPlayersText(const ServerFacts& f) {
    if (fakeCounts(f)) return text::kFakeCounts;
    const int humans = humansOf(f);
    const int bots = static_cast<int>(f.players.size()) - humans;
    std::string s = std::to_string(humans);
    if (bots > 0) s += "+" + std::to_string(bots);
    if (f.maxPlayers) s += "/" + std::to_string(*f.maxPlayers);
    return s;
}

ui::ListRow worldCells(const ServerRow& row) {
    ui::ListRow cells = serverCells(row, false);
    cells.resize(kWorldColumns);
    if (row.showsFacts()) {
        cells[kWorldPlayers] = {worldPlayersText(row.facts), {}};
        cells[kWorldGameType] = {gameTypeName(row.facts.gameType), {}};
    }
    return cells;
}

bool passes(const ServerRow& row, const WorldFilter& filter, const HaveMod& haveMod) {
    if (!filter.active()) return true;
    if (!row.showsFacts()) return false;
    const ServerFacts& f = row.facts;
    if (filter.hideFull && fullRow(row)) return false;
    if (filter.hideEmpty && f.players.empty()) return false;
    if (filter.hidePassworded && f.password) return false;
    if (filter.onlyMyMaps && !row.mapInstalled) return false;
    if (filter.onlyMyMods && haveMod && !haveMod(f.modFolder)) return false;
    if (filter.onlyWithBuddies && buddiesOn(filter.buddies, f).empty()) return false;
    if (filter.text.empty()) return true;
    const std::string needle = util::asciiLowerCase(filter.text);
    if (contains(f.hostName, needle) || contains(f.map, needle) || contains(f.mod, needle)) return true;
    return std::any_of(f.players.begin(), f.players.end(), [&](const Player& p) { return contains(p.name, needle); });
}

std::vector<std::size_t> worldOrder(const std::vector<ServerRow>& rows, const std::vector<std::size_t>& shown,
                                    int column, bool descending) {
    std::vector<std::size_t> order = shown;
    // Last either way: a row with nothing to sort by, and made-up player counts.
    auto rank = [&](std::size_t i) {
        if (column == kWorldAddress) return 0;
        if (!rows[i].showsFacts()) return 2;
        return fakeCounts(rows[i].facts) ? 1 : 0;
    };
    auto compare = [&](std::size_t a, std::size_t b) -> int {
        const ServerRow& x = rows[a];
        const ServerRow& y = rows[b];
        auto three = [](long long p, long long q) { return p < q ? -1 : (p > q ? 1 : 0); };
        switch (column) {
            case kWorldAddress: {
                const auto ka = addressKey(x), kb = addressKey(y);
                return ka < kb ? -1 : (kb < ka ? 1 : 0);
            }
            case kWorldPlayers:
                if (const int c = three(humansOf(x.facts), humansOf(y.facts))) return c;
                return three(static_cast<long long>(x.facts.players.size()),
                             static_cast<long long>(y.facts.players.size()));
            case kWorldPing:
                return three(x.pingMs, y.pingMs);
            case kWorldHost:
                return ui::compareText(x.facts.hostName, y.facts.hostName);
            case kWorldMap:
                return ui::compareText(x.facts.map, y.facts.map);
            case kWorldPassword:
                return three(x.facts.password, y.facts.password);
            case kWorldMod:
                return ui::compareText(x.facts.mod, y.facts.mod);
            case kWorldGameType:
                return ui::compareText(gameTypeName(x.facts.gameType), gameTypeName(y.facts.gameType));
            default:
                return 0;
        }
    };
    std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
        const int ra = rank(a), rb = rank(b);
        if (ra != rb) return ra < rb;
        if (ra == 2) return false;
        const int c = compare(a, b);
        return descending ? c > 0 : c < 0;
    });
    return order;
}

std::optional<std::size_t> quickJoinChoice(const std::vector<ServerRow>& rows, const HaveMod& haveMod) {
    std::optional<std::size_t> best;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const ServerRow& row = rows[i];
        if (row.state != ServerRow::State::Answered) continue;
        const ServerFacts& f = row.facts;
        if (!f.maxPlayers || fullRow(row) || f.password || fakeCounts(f) || !row.mapInstalled) continue;
        if (haveMod && !haveMod(f.modFolder)) continue;
        if (!best) {
            best = i;
            continue;
        }
        const ServerRow& b = rows[*best];
        const int h = humansOf(f), hb = humansOf(b.facts);
        if (h > hb || (h == hb && row.pingMs < b.pingMs)) best = i;
    }
    return best;
}

}  // namespace vexal::servers
