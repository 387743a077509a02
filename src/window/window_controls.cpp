// One window per control of the model, and the mirroring of model changes into it.
#include <algorithm>

#include "platform/win32/svc_screen.h"
#include "window/window_backend.h"
#include "window/window_messages.h"

namespace vexal::window {

namespace {

std::string windowText(HWND hwnd) {
    const int length = GetWindowTextLengthA(hwnd);
    std::string text(static_cast<std::size_t>(length) + 1, '\0');
    const int got = GetWindowTextA(hwnd, text.data(), length + 1);
    text.resize(static_cast<std::size_t>(std::max(got, 0)));
    return text;
}

void setWindowText(HWND hwnd, const std::string& text) {
    // Setting an unchanged text would move the caret and flicker.
    if (windowText(hwnd) != text) SetWindowTextA(hwnd, text.c_str());
}

bool isList(ui::Kind kind) { return kind == ui::Kind::ListBox || kind == ui::Kind::ComboBox; }

// Drop-down rows are about this high in the window font; the list's height follows from it.
constexpr int kDropDownRowHeight = 14;

}  // namespace

COLORREF WindowBackend::resolve(ui::Colour colour) {
    if ((colour & ui::kSystemColour) == ui::kSystemColour) return GetSysColor(static_cast<int>(colour & 0xFF));
    return static_cast<COLORREF>(colour);
}

HFONT WindowBackend::font(const ui::Font& f) {
    const std::string key = f.name + '|' + std::to_string(f.height) + (f.bold ? "b" : "") + (f.italic ? "i" : "") +
                            (f.fixedPitch ? "f" : "");
    auto it = fonts_.find(key);
    if (it == fonts_.end()) {
        it = fonts_.emplace(key, makeFont(f.name, f.height, f.bold, f.italic, f.fixedPitch)).first;
    }
    return it->second.get();
}

HBRUSH WindowBackend::brush(COLORREF colour) {
    auto it = brushes_.find(colour);
    if (it == brushes_.end()) it = brushes_.emplace(colour, ScopedBrush(CreateSolidBrush(colour))).first;
    return it->second.get();
}

POINT WindowBackend::origin(const ui::Control& c) const {
    POINT p{0, 0};
    for (const ui::Control* parent = c.parent(); parent; parent = parent->parent()) {
        p.x += parent->bounds().left;
        p.y += parent->bounds().top;
    }
    return p;
}

bool WindowBackend::effectiveVisible(const ui::Control& c) const {
    for (const ui::Control* p = &c; p; p = p->parent())
        if (!p->visible()) return false;
    return true;
}

bool WindowBackend::effectiveEnabled(const ui::Control& c) const {
    for (const ui::Control* p = &c; p; p = p->parent())
        if (!p->enabled()) return false;
    return true;
}

void WindowBackend::createControl(std::size_t index) {
    ControlWindow& cw = windows_[index];
    ui::Control& c = *cw.control;
    DWORD style = WS_CHILD | WS_CLIPSIBLINGS;
    DWORD exStyle = 0;
    const char* cls = nullptr;
    switch (c.kind()) {
    case ui::Kind::Button:
    case ui::Kind::BitButton:
        cls = WC_BUTTONA;
        style |= BS_PUSHBUTTON | WS_TABSTOP;
        break;
    case ui::Kind::FlatButton:
        cls = kFlatButtonClass;
        break;
    case ui::Kind::CheckBox:
        // Not an auto check box: the model toggles the state and the window follows.
        cls = WC_BUTTONA;
        style |= BS_CHECKBOX | WS_TABSTOP;
        break;
    case ui::Kind::Edit:
        cls = WC_EDITA;
        style |= ES_AUTOHSCROLL | ES_LEFT | WS_TABSTOP;
        exStyle |= WS_EX_CLIENTEDGE;
        break;
    case ui::Kind::Memo: {
        const auto& memo = static_cast<const ui::Edit&>(c);
        cls = WC_EDITA;
        style |= ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN | WS_TABSTOP;
        if (memo.readOnly()) style |= ES_READONLY;
        if (memo.scrollBar) style |= WS_VSCROLL;
        if (static_cast<const ui::Memo&>(c).horizontalScrollBar) style |= WS_HSCROLL | ES_AUTOHSCROLL;
        exStyle |= WS_EX_CLIENTEDGE;
        break;
    }
    case ui::Kind::ComboBox: {
        const auto& combo = static_cast<const ui::ComboBox&>(c);
        cls = WC_COMBOBOXA;
        style |= CBS_DROPDOWN | CBS_AUTOHSCROLL | WS_VSCROLL | WS_TABSTOP;
        if (combo.upperCase) style |= CBS_UPPERCASE;
        break;
    }
    case ui::Kind::ListBox: {
        const auto& list = static_cast<const ui::ListBox&>(c);
        cls = WC_LISTBOXA;
        style |= LBS_NOTIFY | LBS_OWNERDRAWFIXED | LBS_HASSTRINGS | LBS_NOINTEGRALHEIGHT | WS_VSCROLL | WS_HSCROLL |
                 WS_TABSTOP;
        exStyle |= WS_EX_CLIENTEDGE;
        creatingItemHeight_ = list.itemHeight;
        break;
    }
    case ui::Kind::StaticText: {
        const auto& label = static_cast<const ui::Label&>(c);
        cls = WC_STATICA;
        style |= SS_NOTIFY | SS_NOPREFIX | (label.rightAligned ? SS_RIGHT : SS_LEFTNOWORDWRAP);
        if (label.sunken) style |= SS_SUNKEN;
        break;
    }
    case ui::Kind::Label: {
        // Labels show "&" as the accelerator mark, so no SS_NOPREFIX.
        const auto& label = static_cast<const ui::Label&>(c);
        cls = WC_STATICA;
        style |= label.rightAligned ? SS_RIGHT : SS_LEFTNOWORDWRAP;
        break;
    }
    case ui::Kind::GroupBox:
        cls = WC_BUTTONA;
        style |= BS_GROUPBOX;
        break;
    case ui::Kind::Picture:
        cls = kPictureClass;
        break;
    case ui::Kind::ProgressBar:
        cls = PROGRESS_CLASSA;
        break;
    case ui::Kind::ListView:
        // Drawn row by row here: cells in the colours their texts ask for.
        cls = WC_LISTVIEWA;
        style |= LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS | LVS_OWNERDRAWFIXED | WS_TABSTOP;
        exStyle |= WS_EX_CLIENTEDGE;
        break;
    }

    // Born in place, visible or not, enabled or not: each later move or show of a
    // child costs a round trip to the window server, which adds up over the window.
    const auto id = static_cast<UINT_PTR>(kFirstControlId + static_cast<int>(index));
    const POINT at = origin(c);
    const ui::Rect& b = c.bounds();
    int height = b.height;
    if (const auto* combo = dynamic_cast<const ui::ComboBox*>(&c))
        height += std::max(combo->dropDownCount, 1) * kDropDownRowHeight + 2;
    if (effectiveVisible(c)) style |= WS_VISIBLE;
    if (!effectiveEnabled(c)) style |= WS_DISABLED;
    std::string text;
    if (const auto* edit = dynamic_cast<const ui::Edit*>(&c))
        text = edit->text();
    else if (const auto* captioned = dynamic_cast<const ui::CaptionControl*>(&c))
        text = captioned->caption();
    cw.hwnd = CreateWindowExA(exStyle, cls, text.c_str(), style, at.x + b.left, at.y + b.top, b.width, height, main_,
                              reinterpret_cast<HMENU>(id), instance_, this);
    if (!cw.hwnd) return;
    windowIndex_[cw.hwnd] = index;
    SetWindowSubclass(cw.hwnd, childSubclass, 1, reinterpret_cast<DWORD_PTR>(this));

    if (c.kind() == ui::Kind::ComboBox) {
        COMBOBOXINFO info{};
        info.cbSize = sizeof info;
        if (GetComboBoxInfo(cw.hwnd, &info)) {
            cw.edit = info.hwndItem;
            cw.list = info.hwndList;
            if (cw.edit) {
                windowIndex_[cw.edit] = index;
                SetWindowSubclass(cw.edit, childSubclass, 1, reinterpret_cast<DWORD_PTR>(this));
            }
            if (cw.list) windowIndex_[cw.list] = index;
        }
        const auto& combo = static_cast<const ui::ComboBox&>(c);
        SendMessageA(cw.hwnd, CB_SETMINVISIBLE, static_cast<WPARAM>(std::max(combo.dropDownCount, 1)), 0);
        if (combo.maxLength > 0) SendMessageA(cw.hwnd, CB_LIMITTEXT, static_cast<WPARAM>(combo.maxLength), 0);
    } else if (c.kind() == ui::Kind::Memo) {
        // Log files outgrow the 32 KB an edit control accepts by default.
        SendMessageA(cw.hwnd, EM_SETLIMITTEXT, 0x7FFFFFFE, 0);
    } else if (c.kind() == ui::Kind::ProgressBar) {
        SendMessageA(cw.hwnd, PBM_SETRANGE32, 0, 100);
    } else if (c.kind() == ui::Kind::ListView) {
        constexpr DWORD kExtended = LVS_EX_FULLROWSELECT | LVS_EX_DOUBLEBUFFER | LVS_EX_INFOTIP;
        SendMessageA(cw.hwnd, LVM_SETEXTENDEDLISTVIEWSTYLE, kExtended, kExtended);
        applyListColours(cw);
    }
    applyPicture(cw);
    using P = ui::Property;
    for (P p : {P::Font, P::Items, P::ItemIndex, P::Checked, P::ReadOnly, P::Extent, P::Position}) apply(cw, p);
    if (c.kind() == ui::Kind::ComboBox) apply(cw, P::Text);  // the text belongs to the combo's edit part
}

std::vector<std::size_t> WindowBackend::zOrderBottomToTop() const {
    // Later controls lie above earlier ones; a group box's contents lie just above
    // the group box, so it never paints over them.
    std::vector<std::size_t> bottomToTop;
    std::vector<bool> placed(windows_.size(), false);
    auto place = [&](auto&& self, std::size_t i) -> void {
        if (placed[i]) return;
        placed[i] = true;
        bottomToTop.push_back(i);
        for (std::size_t j = 0; j < windows_.size(); ++j)
            if (windows_[j].control->parent() == windows_[i].control) self(self, j);
    };
    for (std::size_t i = 0; i < windows_.size(); ++i)
        if (!windows_[i].control->parent()) place(place, i);
    for (std::size_t i = 0; i < windows_.size(); ++i) place(place, i);
    return bottomToTop;
}

void WindowBackend::apply(ControlWindow& cw, ui::Property property) {
    ui::Control& c = *cw.control;
    HWND h = cw.hwnd;
    switch (property) {
    case ui::Property::Text:
    case ui::Property::Caption:
        applyText(cw);
        break;
    case ui::Property::Enabled:
        applyEnabled(cw);
        break;
    case ui::Property::Visible:
        applyVisible(cw);
        break;
    case ui::Property::Checked:
        if (auto* box = dynamic_cast<ui::CheckBox*>(&c))
            SendMessageA(h, BM_SETCHECK, box->checked() ? BST_CHECKED : BST_UNCHECKED, 0);
        break;
    case ui::Property::Items:
        applyItems(cw);
        break;
    case ui::Property::ItemIndex:
        applyItemIndex(cw);
        break;
    case ui::Property::Bounds:
        applyBounds(cw);
        break;
    case ui::Property::Font:
        SendMessageA(h, WM_SETFONT, reinterpret_cast<WPARAM>(font(c.font())), IsWindowVisible(h));
        if (auto* list = dynamic_cast<ui::ListBox*>(&c)) SendMessageA(h, LB_SETITEMHEIGHT, 0, list->itemHeight);
        if (c.kind() == ui::Kind::ComboBox) applyBounds(cw);
        break;
    case ui::Property::Colour:
        if (c.kind() == ui::Kind::ListView) applyListColours(cw);
        InvalidateRect(h, nullptr, TRUE);
        if (cw.edit) InvalidateRect(cw.edit, nullptr, TRUE);
        break;
    case ui::Property::Picture:
        InvalidateRect(h, nullptr, TRUE);
        break;
    case ui::Property::Position:
        if (auto* bar = dynamic_cast<ui::ProgressBar*>(&c)) {
            SendMessageA(h, PBM_SETRANGE32, bar->minimum(), bar->maximum());
            SendMessageA(h, PBM_SETPOS, bar->position(), 0);
            // The archive work holds the message loop; the bar draws now or not at all.
            UpdateWindow(h);
        } else if (auto* memo = dynamic_cast<ui::Memo*>(&c)) {
            const auto first = static_cast<int>(SendMessageA(h, EM_GETFIRSTVISIBLELINE, 0, 0));
            SendMessageA(h, EM_LINESCROLL, 0, memo->topLine() - first);
        }
        break;
    case ui::Property::ZOrder:
        SetWindowPos(h, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        break;
    case ui::Property::Extent:
        if (auto* list = dynamic_cast<ui::ListBox*>(&c))
            SendMessageA(h, LB_SETHORIZONTALEXTENT, static_cast<WPARAM>(list->horizontalExtent()), 0);
        break;
    case ui::Property::ReadOnly:
        if (auto* edit = dynamic_cast<ui::Edit*>(&c)) {
            SendMessageA(h, EM_SETREADONLY, edit->readOnly(), 0);
            InvalidateRect(h, nullptr, TRUE);
        }
        break;
    case ui::Property::Hint:
    case ui::Property::Focus:
        break;
    }
}

void WindowBackend::applyText(ControlWindow& cw) {
    const ui::Control& c = *cw.control;
    if (const auto* edit = dynamic_cast<const ui::Edit*>(&c)) {
        setWindowText(cw.hwnd, edit->text());
    } else if (const auto* combo = dynamic_cast<const ui::ComboBox*>(&c)) {
        setWindowText(cw.edit ? cw.edit : cw.hwnd, combo->text());
    } else if (const auto* captioned = dynamic_cast<const ui::CaptionControl*>(&c)) {
        setWindowText(cw.hwnd, captioned->caption());
        if (c.kind() == ui::Kind::FlatButton) InvalidateRect(cw.hwnd, nullptr, TRUE);
    }
}

void WindowBackend::applyBounds(ControlWindow& cw) {
    const ui::Control& c = *cw.control;
    const POINT at = origin(c);
    const ui::Rect& b = c.bounds();
    int height = b.height;
    if (const auto* combo = dynamic_cast<const ui::ComboBox*>(&c))
        height += std::max(combo->dropDownCount, 1) * kDropDownRowHeight + 2;
    SetWindowPos(cw.hwnd, nullptr, at.x + b.left, at.y + b.top, b.width, height, SWP_NOZORDER | SWP_NOACTIVATE);
    // The contents of a group box move with it.
    for (auto& other : windows_)
        if (other.hwnd && other.control->parent() == &c) applyBounds(other);
}

void WindowBackend::applyVisible(ControlWindow& cw) {
    const ui::Control& c = *cw.control;
    const bool show = effectiveVisible(c);
    if (show && !IsWindowVisible(cw.hwnd) &&
        (c.kind() == ui::Kind::Memo || c.kind() == ui::Kind::ProgressBar || c.kind() == ui::Kind::ListView))
        // A text viewer or the progress bar lies over other controls when it appears.
        SetWindowPos(cw.hwnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    ShowWindow(cw.hwnd, show ? SW_SHOWNA : SW_HIDE);
    for (auto& other : windows_)
        if (other.hwnd && other.control->parent() == &c) applyVisible(other);
}

void WindowBackend::applyEnabled(ControlWindow& cw) {
    const ui::Control& c = *cw.control;
    EnableWindow(cw.hwnd, effectiveEnabled(c));
    for (auto& other : windows_)
        if (other.hwnd && other.control->parent() == &c) applyEnabled(other);
}

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

void WindowBackend::applyPicture(ControlWindow& cw) {
    const auto* button = dynamic_cast<const ui::Button*>(cw.control);
    if (!button || cw.control->kind() != ui::Kind::BitButton || button->picture < 0) return;
    cw.images = buttonImages(*button);
    if (!cw.images) return;
    BUTTON_IMAGELIST bil{};
    bil.himl = cw.images;
    bil.uAlign = button->pictureRight ? BUTTON_IMAGELIST_ALIGN_RIGHT : BUTTON_IMAGELIST_ALIGN_LEFT;
    // The spacing is the gap between picture and caption.
    if (button->pictureRight)
        bil.margin = {button->spacing, 0, 3, 0};
    else
        bil.margin = {3, 0, button->spacing, 0};
    SendMessageA(cw.hwnd, BCM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(&bil));
}

// ---- colours and owner drawing ---------------------------------------------

LRESULT WindowBackend::onCtlColor(HWND main, UINT msg, HDC dc, HWND child) {
    LRESULT result = DefWindowProcA(main, msg, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(child));
    const ControlWindow* cw = byHwnd(child);
    if (!cw) return result;
    const ui::Control& c = *cw->control;
    if (const auto* edit = dynamic_cast<const ui::Edit*>(&c);
        edit && edit->readOnly() && msg == WM_CTLCOLORSTATIC && IsWindowEnabled(child)) {
        // A read-only text box keeps the white of a text box, not the grey of a label.
        SetBkColor(dc, GetSysColor(COLOR_WINDOW));
        result = reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_WINDOW));
    }
    if (c.colour() != ui::kClDefault && IsWindowEnabled(child)) SetTextColor(dc, resolve(c.colour()));
    if (c.background() != ui::kClDefault) {
        SetBkColor(dc, resolve(c.background()));
        result = reinterpret_cast<LRESULT>(brush(resolve(c.background())));
    }
    return result;
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

// ---- notifications from the controls ---------------------------------------

void WindowBackend::onCommand(WPARAM wParam, LPARAM lParam) {
    if (lParam == 0) {
        // A menu item or an accelerator; posted by another program, it finds the
        // item's enabled state as a menu would show it now.
        menuOpening();
        if (MenuEntry* entry = menuByCommand(LOWORD(wParam))) guarded([entry] { entry->item->click(); });
        return;
    }
    if (applying_) return;
    ControlWindow* cw = byHwnd(reinterpret_cast<HWND>(lParam));
    if (!cw) return;
    ui::Control& c = *cw->control;
    const UINT code = HIWORD(wParam);
    switch (c.kind()) {
    case ui::Kind::Button:
    case ui::Kind::BitButton:
        if (code == BN_CLICKED) guarded([&c] { c.click(); });
        break;
    case ui::Kind::CheckBox:
        if (code == BN_CLICKED) guarded([&c] { static_cast<ui::CheckBox&>(c).toggleByUser(); });
        break;
    case ui::Kind::Edit:
    case ui::Kind::Memo:
        if (code == EN_CHANGE) {
            const std::string text = windowText(cw->hwnd);
            guarded([&c, &text] {
                ui::Control::EchoGuard guard(c);
                if (auto* memo = dynamic_cast<ui::Memo*>(&c)) memo->modified = true;
                static_cast<ui::Edit&>(c).setText(text);
            });
        }
        break;
    case ui::Kind::ComboBox: {
        auto& combo = static_cast<ui::ComboBox&>(c);
        if (code == CBN_EDITCHANGE) {
            const std::string text = windowText(cw->edit ? cw->edit : cw->hwnd);
            const int selected = static_cast<int>(SendMessageA(cw->hwnd, CB_GETCURSEL, 0, 0));
            guarded([&combo, &text, selected] {
                ui::Control::EchoGuard guard(combo);
                combo.setItemIndex(selected);
                combo.typeText(text);
            });
        } else if (code == CBN_SELCHANGE) {
            const int selected = static_cast<int>(SendMessageA(cw->hwnd, CB_GETCURSEL, 0, 0));
            guarded([&combo, selected] {
                ui::Control::EchoGuard guard(combo);
                combo.pick(selected);
            });
            // The combo box writes the picked entry into its edit field after this
            // notification; a change handler may have wanted another text.
            PostMessageA(main_, kMsgSyncText, static_cast<WPARAM>(cw - windows_.data()), 0);
        }
        break;
    }
    case ui::Kind::ListBox: {
        auto& list = static_cast<ui::ListBox&>(c);
        if (code == LBN_SELCHANGE) {
            const int selected = static_cast<int>(SendMessageA(cw->hwnd, LB_GETCURSEL, 0, 0));
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
        break;
    }
    case ui::Kind::StaticText:
        if (code == STN_CLICKED) guarded([&c] { c.click(); });
        break;
    default:
        break;
    }
}

// ---- flat buttons and the picture box ---------------------------------------

LRESULT CALLBACK WindowBackend::flatButtonProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_NCCREATE)
        SetWindowLongPtrA(hwnd, GWLP_USERDATA,
                          reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams));
    auto* self = reinterpret_cast<WindowBackend*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    ControlWindow* cw = self ? self->byHwnd(hwnd) : nullptr;
    if (!cw) return DefWindowProcA(hwnd, msg, wParam, lParam);
    return self->shielded([&] { return self->onFlatButtonMessage(*cw, hwnd, msg, wParam, lParam); }, 0);
}

LRESULT CALLBACK WindowBackend::pictureProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_NCCREATE)
        SetWindowLongPtrA(hwnd, GWLP_USERDATA,
                          reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams));
    auto* self = reinterpret_cast<WindowBackend*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    ControlWindow* cw = self ? self->byHwnd(hwnd) : nullptr;
    if (!cw) return DefWindowProcA(hwnd, msg, wParam, lParam);
    return self->shielded([&] { return self->onPictureMessage(*cw, hwnd, msg, wParam, lParam); }, 0);
}

namespace {
bool pointerInside(HWND hwnd, LPARAM lParam) {
    RECT rc{};
    GetClientRect(hwnd, &rc);
    const POINT p{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
    return PtInRect(&rc, p) != FALSE;
}
}  // namespace

// The custom controls press on the mouse and click on release inside.
std::optional<LRESULT> WindowBackend::onPressable(ControlWindow& cw, HWND hwnd, UINT msg, LPARAM lParam,
                                                  void (WindowBackend::*paint)(ControlWindow&, HDC)) {
    switch (msg) {
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(hwnd, &ps);
        (this->*paint)(cw, dc);
        EndPaint(hwnd, &ps);
        return 0;
    }
    case WM_ERASEBKGND:
        return 1;
    case WM_LBUTTONDOWN:
        cw.pressed = true;
        SetCapture(hwnd);
        InvalidateRect(hwnd, nullptr, FALSE);
        return 0;
    case WM_LBUTTONUP:
        if (cw.pressed) {
            cw.pressed = false;
            ReleaseCapture();
            InvalidateRect(hwnd, nullptr, FALSE);
            if (pointerInside(hwnd, lParam)) guarded([&cw] { cw.control->click(); });
        }
        return 0;
    case WM_CAPTURECHANGED:
        if (cw.pressed) {
            cw.pressed = false;
            InvalidateRect(hwnd, nullptr, FALSE);
        }
        return 0;
    default:
        return std::nullopt;
    }
}

// A flat button never takes the focus and shows a raised edge only while the
// pointer is over it.
LRESULT WindowBackend::onFlatButtonMessage(ControlWindow& cw, HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (const auto result = onPressable(cw, hwnd, msg, lParam, &WindowBackend::paintFlatButton)) return *result;
    switch (msg) {
    case WM_MOUSEMOVE: {
        const bool inside = pointerInside(hwnd, lParam);
        if (inside != cw.hot) {
            cw.hot = inside;
            InvalidateRect(hwnd, nullptr, FALSE);
        }
        return 0;
    }
    case WM_MOUSELEAVE:
        if (cw.hot) {
            cw.hot = false;
            InvalidateRect(hwnd, nullptr, FALSE);
        }
        return 0;
    case BM_CLICK:
        if (IsWindowEnabled(hwnd)) guarded([&cw] { cw.control->click(); });
        return 0;
    case WM_ENABLE:
        InvalidateRect(hwnd, nullptr, FALSE);
        return 0;
    case WM_SETTEXT: {
        const LRESULT r = DefWindowProcA(hwnd, msg, wParam, lParam);
        InvalidateRect(hwnd, nullptr, FALSE);
        return r;
    }
    case WM_GETDLGCODE:
        return DLGC_BUTTON;
    default:
        break;
    }
    return DefWindowProcA(hwnd, msg, wParam, lParam);
}

void WindowBackend::paintFlatButton(ControlWindow& cw, HDC dc) {
    const auto& button = static_cast<const ui::Button&>(*cw.control);
    RECT rc{};
    GetClientRect(cw.hwnd, &rc);
    FillRect(dc, &rc, GetSysColorBrush(COLOR_BTNFACE));
    const bool enabled = IsWindowEnabled(cw.hwnd) != FALSE;
    const bool down = enabled && cw.pressed && cw.hot;
    if (down)
        DrawEdge(dc, &rc, BDR_SUNKENOUTER, BF_RECT);
    else if (enabled && (cw.hot || cw.pressed))
        DrawEdge(dc, &rc, BDR_RAISEDINNER, BF_RECT);

    const Picture* pic = picture(button.picture);
    const std::string& caption = button.caption();
    ScopedSelection selectFont(dc, font(button.font()));
    SIZE text{0, 0};
    if (!caption.empty()) {
        RECT measure{0, 0, 0, 0};
        DrawTextA(dc, caption.c_str(), -1, &measure, DT_CALCRECT | DT_SINGLELINE);
        text = {measure.right - measure.left, measure.bottom - measure.top};
    }
    const int picWidth = pic ? pic->width : 0;
    const int gap = pic && !caption.empty() ? button.spacing : 0;
    const int block = picWidth + gap + text.cx;
    const int shift = down ? 1 : 0;
    int x = (rc.right - block) / 2 + shift;
    const int mid = rc.bottom / 2 + shift;
    auto drawPic = [&] {
        if (!pic) return;
        drawPicture(dc, enabled ? pic->normal.get() : pic->disabled.get(), x, mid - pic->height / 2, pic->width,
                    pic->height);
        x += pic->width + gap;
    };
    auto drawCaption = [&] {
        if (caption.empty()) return;
        RECT tr{x, mid - text.cy / 2, x + text.cx, mid - text.cy / 2 + text.cy};
        SetBkMode(dc, TRANSPARENT);
        if (enabled) {
            SetTextColor(dc, button.colour() != ui::kClDefault ? resolve(button.colour()) : GetSysColor(COLOR_BTNTEXT));
            DrawTextA(dc, caption.c_str(), -1, &tr, DT_SINGLELINE);
        } else {
            // Disabled captions are engraved: a light copy one pixel down and right.
            RECT light = tr;
            OffsetRect(&light, 1, 1);
            SetTextColor(dc, GetSysColor(COLOR_BTNHIGHLIGHT));
            DrawTextA(dc, caption.c_str(), -1, &light, DT_SINGLELINE);
            SetTextColor(dc, GetSysColor(COLOR_BTNSHADOW));
            DrawTextA(dc, caption.c_str(), -1, &tr, DT_SINGLELINE);
        }
        x += text.cx + gap;
    };
    if (button.pictureRight) {
        drawCaption();
        drawPic();
    } else {
        drawPic();
        drawCaption();
    }
}

LRESULT WindowBackend::onPictureMessage(ControlWindow& cw, HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (const auto result = onPressable(cw, hwnd, msg, lParam, &WindowBackend::paintPicture)) return *result;
    return DefWindowProcA(hwnd, msg, wParam, lParam);
}

void WindowBackend::paintPicture(ControlWindow& cw, HDC dc) {
    const auto& box = static_cast<const ui::PictureBox&>(*cw.control);
    RECT rc{};
    GetClientRect(cw.hwnd, &rc);
    FillRect(dc, &rc, GetSysColorBrush(COLOR_BTNFACE));
    const ui::Image& image = box.image();
    if (!image.empty() && image.pixels.size() >= static_cast<std::size_t>(image.width) * image.height) {
        // Centred and cut to the box, never scaled.
        BITMAPINFO bi{};
        bi.bmiHeader.biSize = sizeof bi.bmiHeader;
        bi.bmiHeader.biWidth = image.width;
        bi.bmiHeader.biHeight = -image.height;
        bi.bmiHeader.biPlanes = 1;
        bi.bmiHeader.biBitCount = 32;
        bi.bmiHeader.biCompression = BI_RGB;
        const int x = (rc.right - image.width) / 2, y = (rc.bottom - image.height) / 2;
        StretchDIBits(dc, x, y, image.width, image.height, 0, 0, image.width, image.height, image.pixels.data(), &bi,
                      DIB_RGB_COLORS, SRCCOPY);
        return;
    }
    if (const Picture* pic = picture(box.designPicture))
        drawPicture(dc, pic->normal.get(), (rc.right - pic->width) / 2, (rc.bottom - pic->height) / 2, pic->width,
                    pic->height);
}

}  // namespace vexal::window
