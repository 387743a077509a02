// Program entry: the single-instance check before any window exists, then the
// main window, its initialisation, the first showing and the message loop.
#include <windows.h>
// after windows.h, which it needs
#include <commctrl.h>

#include <cstdlib>
#include <exception>
#include <string>

#include "app/main_window.h"
#include "backup/restart.h"
#include "backup/restore_swap.h"
#include "platform/win32/win32_services.h"
#include "settings/config.h"
#include "ui/dispatch.h"
#include "window/link_handoff.h"
#include "window/window_backend.h"

// The library's default for an exception nobody catches prints its type, demangled,
// to the standard error, which a window program does not have; the demangler alone
// is some 40 KB of the program. Ending at once is what the user saw anyway.
namespace __gnu_cxx {
void __verbose_terminate_handler() { std::abort(); }
}  // namespace __gnu_cxx

namespace {

int runVexal() {
    using namespace vexal;
    platform::win32::Win32Services win32;
    platform::Services services = win32.services();
    // A restore that a kill or a power cut interrupted is completed or undone
    // before anything reads the files it was putting in place.
    const auto repair = backup::repairAtStart(services);
    if (!repair.carryOn) return 0;
    settings::Config config(services.fs, settings::settingsPathFor(services.process.exePath()));
    // A second copy ends at once, without a window. Started with a link, it hands
    // the link to the running copy first, which checks it and opens it; without
    // one it ends silently, without waking the first.
    if (!singleInstanceCheck(config, services.process)) {
        const std::string link = parseSwitches(services.process.arguments()).link;
        if (!link.empty()) (void)window::handLinkToRunningCopy(link);
        return 0;
    }

    INITCOMMONCONTROLSEX icc{sizeof icc, ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES | ICC_PROGRESS_CLASS};
    InitCommonControlsEx(&icc);

    ui::Application application;
    application.setTitle("");
    TfrmVexal form(services, config, application);
    if (repair.holdsLock) form.backupCommands.restoreLockTaken();
    const auto showError = [&services](const std::string& message) { services.dialogs.errorBox(message); };

    {
        window::WindowBackend backend(form.windowModel(showError));
        backend.onTitleChanged = [&win32](const std::string& title) { win32.setApplicationTitle(title); };
        backend.create();
        win32.setOwnerWindow(backend.mainWindow());
        win32.setApplicationTitle(application.title());

        ui::runHandler([&form] { form.FormCreate(); }, showError);
        if (!application.terminated()) {
            backend.start(form.switches.minimized);
            backend.run();
        }
        // A termination request ends the loop with the window still there; closing
        // it still runs the destroy handler.
        backend.destroy();
        win32.setOwnerWindow(nullptr);
    }
    services.process.releaseMutex();
    if (form.backupCommands.restartRequested()) backup::startRestoredCopy(services);
    return 0;
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    // Handlers report their own failures; this is for a failure outside any handler.
    try {
        return runVexal();
    } catch (const std::exception& e) {
        MessageBoxA(nullptr, e.what(), "Vexal", MB_OK | MB_ICONERROR);
    } catch (...) {
        MessageBoxA(nullptr, "Unknown error", "Vexal", MB_OK | MB_ICONERROR);
    }
    return 1;
}
