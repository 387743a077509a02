#pragma once
#include <windows.h>

#include <string>

#include "platform/platform.h"
#include "platform/win32/svc_clipboard.h"
#include "platform/win32/svc_clock.h"
#include "platform/win32/svc_connectivity.h"
#include "platform/win32/svc_dialogs.h"
#include "platform/win32/svc_file_system.h"
#include "platform/win32/svc_folder_watch.h"
#include "platform/win32/svc_hotkeys.h"
#include "platform/win32/svc_network.h"
#include "platform/win32/svc_process.h"
#include "platform/win32/svc_registry.h"
#include "platform/win32/svc_screen.h"
#include "platform/win32/svc_shell.h"
#include "platform/win32/svc_sound.h"

namespace vexal::platform::win32 {

// The real machine behind the service interfaces, one implementation of each.
// Create it on the thread that runs the window: COM, the clipboard window and
// the hotkeys belong to that thread.
class Win32Services {
public:
    Win32Services();
    ~Win32Services();
    Win32Services(const Win32Services&) = delete;
    Win32Services& operator=(const Win32Services&) = delete;

    [[nodiscard]] Services services();
    // Message boxes, dialogs and shell calls become modal to / owned by this
    // window, and hotkeys report to it.
    void setOwnerWindow(HWND owner);
    // Caption of plain message boxes.
    void setApplicationTitle(const std::string& title);

private:
    Win32FileSystem fileSystem;
    Win32Shell shell;
    Win32Dialogs dialogs;
    Win32Clipboard clipboard;
    Win32Sound sound;
    Win32Clock clock;
    Win32Connectivity connectivity;
    Win32Process process;
    Win32Hotkeys hotkeys;
    Win32Screen screen;
    Win32Network network;
    Win32Network worldNetwork;
    Win32FolderWatch folderWatch;
    Win32Registry registry;
};

}  // namespace vexal::platform::win32
