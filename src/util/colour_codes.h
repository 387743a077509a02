#pragma once
// The game's colour codes in names and host names: a '^' and the character that
// names one of its 32 colours. Read here into runs of one colour each, so a name
// can be drawn as the game draws it and copied without its codes.
#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace vexal::util {

// What text has before its first code: the colour the reader's own text has.
inline constexpr int kNoColour = -1;

struct ColourRun {
    int colour = kNoColour;  // 0 to 31, an index into kGameColours
    std::string text;
    friend bool operator==(const ColourRun&, const ColourRun&) = default;
};

// The game's colour table, 0x00BBGGRR. A code's character picks its entry by
// (character - '0') & 31, so '1' and 'Q' are both red and 'a' is 'A'.
extern const std::array<std::uint32_t, 32> kGameColours;

// The runs of `text`: "^^" is no code (the first '^' is shown and the second may
// begin one), a '^' at the end is shown, control characters become blanks, and
// runs without text are left out.
[[nodiscard]] std::vector<ColourRun> colourRuns(std::string_view text);

}  // namespace vexal::util
