// The combo box: an edit field over a drop-down list. Its text lives in the edit
// part; the program's own settings of it stay quiet, typing and picking reach the
// model as the user's.
#include <algorithm>

#include "window/window_backend.h"
#include "window/window_messages.h"
#include "window/window_text.h"

namespace vexal::window {

namespace {

// Drop-down rows are about this high in the window font; the list's height follows from it.
constexpr int kDropDownRowHeight = 14;

const ui::ComboBox& comboOf(const ui::Control& c) { return static_cast<const ui::ComboBox&>(c); }

DWORD comboStyle(const ui::Control& c) { return comboOf(c).upperCase ? CBS_UPPERCASE : 0; }

std::string comboText(const ui::Control& c) { return comboOf(c).text(); }

// The window reaches down over its drop-down list.
int comboHeight(const ui::Control& c) {
    return c.bounds().height + std::max(comboOf(c).dropDownCount, 1) * kDropDownRowHeight + 2;
}

}  // namespace

const WindowBackend::KindHandler WindowBackend::kComboBoxKind{
    .windowClass = WC_COMBOBOXA,
    .style = CBS_DROPDOWN | CBS_AUTOHSCROLL | WS_VSCROLL | WS_TABSTOP,
    .settingsStyle = comboStyle,
    .text = comboText,
    .textInPart = true,
    .windowHeight = comboHeight,
    .created = &WindowBackend::comboCreated,
    .apply = &WindowBackend::applyComboBox,
    .command = &WindowBackend::comboCommand,
};

void WindowBackend::comboCreated(ControlWindow& cw) {
    const auto index = static_cast<std::size_t>(&cw - windows_.data());
    COMBOBOXINFO info{};
    info.cbSize = sizeof info;
    if (GetComboBoxInfo(cw.hwnd, &info)) {
        cw.edit = info.hwndItem;
        cw.list = info.hwndList;
        if (cw.edit) {
            windowIndex_[cw.edit] = index;
            subclass(cw.edit);
        }
        if (cw.list) windowIndex_[cw.list] = index;
    }
    const auto& combo = comboOf(*cw.control);
    SendMessageA(cw.hwnd, CB_SETMINVISIBLE, static_cast<WPARAM>(std::max(combo.dropDownCount, 1)), 0);
    if (combo.maxLength > 0) SendMessageA(cw.hwnd, CB_LIMITTEXT, static_cast<WPARAM>(combo.maxLength), 0);
}

bool WindowBackend::applyComboBox(ControlWindow& cw, ui::Property property) {
    switch (property) {
        case ui::Property::Items:
            syncItems(cw, comboOf(*cw.control).items(), CB_RESETCONTENT, CB_DELETESTRING, CB_INSERTSTRING);
            applyComboIndex(cw);
            return true;
        case ui::Property::ItemIndex:
            applyComboIndex(cw);
            return true;
        default:
            return false;
    }
}

void WindowBackend::applyComboIndex(ControlWindow& cw) {
    const auto& combo = comboOf(*cw.control);
    if (SendMessageA(cw.hwnd, CB_GETCURSEL, 0, 0) != combo.itemIndex())
        SendMessageA(cw.hwnd, CB_SETCURSEL, static_cast<WPARAM>(combo.itemIndex()), 0);
    // Selecting writes the entry into the edit field; the model's text stays what it is.
    applyText(cw);
}

void WindowBackend::comboCommand(ControlWindow& cw, UINT code) {
    auto& combo = static_cast<ui::ComboBox&>(*cw.control);
    if (code == CBN_EDITCHANGE) {
        const std::string text = windowText(cw.edit ? cw.edit : cw.hwnd);
        const int selected = static_cast<int>(SendMessageA(cw.hwnd, CB_GETCURSEL, 0, 0));
        guarded([&combo, &text, selected] {
            ui::Control::EchoGuard guard(combo);
            combo.setItemIndex(selected);
            combo.typeText(text);
        });
    } else if (code == CBN_SELCHANGE) {
        const int selected = static_cast<int>(SendMessageA(cw.hwnd, CB_GETCURSEL, 0, 0));
        guarded([&combo, selected] {
            ui::Control::EchoGuard guard(combo);
            combo.pick(selected);
        });
        // The combo box writes the picked entry into its edit field after this
        // notification; a change handler may have wanted another text.
        PostMessageA(main_, kMsgSyncText, static_cast<WPARAM>(&cw - windows_.data()), 0);
    }
}

LRESULT WindowBackend::onSyncText(HWND, UINT, WPARAM wParam, LPARAM) {
    if (wParam < windows_.size() && windows_[wParam].hwnd) {
        ++applying_;
        applyText(windows_[wParam]);
        --applying_;
    }
    return 0;
}

}  // namespace vexal::window
