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

// Drop-down rows are about this high in the window font; the list's height follows from it.
constexpr int kDropDownRowHeight = 14;

}  // namespace

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
        SendMessageA(cw.hwnd, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT | LVS_EX_DOUBLEBUFFER,
                     LVS_EX_FULLROWSELECT | LVS_EX_DOUBLEBUFFER);
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

}  // namespace vexal::window
