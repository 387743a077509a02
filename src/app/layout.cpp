#include "app/layout.h"

#include "resources/resource_ids.h"
#include "servers/texts.h"

namespace vexal::layout {

namespace {

constexpr unsigned kF1 = 0x70, kF2 = 0x71, kF4 = 0x73, kF5 = 0x74, kF8 = 0x77, kF9 = 0x78;

constexpr FontLook kArial13{"Arial", 13, true, false, true};
constexpr FontLook kArial15{"Arial", 15, true, false, true};
constexpr FontLook kFixedsys11{"Fixedsys", 11};
constexpr FontLook kFixedsys16{"Fixedsys", 16};
constexpr FontLook kRunFont{"Arial", 12, true, true};
constexpr FontLook kAseFont{"MS Sans Serif", 12};

// clang-format off
// Viewers come first: they lie over both group boxes when shown.
constexpr ControlRow kControls[] = {
    {"memETLog", nullptr, 0, 1, 551, 312, 10, "", "", false},
    {"memLaunchInfo", nullptr, 1, 1, 551, 312, 9, "", "", false},
    {"memASE", nullptr, 1, 1, 551, 312, 8, "", "", false},
    {"memChanges", nullptr, 1, 1, 551, 312, 7, "", "", false},
    {"mPlay", nullptr, 280, 90, 253, 30, 6, "", "", false},
    {"memReadme", nullptr, 0, 1, 551, 312, 0, "memReadme", "", false},
    {"grpMain", nullptr, 8, 2, 538, 170, 1, " ET.exe start parameters "},
    {"grpMapName", nullptr, 8, 175, 538, 138, 2, " ET Run/Preferences "},
    {"stInfo", nullptr, 8, 317, 538, 19, -1, ""},
    {"pb1", nullptr, 8, 317, 538, 19, -1, "", "", false},
    {"stDate", nullptr, 483, 319, 58, 16, -1, "", " Click left or right button for toggle date/time"},

    {"sbtnReadme", "grpMain", 8, 21, 22, 22, -1, "", " Show Vexal Readme file  (F1)", true, true, IDB_README},
    {"bitbtnSelDir", "grpMain", 33, 21, 136, 22, 0, "&Select ET Directory",
     "Select your Enemy Territory directory (Ctrl+S)", true, true, IDB_SELDIR, false, 6},
    {"edtParam", "grpMain", 175, 21, 280, 21, 1, "",
     " Set parameter for ET.exe -- comment possible with \"(...)\" behind the parameter"},
    {"btnAdd", "grpMain", 460, 22, 21, 20, 2, "+", " Add parameter to listbox", true, true, -1, false, 4, kArial13},
    {"btnDelParam", "grpMain", 484, 22, 21, 20, 3, "-", " Delete selected listbox item", true, true, -1, false, 4,
     kArial15},
    {"btnDelParamList", "grpMain", 508, 22, 21, 20, 4, "*", " Delete ALL entries from parameter list", true, true, -1,
     false, 4, kFixedsys11},
    {"lboxParam", "grpMain", 175, 49, 353, 110, 5, "", "", true, true, -1, false, 4, {}, ui::kClDefault,
     ui::kClDefault, true},
    {"imgAbout", "grpMain", 9, 50, 160, 109, -1, "", "", true, true, IDB_LOGO, false, 4, {}, ui::kClDefault,
     ui::kClDefault, true},

    {"sbtnNotepad", "grpMapName", 5, 17, 114, 22, -1, "Reset to Notepad", " Fall back to the default Windows editor",
     true, true, IDB_NOTEPAD},
    {"sbtnEditor", "grpMapName", 140, 17, 116, 22, -1, "Select your editor", "", true, true, IDB_EDITOR},
    {"sbtnBackup", "grpMapName", 277, 17, 112, 24, -1, "Backup to zip file", "", true, true, IDB_BACKUP},
    {"sbtnRestore", "grpMapName", 414, 17, 109, 22, -1, "Restore Backup", "", true, true, IDB_RESTORE},
    {"cbMinimize", "grpMapName", 12, 43, 110, 19, 0, "Minimize after start"},
    {"cbClose", "grpMapName", 148, 43, 97, 19, 1, "Close after start"},
    {"cbTray", "grpMapName", 284, 43, 97, 17, 2, "Icon in Tasktray",
     " Minimizes application to system tray instead of taskbar"},
    {"cbDelProfile", "grpMapName", 421, 43, 109, 17, 3, "Delete profile.pid's",
     " Delete ALL profile.pid files automatically (e. g. if ET resetting to resolution 800x600)"},
    {"BitBtnInfo", "grpMapName", 10, 71, 61, 21, 17, "&Info", " Show ET map info text", true, true, IDB_INFO, true,
     6},
    {"bitbtnSelMap", "grpMapName", 75, 71, 61, 21, 4, "&Map", " Select your Enemy Territory Map (*.pk3)", true, true,
     IDB_SELMAP, true, 6},
    {"cbxMap", "grpMapName", 140, 71, 191, 21, 5, "", "", true, true, -1, false, 4, {}, ui::kClMenuText},
    {"btnDelMap", "grpMapName", 335, 72, 21, 20, 6, "-", " Delete selected Entry from map list!", true, false, -1,
     false, 4, kArial15},
    {"btnDelMapList", "grpMapName", 359, 72, 21, 20, 7, "*", "", true, true, -1, false, 4, kFixedsys16,
     ui::kClMenuText},
    {"lbMinET", "grpMapName", 391, 74, 104, 13, -1, "ET Minimizer Alt{Ctrl}+"},
    {"cbxHotKey", "grpMapName", 496, 71, 33, 21, 8, "",
     " Select your hotkey Alt{Ctrl}+char from 0-9 to A-Z for minimize ET and return to desktop", true, true, -1,
     false, 4, {}, ui::kClAqua, ui::kClBlack},
    {"bitbtnRun", "grpMapName", 10, 105, 61, 23, 9, "&Run", " Run ET with map and parameter", true, true, IDB_RUN,
     true, 6, kRunFont},
    {"bitbtnASE", "grpMapName", 75, 105, 61, 23, 10, "&ASE", "", true, true, IDB_ASE, true, 8, kAseFont},
    {"bitbtnEdit", "grpMapName", 140, 105, 61, 23, 11, "&Edit", "", true, true, IDB_EDIT, false, 6},
    {"bitbtnLog", "grpMapName", 206, 105, 61, 23, 12, "&Log", "", true, true, IDB_RUN, false, 8},
    {"bitbtnDemo", "grpMapName", 271, 105, 61, 23, 13, "&Demo", "", true, true, IDB_DEMO, false, 5},
    {"bitbtnPicture", "grpMapName", 337, 105, 61, 23, 14, "&JPGs", "", true, true, IDB_PICTURE, false, 6, {},
     ui::kClDefault, ui::kClDefault, true},
    {"btnPB", "grpMapName", 402, 105, 61, 23, 15, "PB-&Update", " Make a manual Punkbuster Update with pbweb.exe"},
    {"bitbtnQuit", "grpMapName", 468, 105, 61, 23, 16, "  &Quit",
     " Yeah, right, like YOU have anything better do to ;-))", true, true, IDB_QUIT, false, 3},
    // Added after the design's controls, so that their numbers stay as they were.
    {"memServers", nullptr, 1, 1, 551, 312, 11, "", "", false},
};

// The Download item's hint names the address it opens, so it is given with the
// other start hints, from the address itself.
constexpr MenuRow kMenus[] = {
    {"Run1", "mnuMain", "Ru&n"},
    {"mnuRunET", "Run1", "&Run ET", kF9, false, false, false, false, IDB_RUN},
    {"mnuASE", "Run1", "Run &All Seeing Eye", kF8, false, false, false, false, IDB_ASE},
    {"mnuServerStatus", "Run1", "Server &Status", kF5, false, false, false, false, IDB_ASELOG,
     servers::text::kMenuHint},
    {"N8", "Run1", "-"},
    {"mnuPB", "Run1", "&Punk Buster Update", 0, false, false, false, false, IDB_RUN},
    {"N13", "Run1", "-"},
    {"mnuQuit", "Run1", "&Quit Vexal", 0, false, false, false, false, IDB_QUIT},

    {"Show1", "mnuMain", "&File"},
    {"mnuSelMap", "Show1", " Select ET Map...", 'M', true, false, false, false, IDB_SELMAP},
    {"mnuDemo", "Show1", "Select ET &Demo...", 0, false, false, false, false, IDB_DEMO},
    {"mnuScrShot", "Show1", "Sele&ct ET screenshot...", 0, false, false, false, false, IDB_PICTURE},
    {"N9", "Show1", "-"},
    {"mnuEdit", "Show1", "&Edit ET cfg files...", 'E', true, false, false, false, IDB_EDIT},
    {"N18", "Show1", "-"},
    {"mnuMapInfo", "Show1", "Show ET Map &info file", 'I', true, false, false, false, IDB_INFO},
    {"N11", "Show1", "-"},
    {"LogFiles1", "Show1", "Show Log &Files", 0, false, false, false, false, IDB_LOGFILES, " Show ET/ASE Log Files"},
    {"mnuLog", "LogFiles1", "ET &log file", 'L', true, false, false, false, IDB_RUN},
    {"mnuASELog", "LogFiles1", "ASE buddy log", 'B', true, false, false, false, IDB_ASELOG},
    {"mnuLaunchInfo", "LogFiles1", "ASE Launch Info", 'O', true, false, false, false, IDB_ASELOG},

    {"Preferences1", "mnuMain", "&Preferences"},
    {"mnuSelETDir", "Preferences1", "&Select ET Directory...", 'S', true, false, false, false, IDB_SELDIR},
    {"mnuNick", "Preferences1", "Set &Nickname for ET...", 'N', true, false, false, false, IDB_NICK},
    {"N12", "Preferences1", "-"},
    {"mnuNotepad", "Preferences1", "&Reset to Notepad", 0, false, false, false, false, IDB_NOTEPAD},
    {"mnuSelEditor", "Preferences1", "Select ET &Editor...", 0, false, false, false, false, IDB_EDITOR},
    {"N10", "Preferences1", "-"},
    {"mnuMinimize", "Preferences1", "&Minimize after start", 0, false, false, false, true},
    {"mnuClose", "Preferences1", "&Close after start", 0, false, false, false, true},
    {"mnuTasktray", "Preferences1", "Icon in Tas&ktray", 0, false, false, false, true},
    {"N21", "Preferences1", "-"},
    {"mnuInstances", "Preferences1", "Multiple &Instances", 0, false, false, false, true, -1,
     " Allows multiple Instances of Vexal to run"},
    {"mnuDelProfile", "Preferences1", "&Delete profile.pid's", 0, false, false, false, true},
    {"N15", "Preferences1", "-"},
    {"mnuMinMax", "Preferences1", "&Toggle Listbox size", kF4, false, false, false, true},
    {"N16", "Preferences1", "-"},
    {"mnuSound", "Preferences1", "Toggle Sou&nd", 0, false, false, false, true},

    {"Save1", "mnuMain", "&Backup"},
    {"mnuBackupZip", "Save1", "&Backup to Zip file", 'B', true, true, false, false, IDB_BACKUP},
    {"mnuBackupOnQuit", "Save1", "Backup on &Quit", 0, false, false, false, true},
    {"N17", "Save1", "-"},
    {"mnuRestore", "Save1", "&Restore from Zip file", 'R', true, true, false, false, IDB_RESTORE},

    {"mnuHelp", "mnuMain", "&Help"},
    {"mnuReadme", "mnuHelp", "&Vexal readme-vexal.txt", kF1, false, false, false, false, IDB_README},
    {"mnuETReadme", "mnuHelp", "&ET Support Documentation", kF1, false, false, true, false, IDB_RUN},
    {"N19", "mnuHelp", "-"},
    {"mnuDownload", "mnuHelp", "&Download Vexal.exe", 'D', true, true, false, false, IDB_DOWNLOAD},
    {"N14", "mnuHelp", "-"},
    {"mnuChanges", "mnuHelp", "Vexal &changes", kF2, false, false, true, false, IDB_CHANGES},
    {"N22", "mnuHelp", "-"},
    {"mnuAbout", "mnuHelp", "&About Vexal", 'A', true, false, false, false, IDB_ABOUT},

    {"mnuAdd", "popLBox", "&Add parameter to listbox"},
    {"N4", "popLBox", "-"},
    {"mnuDelete", "popLBox", "&Delete selected parameter from listbox"},
    {"mnuDelLboxItems", "popLBox", "Delete ALL list&box parameters"},
    {"N1", "popLBox", "-"},
    {"mnuCopyEntry", "popLBox", "Copy &selected parameter to clipboard"},
    {"mnuCopy", "popLBox", "&Copy ALL parameters to clipboard"},
    {"N2", "popLBox", "-"},
    {"mnuPaste", "popLBox", "&Paste all parameters from clipboard"},
    {"N7", "popLBox", "-"},
    {"mnuMax", "popLBox", "&Maximize/Minimize parameter listbox", kF4, false, false, false, false, -1, "", true},

    {"popVexal", "popTray", "Show &Vexal", 0, false, false, false, false, IDB_INFO, "", true, true},
    {"N3", "popTray", "-"},
    {"popRunET", "popTray", "&Run ET", 0, false, false, false, false, IDB_RUN},
    {"popPB", "popTray", "Run &PB-Update", 0, false, false, false, false, IDB_RUN},
    {"popRunASE", "popTray", "Run &ASE", 0, false, false, false, false, IDB_ASE},
    {"popServerStatus", "popTray", "Server &Status", 0, false, false, false, false, IDB_ASELOG,
     servers::text::kMenuHint},
    {"N20", "popTray", "-"},
    {"popEditCfg", "popTray", "&Edit cfg", 0, false, false, false, false, IDB_EDIT},
    {"N6", "popTray", "-"},
    {"popReadme", "popTray", "Rea&dme Vexal", 0, false, false, false, false, IDB_README},
    {"popAbout", "popTray", "A&bout Vexal", 0, false, false, false, false, IDB_ABOUT, "", true},
    {"N5", "popTray", "-"},
    {"popQuit", "popTray", "&Quit Vexal", 0, false, false, false, false, IDB_QUIT},
};
// clang-format on

}  // namespace

std::span<const ControlRow> controls() { return kControls; }
std::span<const MenuRow> menus() { return kMenus; }

}  // namespace vexal::layout
