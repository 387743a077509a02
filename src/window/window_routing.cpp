// One place for what a child control tells the main window: WM_COMMAND, WM_NOTIFY,
// WM_DRAWITEM, WM_MEASUREITEM and WM_CTLCOLOR* go to the handler of the control's
// kind, found by the window that sent them or by its id.
#include "window/window_backend.h"

namespace vexal::window {

const WindowBackend::KindHandler& WindowBackend::handlerOf(ui::Kind kind) {
    switch (kind) {
        case ui::Kind::Button:
            return kButtonKind;
        case ui::Kind::BitButton:
            return kBitButtonKind;
        case ui::Kind::FlatButton:
            return kFlatButtonKind;
        case ui::Kind::CheckBox:
            return kCheckBoxKind;
        case ui::Kind::Edit:
            return kEditKind;
        case ui::Kind::ComboBox:
            return kComboBoxKind;
        case ui::Kind::ListBox:
            return kListBoxKind;
        case ui::Kind::StaticText:
            return kStaticTextKind;
        case ui::Kind::Label:
            return kLabelKind;
        case ui::Kind::Memo:
            return kMemoKind;
        case ui::Kind::Picture:
            return kPictureKind;
        case ui::Kind::ProgressBar:
            return kProgressBarKind;
        case ui::Kind::GroupBox:
            return kGroupBoxKind;
        case ui::Kind::ListView:
            return kListViewKind;
    }
    return kLabelKind;  // every kind is listed above
}

LRESULT WindowBackend::routeCommand(HWND, UINT, WPARAM wParam, LPARAM lParam) {
    // A menu item or an accelerator has no window of its own.
    if (lParam == 0) return menuCommand(LOWORD(wParam));
    if (applying_) return 0;
    ControlWindow* cw = byHwnd(reinterpret_cast<HWND>(lParam));
    if (!cw) return 0;
    if (const auto command = handlerOf(cw->control->kind()).command) (this->*command)(*cw, HIWORD(wParam));
    return 0;
}

LRESULT WindowBackend::routeNotify(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    const auto& header = *reinterpret_cast<const NMHDR*>(lParam);
    if (header.hwndFrom == tooltip_) return tooltipNotify(hwnd, msg, wParam, lParam);
    if (ControlWindow* cw = byHwnd(header.hwndFrom)) {
        const auto notify = handlerOf(cw->control->kind()).notify;
        if (notify && (this->*notify)(*cw, header)) return 0;
    }
    return DefWindowProcA(hwnd, msg, wParam, lParam);
}

LRESULT WindowBackend::routeDrawItem(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    const auto& item = *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
    if (item.CtlType == ODT_MENU) {
        if (drawMenuPicture(item)) return TRUE;
    } else if (ControlWindow* cw = byHwnd(item.hwndItem)) {
        if (const auto draw = handlerOf(cw->control->kind()).draw) {
            (this->*draw)(*cw, item);
            return TRUE;
        }
    }
    return DefWindowProcA(hwnd, msg, wParam, lParam);
}

LRESULT WindowBackend::routeMeasureItem(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto& item = *reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
    if (item.CtlType == ODT_MENU) {
        if (measureMenuPicture(item)) return TRUE;
    } else if (ControlWindow* cw = byId(item.CtlID)) {
        // Asked while the control's window is being made: it is found by its id.
        if (const auto measure = handlerOf(cw->control->kind()).measure) {
            (this->*measure)(*cw, item);
            return TRUE;
        }
    }
    return DefWindowProcA(hwnd, msg, wParam, lParam);
}

LRESULT WindowBackend::routeCtlColor(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    LRESULT result = DefWindowProcA(hwnd, msg, wParam, lParam);
    const auto dc = reinterpret_cast<HDC>(wParam);
    const auto child = reinterpret_cast<HWND>(lParam);
    ControlWindow* cw = byHwnd(child);
    if (!cw) return result;
    const ui::Control& c = *cw->control;
    if (const auto colour = handlerOf(c.kind()).colour) (this->*colour)(*cw, msg, dc, result);
    if (c.colour() != ui::kClDefault && IsWindowEnabled(child)) SetTextColor(dc, resolve(c.colour()));
    if (c.background() != ui::kClDefault) {
        SetBkColor(dc, resolve(c.background()));
        result = reinterpret_cast<LRESULT>(brush(resolve(c.background())));
    }
    return result;
}

}  // namespace vexal::window
