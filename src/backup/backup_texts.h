#pragma once
// Every text the backup and the restore show, in one place.
#include <cstdint>
#include <string>
#include <vector>

#include "settings/paths.h"

namespace vexal::backup::text {

inline constexpr const char* kArchiveName = settings::kBackupArchive;

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

// Why an entry name is refused, or a file left out; each follows the name.
inline constexpr const char* kNoName = "has no name";
inline constexpr const char* kTooLong = "is too long";
inline constexpr const char* kAbsolute = "is an absolute path";
inline constexpr const char* kDriveOrStream = "names a drive or a hidden stream";
inline constexpr const char* kEmptyFolderName = "has an empty folder name";
inline constexpr const char* kOutside = "points outside the program folder";
inline constexpr const char* kDotFolder = "has a folder named \".\"";
inline constexpr const char* kDroppedEnd = "ends with a dot or a blank, which Windows drops";
inline constexpr const char* kForbiddenCharacters = "contains characters Windows does not allow";
inline constexpr const char* kDevice = "names a device";
inline constexpr const char* kRestoreTemporary = "ends like the temporary files of a restore";
inline constexpr const char* kJournalName = "is the name of the restore's journal";
inline constexpr const char* kProgramItself = "would overwrite the program itself";
inline constexpr const char* kFileForFolder = "is a file where another entry needs a folder";
inline constexpr const char* kLinkedFolder = "leads through a linked folder";
inline constexpr const char* kFileInTheWay = "needs a folder where a file stands";
inline constexpr const char* kReplacesFolder = "would replace a folder";
inline std::string onlyCaseDiffers(const std::string& other) {
    return "differs from " + other + " only in letter case";
}
inline constexpr const char* kReadBackDiffers = "It differs from what was written.";
inline constexpr const char* kUnreadableArchive = "The file cannot be read.";

// Writing the archive, and what is wrong with one that is read; the archive's
// name and the restore's outcome are put around these.
inline constexpr const char* kCannotCreateZip = "Cannot create the ZIP archive.";
inline std::string cannotAdd(const std::string& name) { return "Cannot add " + name + " to the ZIP archive."; }
inline constexpr const char* kCannotCompleteZip = "Cannot complete the ZIP archive.";
inline constexpr const char* kOutOfMemory = "Out of memory.";
inline constexpr const char* kTooShort = "The file is too short to be a ZIP archive.";
inline constexpr const char* kEndMissing = "The end of the archive is missing; it may have been cut off.";
inline constexpr const char* kSeveralParts = "Archives in several parts are not supported.";
inline constexpr const char* kContentsMisplaced = "The table of contents is out of place.";
inline std::string tooManyEntries(std::uint64_t total, std::uint64_t limit) {
    return "It holds " + std::to_string(total) + " entries, more than " + std::to_string(limit) + ".";
}
inline std::string contentsBroken(std::uint64_t entry) {
    return "The table of contents is broken at entry " + std::to_string(entry) + ".";
}
inline std::string sizesDisagree(const std::string& name) { return "The sizes of " + name + " do not agree."; }
inline std::string wrongCheckSum(const std::string& name) { return "The check sum of " + name + " is wrong."; }
inline std::string cannotUnpack(const std::string& name) { return "The data of " + name + " cannot be unpacked."; }
inline std::string encrypted(const std::string& name) { return name + " is encrypted."; }
inline std::string unknownCompression(const std::string& name) { return name + " uses an unknown compression."; }
inline std::string twice(const std::string& name) { return name + " is in the archive twice."; }
inline std::string headerMissing(const std::string& name) { return "The header of " + name + " is missing."; }
inline std::string headersDisagree(const std::string& name) { return "The headers of " + name + " disagree."; }
inline std::string beyondItsPlace(const std::string& name) {
    return name + " reaches beyond its place in the archive.";
}
inline std::string folderHoldsData(const std::string& name) { return "The folder " + name + " holds data."; }

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
// Why a file of an interrupted restore is stuck; each follows the file's name.
inline constexpr const char* kCannotDelete = "it cannot be deleted.";
inline constexpr const char* kInTheWay = "it is in the way.";
inline constexpr const char* kRestoreBusy =
    "Another copy of Vexal is restoring or repairing the program folder. Try again when it has ended.";

}  // namespace vexal::backup::text
