#pragma once
// Every text the backup and the restore show, in one place.
#include <string>

namespace vexal::backup::text {

inline constexpr const char* kArchiveName = "Vexal-backup.zip";

// The summary after a backup made by hand; "\n\r" is the program's own line break.
inline std::string summary(std::size_t files, const std::string& size) {
    return std::to_string(files) + " files successfully archived" + "\n\r" + "\n\r" + kArchiveName + " saved (" + size +
           ")";
}

inline constexpr const char* kRestoreQuestion =
    "Do you really restore ALL files from Vexal-backup.zip?\n\r\n\r(All existing files and preferences are "
    "overwritten!)";
inline constexpr const char* kRestoreDone =
    "Vexal-backup.zip restore successfull\n\r\n\rVexal.exe will now start again...";

// Failures. The archive's own faults name the entry, so the user can look at it.
inline std::string missingArchive(const std::string& path) {
    return std::string("There is no backup to restore: ") + path + " was not found.";
}
inline std::string damaged(const std::string& what) {
    return std::string(kArchiveName) + " is damaged and was not restored; nothing was changed.\n\r\n\r" + what;
}
inline std::string refusedEntry(const std::string& name, const std::string& why) {
    return std::string(kArchiveName) + " was not restored; nothing was changed.\n\r\n\rThe entry \"" + name + "\" " +
           why + ".";
}
inline constexpr const char* kTooManyEntries = "The backup holds more than 65,535 files, more than a ZIP archive can.";
inline constexpr const char* kTooLarge = "The backup would be larger than 4 GB, more than a ZIP archive can hold.";
inline std::string unreadableSource(const std::string& path) { return "Cannot read " + path + " for the backup."; }
inline std::string cannotCreateFolder(const std::string& path) { return "Cannot create the folder " + path + "."; }
inline std::string badNewArchive(const std::string& why) {
    return "The new backup did not read back correctly and was discarded; the previous backup is kept.\n\r\n\r" + why;
}
inline std::string restartFailed(const std::string& why) {
    return "The files were restored, but Vexal could not be started again. Please start it yourself.\n\r\n\r" + why;
}

}  // namespace vexal::backup::text
