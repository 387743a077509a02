#pragma once
// Starting the game, the profile clean-up that runs before every start, and what
// the launcher knows of the game it started.
#include <functional>
#include <string>

#include "launch/map_list.h"
#include "view/main_view.h"

namespace vexal::launch {

class Launcher {
public:
    Launcher(view::MainView& view, MapList& maps) : v(view), maps_(maps) {}

    // Starts the game with the parameter field's line and the map.
    void run();
    // Runs the game with `paramLine` exactly as Run does with the parameter field's
    // line, the field left as it is. `serverMod` is the mod the server said it runs,
    // when it was asked.
    void join(const std::string& paramLine, const std::string& serverMod = "");
    // The file Run, a join and a link start from the game folder.
    [[nodiscard]] const char* program() const { return settings::programFile(v.gameProgram); }
    void runExit() { gameStarted_ = false; }  // the Run button was left
    void runFromMenu();
    // The check box: kept, and when it is on every profile.pid under the game folder goes.
    void profileOptionChange() { profileOptionChange(v.edtParam.text()); }
    // The same, for the game's own folders as `paramLine` would start it.
    void profileOptionChange(const std::string& paramLine);
    void profileOptionMouseDown(ui::MouseButton button);
    void toggleProfileOption();

    // The game (or the server browser that starts it) was started from here and the
    // Run button has not been left since: only then do the minimizer hotkeys act.
    void gameStarted(bool started) { gameStarted_ = started; }
    [[nodiscard]] bool gameStarted() const { return gameStarted_; }

    // The game is about to start, from whichever place.
    std::function<void()> launching;

private:
    void start(const std::string& paramLine, const std::string& serverMod);
    // False when the player would rather not start a 64-bit etl.exe that cannot load the mod.
    [[nodiscard]] bool modLoads(const std::string& paramLine, const std::string& serverMod);
    // A start that connects to a server puts it first among the recent servers.
    void rememberServer(const std::string& commandLine);
    view::MainView& v;
    MapList& maps_;
    bool gameStarted_ = false;
};

}  // namespace vexal::launch
