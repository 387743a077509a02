#pragma once
#include "platform/platform.h"

namespace vexal::platform::fake {

// Text measured with a crude proportional font: narrow letters 3 pixels, wide
// ones 11, the rest 7; bold adds one pixel a letter.
class FakeScreen final : public Screen {
public:
    [[nodiscard]] int textWidth(const std::string& fontName, int height, bool bold, const std::string& text) override;
    [[nodiscard]] int dialogFrameWidth() override { return frameWidth; }

    int frameWidth = 3;
};

}  // namespace vexal::platform::fake
