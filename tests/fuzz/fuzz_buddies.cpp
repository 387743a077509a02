// The buddy list file and the match: every pattern read is one the file can hold,
// at most 200 of them, and it reads back as written; a player added is a buddy,
// one removed is none, whatever the file and the name.
#include <algorithm>

#include "fuzz/fuzz_input.h"
#include "servers/buddies.h"
#include "util/lines.h"

using vexal::fuzz::check;
using vexal::fuzz::shown;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto piece = vexal::fuzz::pieces(data, size, 2);
    const std::string& fileText = piece[0];
    const std::string& playerName = piece[1];
    namespace s = vexal::servers;

    const s::BuddyFile file = s::parseBuddies(fileText);
    check(file.patterns.size() <= s::kMaxBuddies, "more than 200 patterns");
    check(file.patterns.size() + file.skipped <= vexal::util::splitLines(fileText).size(),
          "more patterns and skipped lines than the file has lines");
    for (const std::string& p : file.patterns) {
        check(!p.empty() && p.size() <= s::kMaxPatternLength, "a pattern of " + std::to_string(p.size()) + " bytes");
        check(
            std::none_of(p.begin(), p.end(), [](char c) { return static_cast<unsigned char>(c) < 0x20 || c == 0x7F; }),
            "the pattern \"" + shown(p) + "\" holds a control character");
    }
    const s::BuddyFile again = s::parseBuddies(s::formatBuddies(file.patterns));
    check(again.patterns == file.patterns && again.skipped == 0, "the list does not read back as written");

    if (playerName.size() > 256) return 0;  // no server sends a longer name
    if (const auto added = s::withBuddy(file.patterns, playerName)) {
        check(added->size() == file.patterns.size() + 1, "adding changed more than one pattern");
        check(s::isBuddy(*added, playerName), "\"" + shown(playerName) + "\" added is no buddy");
        check(s::parseBuddies(s::formatBuddies(*added)).patterns == *added, "the list with the new buddy reads back");
    }
    if (const auto removed = s::withoutBuddy(file.patterns, playerName))
        check(!s::isBuddy(*removed, playerName), "\"" + shown(playerName) + "\" removed is still a buddy");
    return 0;
}
