#include "platform/win32/svc_hotkeys.h"

#include <windows.h>

namespace vexal::platform::win32 {

bool Win32Hotkeys::registerHotkey(int id, unsigned modifiers, unsigned virtualKey) {
    UINT flags = 0;
    if (modifiers & kModAlt) flags |= MOD_ALT;
    if (modifiers & kModControl) flags |= MOD_CONTROL;
    if (modifiers & kModShift) flags |= MOD_SHIFT;
    // Registering an id again keeps its old key on Windows: let go of it first.
    UnregisterHotKey(owner, id);
    return RegisterHotKey(owner, id, flags, virtualKey) != FALSE;
}

void Win32Hotkeys::unregisterHotkey(int id) { UnregisterHotKey(owner, id); }

void Win32Hotkeys::minimizeForeground() {
    if (const HWND window = GetForegroundWindow()) ShowWindow(window, SW_MINIMIZE);
}

void Win32Hotkeys::closeForeground() {
    if (const HWND window = GetForegroundWindow()) PostMessageA(window, WM_CLOSE, 0, 0);
}

}  // namespace vexal::platform::win32
