// The tooltips that show the controls' hints.
#include <algorithm>

#include "window/window_backend.h"
#include "window/window_messages.h"

namespace vexal::window {

// ---- tooltips ---------------------------------------------------------------

void WindowBackend::createTooltips() {
    tooltip_ =
        CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT,
                        CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, main_, nullptr, instance_, nullptr);
    if (!tooltip_) return;
    // Multi-line hints need a width limit, or the tooltip draws one long line.
    SendMessageA(tooltip_, TTM_SETMAXTIPWIDTH, 0, px(400));
    for (const auto& cw : windows_) {
        if (!cw.hwnd || !cw.control->showHintTooltip()) continue;
        TOOLINFOA ti{};
        ti.cbSize = sizeof ti;
        ti.uFlags = TTF_IDISHWND;  // the pointer is relayed by our own subclass
        ti.hwnd = main_;
        ti.uId = reinterpret_cast<UINT_PTR>(cw.hwnd);
        ti.lpszText = LPSTR_TEXTCALLBACKA;
        SendMessageA(tooltip_, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&ti));
    }
    updateTooltipTiming();
}

void WindowBackend::updateTooltipTiming() {
    if (!tooltip_ || !model_.application) return;
    const int pause = model_.application->hintHidePause;
    if (pause == tooltipPause_) return;
    tooltipPause_ = pause;
    // The tooltip control counts the display time in a signed 16-bit value.
    SendMessageA(tooltip_, TTM_SETDELAYTIME, TTDT_AUTOPOP, MAKELPARAM(std::clamp(pause, 0, 32767), 0));
}

LRESULT WindowBackend::tooltipNotify(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    const auto& header = *reinterpret_cast<const NMHDR*>(lParam);
    if (header.code != TTN_GETDISPINFOA) return DefWindowProcA(hwnd, msg, wParam, lParam);
    auto* info = reinterpret_cast<NMTTDISPINFOA*>(lParam);
    tipText_.clear();
    if (auto* cw = byHwnd(reinterpret_cast<HWND>(header.idFrom)); cw && cw->control->showHintTooltip())
        tipText_ = tooltipText(cw->control->hint());
    info->lpszText = tipText_.data();
    info->hinst = nullptr;
    return 0;
}

}  // namespace vexal::window
