// The GDI objects the controls share, made once and kept: fonts by their
// description, brushes by colour; and the model's colours as the system's.
#include "platform/win32/svc_screen.h"
#include "window/window_backend.h"

namespace vexal::window {

COLORREF WindowBackend::resolve(ui::Colour colour) {
    if ((colour & ui::kSystemColour) == ui::kSystemColour) return GetSysColor(static_cast<int>(colour & 0xFF));
    return static_cast<COLORREF>(colour);
}

HFONT WindowBackend::font(const ui::Font& f) {
    const std::string key = f.name + '|' + std::to_string(f.height) + (f.bold ? "b" : "") + (f.italic ? "i" : "") +
                            (f.fixedPitch ? "f" : "");
    auto it = fonts_.find(key);
    if (it == fonts_.end()) {
        it = fonts_.emplace(key, makeFont(f.name, px(f.height), f.bold, f.italic, f.fixedPitch)).first;
    }
    return it->second.get();
}

HBRUSH WindowBackend::brush(COLORREF colour) {
    auto it = brushes_.find(colour);
    if (it == brushes_.end()) it = brushes_.emplace(colour, ScopedBrush(CreateSolidBrush(colour))).first;
    return it->second.get();
}

}  // namespace vexal::window
