#pragma once
// The servers the player joined last, newest first: one line "host:port date" each
// (date as YYYY-MM-DD) in VexalRecent.dat beside the program. The file is read
// strictly: a line that is not exactly that is dropped, so a damaged or planted
// file can put nothing on the game's command line but a server address.
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vexal::util {

inline constexpr std::size_t kRecentServers = 10;

struct RecentServer {
    std::string address;  // host:port, as joined
    std::string date;     // YYYY-MM-DD
    friend bool operator==(const RecentServer&, const RecentServer&) = default;
};

// "host:port" with the port the game takes when none is given (27960), or nothing
// when `target` is no server address: HOST an IPv4 address or a DNS name (letters,
// digits, '-' and '.', at most 253 characters, labels of 1 to 63), PORT 1 to 65535.
[[nodiscard]] std::optional<std::string> serverAddress(std::string_view target);

// The server a composed command line connects to: the word after its "+connect".
[[nodiscard]] std::optional<std::string> connectAddress(std::string_view commandLine);

// The date as the file keeps it: "2026-12-09".
[[nodiscard]] std::string isoDate(int year, int month, int day);

[[nodiscard]] std::vector<RecentServer> parseRecent(std::string_view fileText);
[[nodiscard]] std::string formatRecent(const std::vector<RecentServer>& servers);

// `address` joined on `date`: first in the list, an earlier entry of it (letter
// case ignored) gone, at most ten kept.
void recordRecent(std::vector<RecentServer>& servers, const std::string& address, const std::string& date);

}  // namespace vexal::util
