#pragma once
#include <map>

#include "platform/platform.h"

namespace vexal::platform::fake {

struct Hotkey {
    unsigned modifiers = 0;
    unsigned virtualKey = 0;
    friend bool operator==(const Hotkey&, const Hotkey&) = default;
};

class FakeHotkeys final : public Hotkeys {
public:
    // Fails, as Windows does, when the combination is already registered (here or
    // by another program, see takenByOtherProgram).
    bool registerHotkey(int id, unsigned modifiers, unsigned virtualKey) override;
    void unregisterHotkey(int id) override { registered.erase(id); }
    void minimizeForeground() override { ++minimized; }
    void quitForeground() override { ++quit; }
    std::string foregroundProgram() override { return inFront; }

    void takenByOtherProgram(unsigned modifiers, unsigned virtualKey) {
        registered[-1 - static_cast<int>(taken++)] = {modifiers, virtualKey};
    }

    std::map<int, Hotkey> registered;  // by id; other programs' under negative ids
    int minimized = 0;
    int quit = 0;
    std::string inFront;  // the program whose window is in front

private:
    unsigned taken = 0;
};

}  // namespace vexal::platform::fake
