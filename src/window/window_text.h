#pragma once
// A window's text, read and written, shared by the kinds of control that show one.
#include <windows.h>

#include <algorithm>
#include <string>

#include "ui/control.h"

namespace vexal::window {

[[nodiscard]] inline std::string windowText(HWND hwnd) {
    const int length = GetWindowTextLengthA(hwnd);
    std::string text(static_cast<std::size_t>(length) + 1, '\0');
    const int got = GetWindowTextA(hwnd, text.data(), length + 1);
    text.resize(static_cast<std::size_t>(std::max(got, 0)));
    return text;
}

inline void setWindowText(HWND hwnd, const std::string& text) {
    // Setting an unchanged text would move the caret and flicker.
    if (windowText(hwnd) != text) SetWindowTextA(hwnd, text.c_str());
}

// The text of the kinds that have a caption (buttons, check boxes, labels, group boxes).
[[nodiscard]] inline std::string captionOf(const ui::Control& c) {
    return static_cast<const ui::CaptionControl&>(c).caption();
}

}  // namespace vexal::window
