#pragma once
// The game's status query and the reply to it, read without trusting a byte: a
// pure routine, so that a table of real and hostile replies and a fuzzer can
// hold it to account.
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace vexal::servers {

// One datagram is read into 64 KB; a reply is never longer.
inline constexpr std::size_t kMaxReplyBytes = 64 * 1024;
// The game's own limit of an info string; a longer one is no reply of the game.
inline constexpr std::size_t kMaxInfoBytes = 1024;
// A server has at most 64 clients; further player lines are not read.
inline constexpr std::size_t kMaxPlayers = 64;
// The challenge we make: letters and digits only, well within what servers accept.
inline constexpr std::size_t kChallengeLength = 16;

struct Player {
    int score = 0;
    int ping = 0;
    std::string name;   // as sent, colour codes and all
    std::string codes;  // in the viewer's facts, where `name` is cleaned: the name as sent
};

struct StatusReply {
    std::vector<std::pair<std::string, std::string>> info;  // in the order sent
    std::vector<Player> players;
    // The value of `key`, letter case ignored; the first one when a key repeats.
    [[nodiscard]] std::optional<std::string> value(std::string_view key) const;
};

// The out-of-band request: four 0xFF bytes, "getstatus", a blank and the challenge.
[[nodiscard]] std::string statusRequest(const std::string& challenge);

// The reply to the request that carried `challenge`, or nothing when the datagram
// is no such reply: another command, a missing or different challenge, an info
// string that is too long or holds what the game never puts there, a NUL byte,
// more than 64 KB. Player lines are read up to the first one that is not of the
// form `score ping "name"`, and at most 64 of them.
[[nodiscard]] std::optional<StatusReply> parseStatusReply(std::string_view datagram, std::string_view challenge);

// A name as the game prints it: a '^' followed by any character but '^' or the
// end is a colour code and goes; control characters become blanks.
[[nodiscard]] std::string cleanName(std::string_view name);

// What the viewer shows of a reply.
struct ServerFacts {
    std::string hostName, map, mod, modFolder, gameType, version;
    std::string hostNameCodes;          // the host name as sent, for drawing it in its colours
    std::optional<int> maxPlayers;      // public slots: sv_maxclients less sv_privateClients
    std::optional<int> claimedClients;  // sv_maxclients as sent, believable or not
    std::optional<int> bots;            // only when the server says how many of the players are bots
    bool password = false;
    std::vector<Player> players;  // names cleaned (codes kept apart), best score first
};

[[nodiscard]] ServerFacts factsOf(const StatusReply& reply);

}  // namespace vexal::servers
