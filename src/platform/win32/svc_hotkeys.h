#pragma once
#include <set>

#include "platform/platform.h"

struct HWND__;

namespace vexal::platform::win32 {

class Win32Hotkeys final : public Hotkeys {
public:
    // False when the combination is taken (by us or another program).
    bool registerHotkey(int id, unsigned modifiers, unsigned virtualKey) override;
    void unregisterHotkey(int id) override;
    void minimizeForeground() override;
    void quitForeground() override;
    std::string foregroundProgram() override;
    // WM_HOTKEY goes to this window; without one, to the thread's queue.
    void setOwner(HWND__* window);

private:
    HWND__* owner = nullptr;
    // Ours on this owner: letting go of one that is not costs a round trip to the
    // window server, and the start-up asked for several.
    std::set<int> registered_;
};

}  // namespace vexal::platform::win32
