#pragma once
// The window's shell: the status line and its hints, the options, the date field.
#include <cstdint>
#include <functional>
#include <string>

#include "settings/keys.h"
#include "view/main_view.h"

namespace vexal::shell {

// The status line: the hints that start-up assigns, the texts that some controls
// compute afresh while the pointer moves over them.
class Hints {
public:
    // runHint: the Run button's long hint, which names the minimizer's hotkey.
    Hints(view::MainView& window, std::function<std::string()> runHint) : v(window), runHint_(std::move(runHint)) {}

    void show(const std::string& hint) { v.setStatus(hint); }  // the application's hint
    void assign();                                             // start-up and refresh
    // The pointer moves over a control.
    // Pointing at the status line afterwards names the game folder.
    void overSelDir() { v.stInfo.setHint(v.bitbtnSelDir.hint()); }
    void overAbout();
    void overNotepad();
    void overEditor() { v.setStatus(editorHint()); }
    void overBackup();
    void overRestore();
    void overLog();
    void overPbUpdate();
    void overParamList();
    void overDemos();
    void overScreenshots();
    void overSelMap() { v.setStatus(v.mnuSelMap->hint()); }
    void overRun();
    void overBrowser();
    // The demos or screenshots folder of the mod the parameter line starts.
    [[nodiscard]] std::string gameFilesFolder(const std::string& kind) const;

private:
    [[nodiscard]] std::string editorHint() const;
    [[nodiscard]] std::int32_t hoverCount(const ui::Control& button, const std::string& folder);

    view::MainView& v;
    std::function<std::string()> runHint_;
    // A folder the folder watch cannot follow is counted as the pointer comes onto the button, and
    // kept while it stays: thousands of demos take tens of milliseconds, mouse moves come by the dozen.
    std::string countedFolder_;
    std::int32_t count_ = 0;
};

// The four options that exist twice (check box and menu item), the sound switch,
// the tray icon and the parameter list's maximize toggle.
class Options {
public:
    Options(view::MainView& window, int clientWidth) : v(window), clientWidth_(clientWidth) {}

    // A check box changed.
    void minimizeChanged();
    void closeChanged();
    void trayChanged();
    // The check boxes' click sound.
    void boxPressed(ui::MouseButton button) {
        if (button == ui::MouseButton::Left) v.playClick();
    }
    // The menu items.
    void toggleMinimize() { toggle(v.cbMinimize); }
    void toggleClose() { toggle(v.cbClose); }
    void toggleTray() { toggle(v.cbTray); }
    void toggleListSize();
    void toggleSound();
    void showWindow() { v.show(); }
    void load();             // start-up step: stored options into the check boxes
    void loadWindowState();  // start-up step: tray, list geometry

private:
    void store(const ui::CheckBox& box, const settings::BoolKey& key);
    void toggle(ui::CheckBox& box);
    view::MainView& v;
    int clientWidth_;
};

// The date or time field at the right end of the status line.
class DateTimeField {
public:
    explicit DateTimeField(view::MainView& window) : v(window) {}
    void dateTick();
    void timeTick();
    void pressed(ui::MouseButton button);

private:
    view::MainView& v;
};

}  // namespace vexal::shell
