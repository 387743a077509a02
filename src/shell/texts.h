#pragma once
// What the status line, the hints and the tray say, in one place. Almost every
// text starts with one blank: the status line's left margin.
#include <string>

namespace vexal::shell::text {

inline constexpr const char* kSelDirStatus = " Enemy Territory directory: ";
inline constexpr const char* kInstallDir = " Vexal Installation directory: ";
inline constexpr const char* kNotepadAvailable = " Default Windows editor ";  // + path + " available"
inline constexpr const char* kAvailable = " available";
inline constexpr const char* kNoNotepad = " No default Windows editor found!";
inline constexpr const char* kEditorCurrent = " Select your ET Editor (Current: ";  // + path + ")"
inline constexpr const char* kEditorNotConfigured = " Select your ET Editor (not yet configured)";
inline constexpr const char* kLastBackup = " Last backup to vexal-backup.zip on: ";
inline constexpr const char* kRestoreHint = " Restore all files and ini values from vexal-backup.zip";
inline constexpr const char* kLogNeverOpened = " Logfile never opened";
inline constexpr const char* kLastPbUpdate = " Last Punk Buster update: ";
inline constexpr const char* kListHint =
    " ET parameters -- double click for scrollbar, F4 for maximize/minimize or right click for menu";
inline constexpr const char* kDemoFiles = " demo files in ";
inline constexpr const char* kScreenshots = " screenshots in ";
inline constexpr const char* kRunProgram = " Run ";
inline constexpr const char* kNoOtherProgram = " No other program configured! Press ASE Button";
inline constexpr const char* kEtDirectory = " ET directory: ";
inline constexpr const char* kSoundOn = " Toggle Sound Support [ON]";
inline constexpr const char* kSoundOff = " Toggle Sound Support [OFF]";
inline constexpr const char* kMinimizeHint = " Minimize Vexal to taskbar or system tray if ET.exe or ";  // + browser
inline constexpr const char* kRun = " run";
inline constexpr const char* kCloseHint = " Close Vexal after starting ET.exe or ";  // + browser
inline constexpr const char* kCloseHintEnd = "  (if checked, NO global hotkeys available!)";
inline constexpr const char* kDelMapListHint = " Delete ALL Entries in map list!";

// The backup's buttons: the first hint lacks a blank, as it always has.
inline constexpr const char* kFirstBackupHint = " Create Vexal-backup.zipwith all config files";
inline constexpr const char* kBackupButtonHint = " Create Vexal-backup.zip with all config files";
inline constexpr const char* kRestoreButtonHint = " Restore config files from Vexal-backup.zip";
inline constexpr const char* kLogButtonHint = " Show logfile etconsole.log";

// Menu item hints.
inline constexpr const char* kNoProgram = " No program configured! Press ASE Button";
inline constexpr const char* kDemoHint = " Select your ET demo map (*.dm83)";
inline constexpr const char* kScreenshotHint = " Shows your Screenshots as jpg with your default viewer";
inline constexpr const char* kMapInfoHint = " Shows map infos for the current ET map";
inline constexpr const char* kLogHint = " Show the ET logfile etconsole.log";
inline constexpr const char* kBuddyLogHint = " Show the All Seeing Eye buddylog.txt";
inline constexpr const char* kLaunchInfoHint = " Server infos about last ET game started with ASE";
inline constexpr const char* kNotepadHint = " Fall back to Windows Notepad.exe";
inline constexpr const char* kMinMaxHint = " Maximize/Minimize the Parameter listbox size";
inline constexpr const char* kBackupHint = " Create a backup from all important Vexal files";
inline constexpr const char* kBackupOnQuitHint = " Create a backup if Vexal quit";
inline constexpr const char* kReadmeHint = " Show readme-vexal.txt";
inline constexpr const char* kSupportHint = " Show the Support html files for Enemy Territory";
inline constexpr const char* kChangesHint = " Show changes-vexal.txt";

// The window caption and the tray menu's first row, with the program's version.
[[nodiscard]] inline std::string windowCaption(const std::string& version, const std::string& gameDir) {
    return "Vexal " + version + " final  [" + gameDir + "]";
}
[[nodiscard]] inline std::string trayShowCaption(const std::string& version) {
    return "Show Vexal (" + version + " final)";
}

}  // namespace vexal::shell::text
