#pragma once
// Putting a checked archive in place all or nothing, and finishing at the next
// start what a kill or a power cut interrupted.
//
// Every file is first written beside its target (target + kStagedSuffix): that is
// where space or rights can fail, and nothing of the user's is touched yet. Then a
// journal in the program folder says "swapping"; each target is renamed to
// target + kKeptSuffix and the staged file renamed into its place; the kept
// originals are deleted and the journal last. A swap that fails turns the journal
// to "undoing" before the first original goes back, so nothing ever goes forward
// again from there. A journal that says "staging" lists what the staging may have
// left, so a start can remove it without searching the folder.
#include <string>
#include <string_view>
#include <vector>

#include "backup/backup_files.h"
#include "platform/platform.h"
#include "util/error.h"

namespace vexal::backup {

// A named mutex: held by the copy that restores or repairs the program folder.
inline constexpr const char* kRestoreLock = "Vexal.exe restore";

// The restore failed half way and the files already swapped could not all be put
// back; the journal stays, and the next start completes or undoes the restore.
class UnfinishedRestore : public Error {
public:
    using Error::Error;
};

// Stages, swaps and cleans up as described above. Throws vexal::Error (the folder
// is as it was, with a message that names the file at fault) or UnfinishedRestore.
void swapInRestore(platform::FileSystem& fs, const std::string& programDir, std::string_view archive,
                   const std::vector<RestoreTarget>& plan, const ZipProgress& onProgress);

enum class Repair { None, Completed, Undone };

// At start, before the settings are read: a journal that says "swapping" is
// completed, or, when a file cannot be swapped, undone from the kept originals;
// one that says "staging" or "undoing" is undone. Throws vexal::Error naming the file when
// neither works; the journal then stays for the next start.
Repair repairInterruptedRestore(platform::FileSystem& fs, const std::string& programDir);

// The start's share: repairs when a journal is there and no other copy holds the
// restore lock. A repair that cannot be done is shown, and the program should
// then end rather than run on a half restored folder.
struct StartRepair {
    bool carryOn = true;
    bool holdsLock = false;  // this copy took the restore lock
};
[[nodiscard]] StartRepair repairAtStart(platform::Services& services);

}  // namespace vexal::backup
