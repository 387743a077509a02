#pragma once
// The minimizer hotkeys: Alt or Ctrl plus one character leaves the game for the
// desktop, Ctrl+Alt+End asks the program in front to quit.
#include <functional>
#include <string>

#include "platform/platform.h"
#include "ui/control.h"
#include "view/main_view.h"

namespace vexal::tools {

// The character a stored value or the box's text stands for: the first one,
// upper-cased; empty gives "Z"; anything else keeps `previous`.
[[nodiscard]] char hotkeyCharOf(const std::string& text, char previous);

enum class KeyVerdict { Pass, NextControl, Refuse };
// A typed character: digits, lower-case letters and Backspace pass (the box shows
// letters upper-case); Enter moves on like Tab; everything else is refused.
[[nodiscard]] KeyVerdict filterHotkeyKey(char c);

// The minimizer: the character in use, what became of its registration, and the
// hotkey box that chooses it.
class Hotkeys {
public:
    // gameStarted: the hotkeys act only between a launch and leaving the button
    // that made it.
    Hotkeys(view::MainView& window, std::function<bool()> gameStarted)
        : v(window), gameStarted_(std::move(gameStarted)) {}

    [[nodiscard]] char key() const { return key_; }
    // The stored setting; anything that names no key keeps the default.
    void load(const std::string& stored) { key_ = hotkeyCharOf(stored, 'Z'); }
    // The Run button's hint, which names the character.
    [[nodiscard]] std::string runHint() const;
    // Takes all three combinations, the last start-up step. The first time one of
    // them is refused (another program, or another copy of this one, holds it) the
    // status line says so, once and quietly, since the window works without it.
    void registerAll();
    void unregisterAll();
    // True when the system refused one of the hotkeys.
    [[nodiscard]] bool refused() const { return refused_; }
    void pressed(int id);  // a hotkey arrived
    void minimizeGame();
    // The hotkey box.
    void fillBox();
    void boxChange();
    void boxKeyPress(char& key);
    void boxEnter() { v.playClick(); }
    void boxExit();

private:
    void registerCharKeys();
    view::MainView& v;
    std::function<bool()> gameStarted_;
    char key_ = 'Z';
    bool refused_ = false, reported_ = false;
};

}  // namespace vexal::tools
