#include "platform/win32/win32_services.h"

namespace vexal::platform::win32 {

Win32Services::Win32Services() = default;
Win32Services::~Win32Services() = default;

Services Win32Services::services() {
    return Services{fileSystem, shell,   dialogs, clipboard, sound,        clock,       connectivity,
                    process,    hotkeys, screen,  network,   worldNetwork, folderWatch, registry};
}

void Win32Services::setOwnerWindow(HWND owner) {
    shell.setOwner(owner);
    dialogs.setOwner(owner);
    clipboard.setOwner(owner);
    hotkeys.setOwner(owner);
}

void Win32Services::setApplicationTitle(const std::string& title) { dialogs.setApplicationTitle(title); }

}  // namespace vexal::platform::win32
