#include "launch/launch_rules.h"
#include "launch/launcher.h"
#include "launch/texts.h"
#include "settings/paths.h"
#include "util/file_facts.h"
#include "util/pe_header.h"
#include "util/recent_servers.h"

namespace vexal::launch {

void Launcher::run() { start(v.currentParam, ""); }

void Launcher::join(const std::string& paramLine, const std::string& serverMod) { start(paramLine, serverMod); }

void Launcher::start(const std::string& paramLine, const std::string& serverMod) {
    v.playClick();
    if (!modLoads(paramLine, serverMod)) return;
    if (launching) launching();
    profileOptionChange(paramLine);
    const std::string params = composeLaunchParameters(paramLine, v.cbxMap.text(), v.nickname);
    // The game is started by its bare name, so the game folder must be current.
    util::enterFolder(v.services.fs, v.gameDir, "game directory");
    if (v.cbMinimize.checked()) v.application.minimize();
    if (v.cbClose.checked()) v.close();  // the program ends once this handler has returned
    v.services.shell.open(program(), params, "", platform::ShowCmd::Normal, true);
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
    util::recordRecent(recent, *address, util::isoDate(now.year, now.month, now.day));
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

bool Launcher::modLoads(const std::string& paramLine, const std::string& serverMod) {
    if (v.gameProgram != settings::GameProgram::Etl) return true;
    const std::string mod = serverMod.empty() ? settings::lineMod(paramLine).value_or("") : serverMod;
    if (!settings::modNeeds32Bit(mod)) return true;
    // One name for both builds: only the file's own header tells them apart.
    const auto head =
        v.services.fs.readFilePart(v.gameDir + "\\" + program(), 0, util::kPeHeadBytes).value_or(std::string());
    if (util::peBits(head) != 64) return true;
    return v.services.dialogs.messageBox(text::cannotLoadMod(mod), platform::BoxKind::Warning,
                                         platform::BoxButtons::YesNo) == platform::BoxResult::Yes;
}

void Launcher::profileOptionChange(const std::string& paramLine) {
    settings::write(v.config.doc(), settings::key::delProfile, v.cbDelProfile.checked());
    v.saveSettings();
    // With no game folder the walk would start at the root of the current drive.
    if (!v.cbDelProfile.checked() || v.gameDir.empty()) return;
    deletionWalk(v.services.fs, v.gameDir, settings::kProfilePid);
    // ET:Legacy's home too; a whole drive is never walked for it.
    for (const auto& root : settings::profileRoots(v.gameProgram, v.gameDir, v.playerFolders(paramLine)))
        if (root != v.gameDir && root.size() > 3) deletionWalk(v.services.fs, root, settings::kProfilePid);
}

void Launcher::profileOptionMouseDown(ui::MouseButton button) {
    if (button == ui::MouseButton::Left) v.playClick();
}

// The check box holds the state and runs the clean-up step when it changes.
void Launcher::toggleProfileOption() { v.cbDelProfile.setChecked(!v.cbDelProfile.checked()); }

}  // namespace vexal::launch
