#include "links/et_link.h"

#include <algorithm>
#include <vector>

namespace vexal::links {

namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }
bool isLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
bool allDigits(std::string_view s) { return !s.empty() && std::all_of(s.begin(), s.end(), isDigit); }

char lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool startsWithNoCase(std::string_view text, std::string_view prefix) {
    if (text.size() < prefix.size()) return false;
    for (std::size_t i = 0; i < prefix.size(); ++i)
        if (lower(text[i]) != prefix[i]) return false;
    return true;
}

std::vector<std::string_view> split(std::string_view text, char separator) {
    std::vector<std::string_view> parts;
    std::size_t start = 0;
    while (true) {
        const std::size_t at = text.find(separator, start);
        parts.push_back(text.substr(start, at == std::string_view::npos ? std::string_view::npos : at - start));
        if (at == std::string_view::npos) return parts;
        start = at + 1;
    }
}

// Characters that have no place anywhere in a server link, looked at before its
// parts are: a blank or a control character would split or end the game's
// command line, and + ; " would start commands of its own there.
std::optional<LinkFault> characterFault(std::string_view link) {
    for (const char ch : link) {
        const auto c = static_cast<unsigned char>(ch);
        if (c == ' ' || c == '\t') return LinkFault::Blank;
        if (c < 0x20 || c >= 0x7F) return LinkFault::ControlCharacter;
        if (c == '+' || c == ';' || c == '"') return LinkFault::ForbiddenCharacter;
        if (c == '%') return LinkFault::Percent;
    }
    return std::nullopt;
}

// An all-numeric last part makes the host an IPv4 address (no top-level domain is
// numeric). Only the four-part dotted form is taken: the short and hexadecimal
// forms that some resolvers accept ("127.1", "0x7f.1", "2130706433") name other
// addresses than they seem to, and a leading zero reads as octal to some of them.
std::optional<LinkFault> addressFault(const std::vector<std::string_view>& labels) {
    if (labels.size() != 4) return LinkFault::BadAddress;
    for (const auto label : labels)
        if (!allDigits(label) || label.size() > 3) return LinkFault::BadAddress;
    for (const auto label : labels)
        if (label.size() > 1 && label.front() == '0') return LinkFault::LeadingZero;
    for (const auto label : labels)
        if (std::stoi(std::string(label)) > 255) return LinkFault::BadAddress;
    return std::nullopt;
}

std::optional<LinkFault> hostFault(std::string_view host) {
    if (host.empty()) return LinkFault::NoHost;
    for (const char c : host)
        if (!isLetter(c) && !isDigit(c) && c != '-' && c != '.') return LinkFault::HostCharacter;
    if (host.size() > 253) return LinkFault::HostTooLong;
    const auto labels = split(host, '.');
    for (const auto label : labels) {
        if (label.empty()) return LinkFault::EmptyLabel;
        if (label.size() > 63) return LinkFault::LabelTooLong;
        if (label.front() == '-' || label.back() == '-') return LinkFault::LabelHyphen;
    }
    if (allDigits(labels.back())) return addressFault(labels);
    return std::nullopt;
}

}  // namespace

bool looksLikeEtLink(std::string_view argument) { return startsWithNoCase(argument, "et:"); }

LinkResult parseEtLink(std::string_view link) {
    constexpr std::string_view scheme = "et://";
    if (!startsWithNoCase(link, scheme)) return LinkFault::NotEtLink;
    if (link.size() > kMaxLinkLength) return LinkFault::TooLong;
    if (const auto fault = characterFault(link)) return *fault;

    std::string_view rest = link.substr(scheme.size());
    if (rest.find('@') != std::string_view::npos) return LinkFault::UserInfo;
    if (rest.find('?') != std::string_view::npos) return LinkFault::Query;
    if (rest.find('#') != std::string_view::npos) return LinkFault::Fragment;
    if (!rest.empty() && rest.back() == '/') rest.remove_suffix(1);
    if (rest.find('/') != std::string_view::npos) return LinkFault::Path;

    const std::size_t colon = rest.find(':');
    const std::string_view host = rest.substr(0, colon);
    if (const auto fault = hostFault(host)) return *fault;

    ServerAddress address{std::string(host), kDefaultPort};
    if (colon != std::string_view::npos) {
        const std::string_view port = rest.substr(colon + 1);
        if (port.empty()) return LinkFault::NoPort;
        if (!allDigits(port) || port.size() > 5 || port.front() == '0') return LinkFault::BadPort;
        const int value = std::stoi(std::string(port));
        if (value > 65535) return LinkFault::BadPort;
        address.port = static_cast<std::uint16_t>(value);
    }
    return address;
}

std::string connectLine(const ServerAddress& address) {
    return "+connect " + address.host + ":" + std::to_string(address.port);
}

}  // namespace vexal::links
