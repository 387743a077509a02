#pragma once
// What the launcher knows of the game it started.
#include <string>

#include "launch/launch_rules.h"
#include "platform/platform.h"
#include "settings/paths.h"

namespace vexal::launch {

class Launcher {
public:
    // The game (or the server browser that starts it) was started from here and the
    // Run button has not been left since: only then do the minimizer hotkeys act.
    void gameStarted(bool started) { gameStarted_ = started; }
    [[nodiscard]] bool gameStarted() const { return gameStarted_; }

    // The profile clean-up before a start: every profile.pid under the game folder.
    static void cleanProfiles(platform::FileSystem& fs, const std::string& gameDir) {
        // With no game folder the walk would start at the root of the current drive.
        if (!gameDir.empty()) deletionWalk(fs, gameDir, settings::kProfilePid);
    }

private:
    bool gameStarted_ = false;
};

}  // namespace vexal::launch
