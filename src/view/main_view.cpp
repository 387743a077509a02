#include "view/main_view.h"

#include "util/system_facts.h"

namespace vexal::view {

MainView::MainView(platform::Services& services_, settings::Config& config_, ui::Application& application_)
    : services(services_), config(config_), application(application_) {}

ui::Control* MainView::control(const std::string& name) const {
    for (auto* c : controls_)
        if (c->name() == name) return c;
    return nullptr;
}

ui::MenuItem* MainView::menuItem(const std::string& name) const {
    const auto it = menuIndex_.find(name);
    return it == menuIndex_.end() ? nullptr : it->second;
}

std::vector<settings::GameProgram> MainView::programsIn(const std::string& folder) {
    std::vector<settings::GameProgram> present;
    // No folder: the joined name would be looked for at the root of the current drive.
    if (folder.empty()) return present;
    for (const auto program : settings::kGamePrograms)
        if (services.fs.fileExists(folder + "\\" + settings::programFile(program))) present.push_back(program);
    return present;
}

settings::PlayerFolders MainView::playerFolders(const std::string& paramLine) {
    if (gameProgram == settings::GameProgram::Etl && !documents_) documents_ = services.process.personalFolder();
    return settings::playerFolders(gameProgram, gameDir, documents_.value_or(""), paramLine);
}

std::string MainView::autoexecFile() {
    for (const auto& file : settings::autoexecCandidates(gameProgram, gameDir, playerFolders()))
        if (services.fs.fileExists(file)) return file;
    return {};
}

std::vector<std::string> MainView::mapFolders(const std::string& serverMod) {
    return settings::mapFolders(gameProgram, gameDir, playerFolders(), serverMod);
}

void MainView::saveSettings() {
    try {
        config.updateFile();
        settingsSaveFailed_ = false;
    } catch (const std::exception& e) {
        if (settingsSaveFailed_) return;
        settingsSaveFailed_ = true;
        services.dialogs.errorBox(e.what());
    }
}

void MainView::focusNext() {
    const ui::Control* from = focused();
    if (!from) return;
    ui::Control* next = nullptr;
    for (ui::Control* c : controls_) {
        if (c->parent() != from->parent() || c->tabOrder() <= from->tabOrder() || !c->visible() || !c->enabled())
            continue;
        if (!next || c->tabOrder() < next->tabOrder()) next = c;
    }
    if (next) setFocus(next);
}

ui::Timer* MainView::timer(const std::string& name) {
    if (name == "tmDate") return &tmDate;
    if (name == "tmTime") return &tmTime;
    if (name == "tmServers") return &tmServers;
    if (name == "tmWorld") return &tmWorld;
    if (name == "tmBuddies") return &tmBuddies;
    return nullptr;
}

bool MainView::setting(const settings::BoolKey& key) const { return settings::read(config.doc(), key); }

// Plays a sound file without waiting. The player holds one sound at a time, so a
// new click cuts the previous one off instead of layering them.
void MainView::PlaySoundFile(const std::string& path, bool wait) {
    if (!setting(settings::key::sound) || !services.fs.fileExists(path)) return;
    // A sound is feedback: a device that refuses it must not stop the action it accompanies.
    try {
        services.sound.play(path, wait);
    } catch (const std::exception&) {
    }
}

void MainView::clearOdCfg() {
    odCfg.title.clear();
    odCfg.filter.clear();
    odCfg.initialDir.clear();
    odCfg.fileName.clear();
    odCfg.defaultExt.clear();
}

void MainView::playFeedback(const std::string& path) {
    try {
        PlaySoundFile(path, false);
    } catch (const std::exception&) {
        // A click or a tune that the media layer cannot open is simply not heard.
    }
}

// A hidden window with no tray icon could not be reached again: it minimizes to the taskbar instead.
void MainView::hideToTray() {
    if (ctrayIcon.visible())
        hide();
    else
        application.minimize();
}

void MainView::showViewer(ui::Memo& memo, const ui::Font& font, ui::Colour colour) {
    memo.setFont(font);
    memo.setColour(colour);
    memo.setVisible(true);
    memo.bringToFront();
}

std::string MainView::GetVersionText() { return util::GetVersionText(services.process); }

}  // namespace vexal::view
