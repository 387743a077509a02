#include "servers/status_reply.h"

#include <algorithm>
#include <charconv>
#include <cstdint>

#include "util/case_fold.h"

namespace vexal::servers {

namespace {

constexpr std::string_view kOutOfBand = "\xFF\xFF\xFF\xFF";
constexpr std::string_view kResponse = "statusresponse";

using util::asciiLowerChar;

bool sameText(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(),
                                              [](char x, char y) { return asciiLowerChar(x) == asciiLowerChar(y); });
}

// An info string as the game writes it: "\key\value..." with no backslash, quote
// or semicolon inside keys and values (the game refuses to store those), no
// control characters, no empty key.
std::optional<std::vector<std::pair<std::string, std::string>>> parseInfo(std::string_view s) {
    if (s.size() > kMaxInfoBytes) return std::nullopt;
    std::vector<std::pair<std::string, std::string>> out;
    if (s.empty()) return out;
    if (s.front() != '\\') return std::nullopt;
    for (const char c : s)
        if (c == '"' || c == ';' || static_cast<unsigned char>(c) < 0x20) return std::nullopt;
    std::size_t pos = 1;
    while (pos <= s.size()) {
        const std::size_t keyEnd = s.find('\\', pos);
        if (keyEnd == std::string_view::npos) return std::nullopt;  // a key without its value
        const std::string_view key = s.substr(pos, keyEnd - pos);
        if (key.empty()) return std::nullopt;
        std::size_t valueEnd = s.find('\\', keyEnd + 1);
        if (valueEnd == std::string_view::npos) valueEnd = s.size();
        out.emplace_back(std::string(key), std::string(s.substr(keyEnd + 1, valueEnd - keyEnd - 1)));
        pos = valueEnd + 1;
    }
    return out;
}

// A whole number of at most nine digits, with an optional minus sign.
std::optional<int> number(std::string_view s) {
    const bool negative = !s.empty() && s.front() == '-';
    const std::string_view digits = negative ? s.substr(1) : s;
    if (digits.empty() || digits.size() > 9) return std::nullopt;
    int value = 0;
    const auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
    if (ec != std::errc() || end != digits.data() + digits.size()) return std::nullopt;
    return negative ? -value : value;
}

// `score ping "name"`, nothing before or after.
std::optional<Player> parsePlayer(std::string_view line) {
    const std::size_t firstBlank = line.find(' ');
    if (firstBlank == std::string_view::npos) return std::nullopt;
    const std::size_t secondBlank = line.find(' ', firstBlank + 1);
    if (secondBlank == std::string_view::npos) return std::nullopt;
    const auto score = number(line.substr(0, firstBlank));
    const auto ping = number(line.substr(firstBlank + 1, secondBlank - firstBlank - 1));
    const std::string_view quoted = line.substr(secondBlank + 1);
    if (!score || !ping || quoted.size() < 2 || quoted.front() != '"' || quoted.back() != '"') return std::nullopt;
    const std::string_view name = quoted.substr(1, quoted.size() - 2);
    if (name.find('"') != std::string_view::npos) return std::nullopt;
    return Player{*score, *ping, std::string(name), {}};
}

std::optional<int> count(const StatusReply& reply, std::string_view key, int limit) {
    const auto text = reply.value(key);
    if (!text) return std::nullopt;
    const auto n = number(*text);
    if (!n || *n < 0 || *n > limit) return std::nullopt;
    return n;
}

// A folder name the game could have: one plain path component.
bool plainFolderName(const std::string& name) {
    if (name.empty() || name.size() > 64 || name == "." || name == "..") return false;
    return std::all_of(name.begin(), name.end(), [](char c) {
        return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_' || c == '-' ||
               c == '.';
    });
}

}  // namespace

std::optional<std::string> StatusReply::value(std::string_view key) const {
    for (const auto& [k, v] : info)
        if (sameText(k, key)) return v;
    return std::nullopt;
}

std::string statusRequest(const std::string& challenge) { return std::string(kOutOfBand) + "getstatus " + challenge; }

std::optional<StatusReply> parseStatusReply(std::string_view datagram, std::string_view challenge) {
    if (datagram.size() > kMaxReplyBytes || challenge.empty()) return std::nullopt;
    if (datagram.substr(0, kOutOfBand.size()) != kOutOfBand) return std::nullopt;
    std::string_view rest = datagram.substr(kOutOfBand.size());
    if (rest.find('\0') != std::string_view::npos) return std::nullopt;

    const std::size_t commandEnd = rest.find('\n');
    if (commandEnd == std::string_view::npos) return std::nullopt;
    std::string_view command = rest.substr(0, commandEnd);
    while (!command.empty() && (command.back() == ' ' || command.back() == '\r')) command.remove_suffix(1);
    if (!sameText(command, kResponse)) return std::nullopt;
    rest = rest.substr(commandEnd + 1);

    const std::size_t infoEnd = rest.find('\n');
    auto info = parseInfo(rest.substr(0, infoEnd));
    if (!info) return std::nullopt;
    StatusReply reply;
    reply.info = std::move(*info);
    if (reply.value("challenge") != std::optional<std::string>(std::string(challenge))) return std::nullopt;

    rest = infoEnd == std::string_view::npos ? std::string_view() : rest.substr(infoEnd + 1);
    while (!rest.empty() && reply.players.size() < kMaxPlayers) {
        const std::size_t lineEnd = rest.find('\n');
        const std::string_view line = rest.substr(0, lineEnd);
        const auto player = parsePlayer(line);
        if (!player) break;
        reply.players.push_back(*player);
        if (lineEnd == std::string_view::npos) break;
        rest = rest.substr(lineEnd + 1);
    }
    return reply;
}

std::string cleanName(std::string_view name) {
    std::string out;
    out.reserve(name.size());
    for (std::size_t i = 0; i < name.size(); ++i) {
        const char c = name[i];
        if (c == '^' && i + 1 < name.size() && name[i + 1] != '^') {
            ++i;  // the colour code and the character that names the colour
            continue;
        }
        const auto u = static_cast<unsigned char>(c);
        out += u < 0x20 || u == 0x7F ? ' ' : c;
    }
    return out;
}

ServerFacts factsOf(const StatusReply& reply) {
    ServerFacts f;
    f.hostNameCodes = reply.value("sv_hostname").value_or("");
    f.hostName = cleanName(f.hostNameCodes);
    f.map = cleanName(reply.value("mapname").value_or(""));
    f.mod = cleanName(reply.value("gamename").value_or(""));
    f.gameType = cleanName(reply.value("g_gametype").value_or(""));
    f.version = cleanName(reply.value("version").value_or(""));
    const std::string folder = reply.value("fs_game").value_or(reply.value("gamename").value_or(""));
    if (plainFolderName(folder) && !sameText(folder, "etmain")) f.modFolder = folder;

    if (const auto claimed = reply.value("sv_maxclients")) f.claimedClients = number(*claimed);
    const auto maxClients = count(reply, "sv_maxclients", static_cast<int>(kMaxPlayers));
    const int privateClients = count(reply, "sv_privateClients", static_cast<int>(kMaxPlayers)).value_or(0);
    if (maxClients) f.maxPlayers = privateClients < *maxClients ? *maxClients - privateClients : *maxClients;
    const auto needPass = reply.value("g_needpass");
    f.password = needPass && !needPass->empty() && *needPass != "0";

    for (const Player& p : reply.players) f.players.push_back({p.score, p.ping, cleanName(p.name), p.name});
    std::stable_sort(f.players.begin(), f.players.end(),
                     [](const Player& a, const Player& b) { return a.score > b.score; });
    // Omni-bot, the bots most servers run, says how many of the players are its own.
    const auto bots = count(reply, "omnibot_playing", static_cast<int>(f.players.size()));
    if (bots && *bots > 0) f.bots = bots;
    return f;
}

}  // namespace vexal::servers
