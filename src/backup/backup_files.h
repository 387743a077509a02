#pragma once
// What goes into the backup and where a restored entry may go. Portable: the
// file system is the platform's, so the tests run these on the fake one.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "backup/zip_archive.h"
#include "platform/platform.h"

namespace vexal::backup {

struct BackupSource {
    std::string path;  // full path on disk
    std::string name;  // in the archive: relative, forward slashes, folders end with one
    std::uint32_t attributes = 0;
    std::uint64_t size = 0;
    platform::DateTime time;
    [[nodiscard]] bool isFolder() const { return !name.empty() && name.back() == '/'; }
};

// The program's own files below `programDir` (which ends with a backslash), in
// archive order: the folders "mapinfos", "sample" and "mappics" with everything
// below them but hidden and system files, then the two lists, the settings file
// (`settingsName`, which follows a renamed executable), the readme and the change
// log, each also from any subfolder. Linked folders (junctions, symbolic links)
// are not followed, and no file is listed twice.
[[nodiscard]] std::vector<BackupSource> backupSources(platform::FileSystem& fs, const std::string& programDir,
                                                      const std::string& settingsName);

// Why an entry name must not be restored, or nothing when it is a plain relative
// name that Windows keeps as it stands.
[[nodiscard]] std::optional<std::string> entryNameFault(const std::string& name);

struct RestoreTarget {
    const ZipEntry* entry;
    std::string path;  // full path below the program folder
};

// Where each entry goes. Throws vexal::Error naming the first entry that must not
// be restored: a hostile name, the executable `exeName`, or a path through a
// linked folder. Nothing is written.
[[nodiscard]] std::vector<RestoreTarget> planRestore(platform::FileSystem& fs, const std::string& programDir,
                                                     const std::string& exeName, const std::vector<ZipEntry>& entries);

// Extracts every planned entry: folders are created, each file goes to a temporary
// file that is renamed into place, read-only files are replaced, the stored
// attributes are set. `onProgress` gets the share of bytes done, 0 to 100.
void extractPlanned(platform::FileSystem& fs, const std::string& programDir, std::string_view archive,
                    const std::vector<RestoreTarget>& plan, const ZipProgress& onProgress);

struct BackupSummary {
    std::size_t files = 0;    // folder entries not counted
    std::uint64_t bytes = 0;  // size of the archive
};

// Writes the archive of backupSources() to `archive`. The new archive is written
// beside the old one and replaces it only when it is complete on disk and reads
// back as written, so a failure or a kill at any point leaves the previous backup.
// `onProgress` gets the share of source bytes done. Throws vexal::Error.
BackupSummary writeBackup(platform::FileSystem& fs, const std::string& programDir, const std::string& settingsName,
                          const std::string& archive, const ZipProgress& onProgress);

// Checks the whole archive at `archive` and where each entry would go (nothing
// is written when anything is wrong), then calls `beforeWriting` and extracts.
void restoreBackup(platform::FileSystem& fs, const std::string& programDir, const std::string& exeName,
                   const std::string& archive, const std::function<void()>& beforeWriting,
                   const ZipProgress& onProgress);

}  // namespace vexal::backup
