#pragma once
// The minimizer hotkeys: Alt or Ctrl plus one character leaves the game for the
// desktop, Ctrl+Alt+End asks the program in front to quit.
#include <string>

#include "platform/platform.h"
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

// The character in use and what became of its registration.
class HotkeyMinimizer {
public:
    explicit HotkeyMinimizer(platform::Hotkeys& hotkeys) : hotkeys_(hotkeys) {}

    [[nodiscard]] char key() const { return key_; }
    // The stored setting; anything that names no key keeps the default.
    void load(const std::string& stored) { key_ = hotkeyCharOf(stored, 'Z'); }
    // Takes all three combinations. True only the first time one of them is refused:
    // another program (or another copy of this one) holds it, which is said once,
    // quietly, since the window works without it.
    [[nodiscard]] bool registerAll();
    void unregisterAll();
    // The old character's keys are given back before the new ones are taken.
    void changeKey(char c);
    // True when the system refused one of the hotkeys.
    [[nodiscard]] bool refused() const { return refused_; }
    [[nodiscard]] bool minimizes(int id) const;
    [[nodiscard]] bool quits(int id) const;

private:
    void registerCharKeys();
    platform::Hotkeys& hotkeys_;
    char key_ = 'Z';
    bool refused_ = false, reported_ = false;
};

}  // namespace vexal::tools
