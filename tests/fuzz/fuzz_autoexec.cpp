// The nickname's line replacement in the game's autoexec.cfg: every line that does
// not match stays byte for byte with its own line end, a matching line becomes the
// replacement with its own line end, and an unchanged file is not written.
#include "fuzz/fuzz_input.h"
#include "platform/fake/fake_clock.h"
#include "platform/fake/fake_file_system.h"
#include "tools/tool_rules.h"
#include "util/error.h"
#include "util/lines.h"

using vexal::fuzz::check;
using vexal::fuzz::shown;

namespace {

constexpr const char* kScript = "C:\\Games\\ET\\etmain\\autoexec.cfg";

// The file as it must be afterwards, worked out line by line on its own.
std::string expectedAfter(vexal::platform::Clock& clock, const std::string& text, const std::string& search,
                          const std::string& replacement) {
    const std::string needle = clock.lower(search);
    std::string out;
    for (std::size_t i = 0; i < text.size();) {
        std::size_t end = i;
        while (end < text.size() && text[end] != '\r' && text[end] != '\n') ++end;
        std::size_t next = end;
        if (next < text.size()) next += text.compare(next, 2, "\r\n") == 0 ? 2 : 1;
        const std::string line = text.substr(i, end - i);
        const bool matches = !needle.empty() && clock.lower(line).find(needle) != std::string::npos;
        out += (matches ? replacement : line) + text.substr(end, next - end);
        i = next;
    }
    return out;
}

void replaceAndCheck(vexal::platform::fake::FakeFileSystem& fs, vexal::platform::Clock& clock,
                     const std::string& search, const std::string& replacement) {
    const std::string before = *fs.contents(kScript);
    const std::size_t writes = fs.writes.size();
    try {
        vexal::util::ReplaceMatchingLines(fs, clock, kScript, search, replacement);
    } catch (const vexal::Error& e) {
        check(false, std::string("the replacement failed: ") + e.what());
    }
    const std::string expected = expectedAfter(clock, before, search, replacement);
    const std::string after = fs.contents(kScript).value_or("<missing>");
    check(after == expected, "replacing \"" + shown(search) + "\" by \"" + shown(replacement) + "\" in \"" +
                                 shown(before) + "\" gives \"" + shown(after) + "\"");
    check((fs.writes.size() > writes) == (after != before), "the file is written only when a line changed");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto piece = vexal::fuzz::pieces(data, size, 3);
    const std::string& nickname = piece[0];
    const std::string& search = piece[1];
    const std::string& script = piece[2];
    vexal::platform::fake::FakeFileSystem fs;
    vexal::platform::fake::FakeClock clock;
    fs.addFile(kScript, script);

    // Any search text with any one-line replacement.
    if (!vexal::fuzz::hasLineBreak(nickname)) replaceAndCheck(fs, clock, search, nickname);
    // The nickname editor's two passes, with a nickname it accepts.
    if (vexal::tools::nicknameAcceptable(nickname)) {
        replaceAndCheck(fs, clock, "seta name", vexal::tools::nicknameLine("seta name", nickname));
        replaceAndCheck(fs, clock, "set name", vexal::tools::nicknameLine("set name", nickname));
    }
    return 0;
}
