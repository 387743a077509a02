#pragma once
// The buddy list: name patterns in VexalBuddies.dat beside the program, matched
// against the players the servers name; who among them is new since the last
// look, and what the balloon says of it. Pure routines, so tables and a fuzzer
// can hold them to account.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "servers/status_reply.h"

namespace vexal::servers {

inline constexpr std::size_t kMaxBuddies = 200;
inline constexpr std::size_t kMaxPatternLength = 64;

struct BuddyFile {
    std::vector<std::string> patterns;  // in file order, repeats (letter case ignored) left out
    std::size_t skipped = 0;            // lines not taken: empty, too long, a control character, past 200
};

// The file's lines: one pattern a line. An empty line, one longer than 64
// characters or one with a control character is skipped and counted, and so is
// every good line after the 200th.
[[nodiscard]] BuddyFile parseBuddies(std::string_view fileText);
// One pattern a line, each ended by CR LF.
[[nodiscard]] std::string formatBuddies(const std::vector<std::string>& patterns);

// Whether `pattern` names the player: the name without its colour codes, letter
// case ignored; '*' stands for any run of characters (none included), and the rest
// must cover the whole name.
[[nodiscard]] bool buddyMatches(std::string_view pattern, std::string_view playerName);
[[nodiscard]] bool isBuddy(const std::vector<std::string>& patterns, std::string_view playerName);

// The patterns after the player was added: the name without colour codes at the
// end, unless a pattern names the player already or the list is full. Nothing
// when nothing changes.
[[nodiscard]] std::optional<std::vector<std::string>> withBuddy(const std::vector<std::string>& patterns,
                                                                std::string_view playerName);
// The patterns without those that name the player; nothing when none does.
[[nodiscard]] std::optional<std::vector<std::string>> withoutBuddy(const std::vector<std::string>& patterns,
                                                                   std::string_view playerName);

// The buddies (names without colour codes) among a server's players, in its order.
[[nodiscard]] std::vector<std::string> buddiesOn(const std::vector<std::string>& patterns, const ServerFacts& facts);

// A buddy seen on a server in one round of the watch.
struct Sighting {
    std::string server;  // "host:port", lower case: what tells servers apart
    std::string buddy;   // the name without colour codes
    std::string hostName, map;
    std::string players;  // "14/20"
    friend bool operator==(const Sighting&, const Sighting&) = default;
};

// What one server shows of the buddies on it, as sightings.
[[nodiscard]] std::vector<Sighting> sightingsOf(const std::vector<std::string>& patterns, const std::string& server,
                                                const ServerFacts& facts);

// The sightings of `now` that `before` does not hold (the same server and the same
// name, letter case ignored), in the order of `now`, each once.
[[nodiscard]] std::vector<Sighting> arrivals(const std::vector<Sighting>& before, const std::vector<Sighting>& now);

// "Bob is playing on Red Base (oasis, 14/20)"; for several arrivals
// "Bob and 2 more buddies are playing".
[[nodiscard]] std::string arrivalText(const std::vector<Sighting>& arrived);

// At most one balloon a minute: arrivals within the minute after a balloon wait
// for the next one and are said there together.
class BalloonPacer {
public:
    explicit BalloonPacer(std::uint64_t gapMs = 60000) : gapMs_(gapMs) {}
    void add(const std::vector<Sighting>& arrived);
    struct Balloon {
        std::string text;
        std::string server;  // the first arrival's server: a click selects it
    };
    // The balloon to show now, if one is waiting and the last one is a minute old.
    [[nodiscard]] std::optional<Balloon> due(std::uint64_t now);
    [[nodiscard]] bool waiting() const { return !pending_.empty(); }
    void clear() { pending_.clear(); }

private:
    std::uint64_t gapMs_;
    std::optional<std::uint64_t> last_;
    std::vector<Sighting> pending_;
};

}  // namespace vexal::servers
