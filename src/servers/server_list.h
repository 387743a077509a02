#pragma once
// The servers of the parameter list: one per distinct "+connect" target, in list order.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace vexal::servers {

inline constexpr std::uint16_t kDefaultPort = 27960;

struct ServerAddress {
    std::string shown;  // "host:port", or the line's own words when it names no server
    std::string host;   // empty when `problem` is set
    std::uint16_t port = kDefaultPort;
    std::string problem;  // why this line cannot be asked, as the row says it
    std::size_t line = 0;  // the command line it came from (the first, for a repeat)
};

// The target of each command line that connects, as the game would get it from a
// parameter line (its comment gone): host and port, or the reason it has none.
// Repeats of a target (letter case ignored) are left out.
[[nodiscard]] std::vector<ServerAddress> serversOf(const std::vector<std::string>& commandLines);

// Addresses no game server can have: the documentation ranges (never routed, and
// the predefined lines use them), "this network", multicast and reserved ones.
[[nodiscard]] bool neverAsked(std::uint32_t address);
[[nodiscard]] bool exampleAddress(std::uint32_t address);

[[nodiscard]] std::string dotted(std::uint32_t address);

}  // namespace vexal::servers
