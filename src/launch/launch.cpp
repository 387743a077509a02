// Starting the game, and the profile clean-up that runs before every start.
#include "app/main_window.h"
#include "launch/launch_rules.h"
#include "settings/paths.h"
#include "util/file_facts.h"

namespace vexal {

void TfrmVexal::bitbtnRunClick() {
    playClick();
    cbDelProfileClick();
    const std::string params = launch::composeLaunchParameters(currentParam, cbxMap.text(), nickname);
    // et.exe is started by its bare name, so the game folder must be current.
    util::enterFolder(services.fs, gameDir, "game directory");
    if (cbMinimize.checked()) application.minimize();
    if (cbClose.checked()) close();  // the program ends once this handler has returned
    services.shell.open(settings::kGameExe, params, "", platform::ShowCmd::Normal, true);
    launcher.gameStarted(true);
}

void TfrmVexal::bitbtnRunExit() { launcher.gameStarted(false); }

void TfrmVexal::mnuRunETClick() {
    bitbtnRunClick();
    mnuRunET->setCaption(launch::runMenuCaption(longMapName(), true));
}

void TfrmVexal::cbDelProfileClick() {
    settings::write(config.doc(), settings::key::delProfile, cbDelProfile.checked());
    saveSettings();
    if (cbDelProfile.checked()) launch::Launcher::cleanProfiles(services.fs, gameDir);
}

void TfrmVexal::cbDelProfileMouseDown(ui::MouseButton button) {
    if (button == ui::MouseButton::Left) playClick();
}

// The check box holds the state and runs the clean-up step when it changes.
void TfrmVexal::mnuDelProfileClick() { cbDelProfile.setChecked(!cbDelProfile.checked()); }

}  // namespace vexal
