#pragma once
// Drives the real Vexal.exe from another process, through the Win32 API only:
// windows, control texts, list items, check states, menu commands, message boxes.
#include <windows.h>

#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/commands.h"

namespace e2e {

// A throw-away program folder and game folder with the executables in place.
class Sandbox {
public:
    Sandbox();
    ~Sandbox();
    Sandbox(const Sandbox&) = delete;
    Sandbox& operator=(const Sandbox&) = delete;

    std::string root, program, game;  // program ends with a backslash, game does not
    void write(const std::string& path, const std::string& content) const;
    [[nodiscard]] std::optional<std::string> read(const std::string& path) const;
    [[nodiscard]] bool exists(const std::string& path) const;
    void makeDir(const std::string& path) const;
    // Vexal.ini that points at the game folder, so no folder dialog opens.
    void writeSettings(const std::string& extra = "") const;
    [[nodiscard]] std::vector<std::string> launches() const;  // records of the stub game
};

// Removes a folder with everything below it.
void removeTree(const std::string& dir);

// Folder of the test executable, where the build put Vexal.exe and the stubs.
[[nodiscard]] std::string buildDir();

// A window as the screen shows it: rows top down, one 0x00RRGGBB per pixel.
[[nodiscard]] std::vector<std::uint32_t> windowPixels(HWND hwnd, int& width, int& height);
// The first visible top-level window of class `cls` that `take` accepts, given its process
// (a menu, or a balloon of the notification area); nullptr when none is.
[[nodiscard]] HWND topWindow(const std::string& cls, const std::function<bool(HWND, DWORD pid)>& take);

// A time limit as this run needs it: VEXAL_E2E_TIME_SCALE=N gives every wait N times as long, for
// a Wine whose 32-bit programs run under user-mode emulation, many times slower.
[[nodiscard]] std::chrono::milliseconds scaled(std::chrono::milliseconds limit);

// Polls `done` every 50 ms until it holds or the (scaled) time is up.
bool waitFor(const std::function<bool()>& done, std::chrono::milliseconds limit = std::chrono::seconds(10));

class Vexal {
public:
    // Starts program\Vexal.exe (or another executable name) with the arguments.
    explicit Vexal(const Sandbox& box, const std::string& args = "", const std::string& exeName = "Vexal.exe");
    // A copy this test did not start itself (one that restarted), found by its
    // main window: any process but `exceptPid` with one. Nothing when none came.
    [[nodiscard]] static std::unique_ptr<Vexal> adopt(DWORD exceptPid,
                                                      std::chrono::milliseconds limit = std::chrono::seconds(15));
    ~Vexal();
    Vexal(const Vexal&) = delete;
    Vexal& operator=(const Vexal&) = delete;

    // Stub programs started by the next copies record and end at once, unless told to stay up.
    static void setStubsStay(bool stay) { stubsStay_ = stay; }

    [[nodiscard]] DWORD pid() const { return info_.dwProcessId; }
    [[nodiscard]] bool running() const;
    bool waitExit(std::chrono::milliseconds limit = std::chrono::seconds(10));
    [[nodiscard]] DWORD exitCode() const;

    // The main window (class TfrmVexal) once it exists, visible or not.
    HWND waitMain(std::chrono::milliseconds limit = std::chrono::seconds(15));
    // The main window once it is on the screen.
    bool waitShown(std::chrono::milliseconds limit = std::chrono::seconds(15));
    [[nodiscard]] HWND main() const { return main_; }
    [[nodiscard]] std::string caption() const;
    [[nodiscard]] std::string appTitle() const;  // text of the owner window (taskbar button)

    [[nodiscard]] HWND control(const std::string& name) const;
    [[nodiscard]] std::string text(const std::string& name) const;
    [[nodiscard]] std::vector<std::string> items(const std::string& name) const;
    // A report list's rows, one string per cell; read from the list-view control in its process.
    [[nodiscard]] std::vector<std::vector<std::string>> rows(const std::string& name) const;
    [[nodiscard]] int selectedRow(const std::string& name) const;
    [[nodiscard]] bool checked(const std::string& name) const;
    [[nodiscard]] bool enabled(const std::string& name) const;
    void setText(const std::string& name, const std::string& text) const;
    void click(const std::string& name) const;
    void selectItem(const std::string& name, int index) const;
    void key(const std::string& name, WORD vk, char ch = 0) const;  // key down (+ char) into a control
    void postKey(WORD vk, bool ctrl = false) const;                 // a key the window's shortcuts see
    // A shortcut typed on the keyboard (SendInput), with the window brought to the front.
    void shortcut(WORD vk, bool ctrl, bool shift = false) const;

    // A command as a menu item or shortcut gives it. Menus belong to their
    // process, so another process can choose an item but not read it.
    void command(vexal::Cmd command) const;

    // A message box of this process: waits for it, returns its text, presses a button.
    std::optional<std::string> waitBox(std::chrono::milliseconds limit = std::chrono::seconds(10));
    [[nodiscard]] std::string boxCaption() const;
    bool answerBox(int buttonId);
    [[nodiscard]] std::vector<std::string> boxButtons() const;
    // The dialog waitBox found, for its other controls (an input box's edit field).
    [[nodiscard]] HWND box() const { return box_; }
    // The open-file dialog waitBox found: types the full path into its name field and confirms.
    bool chooseFile(const std::string& path);

    // Screen rectangle of a control relative to the main window's client area.
    [[nodiscard]] RECT clientRect(const std::string& name) const;
    bool screenshot(const std::string& bmpPath) const;

private:
    static inline bool stubsStay_ = false;
    Vexal() = default;
    PROCESS_INFORMATION info_{};
    HWND main_ = nullptr;
    HWND box_ = nullptr;
};

}  // namespace e2e
