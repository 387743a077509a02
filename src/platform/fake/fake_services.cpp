#include "platform/fake/fake_services.h"

namespace vexal::platform::fake {

FakeServices::FakeServices() {
    fs.now = [this] { return clock.now(); };
}

Services FakeServices::services() {
    return Services{fs,      shell,   dialogs, clipboard, sound,        clock,       connectivity,
                    process, hotkeys, screen,  network,   worldNetwork, folderWatch, registry};
}

}  // namespace vexal::platform::fake
