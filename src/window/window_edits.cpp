// One-line edits and memos: the text both ways, read-only, a memo's scroll
// position; a read-only field keeps the white of a text box.
#include "window/window_backend.h"
#include "window/window_text.h"

namespace vexal::window {

namespace {

std::string editText(const ui::Control& c) { return static_cast<const ui::Edit&>(c).text(); }

DWORD memoStyle(const ui::Control& c) {
    const auto& memo = static_cast<const ui::Memo&>(c);
    DWORD style = 0;
    if (memo.readOnly()) style |= ES_READONLY;
    if (memo.scrollBar) style |= WS_VSCROLL;
    if (memo.horizontalScrollBar) style |= WS_HSCROLL | ES_AUTOHSCROLL;
    return style;
}

}  // namespace

const WindowBackend::KindHandler WindowBackend::kEditKind{
    .windowClass = WC_EDITA,
    .style = ES_AUTOHSCROLL | ES_LEFT | WS_TABSTOP,
    .exStyle = WS_EX_CLIENTEDGE,
    .text = editText,
    .apply = &WindowBackend::applyEdit,
    .command = &WindowBackend::editCommand,
    .colour = &WindowBackend::editColour,
};

const WindowBackend::KindHandler WindowBackend::kMemoKind{
    .windowClass = WC_EDITA,
    .style = ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN | WS_TABSTOP,
    .exStyle = WS_EX_CLIENTEDGE,
    .settingsStyle = memoStyle,
    .text = editText,
    .madeWhenShown = true,
    .raisedWhenShown = true,
    .created = &WindowBackend::memoCreated,
    .apply = &WindowBackend::applyMemo,
    .command = &WindowBackend::memoCommand,
    .colour = &WindowBackend::editColour,
};

void WindowBackend::memoCreated(ControlWindow& cw) {
    // Log files outgrow the 32 KB an edit control accepts by default.
    SendMessageA(cw.hwnd, EM_SETLIMITTEXT, 0x7FFFFFFE, 0);
}

bool WindowBackend::applyEdit(ControlWindow& cw, ui::Property property) {
    if (property != ui::Property::ReadOnly) return false;
    SendMessageA(cw.hwnd, EM_SETREADONLY, static_cast<const ui::Edit&>(*cw.control).readOnly(), 0);
    InvalidateRect(cw.hwnd, nullptr, TRUE);
    return true;
}

bool WindowBackend::applyMemo(ControlWindow& cw, ui::Property property) {
    if (property != ui::Property::TopLine) return applyEdit(cw, property);
    const auto first = static_cast<int>(SendMessageA(cw.hwnd, EM_GETFIRSTVISIBLELINE, 0, 0));
    SendMessageA(cw.hwnd, EM_LINESCROLL, 0, static_cast<const ui::Memo&>(*cw.control).topLine() - first);
    return true;
}

void WindowBackend::editCommand(ControlWindow& cw, UINT code) {
    if (code != EN_CHANGE) return;
    auto& edit = static_cast<ui::Edit&>(*cw.control);
    const std::string text = windowText(cw.hwnd);
    guarded([&edit, &text] {
        ui::Control::EchoGuard guard(edit);
        edit.setText(text);
    });
}

void WindowBackend::memoCommand(ControlWindow& cw, UINT code) {
    if (code != EN_CHANGE) return;
    auto& memo = static_cast<ui::Memo&>(*cw.control);
    const std::string text = windowText(cw.hwnd);
    guarded([&memo, &text] {
        ui::Control::EchoGuard guard(memo);
        memo.modified = true;
        memo.setText(text);
    });
}

void WindowBackend::editColour(ControlWindow& cw, UINT msg, HDC dc, LRESULT& result) {
    // A read-only text box keeps the white of a text box, not the grey of a label.
    if (!static_cast<const ui::Edit&>(*cw.control).readOnly() || msg != WM_CTLCOLORSTATIC || !IsWindowEnabled(cw.hwnd))
        return;
    SetBkColor(dc, GetSysColor(COLOR_WINDOW));
    result = reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_WINDOW));
}

}  // namespace vexal::window
