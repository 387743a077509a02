#include "util/recent_servers.h"

#include <algorithm>
#include <charconv>

#include "util/case_fold.h"
#include "util/lines.h"

namespace vexal::util {

namespace {

bool hostName(std::string_view host) {
    if (host.empty() || host.size() > 253) return false;
    std::size_t label = 0;
    for (const char c : host) {
        if (c == '.') {
            if (label == 0) return false;
            label = 0;
            continue;
        }
        const bool ok = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-';
        if (!ok || ++label > 63) return false;
    }
    return label > 0;
}

std::optional<unsigned> number(std::string_view digits, unsigned low, unsigned high) {
    if (digits.empty() || digits.size() > 5) return std::nullopt;
    unsigned value = 0;
    const auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
    if (ec != std::errc() || end != digits.data() + digits.size() || value < low || value > high) return std::nullopt;
    return value;
}

bool dateText(std::string_view d) {
    if (d.size() != 10 || d[4] != '-' || d[7] != '-') return false;
    return number(d.substr(0, 4), 1, 9999) && number(d.substr(5, 2), 1, 12) && number(d.substr(8, 2), 1, 31);
}

}  // namespace

std::optional<std::string> serverAddress(std::string_view target) {
    std::string_view host = target, port;
    if (const auto colon = target.find(':'); colon != std::string_view::npos) {
        host = target.substr(0, colon);
        port = target.substr(colon + 1);
        if (!number(port, 1, 65535)) return std::nullopt;
    }
    if (!hostName(host)) return std::nullopt;
    return std::string(host) + ":" + (port.empty() ? std::string("27960") : std::to_string(*number(port, 1, 65535)));
}

std::optional<std::string> connectAddress(std::string_view line) {
    const auto at = line.find("+connect");
    if (at == std::string_view::npos) return std::nullopt;
    std::size_t from = at + 8;
    if (from >= line.size() || (line[from] != ' ' && line[from] != '\t')) return std::nullopt;
    from = line.find_first_not_of(" \t", from);
    if (from == std::string_view::npos) return std::nullopt;
    const auto end = line.find_first_of(" \t", from);
    return serverAddress(line.substr(from, end == std::string_view::npos ? std::string_view::npos : end - from));
}

std::vector<RecentServer> parseRecent(std::string_view fileText) {
    std::vector<RecentServer> out;
    for (const std::string& line : splitLines(std::string(fileText))) {
        const auto blank = line.find(' ');
        if (blank == std::string::npos) continue;
        const auto address = serverAddress(std::string_view(line).substr(0, blank));
        const std::string date = line.substr(blank + 1);
        // Written by us as host:port; anything else was not.
        if (!address || *address != line.substr(0, blank) || !dateText(date)) continue;
        const bool seen = std::any_of(out.begin(), out.end(), [&](const RecentServer& r) {
            return asciiLowerCase(r.address) == asciiLowerCase(*address);
        });
        if (!seen && out.size() < kRecentServers) out.push_back({*address, date});
    }
    return out;
}

std::string formatRecent(const std::vector<RecentServer>& servers) {
    std::vector<std::string> lines;
    for (const auto& s : servers) lines.push_back(s.address + " " + s.date);
    return joinLines(lines);
}

void recordRecent(std::vector<RecentServer>& servers, const std::string& address, const std::string& date) {
    const std::string key = asciiLowerCase(address);
    std::erase_if(servers, [&](const RecentServer& r) { return asciiLowerCase(r.address) == key; });
    servers.insert(servers.begin(), {address, date});
    if (servers.size() > kRecentServers) servers.resize(kRecentServers);
}

std::string isoDate(int year, int month, int day) {
    // Digits by hand: the C library's formatting would bring its floating point into the program.
    std::string text = "0000-00-00";
    const auto put = [&text](std::size_t end, int value, int width) {
        for (int i = 0; i < width; ++i, value /= 10) text[end - static_cast<std::size_t>(i)] = static_cast<char>('0' + value % 10);
    };
    put(3, year, 4);
    put(6, month, 2);
    put(9, day, 2);
    return text;
}

}  // namespace vexal::util
