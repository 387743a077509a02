// List boxes: their items and selection mirrored from the model, their rows
// drawn here in the list's colours.
#include "window/window_backend.h"

namespace vexal::window {

namespace {
bool isList(ui::Kind kind) { return kind == ui::Kind::ListBox || kind == ui::Kind::ComboBox; }

}  // namespace

void WindowBackend::applyItems(ControlWindow& cw) {
    if (cw.control->kind() == ui::Kind::ListView) {
        applyListView(cw);
        return;
    }
    const auto* listControl = dynamic_cast<const ui::ListControl*>(cw.control);
    if (!listControl) return;
    const bool combo = cw.control->kind() == ui::Kind::ComboBox;
    const UINT msgDelete = combo ? CB_DELETESTRING : LB_DELETESTRING;
    const UINT msgInsert = combo ? CB_INSERTSTRING : LB_INSERTSTRING;
    const UINT msgReset = combo ? CB_RESETCONTENT : LB_RESETCONTENT;
    const auto& want = listControl->items().all();
    auto& have = cw.shownItems;
    if (want != have) {
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
    applyItemIndex(cw);
}

void WindowBackend::applyItemIndex(ControlWindow& cw) {
    if (cw.control->kind() == ui::Kind::ListView) {
        applyListSelection(cw);
        return;
    }
    const auto* listControl = dynamic_cast<const ui::ListControl*>(cw.control);
    if (!listControl || !isList(cw.control->kind())) return;
    if (cw.control->kind() == ui::Kind::ComboBox) {
        if (SendMessageA(cw.hwnd, CB_GETCURSEL, 0, 0) != listControl->itemIndex())
            SendMessageA(cw.hwnd, CB_SETCURSEL, static_cast<WPARAM>(listControl->itemIndex()), 0);
        // Selecting writes the entry into the edit field; the model's text stays what it is.
        applyText(cw);
    } else if (SendMessageA(cw.hwnd, LB_GETCURSEL, 0, 0) != listControl->itemIndex()) {
        SendMessageA(cw.hwnd, LB_SETCURSEL, static_cast<WPARAM>(listControl->itemIndex()), 0);
    }
}


void WindowBackend::drawListItem(const DRAWITEMSTRUCT& item) {
    ControlWindow* cw = byHwnd(item.hwndItem);
    if (!cw) return;
    const ui::Control& c = *cw->control;
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
    const std::string text = item.itemID < cw->shownItems.size() ? cw->shownItems[item.itemID] : std::string();
    ScopedSelection selectFont(dc, font(c.font()));
    SetBkColor(dc, back);
    SetTextColor(dc, fore);
    // Plain text two pixels from the left edge, no prefix handling, no tabs.
    ExtTextOutA(dc, rc.left + 2, rc.top, ETO_OPAQUE | ETO_CLIPPED, &rc, text.c_str(), static_cast<UINT>(text.size()),
                nullptr);
    if (item.itemState & ODS_FOCUS) DrawFocusRect(dc, &rc);
}

}  // namespace vexal::window
