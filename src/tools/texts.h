#pragma once
// What the companion launchers, the pickers, the nickname editor and the help
// commands show the user, in one place. "\n\r" (line feed, then carriage return)
// is this program's line break inside message texts.

namespace vexal::tools::texts {

// ---- server browser and updater
inline constexpr const char* kExeFilter = "EXE files (*.exe)|*.exe";
inline constexpr const char* kSelectProgramTitle = "Select your Program";
inline constexpr const char* kLastPbUpdate = "Last PB update: ";
inline constexpr const char* kNotConnected =
    "Sorry, you are not connected to Internet\n\rPlease connect to Internet and try it again";
inline constexpr const char* kReallyUpdate = "You are connected. Do you want to really make an update?";
inline constexpr const char* kUpdaterMissing = "The PunkBuster updater pbweb.exe was not found in the folder\n\r";
inline constexpr const char* kUpdaterMissingEnd = "\n\rIs PunkBuster installed with the game?";

// ---- pickers and the editor
// ET 2.55 recorded dm_83 demos; ET 2.60b and ET:Legacy (protocol 84) record dm_84.
inline constexpr const char* kDemoFilter = "Demo files (*.dm_83;*.dm_84)|*.dm_83;*.dm_84";
inline constexpr const char* kDemoTitle = "Select your Enemy Territory demo";
inline constexpr const char* kDemoPrefix = "+demo ";
inline constexpr const char* kScreenshotFilter = "Screenshot files (*.jpg)|*.jpg";
inline constexpr const char* kScreenshotTitle = "Select your Enemy Territory Screenshot";
inline constexpr const char* kCfgFilter = "CFG files (*.cfg)|*.CFG";
inline constexpr const char* kCfgTitle = "Select your ET config file";
inline constexpr const char* kDefaultEditorTitle = "Select your Default Editor";
inline constexpr const char* kEditorTitle = "Select your Editor";
inline constexpr const char* kEditHint = " Edit Enemy Territory cfg files";
inline constexpr const char* kEditHintRecent = " Edit Enemy Territory cfg files  (recent cfg: ";
inline constexpr const char* kReallyNotepad = "Do you really fall back to Windows default editor Notepad?";
inline constexpr const char* kNowNotepad = "Now your default editor is notepad.exe";
inline constexpr const char* kNoNotepad = "No Windows default editor found!";

// ---- nickname
inline constexpr const char* kNickCaption = "Set Nickname for Enemy Territory";
inline constexpr const char* kNickPrompt =
    " Some Enemy Territory main colors:\n\r\n\r^1 red, ^2 green,^3 yellow, ^4 blue, ^5 tuerkis\n\r^6 violet, ^7 white, "
    "^8 orange, ^9 gray, ^p black\n\r\n\r\n\rSample: ^1ET^pPlayer";
inline constexpr const char* kNickHint = " Current Nickname for Enemy Territory: ";
inline constexpr const char* kNoNickname = " Nickname for Enemy Territory not yet configured!";
inline constexpr const char* kNickRefused =
    "This nickname cannot be used: the game reads a double quote (\"), a semicolon (;) or a line break as the "
    "end of the name or of the command.\n\rLetters, digits, blanks, colour codes such as ^1 and the other signs "
    "are fine.\n\rThe nickname was not changed.";
inline constexpr const char* kAutoexecMissing = "ET autoexec.cfg not found!";
inline constexpr const char* kReplaceNick =
    "Replace nick in your ET autoexec.cfg too?\n\r\n\r(Entry  \"set[a] name\" must be present!)";
inline constexpr const char* kAutoexecReadOnly =
    " is write-protected (read-only), so the nickname was not written "
    "into it.\n\rRemove the write protection and set the nickname again.";

// ---- help and about
inline constexpr const char* kDocsMissing = "Sorry, your ET Support Documentation not found!\n\r(";
inline constexpr const char* kDownloadTitle = "Download Vexal.exe";
inline constexpr const char* kReallyDownload = "You are connected. Do you want really to make a Download?";
inline constexpr const char* kAboutTitle = "About Vexal";
// The download address is a placeholder of the documentation range, as the
// menu item's hint says: the program has no home page of its own yet. The
// about box names a second server for the other files.
inline constexpr const char* kDownloadAddress = "http://vexal.example.org/download/Vexal.exe";
inline constexpr const char* kAddress = " Address: ";  // + the download address, the menu item's hint
inline constexpr const char* kAboutExeAddress = "http://files.vexal.example.org/Vexal.exe";
inline constexpr const char* kAboutZipAddress = "http://files.vexal.example.org/Vexal.zip";
inline constexpr const char* kAboutTuneAddress = "http://files.vexal.example.org/Vexal.mp3";
inline constexpr const char* kAboutHighlightAddress = "http://files.vexal.example.org/Vexal-cfg-highlighting.zip";
inline constexpr const char* kAboutCredit1 = "Made by the Vexal team for the players of Enemy Territory.";
inline constexpr const char* kAboutCredit2 = "Thanks to everybody who tested it and sent ideas.";

inline constexpr const char* kHotkeyInvalid = "Global hotkey char not valid!\n\r\n\r(only a..z or 0..9 are valid!)";

}  // namespace vexal::tools::texts
