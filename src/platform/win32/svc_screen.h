#pragma once
#include "platform/platform.h"
#include "platform/win32/scoped.h"

namespace vexal::platform::win32 {

class Win32Screen final : public Screen {
public:
    // `height` goes to CreateFont as it is: negative for the character height,
    // positive for the cell height.
    [[nodiscard]] int textWidth(const std::string& fontName, int height, bool bold, const std::string& text) override;
    [[nodiscard]] int dialogFrameWidth() override;

private:
    // List widths measure many lines in one font: the last font is kept.
    ScopedMemoryDc dc;
    ScopedFont font;
    std::string fontName;
    int fontHeight = 0;
    bool fontBold = false;
};

}  // namespace vexal::platform::win32
