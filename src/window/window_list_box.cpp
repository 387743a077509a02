// List boxes: their items and selection mirrored from the model, their rows
// drawn here in the list's colours; a pick is a click.
#include "window/window_backend.h"

namespace vexal::window {

const WindowBackend::KindHandler WindowBackend::kListBoxKind{
    .windowClass = WC_LISTBOXA,
    .style =
        LBS_NOTIFY | LBS_OWNERDRAWFIXED | LBS_HASSTRINGS | LBS_NOINTEGRALHEIGHT | WS_VSCROLL | WS_HSCROLL | WS_TABSTOP,
    .exStyle = WS_EX_CLIENTEDGE,
    .apply = &WindowBackend::applyListBox,
    .command = &WindowBackend::listBoxCommand,
    .draw = &WindowBackend::drawListItem,
    .measure = &WindowBackend::measureListItem,
};

void WindowBackend::syncItems(ControlWindow& cw, const ui::StringList& items, UINT msgReset, UINT msgDelete,
                              UINT msgInsert) {
    const auto& want = items.all();
    auto& have = cw.shownItems;
    if (want == have) return;
    // Only the changed stretch between the common start and end is rewritten,
    // so adding one entry to a long list does not rebuild it.
    std::size_t head = 0;
    while (head < want.size() && head < have.size() && want[head] == have[head]) ++head;
    std::size_t tail = 0;
    while (tail < want.size() - head && tail < have.size() - head &&
           want[want.size() - 1 - tail] == have[have.size() - 1 - tail])
        ++tail;
    const std::size_t removed = have.size() - head - tail;
    const std::size_t added = want.size() - head - tail;
    SendMessageA(cw.hwnd, WM_SETREDRAW, FALSE, 0);
    if (removed == have.size() && removed > 0) {
        SendMessageA(cw.hwnd, msgReset, 0, 0);
    } else {
        for (std::size_t i = 0; i < removed; ++i) SendMessageA(cw.hwnd, msgDelete, head, 0);
    }
    for (std::size_t i = 0; i < added; ++i)
        SendMessageA(cw.hwnd, msgInsert, head + i, reinterpret_cast<LPARAM>(want[head + i].c_str()));
    have = want;
    SendMessageA(cw.hwnd, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(cw.hwnd, nullptr, TRUE);
}

bool WindowBackend::applyListBox(ControlWindow& cw, ui::Property property) {
    const auto& list = static_cast<const ui::ListBox&>(*cw.control);
    switch (property) {
        case ui::Property::Items:
            syncItems(cw, list.items(), LB_RESETCONTENT, LB_DELETESTRING, LB_INSERTSTRING);
            applyListBoxIndex(cw);
            return true;
        case ui::Property::ItemIndex:
            applyListBoxIndex(cw);
            return true;
        case ui::Property::Font:
            applyFont(cw);
            SendMessageA(cw.hwnd, LB_SETITEMHEIGHT, 0, px(list.itemHeight));
            return true;
        case ui::Property::Extent:
            SendMessageA(cw.hwnd, LB_SETHORIZONTALEXTENT, static_cast<WPARAM>(px(list.horizontalExtent())), 0);
            return true;
        default:
            return false;
    }
}

void WindowBackend::applyListBoxIndex(ControlWindow& cw) {
    const auto& list = static_cast<const ui::ListBox&>(*cw.control);
    if (SendMessageA(cw.hwnd, LB_GETCURSEL, 0, 0) != list.itemIndex())
        SendMessageA(cw.hwnd, LB_SETCURSEL, static_cast<WPARAM>(list.itemIndex()), 0);
}

void WindowBackend::listBoxCommand(ControlWindow& cw, UINT code) {
    auto& list = static_cast<ui::ListBox&>(*cw.control);
    if (code == LBN_SELCHANGE) {
        const int selected = static_cast<int>(SendMessageA(cw.hwnd, LB_GETCURSEL, 0, 0));
        // A pick with the mouse or the arrow keys is a click.
        guarded([&list, selected] {
            {
                ui::Control::EchoGuard guard(list);
                list.setItemIndex(selected);
            }
            list.click();
        });
    } else if (code == LBN_DBLCLK) {
        guarded(list.onDblClick);
    }
}

void WindowBackend::drawListItem(ControlWindow& cw, const DRAWITEMSTRUCT& item) {
    const ui::Control& c = *cw.control;
    HDC dc = item.hDC;
    RECT rc = item.rcItem;
    if (item.itemID == static_cast<UINT>(-1)) {
        if (item.itemState & ODS_FOCUS) DrawFocusRect(dc, &rc);
        return;
    }
    const bool selected = (item.itemState & ODS_SELECTED) != 0;
    const bool enabled = IsWindowEnabled(item.hwndItem) != FALSE;
    COLORREF back = c.background() != ui::kClDefault ? resolve(c.background()) : GetSysColor(COLOR_WINDOW);
    COLORREF fore = c.colour() != ui::kClDefault ? resolve(c.colour()) : GetSysColor(COLOR_WINDOWTEXT);
    if (selected) {
        back = GetSysColor(COLOR_HIGHLIGHT);
        fore = GetSysColor(COLOR_HIGHLIGHTTEXT);
    }
    if (!enabled) fore = GetSysColor(COLOR_GRAYTEXT);
    const std::string text = item.itemID < cw.shownItems.size() ? cw.shownItems[item.itemID] : std::string();
    ScopedSelection selectFont(dc, font(c.font()));
    SetBkColor(dc, back);
    SetTextColor(dc, fore);
    // Plain text two pixels from the left edge, no prefix handling, no tabs.
    ExtTextOutA(dc, rc.left + px(2), rc.top, ETO_OPAQUE | ETO_CLIPPED, &rc, text.c_str(),
                static_cast<UINT>(text.size()), nullptr);
    if (item.itemState & ODS_FOCUS) DrawFocusRect(dc, &rc);
}

void WindowBackend::measureListItem(ControlWindow& cw, MEASUREITEMSTRUCT& item) {
    item.itemHeight = static_cast<UINT>(px(static_cast<const ui::ListBox&>(*cw.control).itemHeight));
}

}  // namespace vexal::window
