#pragma once
// The master servers and what they send: which masters to ask (the [Masters]
// section of the settings), the requests, and the lists they answer with, read
// as hostile input: only public addresses (unless the master itself is on the
// same private network), no port 0, no repeats, at most as many servers as the
// game keeps.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

#include "platform/platform.h"
#include "settings/ini_document.h"

namespace vexal::servers {

inline constexpr std::uint16_t kMasterPort = 27950;
// The game's own browser keeps no more; a master that lists more is not believed.
inline constexpr std::size_t kMaxWorldServers = 4096;
inline constexpr int kMasterSlots = 5;
inline constexpr const char* kMastersSection = "Masters";
inline constexpr const char* kDefaultMasters[] = {"master.etlegacy.com:27950", "etmaster.idsoftware.com:27950"};
// The master that keeps the list of blocked servers when the settings name none.
inline constexpr const char* kBlockListMaster = "master.etlegacy.com:27950";

struct MasterAddress {
    std::string shown;  // "host:port"
    std::string host;
    std::uint16_t port = kMasterPort;
    friend bool operator==(const MasterAddress&, const MasterAddress&) = default;
};

// "host" or "host:port" (27950 when none); nothing for a value that names no master.
[[nodiscard]] std::optional<MasterAddress> masterAddress(std::string_view text);

struct MasterSettings {
    std::vector<MasterAddress> masters;      // repeats left out
    std::optional<MasterAddress> blockList;  // who is asked for the blocked servers
};

// Master1 to Master5 of [Masters]; with no such section, the two masters of today.
// An empty value is a free slot. The blocked servers come from Master1 when it is
// set (ET:Legacy's master by default), never from a master the player did not name.
[[nodiscard]] MasterSettings masterSettings(const settings::IniDocument& doc);

// "\xFF\xFF\xFF\xFFgetservers 84 empty full": without "empty full" masters leave
// out the empty and the full servers.
[[nodiscard]] std::string serversRequest();
[[nodiscard]] std::string blockedRequest();
inline constexpr std::string_view kServersResponse = "getserversResponse";
inline constexpr std::string_view kBlockedResponse = "getBlockedServersResponse";

// Addresses a list from the internet must not send us to: this network, private,
// shared, loopback, link-local, multicast, reserved and broadcast ranges.
[[nodiscard]] bool publicAddress(std::uint32_t address);
// Addresses never asked, whoever lists them: this network, multicast, reserved,
// broadcast, and the documentation ranges.
[[nodiscard]] bool unreachable(std::uint32_t address);
// Both addresses lie in the same range that is not public (127/8, 10/8, 192.168/16 ...).
[[nodiscard]] bool samePrivateRange(std::uint32_t a, std::uint32_t b);

struct ListReply {
    std::vector<platform::Endpoint> entries;  // in the order sent, none twice
    bool endOfList = false;                   // the entry "\EOT\0\0\0" came
};

// One datagram of a master's list: four 0xFF bytes, `command`, then entries of a
// backslash and six bytes (address and port in network order), with or without a
// backslash after the last one; IPv6 entries ("/" and 18 bytes) are skipped. Read
// up to "\EOT", the first byte that starts no entry, or `room` entries kept.
// Entries from `master`'s point of view unfit to ask are left out. Nothing when
// the datagram is no such reply.
[[nodiscard]] std::optional<ListReply> parseListReply(std::string_view datagram, std::string_view command,
                                                      std::uint32_t master, std::size_t room = kMaxWorldServers);

// The servers of every master merged: each once, at most kMaxWorldServers.
class ServerSet {
public:
    // Adds what is new; returns the entries added, in order.
    std::vector<platform::Endpoint> add(const std::vector<platform::Endpoint>& entries);
    [[nodiscard]] bool contains(const platform::Endpoint& e) const { return seen_.count(key(e)) != 0; }
    [[nodiscard]] std::size_t size() const { return seen_.size(); }
    [[nodiscard]] std::size_t room() const { return kMaxWorldServers - seen_.size(); }
    void clear() { seen_.clear(); }
    [[nodiscard]] static std::uint64_t key(const platform::Endpoint& e) {
        return static_cast<std::uint64_t>(e.address) << 16 | e.port;
    }

private:
    std::unordered_set<std::uint64_t> seen_;
};

}  // namespace vexal::servers
