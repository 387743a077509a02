#pragma once
// The tools: the companion programs (server browser, PunkBuster updater), the
// user's editor and the pickers for the game's demos, screenshots and config
// files, the nickname, and the Help menu's ways out of the launcher.
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "view/main_view.h"

namespace vexal::tools {

// What the tools ask of the rest of the program.
struct ToolLinks {
    std::function<void()> refresh;          // the window again from the settings and lists
    std::function<void()> deleteProfile;    // the profile clean-up of a launch
    std::function<void()> mapChanged;       // the map field's change, which keeps it
    std::function<void(bool)> gameStarted;  // the minimizer hotkeys armed or not
};

class Toolbox {
public:
    Toolbox(view::MainView& window, ToolLinks links) : v(window), links_(std::move(links)) {}

    void loadHints();  // start-up and refresh: the hints that name the tools' state
    // ---- the companion programs
    void runBrowser();
    void browserLeft() { links_.gameStarted(false); }
    void updatePunkBuster();
    // ---- the editor, the pickers and the nickname
    [[nodiscard]] bool editorExists();
    void pickDemo();
    void openScreenshot();
    void editConfig();
    void chooseEditor();
    void fallBackToNotepad();
    void editNickname();
    // ---- help and about
    void gameReadme();
    void download();
    void about();

private:
    // Asks for a program (the server browser, an editor) and keeps the choice in
    // `path` and the settings; a cancelled dialog keeps what was there.
    void askForProgram(std::string& path, const settings::StringKey& key, const char* title);
    // The file dialog on the demos or screenshots folder of the mod being started.
    std::optional<std::vector<std::string>> pickGameFile(const char* folder, const char* filter, const char* title);

    view::MainView& v;
    ToolLinks links_;
};

}  // namespace vexal::tools
