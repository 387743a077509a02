#include "servers/buddies.h"

#include <algorithm>

#include "util/case_fold.h"
#include "util/lines.h"

namespace vexal::servers {

namespace {

bool goodLine(std::string_view line) {
    if (line.empty() || line.size() > kMaxPatternLength) return false;
    return std::none_of(line.begin(), line.end(), [](char c) {
        const auto u = static_cast<unsigned char>(c);
        return u < 0x20 || u == 0x7F;
    });
}

// A pattern is taken as written; only the names the servers send carry colour codes.
std::string nameKey(std::string_view name) { return util::foldCase(cleanName(name)); }

bool samePattern(std::string_view a, std::string_view b) { return util::foldCase(a) == util::foldCase(b); }

// '*' matches any run; the last star seen is where a mismatch goes back to.
bool wildcard(std::string_view p, std::string_view s) {
    std::size_t pi = 0, si = 0;
    std::size_t star = std::string_view::npos, resume = 0;
    while (si < s.size()) {
        if (pi < p.size() && p[pi] == '*') {
            star = pi++;
            resume = si;
        } else if (pi < p.size() && p[pi] == s[si]) {
            ++pi;
            ++si;
        } else if (star != std::string_view::npos) {
            pi = star + 1;
            si = ++resume;
        } else {
            return false;
        }
    }
    while (pi < p.size() && p[pi] == '*') ++pi;
    return pi == p.size();
}

std::string playersOf(const ServerFacts& f) {
    std::string s = std::to_string(f.players.size());
    if (f.maxPlayers) s += "/" + std::to_string(*f.maxPlayers);
    return s;
}

}  // namespace

BuddyFile parseBuddies(std::string_view fileText) {
    BuddyFile out;
    for (const std::string& line : util::splitLines(std::string(fileText))) {
        if (!goodLine(line) || out.patterns.size() >= kMaxBuddies) {
            ++out.skipped;
            continue;
        }
        const bool repeat = std::any_of(out.patterns.begin(), out.patterns.end(),
                                        [&](const std::string& p) { return samePattern(p, line); });
        if (!repeat) out.patterns.push_back(line);
    }
    return out;
}

std::string formatBuddies(const std::vector<std::string>& patterns) { return util::joinLines(patterns); }

bool buddyMatches(std::string_view pattern, std::string_view playerName) {
    if (pattern.empty()) return false;
    return wildcard(util::foldCase(pattern), nameKey(playerName));
}

bool isBuddy(const std::vector<std::string>& patterns, std::string_view playerName) {
    return std::any_of(patterns.begin(), patterns.end(),
                       [&](const std::string& p) { return buddyMatches(p, playerName); });
}

std::optional<std::vector<std::string>> withBuddy(const std::vector<std::string>& patterns,
                                                  std::string_view playerName) {
    std::string name = cleanName(playerName);
    // A name the file could not hold is no pattern: one too long keeps its first
    // characters and a star, which still finds the player.
    if (name.size() > kMaxPatternLength) name = name.substr(0, kMaxPatternLength - 1) + "*";
    if (!goodLine(name) || patterns.size() >= kMaxBuddies || isBuddy(patterns, playerName)) return std::nullopt;
    std::vector<std::string> out = patterns;
    out.push_back(name);
    return out;
}

std::optional<std::vector<std::string>> withoutBuddy(const std::vector<std::string>& patterns,
                                                     std::string_view playerName) {
    std::vector<std::string> out;
    for (const std::string& p : patterns)
        if (!buddyMatches(p, playerName)) out.push_back(p);
    if (out.size() == patterns.size()) return std::nullopt;
    return out;
}

std::vector<std::string> buddiesOn(const std::vector<std::string>& patterns, const ServerFacts& facts) {
    std::vector<std::string> out;
    if (patterns.empty()) return out;
    for (const Player& p : facts.players)
        if (isBuddy(patterns, p.name)) out.push_back(cleanName(p.name));
    return out;
}

std::vector<Sighting> sightingsOf(const std::vector<std::string>& patterns, const std::string& server,
                                  const ServerFacts& facts) {
    std::vector<Sighting> out;
    for (std::string& buddy : buddiesOn(patterns, facts))
        out.push_back({util::asciiLowerCase(server), std::move(buddy), facts.hostName, facts.map, playersOf(facts)});
    return out;
}

std::vector<Sighting> arrivals(const std::vector<Sighting>& before, const std::vector<Sighting>& now) {
    auto same = [](const Sighting& a, const Sighting& b) {
        return util::asciiLowerCase(a.server) == util::asciiLowerCase(b.server) && nameKey(a.buddy) == nameKey(b.buddy);
    };
    std::vector<Sighting> out;
    for (const Sighting& s : now) {
        const auto match = [&](const Sighting& o) { return same(o, s); };
        if (std::none_of(before.begin(), before.end(), match) && std::none_of(out.begin(), out.end(), match))
            out.push_back(s);
    }
    return out;
}

std::string arrivalText(const std::vector<Sighting>& arrived) {
    if (arrived.empty()) return {};
    const Sighting& first = arrived.front();
    if (arrived.size() == 1) {
        const std::string host = first.hostName.empty() ? first.server : first.hostName;
        return first.buddy + " is playing on " + host + " (" + (first.map.empty() ? "" : first.map + ", ") +
               first.players + ")";
    }
    const std::size_t more = arrived.size() - 1;
    return first.buddy + " and " + std::to_string(more) + (more == 1 ? " more buddy" : " more buddies") +
           " are playing";
}

void BalloonPacer::add(const std::vector<Sighting>& arrived) {
    for (const Sighting& s : arrivals(pending_, arrived)) pending_.push_back(s);
}

std::optional<BalloonPacer::Balloon> BalloonPacer::due(std::uint64_t now) {
    if (pending_.empty() || (last_ && now - *last_ < gapMs_)) return std::nullopt;
    last_ = now;
    Balloon b{arrivalText(pending_), pending_.front().server};
    pending_.clear();
    return b;
}

}  // namespace vexal::servers
