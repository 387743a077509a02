#pragma once
// What the server status viewer says.
#include <cstddef>
#include <cstdint>
#include <string>

namespace vexal::servers::text {

inline constexpr const char* kNoServers =
    "No +connect line in the parameter list: add one, such as +connect 127.0.0.1:27960";
inline constexpr const char* kAsking = "asking ...";
inline constexpr const char* kLookingUp = "looking up the name ...";
inline constexpr const char* kNoAnswer = "no answer";
inline constexpr const char* kNoAddress = "+connect line with nothing after it";
inline constexpr const char* kBadPort = "port out of range (1 to 65535)";
inline constexpr const char* kBadHost = "not a server address";
inline constexpr const char* kNotFound = "host name does not resolve";
inline constexpr const char* kExampleAddress = "example address (documentation range), not asked";
inline constexpr const char* kNoNetwork = "the network is not available";
inline constexpr const char* kMissingMap = " (missing)";
inline constexpr const char* kPasswordMark = "pw";
inline constexpr const char* kFull = " full";
inline constexpr const char* kFakeCounts = "fake?";
inline constexpr const char* kMenuHint = " Ask the servers of your +connect lines who is playing where  (F5)";
inline constexpr const char* kRecentMark = "recent";
inline constexpr const char* kJoinAnyway = "Join anyway?";
inline constexpr const char* kAlreadyKept = "Sorry, parameter is already present in the list";

// The column titles of the two lists.
inline constexpr const char* kServerColumns[] = {"Address", "Host name", "Map", "Players", "Ping", "Pw", "Mod"};
inline constexpr const char* kPlayerColumns[] = {"Name", "Score", "Ping"};

// The right-click menu of a server row.
inline constexpr const char* kJoinItem = "&Join\tEnter";
inline constexpr const char* kWaitItem = "Join When a Slot Frees";
inline constexpr const char* kKeepItem = "&Keep";
inline constexpr const char* kCopyItem = "&Copy";

// The buddies.
inline constexpr const char* kAddBuddyItem = "&Add to Buddies\tIns";
inline constexpr const char* kRemoveBuddyItem = "&Remove from Buddies\tDel";
inline constexpr const char* kOnlyWithBuddiesItem = "Only With &Buddies";
inline constexpr const char* kWatchItem = "Watch for &Buddies";
inline constexpr const char* kWatchHint =
    " While Vexal runs, ask your servers every minute whether a buddy plays there, and say so";
inline constexpr const char* kBuddyMark = "* ";
inline constexpr const char* kNoBuddyServer = "No buddy is playing on a server of the list";
inline constexpr const char* kBuddyListFull = " The buddy list is full: 200 names at most";
inline constexpr const char* kBalloonTitle = "Vexal";
[[nodiscard]] inline std::string buddyAdded(const std::string& name) { return " " + name + " is a buddy now"; }
[[nodiscard]] inline std::string buddyRemoved(const std::string& name) { return " " + name + " is no longer a buddy"; }
[[nodiscard]] inline std::string buddiesTip(const std::string& names) { return "Buddies: " + names; }
[[nodiscard]] inline std::string buddyLinesSkipped(std::size_t lines) {
    return " VexalBuddies.dat: " + std::to_string(lines) + (lines == 1 ? " line" : " lines") +
           " skipped (empty, longer than 64 characters, a control character, or past the 200th name)";
}

inline constexpr const char* kCloseHint = "   <click on the status line or press ESC for close>";

// " 3 of 5 servers answered"
[[nodiscard]] inline std::string answered(std::size_t answered, std::size_t asked) {
    return " " + std::to_string(answered) + " of " + std::to_string(asked) + (asked == 1 ? " server" : " servers") +
           " answered";
}
[[nodiscard]] inline std::string asking(std::size_t servers) {
    return " Asking " + std::to_string(servers) + (servers == 1 ? " server ..." : " servers ...");
}

[[nodiscard]] inline std::string noAnswerQuestion(const std::string& address) {
    return "The server " + address + " did not answer when it was last asked: it may be down, or the address " +
           "may be wrong.\r\n\r\nStart the game and connect to it anyway?";
}
// "1:35", "12:05"
[[nodiscard]] inline std::string minutesSeconds(std::uint64_t ms) {
    const std::uint64_t s = ms / 1000;
    const std::uint64_t sec = s % 60;
    return std::to_string(s / 60) + (sec < 10 ? ":0" : ":") + std::to_string(sec);
}
[[nodiscard]] inline std::string waiting(const std::string& host, std::uint64_t ms) {
    return "Waiting for a free slot on " + host + ": " + minutesSeconds(ms);
}
[[nodiscard]] inline std::string gaveUp(const std::string& host) {
    return " No slot freed on " + host + " in 30 minutes: stopped waiting";
}
[[nodiscard]] inline std::string stoppedWaiting(const std::string& host) {
    return " Stopped waiting for a free slot on " + host;
}
[[nodiscard]] inline std::string slotFree(const std::string& host) {
    return " A slot is free on " + host + ": joining";
}

// ---- the list of every server
inline constexpr const char* kAskingMasters = " Asking the master servers ...";
inline constexpr const char* kNoMasters = " No master server to ask: [Masters] in Vexal.ini names none";
inline constexpr const char* kWorldColumns[] = {"Address", "Host name", "Map", "Players",
                                                "Ping",    "Pw",        "Mod", "Game type"};
inline constexpr const char* kHideFullItem = "Hide &Full";
inline constexpr const char* kHideEmptyItem = "Hide &Empty";
inline constexpr const char* kHidePasswordedItem = "Hide &Passworded";
inline constexpr const char* kOnlyMyModsItem = "Only M&ods I Have";
inline constexpr const char* kOnlyMyMapsItem = "Only M&aps I Have";
inline constexpr const char* kWorldMenuHint = " Ask the master servers for every server in the world  (F6)";
inline constexpr const char* kQuickJoinHint = " Join the best server with a free slot  (F7)";
inline constexpr const char* kNoQuickJoin =
    "No server qualifies for Quick Join: none has a free public slot, no password, believable player counts, "
    "a mod your game folder has and a map you have installed.\r\n\r\nNothing was started.";
inline constexpr const char* kWorldCloseHint = "   <type to filter, ESC for close>";

// ", 2345 players"
[[nodiscard]] inline std::string players(std::size_t n) {
    return ", " + std::to_string(n) + (n == 1 ? " player" : " players");
}
[[nodiscard]] inline std::string silentMasters(const std::string& names) { return "  -  no answer from " + names; }
[[nodiscard]] inline std::string noMasterAnswered(const std::string& names) {
    return " No master server answered: " + names;
}
// " Filter: oasis  -  12 of 987 servers"
[[nodiscard]] inline std::string filterStatus(const std::string& filter, std::size_t shown, std::size_t total) {
    return " Filter: " + filter + "  -  " + std::to_string(shown) + " of " + std::to_string(total) +
           (total == 1 ? " server" : " servers");
}
// " Quick Join: Red Base (oasis, 14/20, 38 ms)"
[[nodiscard]] inline std::string quickJoin(const std::string& host, const std::string& map, const std::string& players,
                                           int pingMs) {
    return " Quick Join: " + host + " (" + map + ", " + players + ", " + std::to_string(pingMs) + " ms)";
}

}  // namespace vexal::servers::text
