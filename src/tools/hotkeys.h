#pragma once
// The rules of the minimizer hotkey character, apart from the window.
#include <string>

#include "ui/control.h"

namespace vexal::tools {

inline constexpr const char* kHotkeyInvalidText = "Global hotkey char not valid!\n\r\n\r(only a..z or 0..9 are valid!)";

// Only digits and capital letters name a key of their own: any other character
// would register some other virtual key ("-" is Insert) for every program.
[[nodiscard]] bool isHotkeyChar(char c);

// The character a stored value or the box's text stands for: the first one,
// upper-cased; empty gives "Z"; anything else keeps `previous`.
[[nodiscard]] char hotkeyCharOf(const std::string& text, char previous);

// The box is red for the letters that the game itself binds by default.
[[nodiscard]] ui::Colour hotkeyColour(char c);

[[nodiscard]] std::string hotkeysTakenText(char c);

enum class KeyVerdict { Pass, NextControl, Refuse };
// A typed character: digits, lower-case letters and Backspace pass (the box shows
// letters upper-case); Enter moves on like Tab; everything else is refused.
[[nodiscard]] KeyVerdict filterHotkeyKey(char c);

}  // namespace vexal::tools
