#include "platform/fake/fake_hotkeys.h"

namespace vexal::platform::fake {

bool FakeHotkeys::registerHotkey(int id, unsigned modifiers, unsigned virtualKey) {
    const Hotkey wanted{modifiers, virtualKey};
    for (const auto& [otherId, hotkey] : registered) {
        if (otherId != id && hotkey == wanted) return false;
    }
    registered[id] = wanted;
    return true;
}

}  // namespace vexal::platform::fake
