#pragma once
#include <string>

#include "platform/platform.h"
#include "util/path_text.h"

namespace vexal::settings {

// Fixed names joined to the program directory (which ends with a backslash) as
// they stand, so names with a leading backslash give a doubled one, which Windows accepts.
inline constexpr const char* kParamFile = "VexalParam.dat";
// The servers joined last, newest first.
inline constexpr const char* kRecentFile = "VexalRecent.dat";
inline constexpr const char* kMapFile = "VexalMap.dat";
// The buddies' name patterns, one a line.
inline constexpr const char* kBuddyFile = "VexalBuddies.dat";
inline constexpr const char* kIniFile = "Vexal.ini";
inline constexpr const char* kExeFile = "Vexal.exe";
inline constexpr const char* kBackupFolder = "backup\\";
inline constexpr const char* kBackupArchive = "Vexal-backup.zip";
inline constexpr const char* kMapInfoFolder = "mapinfos\\";
inline constexpr const char* kMapPicFolder = "mappics\\";
inline constexpr const char* kLogoPicture = "\\ET-Logo.jpg";
inline constexpr const char* kReadmeFile = "readme-vexal.txt";
inline constexpr const char* kChangesFile = "changes-vexal.txt";
inline constexpr const char* kClickSound = "headshot.wav";
inline constexpr const char* kAboutSound = "Vexal.mp3";

// Fixed names in the game directory. The game is started by its bare name from
// the game directory, and the profile lock file is looked for in every folder below it.
inline constexpr const char* kGameExe = "et.exe";
inline constexpr const char* kProfilePid = "profile.pid";
// Joined to the game directory as it stands.
inline constexpr const char* kEtMain = "\\etmain";

// The folder part of `exePath`, with its trailing backslash.
[[nodiscard]] std::string programDirectoryOf(const std::string& exePath);

using util::extractFileName;
using util::extractFilePath;
using util::includeTrailingBackslash;

}  // namespace vexal::settings
