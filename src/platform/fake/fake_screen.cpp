#include "platform/fake/fake_screen.h"

#include <string_view>

namespace vexal::platform::fake {

int FakeScreen::textWidth(const std::string&, int, bool bold, const std::string& text) {
    constexpr std::string_view kNarrow = "iljtfrI!|.,:;' ";
    constexpr std::string_view kWide = "mwMW@";
    int width = 0;
    for (char c : text) {
        width += kNarrow.find(c) != std::string_view::npos ? 3 : kWide.find(c) != std::string_view::npos ? 11 : 7;
        if (bold) ++width;
    }
    return width;
}

}  // namespace vexal::platform::fake
