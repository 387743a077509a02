#pragma once
// et:// links, as a web page or a chat hands them to the program: parsed strictly,
// because the link comes from anywhere and what it names reaches the game's
// command line. Only a server address and a port pass; everything else is refused
// with the reason.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <variant>

namespace vexal::links {

inline constexpr std::uint16_t kDefaultPort = 27960;
// et:// (5), a name of 253, a colon and five digits, a trailing slash.
inline constexpr std::size_t kMaxLinkLength = 5 + 253 + 1 + 5 + 1;

struct ServerAddress {
    std::string host;  // an IPv4 address or a DNS name, as the link spelt it
    std::uint16_t port = kDefaultPort;
    friend bool operator==(const ServerAddress&, const ServerAddress&) = default;
};

// Every kind of fault a link can have, each with its own reason (linkFaultText).
enum class LinkFault {
    TooLong,             // longer than any server link can be
    NotEtLink,           // does not begin with et://
    Blank,               // a blank or tab
    ControlCharacter,    // a control character or a byte outside plain ASCII
    ForbiddenCharacter,  // +  ;  or  "
    Percent,             // a %-escape
    UserInfo,            // user@host
    Query,               // ?...
    Fragment,            // #...
    Path,                // anything after the slash that may end the link
    NoHost,              // et:// alone
    HostCharacter,       // a character outside letters, digits, - and .
    HostTooLong,         // over 253 characters
    EmptyLabel,          // a..b, a leading or trailing dot
    LabelTooLong,        // a part over 63 characters
    LabelHyphen,         // a part that begins or ends with -
    BadAddress,          // all-numeric, yet not four numbers 0-255
    LeadingZero,         // an address part such as 010, which Windows may read as octal
    NoPort,              // a colon with nothing after it
    BadPort,             // not 1-65535 in plain digits
};

using LinkResult = std::variant<ServerAddress, LinkFault>;

// The scheme is taken in any letter case (et://, ET://, Et://), as schemes are.
// One trailing slash is allowed, as browsers add it. The port defaults to 27960.
[[nodiscard]] LinkResult parseEtLink(std::string_view link);

// True when the argument is meant as a link (begins with "et:" in any case), so
// that the program treats it as one, refusing it with a reason when it is faulty.
[[nodiscard]] bool looksLikeEtLink(std::string_view argument);

// "+connect host:port": the one thing a link gives the game's command line.
[[nodiscard]] std::string connectLine(const ServerAddress& address);

}  // namespace vexal::links
