// The et:// link parser: whatever a link holds, an accepted one gives the game's
// command line exactly "+connect host:port" and nothing else, whatever map is
// chosen; a refused one is quoted in its box without a control character.
#include <string>

#include "fuzz/fuzz_input.h"
#include "launch/launch_rules.h"
#include "links/et_link.h"
#include "links/texts.h"

using vexal::fuzz::check;
using vexal::fuzz::shown;

namespace {

bool hostCharacter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-' || c == '.';
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto parts = vexal::fuzz::pieces(data, size, 2);
    const std::string& link = parts[0];
    const std::string& map = parts[1];
    const auto result = vexal::links::parseEtLink(link);

    if (const auto* fault = std::get_if<vexal::links::LinkFault>(&result)) {
        const std::string quoted = vexal::links::text::quotedLink(link);
        check(quoted.size() <= 203, "the quote of \"" + shown(link) + "\" is not cut");
        for (const char c : quoted)
            check(static_cast<unsigned char>(c) >= 0x20 && c != 0x7F,
                  "the quote of \"" + shown(link) + "\" shows a control character");
        check(*vexal::links::text::reason(*fault) != '\0', "a refusal without a reason");
        return 0;
    }

    const auto& address = std::get<vexal::links::ServerAddress>(result);
    const std::string line = vexal::launch::composeLaunchParameters(vexal::links::connectLine(address), map, "");
    const std::string what = "\"" + shown(link) + "\" gives \"" + shown(line) + "\"";
    check(line.rfind("+connect ", 0) == 0, what + ": not a +connect line");
    const std::string target = line.substr(9);
    const auto colon = target.find(':');
    check(colon != std::string::npos && colon > 0, what + ": no host:port");
    const std::string host = target.substr(0, colon), port = target.substr(colon + 1);
    check(host.size() <= 253, what + ": the host is too long");
    for (const char c : host) check(hostCharacter(c), what + ": a character outside the host's");
    check(host.front() != '-' && host.front() != '.' && host.back() != '-' && host.back() != '.',
          what + ": the host begins or ends oddly");
    check(!port.empty() && port.size() <= 5 && port.front() != '0', what + ": the port is not plain digits");
    for (const char c : port) check(c >= '0' && c <= '9', what + ": the port is not plain digits");
    const long value = std::stol(port);
    check(value >= 1 && value <= 65535, what + ": the port is out of range");
    check(line == "+connect " + address.host + ":" + std::to_string(address.port), what + ": not the parsed address");
    // The link named this host: it stands in the link as it does on the line.
    check(link.find(host) != std::string::npos, what + ": a host the link did not name");
    // What the game gets reads back as the same server.
    const auto again = vexal::links::parseEtLink("et://" + target);
    check(std::holds_alternative<vexal::links::ServerAddress>(again) &&
              std::get<vexal::links::ServerAddress>(again) == address,
          what + ": does not read back as the same server");
    return 0;
}
