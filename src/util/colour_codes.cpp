#include "util/colour_codes.h"

namespace vexal::util {

namespace {
constexpr std::uint32_t rgb(int r, int g, int b) {
    return static_cast<std::uint32_t>(r) | static_cast<std::uint32_t>(g) << 8 | static_cast<std::uint32_t>(b) << 16;
}
}  // namespace

// The game's table, its fractions of full brightness taken to 0-255.
// clang-format off
const std::array<std::uint32_t, 32> kGameColours = {
    rgb(0, 0, 0),       rgb(255, 0, 0),     rgb(0, 255, 0),     rgb(255, 255, 0),   // 0 1 2 3
    rgb(0, 0, 255),     rgb(0, 255, 255),   rgb(255, 0, 255),   rgb(255, 255, 255), // 4 5 6 7
    rgb(255, 128, 0),   rgb(128, 128, 128), rgb(191, 191, 191), rgb(191, 191, 191), // 8 9 : ;
    rgb(0, 128, 0),     rgb(128, 128, 0),   rgb(0, 0, 128),     rgb(128, 0, 0),     // < = > ?
    rgb(128, 64, 0),    rgb(255, 153, 26),  rgb(0, 128, 128),   rgb(128, 0, 128),   // @ A B C
    rgb(0, 128, 255),   rgb(128, 0, 255),   rgb(51, 153, 204),  rgb(204, 255, 204), // D E F G
    rgb(0, 102, 51),    rgb(255, 0, 51),    rgb(179, 26, 26),   rgb(153, 51, 0),    // H I J K
    rgb(204, 153, 51),  rgb(153, 153, 51),  rgb(255, 255, 191), rgb(255, 255, 128), // L M N O
};
// clang-format on

std::vector<ColourRun> colourRuns(std::string_view text) {
    std::vector<ColourRun> runs;
    int colour = kNoColour;
    std::string current;
    auto flush = [&] {
        if (!current.empty()) runs.push_back({colour, std::move(current)});
        current.clear();
    };
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (c == '^' && i + 1 < text.size() && text[i + 1] != '^') {
            const int next = (static_cast<unsigned char>(text[i + 1]) - '0') & 31;
            if (next != colour) {
                flush();
                colour = next;
            }
            ++i;
            continue;
        }
        current += c < 0x20 || c == 0x7F ? ' ' : static_cast<char>(c);
    }
    flush();
    return runs;
}

}  // namespace vexal::util
