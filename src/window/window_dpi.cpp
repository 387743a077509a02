// The screen's DPI, read once at start. The model is laid out for 96 dpi (100%);
// every size the windows get from it (places, fonts, list columns, pictures) passes
// through here, so that on a screen at 150% the window is 1.5 times as large and its
// text is drawn sharp at that size rather than stretched by the system.
#include "util/resample.h"
#include "window/window_backend.h"

namespace vexal::window {

void WindowBackend::readDpi() {
    ScopedWindowDc screen(nullptr);
    const int dpi = screen.get() ? GetDeviceCaps(screen.get(), LOGPIXELSY) : 0;
    dpi_ = dpi > 0 ? dpi : 96;
}

int WindowBackend::px(int designPixels) const { return MulDiv(designPixels, dpi_, 96); }

RECT WindowBackend::placement(const ui::Control& c) const {
    const POINT at = origin(c);
    const ui::Rect& b = c.bounds();
    const KindHandler& kind = handlerOf(c.kind());
    const int height = kind.windowHeight ? kind.windowHeight(c) : b.height;
    // Edges rather than sizes are scaled: controls that meet at 96 dpi still meet.
    const int left = at.x + b.left, top = at.y + b.top;
    return {px(left), px(top), px(left + b.width), px(top + height)};
}

std::vector<std::uint32_t> WindowBackend::scaledPixels(const std::vector<std::uint32_t>& pixels, int& width,
                                                       int& height) const {
    if (dpi_ == 96) return pixels;
    const int newWidth = px(width), newHeight = px(height);
    std::vector<std::uint32_t> out = util::resampleArea(pixels, width, height, newWidth, newHeight);
    if (out.empty()) return pixels;
    width = newWidth;
    height = newHeight;
    return out;
}

}  // namespace vexal::window
