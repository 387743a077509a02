#pragma once
// Every text the backup and the restore show, in one place.
#include <cstdint>
#include <string>
#include <vector>

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

// The size limit both sides share, in words a user reads.
inline std::string megabytes(std::uint64_t bytes) { return std::to_string(bytes >> 20) + " MB"; }
inline std::string tooLargeBackup(std::uint64_t limit) {
    return "The backup would hold more than " + megabytes(limit) +
           " of files, more than Vexal can restore. It was not written; the previous backup is kept.";
}
inline std::string tooLargeToRestore(std::uint64_t limit) {
    return std::string(kArchiveName) + " was not restored; nothing was changed.\n\r\n\rThe backup holds more than " +
           megabytes(limit) + " of files, more than Vexal can restore.";
}
inline std::string impossibleSize(const std::string& name) {
    return name + " claims to unpack to more than its packed data can hold.";
}

// Files a backup leaves out because a restore could not put them back under their names.
struct LeftOutFile {
    std::string name, why;
};
inline std::string leftOut(const std::vector<LeftOutFile>& files) {
    constexpr std::size_t kShown = 10;
    std::string text =
        "These files were left out of the backup, because Windows could not restore them under "
        "their names:\n\r";
    for (std::size_t i = 0; i < files.size() && i < kShown; ++i)
        text += "\n\r" + files[i].name + " (" + files[i].why + ")";
    if (files.size() > kShown) text += "\n\r... and " + std::to_string(files.size() - kShown) + " more";
    return text;
}

// A restore that failed after it began to write: what happened to the program folder.
inline std::string notStaged(const std::string& path, const std::string& why) {
    return std::string(kArchiveName) + " was not restored; nothing was changed.\n\r\n\r" + path +
           " could not be written: " + why;
}
inline std::string notReplaced(const std::string& path, const std::string& why) {
    return std::string(kArchiveName) + " was not restored; nothing was changed.\n\r\n\r" + path +
           " could not be replaced, perhaps because another program has it open: " + why;
}
inline std::string notUndone(const std::string& path, const std::string& why) {
    return std::string(kArchiveName) + " was restored only in part, and " + path + " could not be put back: " + why +
           "\n\r\n\rVexal will now start again and complete or undo the restore.";
}
inline std::string interruptedRestoreStuck(const std::string& path, const std::string& why) {
    return "An interrupted restore of " + std::string(kArchiveName) +
           " could be neither completed nor undone: " + path + ": " + why +
           "\n\r\n\rClose the program that uses the file and start Vexal again.";
}
inline constexpr const char* kRestoreBusy =
    "Another copy of Vexal is restoring or repairing the program folder. Try again when it has ended.";

}  // namespace vexal::backup::text
