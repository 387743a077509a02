#include "servers/server_list.h"

#include <algorithm>
#include <charconv>

#include "servers/texts.h"
#include "util/case_fold.h"

namespace vexal::servers {

namespace {

bool hostCharacter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-' || c == '.' ||
           c == '_';
}

using util::asciiLowerCase;

ServerAddress addressOf(const std::string& target) {
    ServerAddress a;
    std::string host = target;
    std::string portText;
    if (const auto colon = target.find(':'); colon != std::string::npos) {
        host = target.substr(0, colon);
        portText = target.substr(colon + 1);
    }
    a.shown = target;
    if (host.empty() || host.size() > 253 || !std::all_of(host.begin(), host.end(), hostCharacter)) {
        a.problem = text::kBadHost;
        return a;
    }
    if (target.find(':') != std::string::npos) {
        unsigned port = 0;
        const auto [end, ec] = std::from_chars(portText.data(), portText.data() + portText.size(), port);
        if (portText.empty() || portText.size() > 5 || ec != std::errc() || end != portText.data() + portText.size() ||
            port < 1 || port > 65535) {
            a.problem = text::kBadPort;
            return a;
        }
        a.port = static_cast<std::uint16_t>(port);
    }
    a.host = host;
    a.shown = host + ":" + std::to_string(a.port);
    return a;
}

}  // namespace

std::vector<ServerAddress> serversOf(const std::vector<std::string>& commandLines) {
    std::vector<ServerAddress> out;
    std::vector<std::string> seen;
    for (std::size_t line = 0; line < commandLines.size(); ++line) {
        const std::string& params = commandLines[line];
        const auto at = params.find("+connect");
        if (at == std::string::npos) continue;
        std::size_t from = at + 8;
        ServerAddress a;
        if (from < params.size() && params[from] != ' ' && params[from] != '\t') {
            a.shown = params.substr(at, params.find_first_of(" \t", at) - at);
            a.problem = text::kNoAddress;
        } else {
            from = params.find_first_not_of(" \t", from);
            if (from == std::string::npos) {
                a.shown = "+connect";
                a.problem = text::kNoAddress;
            } else {
                a = addressOf(params.substr(from, params.find_first_of(" \t", from) - from));
            }
        }
        const std::string key = asciiLowerCase(a.shown);
        if (std::find(seen.begin(), seen.end(), key) != seen.end()) continue;
        seen.push_back(key);
        a.line = line;
        out.push_back(std::move(a));
    }
    return out;
}

bool exampleAddress(std::uint32_t a) {
    const std::uint32_t net24 = a & 0xFFFFFF00u;
    return net24 == 0xC0000200u || net24 == 0xC6336400u || net24 == 0xCB007100u;  // 192.0.2, 198.51.100, 203.0.113
}

bool neverAsked(std::uint32_t a) {
    const std::uint32_t first = a >> 24;
    return exampleAddress(a) || first == 0 || first >= 224;
}

std::string dotted(std::uint32_t a) {
    return std::to_string(a >> 24) + "." + std::to_string(a >> 16 & 255) + "." + std::to_string(a >> 8 & 255) + "." +
           std::to_string(a & 255);
}

}  // namespace vexal::servers
