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
inline constexpr const char* kNever = "never";
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

// The Run hint, long form (start-up, refresh, mouse over Run) and short form
// (right after the hotkey character changed).
[[nodiscard]] inline std::string runHintLong(char k) {
    const std::string c(1, k);
    return " Run ET.exe -- (press Alt+" + c + " or Ctrl+" + c + " into ET for minimize ET or " +
           "use Ctrl+End for quit ET.exe";
}
[[nodiscard]] inline std::string runHintShort(char k) {
    const std::string c(1, k);
    return " Run ET.exe -- (press Alt+" + c + " or Ctrl+" + c + " into ET for minimize ET and" + " return to Desktop)";
}

}  // namespace vexal::shell::text
