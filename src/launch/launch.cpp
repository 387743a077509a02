#include "launch/launch_rules.h"
#include "launch/launcher.h"
#include "settings/paths.h"
#include "util/file_facts.h"

namespace vexal::launch {

void Launcher::run() { start(v.currentParam); }

void Launcher::join(const std::string& paramLine) { start(paramLine); }

void Launcher::start(const std::string& paramLine) {
    v.playClick();
    profileOptionChange();
    const std::string params = composeLaunchParameters(paramLine, v.cbxMap.text(), v.nickname);
    // et.exe is started by its bare name, so the game folder must be current.
    util::enterFolder(v.services.fs, v.gameDir, "game directory");
    if (v.cbMinimize.checked()) v.application.minimize();
    if (v.cbClose.checked()) v.close();  // the program ends once this handler has returned
    v.services.shell.open(settings::kGameExe, params, "", platform::ShowCmd::Normal, true);
    gameStarted_ = true;
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
