#pragma once
// What the server status viewer says.
#include <cstddef>
#include <string>

namespace vexal::servers::text {

inline constexpr const char* kTitle = "Servers of the +connect lines  (F5 asks again; refreshed every 10 s)";
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
inline constexpr const char* kMenuHint = " Ask the servers of your +connect lines who is playing where  (F5)";
inline constexpr const char* kCloseHint = "   <click on the status line or press ESC for close>";

// " 3 of 5 servers answered"
[[nodiscard]] inline std::string answered(std::size_t answered, std::size_t asked) {
    return " " + std::to_string(answered) + " of " + std::to_string(asked) + (asked == 1 ? " server" : " servers") +
           " answered";
}
[[nodiscard]] inline std::string asking(std::size_t servers) {
    return " Asking " + std::to_string(servers) + (servers == 1 ? " server ..." : " servers ...");
}

}  // namespace vexal::servers::text
