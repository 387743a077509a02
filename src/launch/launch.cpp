#include <cstdio>

#include "launch/launch_rules.h"
#include "launch/launcher.h"
#include "settings/paths.h"
#include "util/file_facts.h"
#include "util/recent_servers.h"

namespace vexal::launch {

void Launcher::run() { start(v.currentParam); }

void Launcher::join(const std::string& paramLine) { start(paramLine); }

void Launcher::start(const std::string& paramLine) {
    v.playClick();
    if (launching) launching();
    profileOptionChange();
    const std::string params = composeLaunchParameters(paramLine, v.cbxMap.text(), v.nickname);
    // et.exe is started by its bare name, so the game folder must be current.
    util::enterFolder(v.services.fs, v.gameDir, "game directory");
    if (v.cbMinimize.checked()) v.application.minimize();
    if (v.cbClose.checked()) v.close();  // the program ends once this handler has returned
    v.services.shell.open(settings::kGameExe, params, "", platform::ShowCmd::Normal, true);
    gameStarted_ = true;
    // Only a server the game was really started for is remembered.
    rememberServer(params);
}

void Launcher::rememberServer(const std::string& commandLine) {
    const auto address = util::connectAddress(commandLine);
    if (!address) return;
    const std::string path = v.programDir + settings::kRecentFile;
    auto& fs = v.services.fs;
    const auto text = fs.readFile(path);
    std::vector<util::RecentServer> recent = text ? util::parseRecent(*text) : std::vector<util::RecentServer>{};
    const platform::DateTime now = v.services.clock.now();
    char date[16];
    std::snprintf(date, sizeof date, "%04d-%02d-%02d", now.year, now.month, now.day);
    util::recordRecent(recent, *address, date);
    try {
        fs.writeFileAtomic(path, util::formatRecent(recent));
    } catch (const std::exception&) {
        // Only a convenience: the game starts all the same.
    }
}

void Launcher::runFromMenu() {
    run();
    v.mnuRunET->setCaption(runMenuCaption(maps_.longName(), true));
}

void Launcher::profileOptionChange() {
    settings::write(v.config.doc(), settings::key::delProfile, v.cbDelProfile.checked());
    v.saveSettings();
    // With no game folder the walk would start at the root of the current drive.
    if (v.cbDelProfile.checked() && !v.gameDir.empty()) deletionWalk(v.services.fs, v.gameDir, settings::kProfilePid);
}

void Launcher::profileOptionMouseDown(ui::MouseButton button) {
    if (button == ui::MouseButton::Left) v.playClick();
}

// The check box holds the state and runs the clean-up step when it changes.
void Launcher::toggleProfileOption() { v.cbDelProfile.setChecked(!v.cbDelProfile.checked()); }

}  // namespace vexal::launch
