// Feeds anything to the master list reader and the blocked servers' reader, as
// several datagrams from a master whose address the input chooses. Properties:
// every server read is a public address unless the master is not (and then one
// of the master's own range), never port 0, never twice, at most 4,096 in all.
#include <cstddef>
#include <cstdint>
#include <string>

#include "fuzz/fuzz_input.h"
#include "servers/master_list.h"

namespace {

void check(bool holds) {
    if (!holds) __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace vexal::servers;
    // The first four bytes are the master's address; a few masters are likelier
    // than the rest, so the private-range rules are reached.
    std::uint32_t master = 0x5DBA0001;
    if (size >= 5) {
        switch (data[0] % 4) {
            case 0:
                master = 0x7F000001;
                break;
            case 1:
                master = 0xC0A80002;
                break;
            case 2:
                master = static_cast<std::uint32_t>(data[1]) << 24 | static_cast<std::uint32_t>(data[2]) << 16 |
                         static_cast<std::uint32_t>(data[3]) << 8 | data[4];
                break;
            default:
                break;
        }
        data += 5;
        size -= 5;
    }
    const auto datagrams = vexal::fuzz::pieces(data, size, 8);
    ServerSet merged;
    std::size_t total = 0;
    for (std::size_t i = 0; i < datagrams.size(); ++i) {
        // Each piece is read as it came and as a real reply would start.
        const std::string command(i % 2 ? kBlockedResponse : kServersResponse);
        for (const std::string& d : {datagrams[i], "\xFF\xFF\xFF\xFF" + command + datagrams[i]}) {
            const auto reply = parseListReply(d, command, master, merged.room());
            if (!reply) continue;
            check(reply->entries.size() <= merged.room());
            ServerSet once;
            for (const auto& e : reply->entries) {
                check(e.port != 0);
                check(!unreachable(e.address));
                check(publicAddress(e.address) || (!publicAddress(master) && samePrivateRange(e.address, master)));
                check(once.add({e}).size() == 1);
            }
            total += merged.add(reply->entries).size();
            check(merged.size() == total && merged.size() <= kMaxWorldServers);
        }
    }
    return 0;
}
