#include "window/link_handoff.h"

#include <windows.h>

#include <algorithm>

#include "ui/window_model.h"
#include "window/window_messages.h"

namespace vexal::window {

bool handLinkToRunningCopy(const std::string& link) {
    const std::string mainClass = ui::WindowModel().className;
    // The running copy takes its mutex before it makes its window.
    HWND target = nullptr;
    for (int tries = 0; tries < 50 && !(target = FindWindowA(mainClass.c_str(), nullptr)); ++tries) Sleep(100);
    if (!target) return false;
    // This copy was started by the program in front (the browser), so it may let the
    // running copy bring its box or the game to the front.
    DWORD pid = 0;
    GetWindowThreadProcessId(target, &pid);
    AllowSetForegroundWindow(pid);

    std::string bytes = link.substr(0, kMaxLinkBytes);
    COPYDATASTRUCT data{};
    data.dwData = kCopyDataLink;
    data.cbData = static_cast<DWORD>(bytes.size());
    data.lpData = bytes.data();
    DWORD_PTR answer = 0;
    // A copy that hangs must not hold this one: it ends either way.
    const LRESULT sent = SendMessageTimeoutA(target, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data),
                                             SMTO_ABORTIFHUNG | SMTO_BLOCK, 5000, &answer);
    return sent != 0 && answer == TRUE;
}

}  // namespace vexal::window
