#pragma once
#include "platform/fake/fake_clipboard.h"
#include "platform/fake/fake_clock.h"
#include "platform/fake/fake_connectivity.h"
#include "platform/fake/fake_dialogs.h"
#include "platform/fake/fake_file_system.h"
#include "platform/fake/fake_folder_watch.h"
#include "platform/fake/fake_hotkeys.h"
#include "platform/fake/fake_network.h"
#include "platform/fake/fake_process.h"
#include "platform/fake/fake_registry.h"
#include "platform/fake/fake_screen.h"
#include "platform/fake/fake_shell.h"
#include "platform/fake/fake_sound.h"

namespace vexal::platform::fake {

// One fake of each service, wired together: files are stamped with the clock's
// time and sounds are looked up in the file system.
struct FakeServices {
    FakeServices();
    FakeServices(const FakeServices&) = delete;
    FakeServices& operator=(const FakeServices&) = delete;

    [[nodiscard]] Services services();

    FakeFileSystem fs;
    FakeShell shell;
    FakeDialogs dialogs;
    FakeClipboard clipboard;
    FakeSound sound{&fs};
    FakeClock clock;
    FakeConnectivity connectivity;
    FakeProcess process;
    FakeHotkeys hotkeys;
    FakeScreen screen;
    FakeNetwork network;
    FakeNetwork worldNetwork;
    FakeFolderWatch folderWatch{&fs};
    FakeRegistry registry;
};

}  // namespace vexal::platform::fake
