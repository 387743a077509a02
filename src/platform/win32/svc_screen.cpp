#include "platform/win32/svc_screen.h"

namespace vexal::platform::win32 {

ScopedFont makeFont(const std::string& name, int height, bool bold, bool italic, bool fixedPitch) {
    // A negative height asks for the character height rather than the cell height.
    return ScopedFont(CreateFontA(-height, 0, 0, 0, bold ? FW_BOLD : FW_NORMAL, italic, FALSE, FALSE, ANSI_CHARSET,
                                  OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                                  static_cast<DWORD>((fixedPitch ? FIXED_PITCH : DEFAULT_PITCH) | FF_DONTCARE),
                                  name.c_str()));
}

int Win32Screen::textWidth(const std::string& name, int height, bool bold, const std::string& text) {
    if (text.empty()) return 0;
    if (!dc) dc.reset(CreateCompatibleDC(nullptr));
    if (!dc) return 0;
    if (!font || name != fontName || height != fontHeight || bold != fontBold) {
        font = makeFont(name, height, bold);
        fontName = name;
        fontHeight = height;
        fontBold = bold;
    }
    ScopedSelection selected(dc.get(), font.get());
    SIZE size{};
    if (!GetTextExtentPoint32A(dc.get(), text.c_str(), static_cast<int>(text.size()), &size)) return 0;
    return size.cx;
}

int Win32Screen::dialogFrameWidth() { return GetSystemMetrics(SM_CXDLGFRAME); }

}  // namespace vexal::platform::win32
