// Controls that show and do not take the focus: static texts (which may be
// clicked), labels, group boxes and the progress bar.
#include "window/window_backend.h"
#include "window/window_text.h"

namespace vexal::window {

namespace {

DWORD staticTextStyle(const ui::Control& c) {
    const auto& label = static_cast<const ui::Label&>(c);
    return (label.rightAligned ? SS_RIGHT : SS_LEFTNOWORDWRAP) | (label.sunken ? SS_SUNKEN : 0);
}

DWORD labelStyle(const ui::Control& c) {
    return static_cast<const ui::Label&>(c).rightAligned ? SS_RIGHT : SS_LEFTNOWORDWRAP;
}

}  // namespace

const WindowBackend::KindHandler WindowBackend::kStaticTextKind{
    .windowClass = WC_STATICA,
    .style = SS_NOTIFY | SS_NOPREFIX,
    .settingsStyle = staticTextStyle,
    .text = captionOf,
    .command = &WindowBackend::staticTextCommand,
};

// Labels show "&" as the accelerator mark, so no SS_NOPREFIX.
const WindowBackend::KindHandler WindowBackend::kLabelKind{
    .windowClass = WC_STATICA,
    .settingsStyle = labelStyle,
    .text = captionOf,
};

const WindowBackend::KindHandler WindowBackend::kGroupBoxKind{
    .windowClass = WC_BUTTONA,
    .style = BS_GROUPBOX,
    .text = captionOf,
};

const WindowBackend::KindHandler WindowBackend::kProgressBarKind{
    .windowClass = PROGRESS_CLASSA,
    .raisedWhenShown = true,
    .created = &WindowBackend::progressCreated,
    .apply = &WindowBackend::applyProgressBar,
};

void WindowBackend::staticTextCommand(ControlWindow& cw, UINT code) {
    if (code == STN_CLICKED) guarded([&cw] { cw.control->click(); });
}

void WindowBackend::progressCreated(ControlWindow& cw) { SendMessageA(cw.hwnd, PBM_SETRANGE32, 0, 100); }

bool WindowBackend::applyProgressBar(ControlWindow& cw, ui::Property property) {
    if (property != ui::Property::Progress) return false;
    const auto& bar = static_cast<const ui::ProgressBar&>(*cw.control);
    SendMessageA(cw.hwnd, PBM_SETRANGE32, bar.minimum(), bar.maximum());
    SendMessageA(cw.hwnd, PBM_SETPOS, bar.position(), 0);
    // The archive work holds the message loop; the bar draws now or not at all.
    UpdateWindow(cw.hwnd);
    return true;
}

}  // namespace vexal::window
