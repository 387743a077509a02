#pragma once
// A world of game servers and masters on the scripted network: each server answers
// the status query after its own round trip (or never), each master its list in
// whatever shape the test asks for, and time moves only when the test moves it.
#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "platform/fake/fake_network.h"

namespace vexal::testing {

class FakeWorld {
public:
    struct Server {
        int rttMs = 50;
        bool silent = false;
        std::string info = "\\sv_hostname\\Server\\mapname\\oasis\\sv_maxclients\\20\\gamename\\etmain";
        std::string players;
    };
    struct Master {
        std::vector<platform::Endpoint> list;
        int perDatagram = 100;  // entries in one datagram
        bool eotEveryDatagram = false;
        bool trailingBackslash = false;
        std::uint16_t answerFromPort = 0;  // another port than the one asked, when set
        int rttMs = 30;
        int blockRttMs = 30;
        bool silent = false;
        std::vector<platform::Endpoint> blocked;  // answered to getBlockedServers
        int requests = 0, blockRequests = 0;
    };

    explicit FakeWorld(platform::fake::FakeNetwork& net) : net_(net) {
        net_.responder = [this](const platform::fake::FakeNetwork::Sent& s) { respond(s); };
    }

    std::map<std::uint64_t, Server> servers;  // by key(endpoint)
    std::map<std::uint64_t, Master> masters;
    int statusRequests = 0;

    static std::uint64_t key(const platform::Endpoint& e) {
        return static_cast<std::uint64_t>(e.address) << 16 | e.port;
    }
    Server& server(const platform::Endpoint& e) { return servers[key(e)]; }
    Master& master(const platform::Endpoint& e) { return masters[key(e)]; }

    // `n` servers at base, base+1 ... on `address`, with round trips spread from
    // `rttLow` to `rttHigh`; every `silentEvery`-th one (when non-zero) never answers.
    std::vector<platform::Endpoint> populate(std::uint32_t address, std::uint16_t base, int n, int rttLow = 20,
                                             int rttHigh = 180, int silentEvery = 0) {
        std::vector<platform::Endpoint> out;
        for (int i = 0; i < n; ++i) {
            const platform::Endpoint e{address, static_cast<std::uint16_t>(base + i)};
            Server& s = server(e);
            s.rttMs = rttLow + (n > 1 ? (rttHigh - rttLow) * i / (n - 1) : 0);
            s.silent = silentEvery > 0 && i % silentEvery == silentEvery - 1;
            s.info = "\\sv_hostname\\^1Server ^7" + std::to_string(i) + "\\mapname\\oasis\\sv_maxclients\\20" +
                     "\\gamename\\etmain\\g_gametype\\4";
            out.push_back(e);
        }
        return out;
    }

    // Moves the clock by `ms`, delivering what has come due on the way.
    void advance(std::uint64_t ms) {
        const std::uint64_t until = net_.now + ms;
        while (true) {
            auto it = due_.begin();
            if (it == due_.end() || it->first > until) break;
            net_.now = std::max(net_.now, it->first);
            net_.inbox.push_back(it->second);
            due_.erase(it);
        }
        net_.now = until;
    }

    static std::string entry(const platform::Endpoint& e) {
        std::string s = "\\";
        for (int shift = 24; shift >= 0; shift -= 8) s += static_cast<char>(e.address >> shift & 255);
        s += static_cast<char>(e.port >> 8);
        s += static_cast<char>(e.port & 255);
        return s;
    }

private:
    void later(std::uint64_t ms, platform::Datagram d) { due_.emplace(net_.now + ms, std::move(d)); }

    void respond(const platform::fake::FakeNetwork::Sent& s) {
        const std::string oob = "\xFF\xFF\xFF\xFF";
        if (const auto m = masters.find(key(s.to)); m != masters.end()) {
            Master& master = m->second;
            platform::Endpoint from = s.to;
            if (master.answerFromPort) from.port = master.answerFromPort;
            if (s.bytes == oob + "getBlockedServers 84") {
                ++master.blockRequests;
                if (master.silent) return;
                std::string d = oob + "getBlockedServersResponse";
                for (const auto& e : master.blocked) d += entry(e);
                later(static_cast<std::uint64_t>(master.blockRttMs), {from, d + std::string("\\EOT\0\0\0", 7)});
                return;
            }
            if (s.bytes != oob + "getservers 84 empty full") return;
            ++master.requests;
            if (master.silent) return;
            const std::size_t per = static_cast<std::size_t>(std::max(1, master.perDatagram));
            std::size_t at = 0;
            do {
                std::string d = oob + "getserversResponse";
                const std::size_t end = std::min(master.list.size(), at + per);
                for (; at < end; ++at) d += entry(master.list[at]);
                const bool last = at >= master.list.size();
                if (last || master.eotEveryDatagram)
                    d += std::string("\\EOT\0\0\0", 7);
                else if (master.trailingBackslash)
                    d += "\\";
                later(static_cast<std::uint64_t>(master.rttMs), {from, d});
            } while (at < master.list.size());
            return;
        }
        const auto it = servers.find(key(s.to));
        const std::string request = oob + "getstatus ";
        if (it == servers.end() || s.bytes.rfind(request, 0) != 0) return;
        ++statusRequests;
        if (it->second.silent) return;
        const std::string challenge = s.bytes.substr(request.size());
        later(static_cast<std::uint64_t>(it->second.rttMs),
              {s.to,
               oob + "statusResponse\n" + it->second.info + "\\challenge\\" + challenge + "\n" + it->second.players});
    }

    platform::fake::FakeNetwork& net_;
    std::multimap<std::uint64_t, platform::Datagram> due_;
};

}  // namespace vexal::testing
