#include "servers/master_list.h"

#include <charconv>

#include "servers/server_list.h"
#include "servers/status_reply.h"
#include "util/case_fold.h"

namespace vexal::servers {

namespace {

constexpr std::string_view kOutOfBand = "\xFF\xFF\xFF\xFF";
constexpr std::size_t kIpv4Entry = 6, kIpv6Entry = 18;

struct Range {
    std::uint32_t base, mask;
};
// Not public: an entry here from a master on the internet points into the
// player's own network (or nowhere).
constexpr Range kNotPublic[] = {
    {0x00000000u, 0xFF000000u},  // 0.0.0.0/8
    {0x0A000000u, 0xFF000000u},  // 10/8
    {0x64400000u, 0xFFC00000u},  // 100.64/10
    {0x7F000000u, 0xFF000000u},  // 127/8
    {0xA9FE0000u, 0xFFFF0000u},  // 169.254/16
    {0xAC100000u, 0xFFF00000u},  // 172.16/12
    {0xC0A80000u, 0xFFFF0000u},  // 192.168/16
    {0xE0000000u, 0xF0000000u},  // 224/4
    {0xF0000000u, 0xF0000000u},  // 240/4, 255.255.255.255 within it
};

int rangeOf(std::uint32_t a) {
    for (std::size_t i = 0; i < std::size(kNotPublic); ++i)
        if ((a & kNotPublic[i].mask) == kNotPublic[i].base) return static_cast<int>(i);
    return -1;
}

bool hostCharacter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-' || c == '.' ||
           c == '_';
}

std::string_view trimmed(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
    return s;
}

}  // namespace

std::optional<MasterAddress> masterAddress(std::string_view text) {
    text = trimmed(text);
    MasterAddress m;
    std::string_view host = text;
    if (const auto colon = text.find(':'); colon != std::string_view::npos) {
        host = text.substr(0, colon);
        const std::string_view portText = text.substr(colon + 1);
        unsigned port = 0;
        const auto [end, ec] = std::from_chars(portText.data(), portText.data() + portText.size(), port);
        if (portText.empty() || ec != std::errc() || end != portText.data() + portText.size() || port < 1 ||
            port > 65535)
            return std::nullopt;
        m.port = static_cast<std::uint16_t>(port);
    }
    if (host.empty() || host.size() > 253) return std::nullopt;
    for (const char c : host)
        if (!hostCharacter(c)) return std::nullopt;
    m.host = std::string(host);
    m.shown = m.host + ":" + std::to_string(m.port);
    return m;
}

MasterSettings masterSettings(const settings::IniDocument& doc) {
    MasterSettings out;
    bool section = false;
    for (const auto& s : doc.sections())
        if (util::asciiLowerCase(s.name) == util::asciiLowerCase(kMastersSection)) section = true;
    std::vector<std::string> values;
    if (section) {
        for (int i = 1; i <= kMasterSlots; ++i)
            values.push_back(doc.readString(kMastersSection, "Master" + std::to_string(i), ""));
    } else {
        for (const char* m : kDefaultMasters) values.emplace_back(m);
    }
    for (std::size_t i = 0; i < values.size(); ++i) {
        const auto m = masterAddress(values[i]);
        if (!m) continue;
        if (i == 0) out.blockList = *m;
        bool repeat = false;
        for (const auto& known : out.masters)
            if (util::asciiLowerCase(known.shown) == util::asciiLowerCase(m->shown)) repeat = true;
        if (!repeat) out.masters.push_back(*m);
    }
    return out;
}

std::string serversRequest() { return std::string(kOutOfBand) + "getservers 84 empty full"; }
std::string blockedRequest() { return std::string(kOutOfBand) + "getBlockedServers 84"; }

bool publicAddress(std::uint32_t address) { return rangeOf(address) < 0; }

bool unreachable(std::uint32_t address) { return neverAsked(address); }

bool samePrivateRange(std::uint32_t a, std::uint32_t b) {
    const int range = rangeOf(a);
    return range >= 0 && range == rangeOf(b);
}

std::optional<ListReply> parseListReply(std::string_view d, std::string_view command, std::uint32_t master,
                                        std::size_t room) {
    if (d.size() > kMaxReplyBytes || d.substr(0, kOutOfBand.size()) != kOutOfBand) return std::nullopt;
    d.remove_prefix(kOutOfBand.size());
    if (d.substr(0, command.size()) != command) return std::nullopt;
    d.remove_prefix(command.size());
    // What stands between the command and the first entry (a line end, a blank) is
    // skipped, as the game does; a longer command (getserversExtResponse) is another reply.
    const std::size_t first = d.find_first_of("\\/");
    if (first == std::string_view::npos) {
        if (!d.empty() && ((d[0] >= 'a' && d[0] <= 'z') || (d[0] >= 'A' && d[0] <= 'Z'))) return std::nullopt;
        return ListReply{};
    }
    for (std::size_t i = 0; i < first; ++i)
        if ((d[i] >= 'a' && d[i] <= 'z') || (d[i] >= 'A' && d[i] <= 'Z')) return std::nullopt;
    ListReply reply;
    std::unordered_set<std::uint64_t> seen;
    const bool masterPublic = publicAddress(master);
    std::size_t pos = first;
    while (pos < d.size() && reply.entries.size() < room) {
        const std::string_view rest = d.substr(pos + 1);
        if (d[pos] == '/') {
            if (rest.size() < kIpv6Entry) break;
            pos += 1 + kIpv6Entry;
            continue;
        }
        if (d[pos] != '\\') break;
        if (rest.substr(0, 3) == "EOT" &&
            (rest.size() < kIpv4Entry || rest.substr(3, 3) == std::string_view("\0\0\0", 3))) {
            reply.endOfList = true;
            break;
        }
        if (rest.size() < kIpv4Entry) break;
        const auto byte = [&](std::size_t i) {
            return static_cast<std::uint32_t>(static_cast<unsigned char>(rest[i]));
        };
        const platform::Endpoint e{byte(0) << 24 | byte(1) << 16 | byte(2) << 8 | byte(3),
                                   static_cast<std::uint16_t>(byte(4) << 8 | byte(5))};
        pos += 1 + kIpv4Entry;
        if (e.port == 0 || unreachable(e.address)) continue;
        if (!publicAddress(e.address) && (masterPublic || !samePrivateRange(e.address, master))) continue;
        if (seen.insert(ServerSet::key(e)).second) reply.entries.push_back(e);
    }
    return reply;
}

std::vector<platform::Endpoint> ServerSet::add(const std::vector<platform::Endpoint>& entries) {
    std::vector<platform::Endpoint> added;
    for (const auto& e : entries) {
        if (seen_.size() >= kMaxWorldServers) break;
        if (seen_.insert(key(e)).second) added.push_back(e);
    }
    return added;
}

}  // namespace vexal::servers
