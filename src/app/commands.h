#pragma once
// The user's commands. A button, a menu item and a tray menu item that do the
// same thing carry the same command; the value is also the menu item's id in
// WM_COMMAND, so it lies below every control id and clear of the system's ids.
#include <array>

namespace vexal {

enum class Cmd : int {
    None = 0,
    Run = 100,
    MenuRun,  // the Run menu's item also shows the started map in its caption
    Ase,
    PbUpdate,
    ServerStatus,
    TrayServerStatus,  // the tray menu's items first bring the window back
    Quit,              // with the backup on quit
    TrayQuit,          // without it
    SelectMap,
    Demo,
    Screenshot,
    EditCfg,
    MapInfo,
    EtLog,
    AseLog,
    LaunchInfo,
    SelectGameDir,
    Nickname,
    ResetNotepad,
    SelectEditor,
    Minimize,
    Close,
    Tray,
    Instances,
    DelProfile,
    ToggleListSize,
    Sound,
    Backup,
    BackupOnQuit,
    Restore,
    Readme,
    TrayReadme,
    GameReadme,
    Download,
    Changes,
    About,
    AddParam,
    DeleteParam,
    DeleteAllParams,
    CopyEntry,
    CopyAll,
    Paste,
    DeleteMap,
    DeleteAllMaps,
    CloseViewers,
    ShowWindow,
    Last = ShowWindow,
};

inline constexpr int kFirstCmd = static_cast<int>(Cmd::Run);
inline constexpr int kLastCmd = static_cast<int>(Cmd::Last);

[[nodiscard]] constexpr bool isCmd(int id) { return id >= kFirstCmd && id <= kLastCmd; }

// Every command, for the tables that must cover all of them.
[[nodiscard]] constexpr auto allCmds() {
    std::array<Cmd, kLastCmd - kFirstCmd + 1> all{};
    for (int i = kFirstCmd; i <= kLastCmd; ++i) all[static_cast<std::size_t>(i - kFirstCmd)] = static_cast<Cmd>(i);
    return all;
}

}  // namespace vexal
