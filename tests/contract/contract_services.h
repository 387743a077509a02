#pragma once
// The contract cases run twice: natively against the fakes and, cross-built,
// against the Win32 services under Wine. This header picks the implementation.
#include <string>

#include <functional>

#if VEXAL_CONTRACT_FAKE
#include "platform/fake/fake_services.h"
#else
#include "platform/win32/svc_folder_watch.h"
#include "platform/win32/svc_clipboard.h"
#include "platform/win32/svc_clock.h"
#include "platform/win32/svc_file_system.h"
#include "platform/win32/svc_hotkeys.h"
#include "platform/win32/svc_process.h"
#include "platform/win32/svc_registry.h"
#include "platform/win32/svc_screen.h"
#include "platform/win32/svc_sound.h"
#endif

namespace vexal::contract {

#if VEXAL_CONTRACT_FAKE
using TestFileSystem = platform::fake::FakeFileSystem;
using TestProcess = platform::fake::FakeProcess;
using TestClipboard = platform::fake::FakeClipboard;
using TestClock = platform::fake::FakeClock;
using TestHotkeys = platform::fake::FakeHotkeys;
using TestScreen = platform::fake::FakeScreen;
using TestSound = platform::fake::FakeSound;
using TestFolderWatch = platform::fake::FakeFolderWatch;
using TestRegistry = platform::fake::FakeRegistry;
inline constexpr bool kAgainstWin32 = false;
#else
using TestFileSystem = platform::win32::Win32FileSystem;
using TestProcess = platform::win32::Win32Process;
using TestClipboard = platform::win32::Win32Clipboard;
using TestClock = platform::win32::Win32Clock;
using TestHotkeys = platform::win32::Win32Hotkeys;
using TestScreen = platform::win32::Win32Screen;
using TestSound = platform::win32::Win32Sound;
using TestFolderWatch = platform::win32::Win32FolderWatch;
using TestRegistry = platform::win32::Win32Registry;
inline constexpr bool kAgainstWin32 = true;
#endif

// The machine a case runs on: a file system with a temporary folder, the process
// whose environment names it, and sound that can see the files.
struct Machine {
    Machine();
    TestFileSystem fs;
    TestProcess process;
    TestSound sound;
    [[nodiscard]] std::string tempFolder();
};

// A fresh, empty folder below the temporary folder, removed again at the end.
class ScratchFolder {
public:
    ScratchFolder(Machine& machine, const std::string& name);
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;
    [[nodiscard]] const std::string& path() const { return folder; }
    [[nodiscard]] std::string operator/(const std::string& name) const { return folder + "\\" + name; }

private:
    TestFileSystem& fs;
    std::string folder;
};

// A folder watch counting with the machine's file system.
struct Watcher {
    explicit Watcher(Machine& machine);
    TestFolderWatch watch;
    // What the system tells the real watch by itself; the fake is told here.
    void changed(const std::string& path);
    // Runs the message loop (the results come by it) until `done` or `ms` have passed; false on time-out.
    bool waitUntil(const std::function<bool()>& done, int ms);
};

// Removes a folder with everything in it, read-only files included.
void removeTree(TestFileSystem& fs, const std::string& folder);

}  // namespace vexal::contract
