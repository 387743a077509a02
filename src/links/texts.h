#pragma once
// The texts of et:// links: why a link was refused, and the Preferences item.
#include <string>

#include "links/et_link.h"

namespace vexal::links::text {

inline constexpr const char* kMenuHint = " Let your web browser open et:// server links with this Vexal";

// The link as the refusal quotes it: at most 200 characters, control characters as "?".
[[nodiscard]] inline std::string quotedLink(const std::string& link) {
    constexpr std::size_t kShown = 200;
    std::string shown = link.substr(0, kShown);
    for (char& c : shown)
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) c = '?';
    if (link.size() > kShown) shown += "...";
    return shown;
}

[[nodiscard]] inline const char* reason(LinkFault fault) {
    switch (fault) {
        case LinkFault::TooLong:
            return "It is longer than any server link can be.";
        case LinkFault::NotEtLink:
            return "It does not begin with et://.";
        case LinkFault::Blank:
            return "It contains a blank.";
        case LinkFault::ControlCharacter:
            return "It contains a control character or a character outside plain ASCII.";
        case LinkFault::ForbiddenCharacter:
            return "It contains +, ; or \", which the game would run as commands.";
        case LinkFault::Percent:
            return "It contains a %-escape; a server link needs none.";
        case LinkFault::UserInfo:
            return "It contains a user name (@); a server link has none.";
        case LinkFault::Query:
            return "It contains a query (?); a server link has none.";
        case LinkFault::Fragment:
            return "It contains a fragment (#); a server link has none.";
        case LinkFault::Path:
            return "Something follows the server address; only a closing / may.";
        case LinkFault::NoHost:
            return "It names no server.";
        case LinkFault::HostCharacter:
            return "The server name contains a character other than letters, digits, - and the dot.";
        case LinkFault::HostTooLong:
            return "The server name is longer than 253 characters.";
        case LinkFault::EmptyLabel:
            return "The server name has an empty part (two dots in a row, or a dot at its start or end).";
        case LinkFault::LabelTooLong:
            return "A part of the server name is longer than 63 characters.";
        case LinkFault::LabelHyphen:
            return "A part of the server name begins or ends with -.";
        case LinkFault::BadAddress:
            return "The server address is not four numbers from 0 to 255 (such as 192.0.2.10).";
        case LinkFault::LeadingZero:
            return "A number of the server address begins with 0, which Windows may read as an octal number.";
        case LinkFault::NoPort:
            return "A colon follows the server address, but no port.";
        case LinkFault::BadPort:
            return "The port is not a number from 1 to 65535 (without leading zeros).";
    }
    return "";
}

[[nodiscard]] inline std::string refused(const std::string& link, LinkFault fault) {
    return "This et:// link was not opened:\n\r\n\r" + quotedLink(link) + "\n\r\n\r" + reason(fault);
}

inline constexpr const char* kRegisterFailed = "Vexal could not register itself for et:// links:\n\r\n\r";
inline constexpr const char* kRestoreFailed = "Vexal could not give et:// links back to their former program:\n\r\n\r";

}  // namespace vexal::links::text
