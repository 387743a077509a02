#pragma once
// What goes into the backup and where a restored entry may go. Portable: the
// file system is the platform's, so the tests run these on the fake one.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "backup/backup_texts.h"
#include "backup/zip_archive.h"
#include "platform/platform.h"

namespace vexal::backup {

inline constexpr const char* kRestoreJournal = "Vexal-restore.journal";
// A restore writes each file beside its target under this suffix first, and keeps
// the file it replaces under the other one until every file is in place.
inline constexpr const char* kStagedSuffix = ".vexal-new";
inline constexpr const char* kKeptSuffix = ".vexal-old";
// An entry name, relative, with forward or back slashes, holds at most this many
// characters, so that it still fits below a program folder and with a suffix.
inline constexpr std::size_t kMaxEntryName = 200;

struct BackupSource {
    std::string path;  // full path on disk
    std::string name;  // in the archive: relative, forward slashes, folders end with one
    std::uint32_t attributes = 0;
    std::uint64_t size = 0;
    platform::DateTime time;
    [[nodiscard]] bool isFolder() const { return !name.empty() && name.back() == '/'; }
};

struct BackupSources {
    std::vector<BackupSource> files;
    // Files and folders that a restore could not put back under their names.
    std::vector<text::LeftOutFile> leftOut;
};

// The program's own files below `programDir` (which ends with a backslash), in
// archive order: the folders "mapinfos", "sample" and "mappics" with everything
// below them but hidden and system files, then the two lists, the settings file
// (`settingsName`, which follows a renamed executable), the readme and the change
// log, each also from any subfolder. Linked folders (junctions, symbolic links)
// are not followed, and no file is listed twice. A name that entryNameFault()
// refuses, or that differs from one already listed only in letter case, is left out.
[[nodiscard]] BackupSources backupSources(platform::FileSystem& fs, const std::string& programDir,
                                          const std::string& settingsName);

// Why an entry name must not be restored, or nothing when it is a plain relative
// name that Windows keeps as it stands. The backup leaves out what this refuses,
// so that every archive it writes can be restored.
[[nodiscard]] std::optional<std::string> entryNameFault(const std::string& name);

struct RestoreTarget {
    const ZipEntry* entry;
    std::string path;                           // full path below the program folder
    std::optional<platform::DirEntry> existing;  // what stands there now
};

// Where each entry goes. Throws vexal::Error naming the first entry that must not
// be restored: a hostile name, the executable `exeName`, a path through a linked
// folder, or a file where a folder is needed (on disk or by another entry).
// Nothing is written.
// The file at `path` holds exactly `bytes`; read a piece at a time, so that a large
// file is never held twice.
[[nodiscard]] bool readsBackAs(platform::FileSystem& fs, const std::string& path, const std::string& bytes);

[[nodiscard]] std::vector<RestoreTarget> planRestore(platform::FileSystem& fs, const std::string& programDir,
                                                     const std::string& exeName, const std::vector<ZipEntry>& entries);

struct BackupSummary {
    std::size_t files = 0;    // folder entries not counted
    std::uint64_t bytes = 0;  // size of the archive
    std::vector<text::LeftOutFile> leftOut;
};

// Writes the archive of backupSources() to `archive`. The new archive is written
// beside the old one and replaces it only when it is complete on disk and reads
// back as written, so a failure or a kill at any point leaves the previous backup.
// More than `maxBytes` of files together is refused before anything is written.
// `onProgress` gets the share of source bytes done. Throws vexal::Error.
BackupSummary writeBackup(platform::FileSystem& fs, const std::string& programDir, const std::string& settingsName,
                          const std::string& archive, const ZipProgress& onProgress,
                          std::uint64_t maxBytes = kMaxBackupBytes);

// Restores the archive at `archive` into `programDir`, all or nothing. The whole
// archive and where each entry would go are checked first; then every file is
// written beside its target, a journal of the swaps is written, the files are
// swapped in, and the journal is deleted. A swap that fails puts back what was
// swapped. Throws vexal::Error when the folder is as it was, UnfinishedRestore
// when it is not and the journal is left for the next start.
void restoreBackup(platform::FileSystem& fs, const std::string& programDir, const std::string& exeName,
                   const std::string& archive, const ZipProgress& onProgress, std::uint64_t maxBytes = kMaxBackupBytes);

}  // namespace vexal::backup
