#include "backup/backup_files.h"

#include <algorithm>
#include <array>
#include <map>
#include <set>

#include "backup/backup_texts.h"
#include "backup/restore_swap.h"
#include "settings/paths.h"
#include "util/case_fold.h"
#include "util/error.h"
#include "util/file_facts.h"

namespace vexal::backup {

namespace {

using platform::kAttrDirectory;
using platform::kAttrHidden;
using platform::kAttrReparsePoint;
using platform::kAttrSystem;

// A junction or symbolic link may point anywhere, even back up the tree.
bool isLinked(const platform::DirEntry& e) { return (e.attributes & kAttrReparsePoint) != 0; }

class Collector {
public:
    Collector(platform::FileSystem& fs, std::string programDir) : fs_(fs), root_(std::move(programDir)) {}

    void addFolderTree(const std::string& folder) {
        const auto facts = fs_.stat(root_ + folder);
        if (!facts || !facts->isDirectory() || isLinked(*facts)) return;
        add(root_ + folder, folder + "/", *facts);
        walk(folder, [this](const std::string& rel, const platform::DirEntry& e) {
            if ((e.attributes & (kAttrHidden | kAttrSystem)) == 0 || e.isDirectory())
                add(root_ + backslashed(rel), rel + (e.isDirectory() ? "/" : ""), e);
        });
    }

    // Files named like one of `names` anywhere in the tree, in the order of `names`.
    void addNamedFiles(const std::vector<std::string>& names) {
        std::vector<std::vector<std::pair<std::string, platform::DirEntry>>> found(names.size());
        auto match = [&](const std::string& rel, const platform::DirEntry& e) {
            if (e.isDirectory()) return;
            for (std::size_t i = 0; i < names.size(); ++i)
                if (util::sameName(e.name, names[i])) found[i].emplace_back(rel, e);
        };
        for (const auto& e : fs_.list(root_, "*.*"))
            if (!e.isDirectory()) match(e.name, e);
        walk("", match);
        for (const auto& group : found)
            for (const auto& [rel, e] : group) add(root_ + backslashed(rel), rel, e);
    }

    std::vector<BackupSource> sources;
    std::vector<text::LeftOutFile> leftOut;

private:
    static std::string backslashed(std::string s) {
        for (auto& c : s)
            if (c == '/') c = '\\';
        return s;
    }

    // Visits every entry below `folder` (relative, "" for the root's subfolders only)
    // with its name relative to the program folder.
    template <typename Visit>
    void walk(const std::string& folder, const Visit& visit) {
        util::walkTree(fs_, folder.empty() ? root_ : root_ + backslashed(folder), {},
                       [&](const std::string& dir, const platform::DirEntry& e) {
                           if (dir == root_ && !e.isDirectory()) return;  // the root's own files: addNamedFiles
                           std::string rel = dir.substr(root_.size()) + e.name;
                           for (auto& c : rel)
                               if (c == '\\') c = '/';
                           visit(rel, e);
                       });
    }

    void add(const std::string& path, const std::string& name, const platform::DirEntry& e) {
        // Found twice (a named file inside one of the folders) is one file; two names
        // that differ only in letter case, which a case-sensitive folder can hold,
        // would become one file on the way back.
        const auto [it, fresh] = seen_.emplace(util::foldCase(name), name);
        if (!fresh) {
            if (it->second != name) leftOut.push_back({name, text::onlyCaseDiffers(it->second)});
            return;
        }
        if (auto fault = entryNameFault(name)) {
            leftOut.push_back({name, *fault});
            return;
        }
        sources.push_back({path, name, e.attributes, e.isDirectory() ? 0 : e.size, e.lastWrite});
    }

    platform::FileSystem& fs_;
    std::string root_;
    std::map<std::string, std::string> seen_;  // folded name -> name as listed
};

// Windows opens a device for these names, with any extension; "\xB9", "\xB2" and
// "\xB3" are the superscript digits one, two and three of Windows-1252.
constexpr std::array<const char*, 33> kDeviceNames = {
    "con",  "prn",  "aux",  "nul",     "com0",    "com1",    "com2",    "com3",    "com4",   "com5",    "com6",
    "com7", "com8", "com9", "com\xB9", "com\xB2", "com\xB3", "lpt0",    "lpt1",    "lpt2",   "lpt3",    "lpt4",
    "lpt5", "lpt6", "lpt7", "lpt8",    "lpt9",    "lpt\xB9", "lpt\xB2", "lpt\xB3", "conin$", "conout$", "clock$"};

bool endsWith(const std::string& text, const std::string& tail) {
    return text.size() >= tail.size() && text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

std::vector<std::string> splitName(const std::string& name) {
    std::vector<std::string> parts(1);
    for (char c : name) {
        if (c == '/' || c == '\\')
            parts.emplace_back();
        else
            parts.back() += c;
    }
    return parts;
}

}  // namespace

BackupSources backupSources(platform::FileSystem& fs, const std::string& programDir, const std::string& settingsName) {
    Collector collect(fs, programDir);
    for (const char* folder : {"mapinfos", "sample", "mappics"}) collect.addFolderTree(folder);
    collect.addNamedFiles(
        {settings::kParamFile, settings::kMapFile, settingsName, settings::kReadmeFile, settings::kChangesFile});
    return {std::move(collect.sources), std::move(collect.leftOut)};
}

std::optional<std::string> entryNameFault(const std::string& name) {
    if (name.empty()) return text::kNoName;
    if (name.size() > kMaxEntryName) return text::kTooLong;
    if (name[0] == '/' || name[0] == '\\') return text::kAbsolute;
    if (name.find(':') != std::string::npos) return text::kDriveOrStream;
    auto parts = splitName(name);
    if (parts.size() > 1 && parts.back().empty()) parts.pop_back();  // a folder entry
    for (const auto& part : parts) {
        if (part.empty()) return text::kEmptyFolderName;
        if (part == "..") return text::kOutside;
        if (part == ".") return text::kDotFolder;
        if (part.back() == '.' || part.back() == ' ') return text::kDroppedEnd;
        for (unsigned char c : part)
            if (c < 0x20 || std::string_view("<>\"|?*").find(static_cast<char>(c)) != std::string_view::npos)
                return text::kForbiddenCharacters;
        // Windows drops blanks before the extension too: "nul .txt" is the device.
        std::string stem = util::lowerCase(part.substr(0, part.find('.')));
        while (!stem.empty() && stem.back() == ' ') stem.pop_back();
        for (const char* device : kDeviceNames)
            if (stem == device) return text::kDevice;
        const std::string folded = util::lowerCase(part);
        if (endsWith(folded, kStagedSuffix) || endsWith(folded, kKeptSuffix)) return text::kRestoreTemporary;
    }
    if (parts.size() == 1 && util::sameName(parts[0], kRestoreJournal)) return text::kJournalName;
    return std::nullopt;
}

std::vector<RestoreTarget> planRestore(platform::FileSystem& fs, const std::string& programDir,
                                       const std::string& exeName, const std::vector<ZipEntry>& entries) {
    // Every folder some entry needs, by folded relative name: a file entry there
    // would be written first and then stand in the way.
    std::set<std::string> neededFolders;
    for (const auto& entry : entries) {
        auto parts = splitName(util::foldCase(entry.name));
        if (parts.size() > 1 && parts.back().empty()) parts.pop_back();  // a folder's closing slash
        if (!entry.isFolder()) parts.pop_back();
        std::string folder;
        for (const auto& part : parts) neededFolders.insert(folder += (folder.empty() ? "" : "\\") + part);
    }
    std::vector<RestoreTarget> plan;
    // The folders on the way are the same for most entries: each is looked at once.
    std::map<std::string, std::optional<platform::DirEntry>> folders;
    for (const auto& entry : entries) {
        if (auto fault = entryNameFault(entry.name)) throw Error(text::refusedEntry(entry.name, *fault));
        auto parts = splitName(entry.name);
        if (entry.isFolder()) parts.pop_back();
        if (parts.size() == 1 && util::sameName(parts[0], exeName))
            throw Error(text::refusedEntry(entry.name, text::kProgramItself));
        if (!entry.isFolder()) {
            std::string key;
            for (const auto& part : parts) {
                if (!key.empty()) key += '\\';
                key += util::foldCase(part);
            }
            if (neededFolders.count(key)) throw Error(text::refusedEntry(entry.name, text::kFileForFolder));
        }
        std::string path = programDir;
        std::optional<platform::DirEntry> existing;
        for (std::size_t i = 0; i < parts.size(); ++i) {
            path += parts[i];
            const bool last = i + 1 == parts.size();
            std::optional<platform::DirEntry> facts;
            if (last) {
                facts = fs.stat(path);
            } else {
                const auto [seen, added] = folders.try_emplace(util::foldCase(path));
                if (added) seen->second = fs.stat(path);
                facts = seen->second;
            }
            if (facts) {
                if (last) existing = facts;
                if (isLinked(*facts)) throw Error(text::refusedEntry(entry.name, text::kLinkedFolder));
                if ((!last || entry.isFolder()) && !facts->isDirectory())
                    throw Error(text::refusedEntry(entry.name, text::kFileInTheWay));
                if (last && !entry.isFolder() && facts->isDirectory())
                    throw Error(text::refusedEntry(entry.name, text::kReplacesFolder));
            }
            if (!last) path += '\\';
        }
        plan.push_back({&entry, path, existing});
    }
    return plan;
}

bool readsBackAs(platform::FileSystem& fs, const std::string& path, const std::string& bytes) {
    constexpr std::size_t kPiece = 1 << 20;
    std::uint64_t at = 0;
    for (;;) {
        // One byte more than is left: a file of the right length ends within the piece, so
        // a small file is opened once, not a second time to find its end.
        const auto asked = static_cast<std::size_t>(std::min<std::uint64_t>(kPiece, bytes.size() - at + 1));
        const auto piece = fs.readFilePart(path, at, asked);
        if (!piece) return false;
        if (piece->empty()) return at == bytes.size();
        if (at + piece->size() > bytes.size() ||
            std::string_view(bytes).substr(static_cast<std::size_t>(at), piece->size()) != *piece)
            return false;
        at += piece->size();
        if (piece->size() < asked) return at == bytes.size();  // the file ended
    }
}

BackupSummary writeBackup(platform::FileSystem& fs, const std::string& programDir, const std::string& settingsName,
                          const std::string& archive, const ZipProgress& onProgress, std::uint64_t maxBytes) {
    auto [sources, leftOut] = backupSources(fs, programDir, settingsName);
    std::uint64_t total = 0, done = 0;
    for (const auto& s : sources) total += s.size;
    if (total > maxBytes) throw Error(text::tooLargeBackup(maxBytes));
    auto report = [&](std::uint64_t extra, ZipOperation operation, ZipPhase phase) {
        if (!onProgress) return;
        onProgress(total == 0 ? 100.0 : 100.0 * static_cast<double>(done + extra) / static_cast<double>(total),
                   operation, phase);
    };
    const auto operation = fs.fileExists(archive) ? ZipOperation::Replace : ZipOperation::Add;

    ZipWriter zip;
    zip.reserve(static_cast<std::size_t>(std::min<std::uint64_t>(total + total / 64 + 4096, 256u << 20)));
    BackupSummary summary;
    summary.leftOut = std::move(leftOut);
    std::uint64_t archived = 0;
    for (const auto& source : sources) {
        report(0, operation, ZipPhase::Start);
        std::string data;
        if (!source.isFolder()) {
            auto bytes = fs.readFile(source.path);
            if (!bytes) {
                if (fs.fileExists(source.path)) throw Error(text::unreadableSource(source.path));
                continue;  // gone since the listing: skipped like any missing file
            }
            data = std::move(*bytes);
        }
        // A file that grew since the listing counts as it is now.
        archived += data.size();
        if (archived > maxBytes) throw Error(text::tooLargeBackup(maxBytes));
        zip.add(source.name, data, source.attributes, source.time,
                [&](std::size_t chunk) { report(chunk, operation, ZipPhase::Process); });
        done += source.size;
        if (!source.isFolder()) ++summary.files;
        report(0, operation, ZipPhase::End);
    }
    const std::string bytes = zip.finish();
    summary.bytes = bytes.size();

    const std::string temp = archive + ".tmp";
    try {
        // minizip took each CRC from the data itself: the headers are what can go
        // wrong between here and the disk, and the read-back compares every byte.
        // The reader's own limits apply, so what is written here can be restored.
        (void)verifyZip(bytes, {kMaxZipEntries, maxBytes, false});
        fs.writeFileAtomic(temp, bytes);
        if (!readsBackAs(fs, temp, bytes)) throw Error(text::badNewArchive(text::kReadBackDiffers));
        fs.replaceFile(temp, archive);
    } catch (...) {
        (void)fs.deleteFile(temp);
        throw;
    }
    return summary;
}

void restoreBackup(platform::FileSystem& fs, const std::string& programDir, const std::string& exeName,
                   const std::string& archive, const ZipProgress& onProgress, std::uint64_t maxBytes) {
    if (!fs.fileExists(archive)) throw Error(text::missingArchive(archive));
    const auto bytes = fs.readFile(archive);
    if (!bytes) throw Error(text::damaged(text::kUnreadableArchive));
    const auto entries = verifyZip(*bytes, {kMaxZipEntries, maxBytes, true});
    const auto plan = planRestore(fs, programDir, exeName, entries);
    swapInRestore(fs, programDir, *bytes, plan, onProgress);
}

}  // namespace vexal::backup
