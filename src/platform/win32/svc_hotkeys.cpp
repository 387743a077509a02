#include "platform/win32/svc_hotkeys.h"

#include <windows.h>

namespace vexal::platform::win32 {

bool Win32Hotkeys::registerHotkey(int id, unsigned modifiers, unsigned virtualKey) {
    UINT flags = 0;
    if (modifiers & kModAlt) flags |= MOD_ALT;
    if (modifiers & kModControl) flags |= MOD_CONTROL;
    if (modifiers & kModShift) flags |= MOD_SHIFT;
    // Registering an id again keeps its old key on Windows: let go of it first.
    unregisterHotkey(id);
    if (!RegisterHotKey(owner, id, flags, virtualKey)) return false;
    registered_.insert(id);
    return true;
}

void Win32Hotkeys::unregisterHotkey(int id) {
    if (registered_.erase(id) != 0) UnregisterHotKey(owner, id);
}

void Win32Hotkeys::setOwner(HWND__* window) {
    // A window's hotkeys go with it; those of another owner are not ours to let go of.
    if (window != owner) registered_.clear();
    owner = window;
}

namespace {

// The desktop and the taskbar are in front when no program is: they are no program
// to minimize or to end.
bool programWindow(HWND window) {
    if (!window || window == GetDesktopWindow() || window == GetShellWindow()) return false;
    char cls[32] = {};
    GetClassNameA(window, cls, sizeof cls);
    return lstrcmpiA(cls, "Shell_TrayWnd") != 0 && lstrcmpiA(cls, "Progman") != 0 && lstrcmpiA(cls, "WorkerW") != 0;
}

bool ownWindow(HWND window) {
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    return process == GetCurrentProcessId();
}

}  // namespace

void Win32Hotkeys::minimizeForeground() {
    const HWND front = GetForegroundWindow();
    if (!programWindow(front) || ownWindow(front)) {
        if (owner && IsWindowVisible(owner)) SetForegroundWindow(owner);
        return;
    }
    const DWORD ours = GetCurrentThreadId();
    const DWORD theirs = GetWindowThreadProcessId(front, nullptr);
    // Joined input lets this thread change the foreground window.
    const bool attached = theirs != 0 && theirs != ours && AttachThreadInput(theirs, ours, TRUE);
    struct Detach {
        bool on;
        DWORD a, b;
        ~Detach() {
            if (on) AttachThreadInput(a, b, FALSE);
        }
    } detach{attached, theirs, ours};
    // Asynchronous: a game that hangs must not take this window with it.
    ShowWindowAsync(front, SW_MINIMIZE);
    if (owner && IsWindowVisible(owner)) SetForegroundWindow(owner);
}

// With this program in front, the quit message ends this program's own loop. The
// window does not take hotkeys while a handler waits in a dialog, so a box of its
// own is never pulled away under a handler.
void Win32Hotkeys::quitForeground() {
    const HWND front = GetForegroundWindow();
    if (programWindow(front)) PostMessageA(front, WM_QUIT, 0, 0);
}

std::string Win32Hotkeys::foregroundProgram() {
    const HWND front = GetForegroundWindow();
    if (!programWindow(front)) return {};
    DWORD process = 0;
    GetWindowThreadProcessId(front, &process);
    // The least the system grants: it works for a game run as administrator too.
    const HANDLE h = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, process);
    if (!h) return {};
    char path[MAX_PATH * 2] = {};
    DWORD size = sizeof path;
    const BOOL ok = QueryFullProcessImageNameA(h, 0, path, &size);
    CloseHandle(h);
    return ok ? std::string(path, size) : std::string();
}

}  // namespace vexal::platform::win32
