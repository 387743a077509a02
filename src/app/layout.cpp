#include "app/layout.h"

#include <cstring>

#include "app/main_window.h"
#include "app/texts.h"
#include "links/texts.h"
#include "resources/resource_ids.h"
#include "servers/texts.h"

namespace vexal::layout {

namespace {

constexpr unsigned kF1 = 0x70, kF2 = 0x71, kF4 = 0x73, kF5 = 0x74, kF6 = 0x75, kF7 = 0x76, kF8 = 0x77, kF9 = 0x78;

constexpr FontLook kArial13{"Arial", 13, true, false, true};
constexpr FontLook kArial15{"Arial", 15, true, false, true};
constexpr FontLook kFixedsys11{"Fixedsys", 11};
constexpr FontLook kFixedsys16{"Fixedsys", 16};
constexpr FontLook kRunFont{"Arial", 12, true, true};
constexpr FontLook kAseFont{"MS Sans Serif", 12};

template <auto member>
ui::Control& at(TfrmVexal& form) {
    return form.*member;
}

using F = TfrmVexal;

// clang-format off
// Viewers come first: they lie over both group boxes when shown.
constexpr ControlRow kControls[] = {
    {.name = "memETLog", .member = at<&F::memETLog>, .bounds = {0, 1, 551, 312}, .tab = 10, .visible = false,
     .readOnly = true},
    {.name = "memLaunchInfo", .member = at<&F::memLaunchInfo>, .bounds = {1, 1, 551, 312}, .tab = 9, .visible = false,
     .readOnly = true},
    {.name = "memASE", .member = at<&F::memASE>, .bounds = {1, 1, 551, 312}, .tab = 8, .visible = false,
     .readOnly = true},
    {.name = "memChanges", .member = at<&F::memChanges>, .bounds = {1, 1, 551, 312}, .tab = 7, .visible = false,
     .readOnly = true},
    {.name = "memReadme", .member = at<&F::memReadme>, .bounds = {0, 1, 551, 312}, .tab = 0, .caption = "memReadme",
     .visible = false, .readOnly = true},
    {.name = "grpMain", .member = at<&F::grpMain>, .bounds = {8, 2, 538, 170}, .tab = 1,
     .caption = " ET.exe start parameters "},
    {.name = "grpMapName", .member = at<&F::grpMapName>, .bounds = {8, 175, 538, 138}, .tab = 2,
     .caption = " ET Run/Preferences "},
    {.name = "stInfo", .member = at<&F::stInfo>, .bounds = {8, 317, 538, 19}, .command = Cmd::CloseViewers},
    {.name = "pb1", .member = at<&F::pb1>, .bounds = {8, 317, 538, 19}, .visible = false},
    {.name = "stDate", .member = at<&F::stDate>, .bounds = {483, 319, 58, 16},
     .hint = " Click left or right button for toggle date/time"},

    {.name = "sbtnReadme", .member = at<&F::sbtnReadme>, .parent = "grpMain", .bounds = {8, 21, 22, 22},
     .hint = " Show Vexal Readme file  (F1)", .picture = IDB_README, .command = Cmd::Readme},
    {.name = "bitbtnSelDir", .member = at<&F::bitbtnSelDir>, .parent = "grpMain", .bounds = {33, 21, 136, 22}, .tab = 0,
     .caption = "&Select ET Directory", .hint = "Select your Enemy Territory directory (Ctrl+S)", .picture = IDB_SELDIR,
     .spacing = 6, .command = Cmd::SelectGameDir},
    {.name = "edtParam", .member = at<&F::edtParam>, .parent = "grpMain", .bounds = {175, 21, 280, 21}, .tab = 1,
     .hint = " Set parameter for ET.exe -- comment possible with \"(...)\" behind the parameter"},
    {.name = "btnAdd", .member = at<&F::btnAdd>, .parent = "grpMain", .bounds = {460, 22, 21, 20}, .tab = 2,
     .caption = "+", .hint = " Add parameter to listbox", .font = kArial13, .command = Cmd::AddParam},
    {.name = "btnDelParam", .member = at<&F::btnDelParam>, .parent = "grpMain", .bounds = {484, 22, 21, 20}, .tab = 3,
     .caption = "-", .hint = " Delete selected listbox item", .font = kArial15, .command = Cmd::DeleteParam},
    {.name = "btnDelParamList", .member = at<&F::btnDelParamList>, .parent = "grpMain", .bounds = {508, 22, 21, 20},
     .tab = 4, .caption = "*", .hint = " Delete ALL entries from parameter list", .font = kFixedsys11,
     .command = Cmd::DeleteAllParams},
    {.name = "lboxParam", .member = at<&F::lboxParam>, .parent = "grpMain", .bounds = {175, 49, 353, 110}, .tab = 5,
     .tooltip = true, .sorted = true},
    {.name = "imgAbout", .member = at<&F::imgAbout>, .parent = "grpMain", .bounds = {9, 50, 160, 109},
     .picture = IDB_LOGO, .tooltip = true, .command = Cmd::MapInfo},

    {.name = "sbtnNotepad", .member = at<&F::sbtnNotepad>, .parent = "grpMapName", .bounds = {5, 17, 114, 22},
     .caption = "Reset to Notepad", .hint = " Fall back to the default Windows editor", .picture = IDB_NOTEPAD,
     .command = Cmd::ResetNotepad},
    {.name = "sbtnEditor", .member = at<&F::sbtnEditor>, .parent = "grpMapName", .bounds = {140, 17, 116, 22},
     .caption = "Select your editor", .picture = IDB_EDITOR, .command = Cmd::SelectEditor},
    {.name = "sbtnBackup", .member = at<&F::sbtnBackup>, .parent = "grpMapName", .bounds = {277, 17, 112, 24},
     .caption = "Backup to zip file", .picture = IDB_BACKUP, .command = Cmd::Backup},
    {.name = "sbtnRestore", .member = at<&F::sbtnRestore>, .parent = "grpMapName", .bounds = {414, 17, 109, 22},
     .caption = "Restore Backup", .picture = IDB_RESTORE, .command = Cmd::Restore},
    {.name = "cbMinimize", .member = at<&F::cbMinimize>, .parent = "grpMapName", .bounds = {12, 43, 110, 19}, .tab = 0,
     .caption = "Minimize after start"},
    {.name = "cbClose", .member = at<&F::cbClose>, .parent = "grpMapName", .bounds = {148, 43, 97, 19}, .tab = 1,
     .caption = "Close after start"},
    {.name = "cbTray", .member = at<&F::cbTray>, .parent = "grpMapName", .bounds = {284, 43, 97, 17}, .tab = 2,
     .caption = "Icon in Tasktray", .hint = " Minimizes application to system tray instead of taskbar"},
    {.name = "cbDelProfile", .member = at<&F::cbDelProfile>, .parent = "grpMapName", .bounds = {421, 43, 109, 17},
     .tab = 3, .caption = "Delete profile.pid's",
     .hint = " Delete ALL profile.pid files automatically (e. g. if ET resetting to resolution 800x600)"},
    {.name = "BitBtnInfo", .member = at<&F::BitBtnInfo>, .parent = "grpMapName", .bounds = {10, 71, 61, 21}, .tab = 17,
     .caption = "&Info", .hint = " Show ET map info text", .picture = IDB_INFO, .pictureRight = true, .spacing = 6,
     .command = Cmd::MapInfo},
    {.name = "bitbtnSelMap", .member = at<&F::bitbtnSelMap>, .parent = "grpMapName", .bounds = {75, 71, 61, 21},
     .tab = 4, .caption = "&Map", .hint = " Select your Enemy Territory Map (*.pk3)", .picture = IDB_SELMAP,
     .pictureRight = true, .spacing = 6, .command = Cmd::SelectMap},
    {.name = "cbxMap", .member = at<&F::cbxMap>, .parent = "grpMapName", .bounds = {140, 71, 191, 21}, .tab = 5,
     .colour = ui::kClMenuText, .sorted = true, .dropDownCount = 14},
    {.name = "btnDelMap", .member = at<&F::btnDelMap>, .parent = "grpMapName", .bounds = {335, 72, 21, 20}, .tab = 6,
     .caption = "-", .hint = " Delete selected Entry from map list!", .enabled = false, .font = kArial15,
     .command = Cmd::DeleteMap},
    {.name = "btnDelMapList", .member = at<&F::btnDelMapList>, .parent = "grpMapName", .bounds = {359, 72, 21, 20},
     .tab = 7, .caption = "*", .font = kFixedsys16, .colour = ui::kClMenuText, .command = Cmd::DeleteAllMaps},
    {.name = "lbMinET", .member = at<&F::lbMinET>, .parent = "grpMapName", .bounds = {391, 74, 104, 13},
     .caption = "ET Minimizer Alt{Ctrl}+"},
    {.name = "cbxHotKey", .member = at<&F::cbxHotKey>, .parent = "grpMapName", .bounds = {496, 71, 33, 21}, .tab = 8,
     .hint = " Select your hotkey Alt{Ctrl}+char from 0-9 to A-Z for minimize ET and return to desktop",
     .colour = ui::kClAqua, .background = ui::kClBlack, .dropDownCount = 10},
    {.name = "bitbtnRun", .member = at<&F::bitbtnRun>, .parent = "grpMapName", .bounds = {10, 105, 61, 23}, .tab = 9,
     .caption = "&Run", .hint = " Run ET with map and parameter", .picture = IDB_RUN, .pictureRight = true,
     .spacing = 6, .font = kRunFont, .command = Cmd::Run},
    {.name = "bitbtnASE", .member = at<&F::bitbtnASE>, .parent = "grpMapName", .bounds = {75, 105, 61, 23}, .tab = 10,
     .caption = "&ASE", .picture = IDB_ASE, .pictureRight = true, .spacing = 8, .font = kAseFont, .command = Cmd::Ase},
    {.name = "bitbtnEdit", .member = at<&F::bitbtnEdit>, .parent = "grpMapName", .bounds = {140, 105, 61, 23},
     .tab = 11, .caption = "&Edit", .picture = IDB_EDIT, .spacing = 6, .command = Cmd::EditCfg},
    {.name = "bitbtnLog", .member = at<&F::bitbtnLog>, .parent = "grpMapName", .bounds = {206, 105, 61, 23}, .tab = 12,
     .caption = "&Log", .picture = IDB_RUN, .spacing = 8, .command = Cmd::EtLog},
    {.name = "bitbtnDemo", .member = at<&F::bitbtnDemo>, .parent = "grpMapName", .bounds = {271, 105, 61, 23},
     .tab = 13, .caption = "&Demo", .picture = IDB_DEMO, .spacing = 5, .command = Cmd::Demo},
    {.name = "bitbtnPicture", .member = at<&F::bitbtnPicture>, .parent = "grpMapName", .bounds = {337, 105, 61, 23},
     .tab = 14, .caption = "&JPGs", .picture = IDB_PICTURE, .spacing = 6, .tooltip = true, .command = Cmd::Screenshot},
    {.name = "btnPB", .member = at<&F::btnPB>, .parent = "grpMapName", .bounds = {402, 105, 61, 23}, .tab = 15,
     .caption = "PB-&Update", .hint = " Make a manual Punkbuster Update with pbweb.exe", .command = Cmd::PbUpdate},
    {.name = "bitbtnQuit", .member = at<&F::bitbtnQuit>, .parent = "grpMapName", .bounds = {468, 105, 61, 23},
     .tab = 16, .caption = "  &Quit", .hint = " Yeah, right, like YOU have anything better do to ;-))",
     .picture = IDB_QUIT, .spacing = 3, .command = Cmd::Quit},
    // Added after the design's controls, so that their numbers stay as they were.
    {.name = "lvServers", .member = at<&F::lvServers>, .bounds = {1, 1, 551, 196}, .tab = 11, .visible = false},
    {.name = "lvPlayers", .member = at<&F::lvPlayers>, .bounds = {1, 197, 551, 116}, .tab = 12, .visible = false},
    {.name = "lvWorld", .member = at<&F::lvWorld>, .bounds = {1, 1, 551, 196}, .tab = 13, .visible = false},
};

constexpr ui::Shortcut ctrl(unsigned key, bool alt = false) { return {key, true, alt}; }

// The Download item's hint names the address it opens, so it is given with the
// other start hints, from the address itself.
constexpr MenuRow kMenus[] = {
    {.name = "Run1", .parent = "mnuMain", .caption = "Ru&n"},
    {.name = "mnuRunET", .parent = "Run1", .caption = "&Run ET", .key = {kF9}, .picture = IDB_RUN,
     .command = Cmd::MenuRun, .member = &F::mnuRunET},
    {.name = "mnuASE", .parent = "Run1", .caption = "Run &All Seeing Eye", .key = {kF8}, .picture = IDB_ASE,
     .command = Cmd::Ase},
    {.name = "mnuServerStatus", .parent = "Run1", .caption = "Server &Status", .key = {kF5}, .picture = IDB_ASELOG,
     .hint = servers::text::kMenuHint, .command = Cmd::ServerStatus},
    {.name = "mnuAllServers", .parent = "Run1", .caption = "A&ll Servers", .key = {kF6}, .picture = IDB_ASELOG,
     .hint = servers::text::kWorldMenuHint, .command = Cmd::AllServers},
    {.name = "mnuQuickJoin", .parent = "Run1", .caption = "Quick &Join", .key = {kF7}, .picture = IDB_RUN,
     .hint = servers::text::kQuickJoinHint, .command = Cmd::QuickJoin},
    {.name = "N8", .parent = "Run1", .caption = "-"},
    {.name = "mnuPB", .parent = "Run1", .caption = "&Punk Buster Update", .picture = IDB_RUN, .command = Cmd::PbUpdate},
    {.name = "N13", .parent = "Run1", .caption = "-"},
    {.name = "mnuQuit", .parent = "Run1", .caption = "&Quit Vexal", .picture = IDB_QUIT, .command = Cmd::Quit},

    {.name = "Show1", .parent = "mnuMain", .caption = "&File"},
    {.name = "mnuSelMap", .parent = "Show1", .caption = " Select ET Map...", .key = ctrl('M'), .picture = IDB_SELMAP,
     .command = Cmd::SelectMap, .member = &F::mnuSelMap},
    {.name = "mnuDemo", .parent = "Show1", .caption = "Select ET &Demo...", .picture = IDB_DEMO, .command = Cmd::Demo},
    {.name = "mnuScrShot", .parent = "Show1", .caption = "Sele&ct ET screenshot...", .picture = IDB_PICTURE,
     .command = Cmd::Screenshot},
    {.name = "N9", .parent = "Show1", .caption = "-"},
    {.name = "mnuEdit", .parent = "Show1", .caption = "&Edit ET cfg files...", .key = ctrl('E'), .picture = IDB_EDIT,
     .command = Cmd::EditCfg},
    {.name = "N18", .parent = "Show1", .caption = "-"},
    {.name = "mnuMapInfo", .parent = "Show1", .caption = "Show ET Map &info file", .key = ctrl('I'),
     .picture = IDB_INFO, .command = Cmd::MapInfo},
    {.name = "N11", .parent = "Show1", .caption = "-"},
    {.name = "LogFiles1", .parent = "Show1", .caption = "Show Log &Files", .picture = IDB_LOGFILES,
     .hint = " Show ET/ASE Log Files"},
    {.name = "mnuLog", .parent = "LogFiles1", .caption = "ET &log file", .key = ctrl('L'), .picture = IDB_RUN,
     .command = Cmd::EtLog},
    {.name = "mnuASELog", .parent = "LogFiles1", .caption = "ASE buddy log", .key = ctrl('B'), .picture = IDB_ASELOG,
     .command = Cmd::AseLog, .member = &F::mnuASELog},
    {.name = "mnuLaunchInfo", .parent = "LogFiles1", .caption = "ASE Launch Info", .key = ctrl('O'),
     .picture = IDB_ASELOG, .command = Cmd::LaunchInfo, .member = &F::mnuLaunchInfo},

    {.name = "Preferences1", .parent = "mnuMain", .caption = "&Preferences"},
    {.name = "mnuSelETDir", .parent = "Preferences1", .caption = "&Select ET Directory...", .key = ctrl('S'),
     .picture = IDB_SELDIR, .command = Cmd::SelectGameDir},
    // Only the programs the game folder holds show, each the moment the menu opens.
    {.name = "mnuGameProgram", .parent = "Preferences1", .caption = "&Game Program", .hint = text::kProgramMenuHint},
    {.name = "mnuProgramEt", .parent = "mnuGameProgram", .caption = "&et.exe", .check = true,
     .hint = text::kProgramEtHint, .command = Cmd::ProgramEt},
    {.name = "mnuProgramEtl", .parent = "mnuGameProgram", .caption = "et&l.exe", .check = true,
     .hint = text::kProgramEtlHint, .command = Cmd::ProgramEtl},
    {.name = "mnuProgramEteX64", .parent = "mnuGameProgram", .caption = "ETe.&x64.exe", .check = true,
     .hint = text::kProgramEteX64Hint, .command = Cmd::ProgramEteX64},
    {.name = "mnuProgramEte", .parent = "mnuGameProgram", .caption = "E&Te.exe", .check = true,
     .hint = text::kProgramEteHint, .command = Cmd::ProgramEte},
    {.name = "mnuNick", .parent = "Preferences1", .caption = "Set &Nickname for ET...", .key = ctrl('N'),
     .picture = IDB_NICK, .command = Cmd::Nickname, .member = &F::mnuNick},
    {.name = "N12", .parent = "Preferences1", .caption = "-"},
    {.name = "mnuNotepad", .parent = "Preferences1", .caption = "&Reset to Notepad", .picture = IDB_NOTEPAD,
     .command = Cmd::ResetNotepad},
    {.name = "mnuSelEditor", .parent = "Preferences1", .caption = "Select ET &Editor...", .picture = IDB_EDITOR,
     .command = Cmd::SelectEditor},
    {.name = "N10", .parent = "Preferences1", .caption = "-"},
    {.name = "mnuMinimize", .parent = "Preferences1", .caption = "&Minimize after start", .check = true,
     .command = Cmd::Minimize},
    {.name = "mnuClose", .parent = "Preferences1", .caption = "&Close after start", .check = true,
     .command = Cmd::Close},
    {.name = "mnuTasktray", .parent = "Preferences1", .caption = "Icon in Tas&ktray", .check = true,
     .command = Cmd::Tray},
    {.name = "N21", .parent = "Preferences1", .caption = "-"},
    {.name = "mnuInstances", .parent = "Preferences1", .caption = "Multiple &Instances", .check = true,
     .hint = " Allows multiple Instances of Vexal to run", .command = Cmd::Instances},
    {.name = "mnuDelProfile", .parent = "Preferences1", .caption = "&Delete profile.pid's", .check = true,
     .command = Cmd::DelProfile},
    {.name = "mnuEtLinks", .parent = "Preferences1", .caption = "Open et:// &Links with Vexal", .check = true,
     .hint = links::text::kMenuHint, .command = Cmd::EtLinks},
    {.name = "mnuWatchBuddies", .parent = "Preferences1", .caption = servers::text::kWatchItem, .check = true,
     .hint = servers::text::kWatchHint, .command = Cmd::WatchBuddies},
    {.name = "N15", .parent = "Preferences1", .caption = "-"},
    {.name = "mnuMinMax", .parent = "Preferences1", .caption = "&Toggle Listbox size", .key = {kF4}, .check = true,
     .command = Cmd::ToggleListSize},
    {.name = "N16", .parent = "Preferences1", .caption = "-"},
    {.name = "mnuSound", .parent = "Preferences1", .caption = "Toggle Sou&nd", .check = true, .command = Cmd::Sound,
     .member = &F::mnuSound},

    {.name = "Save1", .parent = "mnuMain", .caption = "&Backup"},
    {.name = "mnuBackupZip", .parent = "Save1", .caption = "&Backup to Zip file", .key = ctrl('B', true),
     .picture = IDB_BACKUP, .command = Cmd::Backup},
    {.name = "mnuBackupOnQuit", .parent = "Save1", .caption = "Backup on &Quit", .check = true,
     .command = Cmd::BackupOnQuit},
    {.name = "N17", .parent = "Save1", .caption = "-"},
    {.name = "mnuRestore", .parent = "Save1", .caption = "&Restore from Zip file", .key = ctrl('R', true),
     .picture = IDB_RESTORE, .command = Cmd::Restore},

    {.name = "mnuHelp", .parent = "mnuMain", .caption = "&Help"},
    {.name = "mnuReadme", .parent = "mnuHelp", .caption = "&Vexal readme-vexal.txt", .key = {kF1},
     .picture = IDB_README, .command = Cmd::Readme},
    {.name = "mnuETReadme", .parent = "mnuHelp", .caption = "&ET Support Documentation",
     .key = {kF1, false, false, true}, .picture = IDB_RUN, .command = Cmd::GameReadme},
    {.name = "N19", .parent = "mnuHelp", .caption = "-"},
    {.name = "mnuDownload", .parent = "mnuHelp", .caption = "&Download Vexal.exe", .key = ctrl('D', true),
     .picture = IDB_DOWNLOAD, .command = Cmd::Download},
    {.name = "N14", .parent = "mnuHelp", .caption = "-"},
    {.name = "mnuChanges", .parent = "mnuHelp", .caption = "Vexal &changes", .key = {kF2, false, false, true},
     .picture = IDB_CHANGES, .command = Cmd::Changes},
    {.name = "N22", .parent = "mnuHelp", .caption = "-"},
    {.name = "mnuAbout", .parent = "mnuHelp", .caption = "&About Vexal", .key = ctrl('A'), .picture = IDB_ABOUT,
     .command = Cmd::About},

    {.name = "mnuAdd", .parent = "popLBox", .caption = "&Add parameter to listbox", .command = Cmd::AddParam},
    {.name = "N4", .parent = "popLBox", .caption = "-"},
    {.name = "mnuDelete", .parent = "popLBox", .caption = "&Delete selected parameter from listbox",
     .command = Cmd::DeleteParam},
    {.name = "mnuDelLboxItems", .parent = "popLBox", .caption = "Delete ALL list&box parameters",
     .command = Cmd::DeleteAllParams},
    {.name = "N1", .parent = "popLBox", .caption = "-"},
    {.name = "mnuCopyEntry", .parent = "popLBox", .caption = "Copy &selected parameter to clipboard",
     .command = Cmd::CopyEntry},
    {.name = "mnuCopy", .parent = "popLBox", .caption = "&Copy ALL parameters to clipboard", .command = Cmd::CopyAll},
    {.name = "N2", .parent = "popLBox", .caption = "-"},
    {.name = "mnuPaste", .parent = "popLBox", .caption = "&Paste all parameters from clipboard", .command = Cmd::Paste},
    {.name = "N7", .parent = "popLBox", .caption = "-"},
    {.name = "mnuMax", .parent = "popLBox", .caption = "&Maximize/Minimize parameter listbox", .key = {kF4},
     .manualAccel = true, .command = Cmd::ToggleListSize},

    {.name = "popVexal", .parent = "popTray", .caption = "Show &Vexal", .picture = IDB_INFO, .manualAccel = true,
     .isDefault = true, .command = Cmd::ShowWindow, .member = &F::popVexal},
    {.name = "N3", .parent = "popTray", .caption = "-"},
    {.name = "popRunET", .parent = "popTray", .caption = "&Run ET", .picture = IDB_RUN, .command = Cmd::Run,
     .member = &F::popRunET},
    {.name = "popPB", .parent = "popTray", .caption = "Run &PB-Update", .picture = IDB_RUN, .command = Cmd::PbUpdate},
    {.name = "popRunASE", .parent = "popTray", .caption = "Run &ASE", .picture = IDB_ASE, .command = Cmd::Ase},
    {.name = "popServerStatus", .parent = "popTray", .caption = "Server &Status", .picture = IDB_ASELOG,
     .hint = servers::text::kMenuHint, .command = Cmd::TrayServerStatus},
    {.name = "popAllServers", .parent = "popTray", .caption = "A&ll Servers", .picture = IDB_ASELOG,
     .hint = servers::text::kWorldMenuHint, .command = Cmd::TrayAllServers},
    {.name = "popQuickJoin", .parent = "popTray", .caption = "Quick &Join", .picture = IDB_RUN,
     .hint = servers::text::kQuickJoinHint, .command = Cmd::TrayQuickJoin},
    {.name = "N20", .parent = "popTray", .caption = "-"},
    {.name = "popEditCfg", .parent = "popTray", .caption = "&Edit cfg", .picture = IDB_EDIT, .command = Cmd::EditCfg},
    {.name = "N6", .parent = "popTray", .caption = "-"},
    {.name = "popReadme", .parent = "popTray", .caption = "Rea&dme Vexal", .picture = IDB_README,
     .command = Cmd::TrayReadme},
    {.name = "popAbout", .parent = "popTray", .caption = "A&bout Vexal", .picture = IDB_ABOUT, .manualAccel = true,
     .command = Cmd::About},
    {.name = "N5", .parent = "popTray", .caption = "-"},
    {.name = "popQuit", .parent = "popTray", .caption = "&Quit Vexal", .picture = IDB_QUIT, .command = Cmd::TrayQuit},
    // The server list's rows: their shortcuts belong to the list, not to the window.
    {.name = "popJoin", .parent = "popServers", .caption = servers::text::kJoinItem, .isDefault = true,
     .command = Cmd::JoinServer},
    {.name = "popWaitSlot", .parent = "popServers", .caption = servers::text::kWaitItem, .command = Cmd::WaitForSlot},
    {.name = "popKeep", .parent = "popServers", .caption = servers::text::kKeepItem, .command = Cmd::KeepServer},
    {.name = "N8", .parent = "popServers", .caption = "-"},
    {.name = "popCopyServer", .parent = "popServers", .caption = servers::text::kCopyItem, .command = Cmd::CopyServer},
    // The list of every server: the same row commands, and what it hides.
    {.name = "popWorldJoin", .parent = "popWorld", .caption = servers::text::kJoinItem, .isDefault = true,
     .command = Cmd::JoinServer},
    {.name = "popWorldWait", .parent = "popWorld", .caption = servers::text::kWaitItem, .command = Cmd::WaitForSlot},
    {.name = "popWorldKeep", .parent = "popWorld", .caption = servers::text::kKeepItem, .command = Cmd::KeepServer},
    {.name = "N21", .parent = "popWorld", .caption = "-"},
    {.name = "popWorldCopy", .parent = "popWorld", .caption = servers::text::kCopyItem, .command = Cmd::CopyServer},
    {.name = "N22", .parent = "popWorld", .caption = "-"},
    {.name = "popHideFull", .parent = "popWorld", .caption = servers::text::kHideFullItem, .check = true,
     .command = Cmd::HideFull},
    {.name = "popHideEmpty", .parent = "popWorld", .caption = servers::text::kHideEmptyItem, .check = true,
     .command = Cmd::HideEmpty},
    {.name = "popHidePassworded", .parent = "popWorld", .caption = servers::text::kHidePasswordedItem, .check = true,
     .command = Cmd::HidePassworded},
    {.name = "popOnlyMyMods", .parent = "popWorld", .caption = servers::text::kOnlyMyModsItem, .check = true,
     .command = Cmd::OnlyMyMods},
    {.name = "popOnlyMyMaps", .parent = "popWorld", .caption = servers::text::kOnlyMyMapsItem, .check = true,
     .command = Cmd::OnlyMyMaps},
    {.name = "popWorldOnlyBuddies", .parent = "popWorld", .caption = servers::text::kOnlyWithBuddiesItem,
     .check = true, .command = Cmd::OnlyWithBuddies},
    {.name = "N23", .parent = "popServers", .caption = "-"},
    {.name = "popOnlyBuddies", .parent = "popServers", .caption = servers::text::kOnlyWithBuddiesItem, .check = true,
     .command = Cmd::OnlyWithBuddies},
    // The players of the selected server.
    {.name = "popAddBuddy", .parent = "popPlayers", .caption = servers::text::kAddBuddyItem,
     .command = Cmd::AddBuddy},
    {.name = "popRemoveBuddy", .parent = "popPlayers", .caption = servers::text::kRemoveBuddyItem,
     .command = Cmd::RemoveBuddy},
};
// clang-format on

}  // namespace

std::span<const ControlRow> controls() { return kControls; }
std::span<const MenuRow> menus() { return kMenus; }

int controlId(const char* name) {
    for (std::size_t i = 0; i < std::size(kControls); ++i)
        if (std::strcmp(kControls[i].name, name) == 0) return ui::kFirstControlId + static_cast<int>(i);
    return 0;
}

}  // namespace vexal::layout
