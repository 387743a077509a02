// Feeds anything to the server status reply parser, the colour runs of names, the
// recent servers' file and the package directory reader. The first byte says how many of the next bytes are the challenge asked,
// so the fuzzer can reach replies that match it.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "servers/map_index.h"
#include "servers/status_reply.h"
#include "util/colour_codes.h"
#include "util/recent_servers.h"

namespace {

void check(bool holds) {
    if (!holds) __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string_view input(reinterpret_cast<const char*>(data), size);
    std::string_view challenge = "Zq3x9TmA0b7Ky2Lp";
    if (!input.empty()) {
        const std::size_t length = static_cast<unsigned char>(input.front()) % 24;
        input.remove_prefix(1);
        if (length > 0 && length <= input.size()) {
            challenge = input.substr(0, length);
            input.remove_prefix(length);
        }
    }
    if (const auto reply = vexal::servers::parseStatusReply(input, challenge)) {
        check(reply->players.size() <= vexal::servers::kMaxPlayers);
        check(reply->value("challenge") == std::string(challenge));
        const auto facts = vexal::servers::factsOf(*reply);
        check(!facts.maxPlayers || (*facts.maxPlayers >= 0 && *facts.maxPlayers <= 64));
        check(!facts.bots || *facts.bots <= static_cast<int>(facts.players.size()));
        check(facts.modFolder.find_first_of("/\\:") == std::string::npos && facts.modFolder != "..");
        for (const auto& p : facts.players)
            for (const char c : p.name) check(static_cast<unsigned char>(c) >= 0x20 && c != 0x7F);
    }
    const std::string clean = vexal::servers::cleanName(input);
    check(clean.size() <= input.size());
    // A name is drawn in runs of colour whose letters are exactly the name as copied.
    std::string drawn;
    for (const auto& run : vexal::util::colourRuns(input)) {
        check(!run.text.empty() && run.colour >= vexal::util::kNoColour && run.colour < 32);
        drawn += run.text;
    }
    check(drawn == clean);
    // The recent servers' file: only addresses come out, and they read back as written.
    const auto recent = vexal::util::parseRecent(input);
    check(recent.size() <= vexal::util::kRecentServers);
    for (const auto& r : recent) check(vexal::util::serverAddress(r.address) == r.address);
    check(vexal::util::parseRecent(vexal::util::formatRecent(recent)) == recent);
    for (const auto& map : vexal::servers::mapsInCentralDirectory(input))
        check(map.find_first_of("/\\") == std::string::npos);
    if (const auto where = vexal::servers::findCentralDirectory(input, 0, input.size()))
        check(where->offset + where->size <= input.size());
    return 0;
}
