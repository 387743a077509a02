#include "backup/restore_swap.h"

#include <optional>
#include <set>

#include "backup/backup_texts.h"
#include "settings/paths.h"
#include "util/case_fold.h"

namespace vexal::backup {

namespace {

constexpr const char* kJournalTitle = "Vexal restore journal";
constexpr const char* kStaging = "staging";
constexpr const char* kSwapping = "swapping";
constexpr const char* kUndoing = "undoing";

// staging: the staged files may exist, the targets are untouched.
// swapping: every staged file exists or is in place already; go forward.
// undoing: some originals may be back already; only go back.
enum class Stage { Staging, Swapping, Undoing };

struct JournalFile {
    std::string name;  // relative target
    bool replaces;     // an original stood there when the restore began
};

struct Journal {
    Stage stage = Stage::Staging;
    std::vector<std::string> folders;  // relative; created by the restore, outer ones first
    std::vector<JournalFile> files;
};

// The file that could not be moved or deleted, and why.
struct Stuck {
    std::string path, why;
};

std::string serialize(const Journal& j) {
    const char* stage = j.stage == Stage::Staging ? kStaging : j.stage == Stage::Swapping ? kSwapping : kUndoing;
    std::string text = std::string(kJournalTitle) + "\r\n" + stage + "\r\n";
    for (const auto& f : j.folders) text += "folder " + f + "\r\n";
    for (const auto& f : j.files) text += (f.replaces ? "replace " : "create ") + f.name + "\r\n";
    return text;
}

// Nothing for a journal this program did not write: one that names anything
// outside the program folder is not acted on.
std::optional<Journal> parse(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t at = 0;
    while (at < text.size()) {
        std::size_t end = text.find('\n', at);
        if (end == std::string::npos) end = text.size();
        std::string line = text.substr(at, end - at);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(std::move(line));
        at = end + 1;
    }
    if (lines.size() < 2 || lines[0] != kJournalTitle) return std::nullopt;
    Journal j;
    if (lines[1] == kStaging)
        j.stage = Stage::Staging;
    else if (lines[1] == kSwapping)
        j.stage = Stage::Swapping;
    else if (lines[1] == kUndoing)
        j.stage = Stage::Undoing;
    else
        return std::nullopt;
    for (std::size_t i = 2; i < lines.size(); ++i) {
        const std::string& line = lines[i];
        const std::size_t blank = line.find(' ');
        const std::string word = line.substr(0, blank);
        const std::string name = blank == std::string::npos ? std::string() : line.substr(blank + 1);
        if (entryNameFault(name)) return std::nullopt;
        if (word == "folder")
            j.folders.push_back(name);
        else if (word == "replace" || word == "create")
            j.files.push_back({name, word == "replace"});
        else
            return std::nullopt;
    }
    return j;
}

class Swapper {
public:
    Swapper(platform::FileSystem& fs, const std::string& programDir)
        : fs_(fs), dir_(programDir), journal_(programDir + kRestoreJournal) {}

    [[nodiscard]] const std::string& journalPath() const { return journal_; }
    [[nodiscard]] std::string journalTemp() const { return journal_ + kStagedSuffix; }

    // Written beside and renamed over, so a journal is always whole.
    void writeJournal(const Journal& j) {
        fs_.writeFile(journalTemp(), serialize(j));
        fs_.replaceFile(journalTemp(), journal_);
    }

    // Read-only marks, which the stored attributes may have set, stop the delete: they
    // are cleared only then, as most files have none.
    bool removeFile(const std::string& path) {
        if (fs_.deleteFile(path) || !fs_.fileExists(path)) return true;
        (void)fs_.setAttributes(path, platform::kAttrNormal);
        return fs_.deleteFile(path);
    }

    // Removes what the staging wrote: the staged files, the folders it made, the
    // journal. The targets were never touched.
    std::optional<Stuck> undoStaging(const Journal& j) {
        std::optional<Stuck> stuck;
        for (const auto& f : j.files) {
            const std::string staged = dir_ + f.name + kStagedSuffix;
            if (!removeFile(staged) && !stuck) stuck = Stuck{staged, text::kCannotDelete};
        }
        removeFolders(j);
        if (stuck) return stuck;
        return dropJournal();
    }

    // Puts the originals back whatever state each file is in. The journal says
    // "undoing" first: once an original is back, going forward would mix old and new.
    std::optional<Stuck> rollBack(Journal& j) {
        if (j.stage != Stage::Undoing) {
            j.stage = Stage::Undoing;
            try {
                writeJournal(j);
            } catch (const Error& e) {
                return Stuck{journal_, e.what()};
            }
        }
        for (auto it = j.files.rbegin(); it != j.files.rend(); ++it)
            if (auto stuck = undoSwap(*it)) return stuck;
        removeFolders(j);
        return dropJournal();
    }

    // Swaps every file that is still staged. Nothing when all are in place.
    std::optional<Stuck> rollForward(const Journal& j) {
        for (const auto& f : j.files)
            if (auto stuck = swap(dir_ + f.name)) return stuck;
        return std::nullopt;
    }

    // Every file is in place: the originals go, then the journal. A kept original
    // that cannot be deleted keeps the journal, so the next start tries again.
    void finish(const Journal& j) {
        bool clean = true;
        for (const auto& f : j.files) clean = removeFile(dir_ + f.name + kKeptSuffix) && clean;
        if (clean) (void)dropJournal();
    }

    // `fresh`: straight after the staging, whose files are known to be there and whose
    // plan says whether an original stands in the way; a start's repair looks first.
    std::optional<Stuck> swap(const std::string& target, std::optional<bool> fresh = std::nullopt) {
        const std::string staged = target + kStagedSuffix, kept = target + kKeptSuffix;
        try {
            if (!fresh && !fs_.fileExists(staged)) return std::nullopt;  // swapped already
            if (fresh.value_or(false) || fs_.fileExists(target)) {
                if (fs_.fileExists(kept)) return Stuck{kept, text::kInTheWay};
                fs_.replaceFile(target, kept);
            }
            fs_.replaceFile(staged, target);
        } catch (const Error& e) {
            return Stuck{target, e.what()};
        }
        return std::nullopt;
    }

private:
    // Safe to repeat: a file already undone is left as it is.
    std::optional<Stuck> undoSwap(const JournalFile& f) {
        const std::string target = dir_ + f.name, staged = target + kStagedSuffix, kept = target + kKeptSuffix;
        try {
            if (fs_.fileExists(staged)) {
                // Not swapped, or the original moved aside and the new file not yet in.
                if (fs_.fileExists(kept)) fs_.replaceFile(kept, target);
                if (!removeFile(staged)) return Stuck{staged, text::kCannotDelete};
            } else if (fs_.fileExists(kept)) {
                (void)fs_.setAttributes(target, platform::kAttrNormal);
                fs_.replaceFile(kept, target);
            } else if (!f.replaces && !removeFile(target)) {
                return Stuck{target, text::kCannotDelete};  // came with the restore
            }
        } catch (const Error& e) {
            return Stuck{target, e.what()};
        }
        return std::nullopt;
    }

    void removeFolders(const Journal& j) {
        for (auto it = j.folders.rbegin(); it != j.folders.rend(); ++it) (void)fs_.removeDirectory(dir_ + *it);
    }

    std::optional<Stuck> dropJournal() {
        if (!removeFile(journal_)) return Stuck{journal_, text::kCannotDelete};
        (void)removeFile(journalTemp());
        return std::nullopt;
    }

    platform::FileSystem& fs_;
    std::string dir_, journal_;
};

// The read-only, hidden, system and archive marks the archive keeps for an entry.
std::uint32_t storedMarks(const ZipEntry& entry) {
    return entry.attributes &
           (platform::kAttrReadOnly | platform::kAttrHidden | platform::kAttrSystem | platform::kAttrArchive);
}

// The file already there is the one the archive holds, marks and all: restoring it
// would write the same bytes and rename twice, which is most of a restore's time
// when it goes back to a backup of a tree that has hardly changed.
bool unchangedBy(platform::FileSystem& fs, const RestoreTarget& t, const std::string& data) {
    constexpr std::uint32_t kMarks =
        platform::kAttrReadOnly | platform::kAttrHidden | platform::kAttrSystem | platform::kAttrArchive;
    return t.existing && !t.existing->isDirectory() && t.existing->size == data.size() &&
           (t.existing->attributes & kMarks) == storedMarks(*t.entry) && readsBackAs(fs, t.path, data);
}

// The journal of a plan: the folders it must make (outer ones first) and its files.
Journal journalOf(platform::FileSystem& fs, const std::string& programDir, const std::vector<RestoreTarget>& plan) {
    Journal j;
    std::set<std::string> seen;
    auto needFolder = [&](const std::string& path) {
        if (seen.insert(util::foldCase(path)).second && !fs.directoryExists(path))
            j.folders.push_back(path.substr(programDir.size()));
    };
    for (const auto& t : plan) {
        for (std::size_t at = t.path.find('\\', programDir.size()); at != std::string::npos;
             at = t.path.find('\\', at + 1))
            needFolder(t.path.substr(0, at));
        if (t.entry->isFolder())
            needFolder(t.path);
        else
            j.files.push_back({t.path.substr(programDir.size()), t.existing.has_value()});
    }
    return j;
}

}  // namespace

void swapInRestore(platform::FileSystem& fs, const std::string& programDir, std::string_view archive,
                   const std::vector<RestoreTarget>& plan, const ZipProgress& onProgress) {
    Swapper swapper(fs, programDir);
    // Whatever an earlier restore left is settled before this one begins.
    if (fs.fileExists(swapper.journalPath()) || fs.fileExists(swapper.journalTemp()))
        (void)repairInterruptedRestore(fs, programDir);

    Journal journal = journalOf(fs, programDir, plan);
    try {
        swapper.writeJournal(journal);
    } catch (const Error& e) {
        (void)swapper.removeFile(swapper.journalTemp());
        throw Error(text::notStaged(swapper.journalPath(), e.what()));
    }

    // Staging: every write that space or rights can stop happens here.
    std::vector<bool> unchanged(plan.size(), false);
    std::uint64_t total = 0, done = 0;
    for (const auto& t : plan) total += t.entry->size;
    auto report = [&](ZipPhase phase) {
        if (onProgress)
            onProgress(total == 0 ? 100.0 : 100.0 * static_cast<double>(done) / static_cast<double>(total),
                       ZipOperation::Extract, phase);
    };
    try {
        for (const auto& folder : journal.folders)
            if (!fs.createDirectory(programDir + folder))
                throw Error(text::notStaged(programDir + folder, text::cannotCreateFolder(programDir + folder)));
        for (std::size_t i = 0; i < plan.size(); ++i) {
            const RestoreTarget& t = plan[i];
            report(ZipPhase::Start);
            if (!t.entry->isFolder()) {
                const std::string data = inflateEntry(archive, *t.entry);
                report(ZipPhase::Process);
                if (unchangedBy(fs, t, data)) {
                    unchanged[i] = true;
                    done += t.entry->size;
                    report(ZipPhase::End);
                    continue;
                }
                try {
                    fs.writeFileUnflushed(t.path + kStagedSuffix, data);
                } catch (const Error& e) {
                    throw Error(text::notStaged(t.path, e.what()));
                }
                done += t.entry->size;
            }
            report(ZipPhase::End);
        }
        // Every staged file is on the disk before the journal lets a start go forward
        // with them. Flushed together once all are written, they cost a fraction of a
        // flush after each. The stored marks come last: a read-only file can no longer
        // be opened to flush it.
        for (std::size_t i = 0; i < plan.size(); ++i) {
            const RestoreTarget& t = plan[i];
            if (t.entry->isFolder() || unchanged[i]) continue;
            const std::string staged = t.path + kStagedSuffix;
            try {
                fs.flushFile(staged);
            } catch (const Error& e) {
                throw Error(text::notStaged(t.path, e.what()));
            }
            const std::uint32_t stored = storedMarks(*t.entry);
            // A new file carries the archive mark alone, as most stored files do.
            if (stored != platform::kAttrArchive)
                (void)fs.setAttributes(staged, stored == 0 ? platform::kAttrNormal : stored);
        }
        // What already stands there as the archive has it is left alone: no swap, no
        // kept original, nothing for a later start to settle.
        std::set<std::string> same;
        for (std::size_t i = 0; i < plan.size(); ++i)
            if (unchanged[i]) same.insert(plan[i].path.substr(programDir.size()));
        std::erase_if(journal.files, [&same](const JournalFile& f) { return same.count(f.name) != 0; });
        journal.stage = Stage::Swapping;
        try {
            swapper.writeJournal(journal);
        } catch (const Error& e) {
            throw Error(text::notStaged(swapper.journalPath(), e.what()));
        }
    } catch (const std::exception&) {
        // A staged file that cannot be removed keeps the journal; the next start tries again.
        (void)swapper.undoStaging(journal);
        throw;
    }

    // Swapping: renames only. The first that fails undoes the ones before it.
    for (const auto& f : journal.files) {
        if (auto stuck = swapper.swap(programDir + f.name, f.replaces)) {
            if (auto left = swapper.rollBack(journal)) throw UnfinishedRestore(text::notUndone(left->path, left->why));
            throw Error(text::notReplaced(stuck->path, stuck->why));
        }
    }
    swapper.finish(journal);
}

Repair repairInterruptedRestore(platform::FileSystem& fs, const std::string& programDir) {
    Swapper swapper(fs, programDir);
    if (!fs.fileExists(swapper.journalPath())) {
        // Killed while the first journal was written: nothing was staged yet.
        if (!fs.fileExists(swapper.journalTemp())) return Repair::None;
        (void)swapper.removeFile(swapper.journalTemp());
        return Repair::Undone;
    }
    const auto text = fs.readFile(swapper.journalPath());
    auto journal = text ? parse(*text) : std::nullopt;
    if (!journal) return Repair::None;  // not one of ours: left alone
    if (journal->stage == Stage::Staging) {
        if (auto stuck = swapper.undoStaging(*journal))
            throw Error(text::interruptedRestoreStuck(stuck->path, stuck->why));
        return Repair::Undone;
    }
    if (journal->stage == Stage::Swapping && !swapper.rollForward(*journal)) {
        swapper.finish(*journal);
        return Repair::Completed;
    }
    if (auto stuck = swapper.rollBack(*journal)) throw Error(text::interruptedRestoreStuck(stuck->path, stuck->why));
    return Repair::Undone;
}

StartRepair repairAtStart(platform::Services& services) {
    const std::string programDir = settings::programDirectoryOf(services.process.exePath());
    const std::string journal = programDir + kRestoreJournal;
    if (!services.fs.fileExists(journal) && !services.fs.fileExists(journal + kStagedSuffix)) return {};
    // Another copy holds the lock while it restores: its journal is not ours to touch.
    if (!services.process.createMutex(kRestoreLock)) return {};
    try {
        (void)repairInterruptedRestore(services.fs, programDir);
    } catch (const Error& e) {
        services.dialogs.errorBox(e.what());
        return {false, true};
    }
    return {true, true};
}

}  // namespace vexal::backup
