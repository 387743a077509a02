// Report lists: the columns and rows of a ui::ListView mirrored into a list-view
// control, its selection and header clicks back into the model, and its rows drawn
// here so a cell can carry several colours.
#include <algorithm>
#include <cstring>

#include "window/window_backend.h"

namespace vexal::window {

namespace {

constexpr int kCellPadding = 6;

COLORREF listBackground(const ui::Control& c) {
    const ui::Colour colour = c.background();
    if (colour == ui::kClDefault) return GetSysColor(COLOR_WINDOW);
    if ((colour & ui::kSystemColour) == ui::kSystemColour) return GetSysColor(static_cast<int>(colour & 0xFF));
    return static_cast<COLORREF>(colour);
}

}  // namespace

// Drawn row by row here: cells in the colours their texts ask for.
const WindowBackend::KindHandler WindowBackend::kListViewKind{
    .windowClass = WC_LISTVIEWA,
    .style = LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS | LVS_OWNERDRAWFIXED | WS_TABSTOP,
    .exStyle = WS_EX_CLIENTEDGE,
    // The list asks for a virtual list's rows as it draws them; the style cannot change later.
    .settingsStyle = [](const ui::Control& c) -> DWORD {
        return static_cast<const ui::ListView&>(c).virtualRows() ? LVS_OWNERDATA : 0;
    },
    .madeWhenShown = true,
    .raisedWhenShown = true,
    .created = &WindowBackend::listViewCreated,
    .apply = &WindowBackend::applyListViewProperty,
    .notify = &WindowBackend::listNotify,
    .draw = &WindowBackend::drawListRow,
};

void WindowBackend::listViewCreated(ControlWindow& cw) {
    constexpr DWORD kExtended = LVS_EX_FULLROWSELECT | LVS_EX_DOUBLEBUFFER | LVS_EX_INFOTIP;
    SendMessageA(cw.hwnd, LVM_SETEXTENDEDLISTVIEWSTYLE, kExtended, kExtended);
    applyListColours(cw);
}

bool WindowBackend::applyListViewProperty(ControlWindow& cw, ui::Property property) {
    switch (property) {
        case ui::Property::Items:
            applyListView(cw);
            return true;
        case ui::Property::ItemIndex:
            applyListSelection(cw);
            return true;
        case ui::Property::Colour:
            applyListColours(cw);
            InvalidateRect(cw.hwnd, nullptr, TRUE);
            return true;
        default:
            return false;
    }
}

void WindowBackend::applyListColours(ControlWindow& cw) {
    const COLORREF back = listBackground(*cw.control);
    SendMessageA(cw.hwnd, LVM_SETBKCOLOR, 0, static_cast<LPARAM>(back));
    SendMessageA(cw.hwnd, LVM_SETTEXTBKCOLOR, 0, static_cast<LPARAM>(back));
}

void WindowBackend::applyListView(ControlWindow& cw) {
    const auto& list = static_cast<const ui::ListView&>(*cw.control);
    HWND h = cw.hwnd;
    bool changed = false;
    // Drawing is held only while columns or rows are written one by one: Wine repaints
    // the whole list at once when it is let go again (tens of milliseconds), whether
    // anything changed or not.
    // A list out of sight draws nothing anyway.
    const bool shown = IsWindowVisible(h) != FALSE;
    bool held = false;
    const auto hold = [&] {
        if (!held && shown) SendMessageA(h, WM_SETREDRAW, FALSE, 0);
        held = shown;
    };
    if (list.columns() != cw.shownColumns) {
        hold();
        for (auto n = cw.shownColumns.size(); n > 0; --n) SendMessageA(h, LVM_DELETECOLUMN, 0, 0);
        for (std::size_t i = 0; i < list.columns().size(); ++i) {
            const ui::ListColumn& col = list.columns()[i];
            LVCOLUMNA lc{};
            lc.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT | LVCF_SUBITEM;
            lc.fmt = col.rightAligned && i > 0 ? LVCFMT_RIGHT : LVCFMT_LEFT;
            lc.cx = px(col.width);
            lc.pszText = const_cast<char*>(col.title.c_str());
            lc.iSubItem = static_cast<int>(i);
            SendMessageA(h, LVM_INSERTCOLUMNA, i, reinterpret_cast<LPARAM>(&lc));
        }
        cw.shownColumns = list.columns();
        cw.shownRows.clear();
        SendMessageA(h, LVM_DELETEALLITEMS, 0, 0);
        changed = true;
    }
    if (list.virtualRows()) {
        // The count goes to the window only when it changed: set again, even the same,
        // it costs Wine a repaint of the list's frame and scroll bar at once.
        const std::size_t count = list.rowCount();
        if (static_cast<std::size_t>(SendMessageA(h, LVM_GETITEMCOUNT, 0, 0)) != count)
            SendMessageA(h, LVM_SETITEMCOUNT, count, LVSICF_NOINVALIDATEALL | LVSICF_NOSCROLL);
        if (held) SendMessageA(h, WM_SETREDRAW, TRUE, 0);
        // Of the rows in sight, only those that differ from what was drawn are drawn
        // again: painting is what a list costs, and most refreshes change none of them.
        cw.shownRows.resize(count);
        const auto top = static_cast<std::size_t>(std::max<LRESULT>(SendMessageA(h, LVM_GETTOPINDEX, 0, 0), 0));
        const auto page = static_cast<std::size_t>(std::max<LRESULT>(SendMessageA(h, LVM_GETCOUNTPERPAGE, 0, 0), 0));
        for (std::size_t r = top; r < count && r <= top + page; ++r)
            if (list.rowAt(r) != cw.shownRows[r]) SendMessageA(h, LVM_REDRAWITEMS, r, r);
        applyListSelection(cw);
        return;
    }
    const auto& want = list.rows();
    auto& have = cw.shownRows;
    while (have.size() > want.size()) {
        hold();
        SendMessageA(h, LVM_DELETEITEM, have.size() - 1, 0);
        have.pop_back();
        changed = true;
    }
    // Only the cells that differ are written: a refresh that changes a ping touches one cell.
    for (std::size_t r = 0; r < want.size(); ++r) {
        if (r < have.size() && have[r] == want[r]) continue;
        hold();
        changed = true;
        if (r >= have.size()) {
            LVITEMA item{};
            item.mask = LVIF_TEXT;
            item.iItem = static_cast<int>(r);
            item.pszText = const_cast<char*>(want[r].empty() ? "" : want[r][0].text.c_str());
            SendMessageA(h, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
            have.emplace_back();
        }
        for (std::size_t col = 0; col < want[r].size() && col < list.columns().size(); ++col) {
            if (col < have[r].size() && have[r][col].text == want[r][col].text) continue;
            LVITEMA item{};
            item.iSubItem = static_cast<int>(col);
            item.pszText = const_cast<char*>(want[r][col].text.c_str());
            SendMessageA(h, LVM_SETITEMTEXTA, r, reinterpret_cast<LPARAM>(&item));
        }
        have[r] = want[r];
    }
    if (held) SendMessageA(h, WM_SETREDRAW, TRUE, 0);
    if (changed) InvalidateRect(h, nullptr, FALSE);
    applyListSelection(cw);
}

void WindowBackend::applyListSelection(ControlWindow& cw) {
    const auto& list = static_cast<const ui::ListView&>(*cw.control);
    const int want = list.itemIndex();
    const auto have = static_cast<int>(SendMessageA(cw.hwnd, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
    if (want == have) return;
    LVITEMA item{};
    item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    if (want < 0) {
        item.state = 0;
        SendMessageA(cw.hwnd, LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&item));
        return;
    }
    item.state = LVIS_SELECTED | LVIS_FOCUSED;
    SendMessageA(cw.hwnd, LVM_SETITEMSTATE, static_cast<WPARAM>(want), reinterpret_cast<LPARAM>(&item));
    SendMessageA(cw.hwnd, LVM_ENSUREVISIBLE, static_cast<WPARAM>(want), FALSE);
}

bool WindowBackend::listNotify(ControlWindow& cw, const NMHDR& header) {
    auto& list = static_cast<ui::ListView&>(*cw.control);
    switch (header.code) {
        case LVN_ITEMCHANGED: {
            const auto& change = reinterpret_cast<const NMLISTVIEW&>(header);
            if (applying_ || !(change.uChanged & LVIF_STATE)) return true;
            const bool nowSelected = (change.uNewState & LVIS_SELECTED) != 0;
            if (nowSelected && !(change.uOldState & LVIS_SELECTED) && change.iItem != list.itemIndex())
                guarded([&list, index = change.iItem] { list.select(index); });
            return true;
        }
        case LVN_COLUMNCLICK: {
            const auto& click = reinterpret_cast<const NMLISTVIEW&>(header);
            guarded([&list, column = click.iSubItem] { list.columnClick(column); });
            return true;
        }
        case LVN_GETDISPINFOA: {
            // A virtual list's text, for whoever reads it (screen readers, the tests).
            auto& info = const_cast<NMLVDISPINFOA&>(reinterpret_cast<const NMLVDISPINFOA&>(header));
            if (!(info.item.mask & LVIF_TEXT) || !info.item.pszText || info.item.cchTextMax <= 0) return true;
            const ui::ListRow row = list.rowAt(static_cast<std::size_t>(std::max(info.item.iItem, 0)));
            const auto col = static_cast<std::size_t>(std::max(info.item.iSubItem, 0));
            const std::string text = col < row.size() ? row[col].text : std::string();
            const std::size_t n = std::min(text.size(), static_cast<std::size_t>(info.item.cchTextMax - 1));
            text.copy(info.item.pszText, n);
            info.item.pszText[n] = '\0';
            return true;
        }
        case LVN_GETINFOTIPA: {
            // A row's tip: what its first cell carries (the buddies on a server).
            auto& tip = const_cast<NMLVGETINFOTIPA&>(reinterpret_cast<const NMLVGETINFOTIPA&>(header));
            if (tip.iItem < 0 || static_cast<std::size_t>(tip.iItem) >= list.rowCount() || tip.cchTextMax <= 0)
                return true;
            const ui::ListRow row = list.rowAt(static_cast<std::size_t>(tip.iItem));
            const std::string text = row.empty() ? std::string() : row[0].tip;
            if (text.empty()) return true;  // the list's own tip: a cut text in full
            const std::size_t n = std::min(text.size(), static_cast<std::size_t>(tip.cchTextMax - 1));
            std::memcpy(tip.pszText, text.data(), n);
            tip.pszText[n] = '\0';
            return true;
        }
        case NM_DBLCLK: {
            const auto& activate = reinterpret_cast<const NMITEMACTIVATE&>(header);
            if (activate.iItem >= 0) guarded([&list] { list.dblClick(); });
            return true;
        }
        default:
            return false;
    }
}

void WindowBackend::drawListRow(ControlWindow& cw, const DRAWITEMSTRUCT& item) {
    const auto& list = static_cast<const ui::ListView&>(*cw.control);
    if (item.itemID >= list.rowCount()) return;
    const ui::ListRow row = list.virtualRows() ? list.rowAt(item.itemID) : list.rows()[item.itemID];
    if (list.virtualRows() && item.itemID < cw.shownRows.size()) cw.shownRows[item.itemID] = row;
    HDC dc = item.hDC;
    const bool selected = (item.itemState & ODS_SELECTED) != 0;
    const bool focused = GetFocus() == cw.hwnd;
    // The selected row keeps its colours on a ground that marks it, brighter while the list has the focus.
    const COLORREF back = selected ? (focused ? GetSysColor(COLOR_HIGHLIGHT) : RGB(70, 70, 90)) : listBackground(list);
    const COLORREF plain = list.colour() != ui::kClDefault ? resolve(list.colour()) : GetSysColor(COLOR_WINDOWTEXT);
    RECT rc = item.rcItem;
    SetBkColor(dc, back);
    ExtTextOutA(dc, 0, 0, ETO_OPAQUE, &rc, nullptr, 0, nullptr);
    ui::Font look = list.font();
    look.bold = look.bold || (!row.empty() && row[0].bold);
    ScopedSelection selectFont(dc, font(look));
    SetBkMode(dc, TRANSPARENT);
    TEXTMETRICA metrics{};
    GetTextMetricsA(dc, &metrics);
    const int y = rc.top + (rc.bottom - rc.top - metrics.tmHeight) / 2;
    int left = rc.left;
    for (std::size_t col = 0; col < list.columns().size(); ++col) {
        const int width = static_cast<int>(SendMessageA(cw.hwnd, LVM_GETCOLUMNWIDTH, col, 0));
        if (col < row.size()) {
            const ui::ListCell& cell = row[col];
            RECT cellRect{left + px(kCellPadding), rc.top, left + width - px(kCellPadding), rc.bottom};
            if (cell.runs.size() <= 1) {
                // One colour: cut with an ellipsis where the column ends.
                const ui::Colour colour = cell.runs.empty() ? ui::kClDefault : cell.runs[0].colour;
                SetTextColor(dc, colour == ui::kClDefault ? plain : resolve(colour));
                const UINT align = list.columns()[col].rightAligned ? DT_RIGHT : DT_LEFT;
                DrawTextA(dc, cell.text.c_str(), static_cast<int>(cell.text.size()), &cellRect,
                          align | DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
                left += width;
                continue;
            }
            int x = cellRect.left;
            const std::vector<ui::TextRun>& runs = cell.runs;
            if (list.columns()[col].rightAligned) {
                SIZE extent{};
                GetTextExtentPoint32A(dc, cell.text.c_str(), static_cast<int>(cell.text.size()), &extent);
                x = std::max<int>(cellRect.left, cellRect.right - extent.cx);
            }
            for (const ui::TextRun& run : runs) {
                if (x >= cellRect.right) break;
                SetTextColor(dc, run.colour == ui::kClDefault ? plain : resolve(run.colour));
                ExtTextOutA(dc, x, y, ETO_CLIPPED, &cellRect, run.text.c_str(), static_cast<UINT>(run.text.size()),
                            nullptr);
                SIZE extent{};
                GetTextExtentPoint32A(dc, run.text.c_str(), static_cast<int>(run.text.size()), &extent);
                x += extent.cx;
            }
        }
        left += width;
    }
    if ((item.itemState & ODS_FOCUS) && focused) DrawFocusRect(dc, &rc);
}

}  // namespace vexal::window
