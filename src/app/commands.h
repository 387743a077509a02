#pragma once
// The user's commands. A button, a menu item and a tray menu item that do the
// same thing carry the same command; the value is also the menu item's id in
// WM_COMMAND, so it lies below every control id and clear of the system's ids.
// Where the places differ, so do the commands: MenuRun also names the started
// map in its item's caption; Quit makes the backup on quit, TrayQuit does not;
// the tray's TrayReadme and TrayServerStatus first bring the window back.
// The Program commands choose the game program, in the order of kGamePrograms.
#include <array>

namespace vexal {

// clang-format off
enum class Cmd : int {
    None = 0,
    Run = 100, MenuRun, Ase, PbUpdate, ServerStatus, TrayServerStatus, Quit, TrayQuit,
    SelectMap, Demo, Screenshot, EditCfg, MapInfo, EtLog, AseLog, LaunchInfo,
    SelectGameDir, Nickname, ResetNotepad, SelectEditor,
    Minimize, Close, Tray, Instances, DelProfile, ToggleListSize, Sound,
    Backup, BackupOnQuit, Restore,
    Readme, TrayReadme, GameReadme, Download, Changes, About,
    AddParam, DeleteParam, DeleteAllParams, CopyEntry, CopyAll, Paste, DeleteMap, DeleteAllMaps,
    CloseViewers, ShowWindow,
    EtLinks, JoinServer, WaitForSlot, KeepServer, CopyServer,
    ProgramEt, ProgramEtl, ProgramEteX64, ProgramEte,
    AllServers, TrayAllServers, QuickJoin, TrayQuickJoin,
    HideFull, HideEmpty, HidePassworded, OnlyMyMods, OnlyMyMaps,
    AddBuddy, RemoveBuddy, OnlyWithBuddies, WatchBuddies,
    Last = WatchBuddies,
};
// clang-format on

inline constexpr int kFirstCmd = static_cast<int>(Cmd::Run);
inline constexpr int kLastCmd = static_cast<int>(Cmd::Last);

// Every command, for the tables that must cover all of them.
[[nodiscard]] constexpr auto allCmds() {
    std::array<Cmd, kLastCmd - kFirstCmd + 1> all{};
    for (int i = kFirstCmd; i <= kLastCmd; ++i) all[static_cast<std::size_t>(i - kFirstCmd)] = static_cast<Cmd>(i);
    return all;
}

}  // namespace vexal
