// The one dispatch of the user's commands, and the menu's marks and enabled
// states read from the program's state.
#include "app/commands.h"

#include <algorithm>

#include "app/layout.h"
#include "app/main_window.h"

namespace vexal {

using World = servers::WorldViewer::Check;

// clang-format off
void TfrmVexal::onCommand(Cmd command) {
    switch (command) {
        case Cmd::None: break;
        case Cmd::Run: launcher.run(); break;
        case Cmd::MenuRun: launcher.runFromMenu(); break;
        case Cmd::Ase: toolbox.runBrowser(); break;
        case Cmd::PbUpdate: toolbox.updatePunkBuster(); break;
        // F5 in the list of every server asks the world again.
        case Cmd::ServerStatus: if (world.isOpen()) world.askAgain(); else serverStatus.open(); break;
        case Cmd::TrayServerStatus: world.close(); serverStatus.openFromTray(); break;
        case Cmd::AllServers: world.open(); break;
        case Cmd::TrayAllServers: world.openFromTray(); break;
        case Cmd::QuickJoin: world.quickJoin(); break;
        case Cmd::TrayQuickJoin: world.quickJoinFromTray(); break;
        case Cmd::HideFull: world.toggle(World::HideFull); break;
        case Cmd::HideEmpty: world.toggle(World::HideEmpty); break;
        case Cmd::HidePassworded: world.toggle(World::HidePassworded); break;
        case Cmd::OnlyMyMods: world.toggle(World::OnlyMyMods); break;
        case Cmd::OnlyMyMaps: world.toggle(World::OnlyMyMaps); break;
        case Cmd::Quit: bitbtnQuitClick(); break;
        case Cmd::TrayQuit: popQuitClick(); break;
        case Cmd::SelectMap: maps.select(); break;
        case Cmd::Demo: toolbox.pickDemo(); break;
        case Cmd::Screenshot: toolbox.openScreenshot(); break;
        case Cmd::EditCfg: toolbox.editConfig(); break;
        case Cmd::MapInfo: maps.openInfo(); break;
        case Cmd::EtLog: textViewers.consoleLog(); break;
        case Cmd::AseLog: textViewers.buddyLog(); break;
        case Cmd::LaunchInfo: textViewers.launchInfo(); break;
        case Cmd::SelectGameDir: bitbtnSelDirClick(); break;
        case Cmd::Nickname: toolbox.editNickname(); break;
        case Cmd::ResetNotepad: toolbox.fallBackToNotepad(); break;
        case Cmd::SelectEditor: toolbox.chooseEditor(); break;
        case Cmd::Minimize: options.toggleMinimize(); break;
        case Cmd::Close: options.toggleClose(); break;
        case Cmd::Tray: options.toggleTray(); break;
        case Cmd::Instances: mnuInstancesClick(); break;
        case Cmd::DelProfile: launcher.toggleProfileOption(); break;
        case Cmd::ToggleListSize: options.toggleListSize(); break;
        case Cmd::Sound: options.toggleSound(); break;
        case Cmd::Backup: backupCommands.backup(); break;
        case Cmd::BackupOnQuit: backupCommands.toggleOnQuit(); break;
        case Cmd::Restore: backupCommands.restore(); break;
        case Cmd::Readme: textViewers.readme(); break;
        case Cmd::TrayReadme: textViewers.readmeFromTray(); break;
        case Cmd::GameReadme: toolbox.gameReadme(); break;
        case Cmd::Download: toolbox.download(); break;
        case Cmd::Changes: textViewers.changes(); break;
        case Cmd::About: toolbox.about(); break;
        case Cmd::AddParam: params.add(); break;
        case Cmd::DeleteParam: params.remove(); break;
        case Cmd::DeleteAllParams: params.clear(); break;
        case Cmd::CopyEntry: params.copyEntry(); break;
        case Cmd::CopyAll: params.copyAll(); break;
        case Cmd::Paste: params.paste(); break;
        case Cmd::DeleteMap: maps.remove(); break;
        case Cmd::DeleteAllMaps: maps.clear(); break;
        case Cmd::CloseViewers: textViewers.close(); break;
        case Cmd::ShowWindow: options.showWindow(); break;
        case Cmd::EtLinks: links.toggleRegistration(); break;
        case Cmd::JoinServer: if (world.isOpen()) world.join(); else serverStatus.join(); break;
        case Cmd::WaitForSlot: if (world.isOpen()) world.waitForSlot(); else serverStatus.waitForSlot(); break;
        case Cmd::KeepServer: if (world.isOpen()) world.keep(); else serverStatus.keep(); break;
        case Cmd::CopyServer: if (world.isOpen()) world.copy(); else serverStatus.copy(); break;
        case Cmd::ProgramEt: chooseGameProgram(settings::GameProgram::Et); break;
        case Cmd::ProgramEtl: chooseGameProgram(settings::GameProgram::Etl); break;
        case Cmd::ProgramEteX64: chooseGameProgram(settings::GameProgram::EteX64); break;
        case Cmd::ProgramEte: chooseGameProgram(settings::GameProgram::Ete); break;
        case Cmd::AddBuddy: if (world.isOpen()) world.addBuddy(); else serverStatus.addBuddy(); break;
        case Cmd::RemoveBuddy: if (world.isOpen()) world.removeBuddy(); else serverStatus.removeBuddy(); break;
        case Cmd::OnlyWithBuddies:
            if (world.isOpen()) world.toggle(World::OnlyWithBuddies); else serverStatus.toggleOnlyWithBuddies();
            break;
        case Cmd::WatchBuddies: buddyWatcher.toggle(); break;
    }
}
// clang-format on

// clang-format off
bool TfrmVexal::isOn(Cmd command) const {
    switch (command) {
        case Cmd::Minimize: return cbMinimize.checked();
        case Cmd::Close: return cbClose.checked();
        case Cmd::Tray: return cbTray.checked();
        case Cmd::DelProfile: return cbDelProfile.checked();
        case Cmd::ToggleListSize: return listMaximized;
        case Cmd::Sound: return setting(settings::key::sound);
        case Cmd::BackupOnQuit: return setting(settings::key::backupOnQuit);
        case Cmd::Instances: return setting(settings::key::instances);
        case Cmd::EtLinks: return links.registered();
        case Cmd::ProgramEt: return gameProgram == settings::GameProgram::Et;
        case Cmd::ProgramEtl: return gameProgram == settings::GameProgram::Etl;
        case Cmd::ProgramEteX64: return gameProgram == settings::GameProgram::EteX64;
        case Cmd::ProgramEte: return gameProgram == settings::GameProgram::Ete;
        case Cmd::HideFull: return world.isOn(World::HideFull);
        case Cmd::HideEmpty: return world.isOn(World::HideEmpty);
        case Cmd::HidePassworded: return world.isOn(World::HidePassworded);
        case Cmd::OnlyMyMods: return world.isOn(World::OnlyMyMods);
        case Cmd::OnlyMyMaps: return world.isOn(World::OnlyMyMaps);
        case Cmd::OnlyWithBuddies:
            return world.isOpen() ? world.isOn(World::OnlyWithBuddies) : serverStatus.onlyWithBuddies();
        case Cmd::WatchBuddies: return buddyWatcher.on();
        default: return false;
    }
}

bool TfrmVexal::canRun(Cmd command) const {
    switch (command) {
        case Cmd::MapInfo: return BitBtnInfo.enabled();  // only when the map has an information file
        case Cmd::AseLog:
        case Cmd::LaunchInfo: return eyePath.find("eye.exe") != std::string::npos;  // logs of that browser only
        case Cmd::CopyEntry:
        case Cmd::DeleteParam: return lboxParam.itemIndex() >= 0;
        case Cmd::JoinServer:
        case Cmd::CopyServer: return world.isOpen() ? world.canJoin() : serverStatus.canJoin();
        case Cmd::WaitForSlot: return world.isOpen() ? world.canWait() : serverStatus.canWait();
        case Cmd::KeepServer: return world.isOpen() ? world.canJoin() : serverStatus.canKeep();
        case Cmd::AddBuddy:
        case Cmd::RemoveBuddy: return world.isOpen() ? world.canChangeBuddy() : serverStatus.canChangeBuddy();
        default: return true;
    }
}
// clang-format on

void TfrmVexal::updateMenus() {
    // The Game Program menu lists what the folder holds as it opens.
    const auto present = programsIn(gameDir);
    const char* items[] = {"mnuProgramEt", "mnuProgramEtl", "mnuProgramEteX64", "mnuProgramEte"};
    for (std::size_t i = 0; i < settings::kGamePrograms.size(); ++i)
        menuItem(items[i])->setVisible(std::find(present.begin(), present.end(), settings::kGamePrograms[i]) !=
                                       present.end());
    for (const auto& row : layout::menus()) {
        if (row.command == Cmd::None) continue;
        ui::MenuItem* item = menuItem(row.name);
        if (row.check) item->setChecked(isOn(row.command));
        item->setEnabled(canRun(row.command));
    }
}

}  // namespace vexal
