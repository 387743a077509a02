#pragma once
#include "platform/platform.h"
#include "platform/win32/scoped.h"

namespace vexal::platform::win32 {

// The one way fonts are made, so that a width measured here is the width the
// window draws. `height` is the character height, as the layout gives it.
[[nodiscard]] ScopedFont makeFont(const std::string& name, int height, bool bold, bool italic = false,
                                  bool fixedPitch = false);

class Win32Screen final : public Screen {
public:
    // `height` is the character height, as makeFont takes it.
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
