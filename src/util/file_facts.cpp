#include "util/file_facts.h"

#include <algorithm>
#include <limits>
#include <vector>

#include "util/error.h"
#include "util/path_text.h"

namespace vexal::util {

std::string cannotOpenFileText(const std::string& path) {
    return "Datei " + path +
           " kann nicht ge\xF6"
           "ffnet werden";  // Windows-1252, as every text of the program
}

std::string cannotCreateFileText(const std::string& path) { return "Datei " + path + " kann nicht erstellt werden"; }

void enterFolder(platform::FileSystem& fs, const std::string& folder, const char* what) {
    if (folder.empty() || !fs.setCurrentDirectory(folder))
        throw Error(std::string("Cannot change to the ") + what + " \"" + folder +
                    "\": it does not exist or is not accessible.");
}

namespace {

using Visit = std::function<void(const std::string&, const platform::DirEntry&)>;

void walk(platform::FileSystem& fs, const std::string& dir, int depth, const TreeWalk& how, const Visit& visit) {
    if (how.stop && how.stop->load(std::memory_order_relaxed)) return;
    std::vector<std::string> later;
    for (const auto& entry : fs.list(dir, "*.*")) {
        if (entry.isDirectory() && (entry.name == "." || entry.name == ".." ||
                                    (how.skipDotFolders && (entry.name.empty() || entry.name[0] == '.')) ||
                                    (entry.attributes & platform::kAttrReparsePoint)))
            continue;
        visit(dir, entry);
        if (!entry.isDirectory() || depth >= how.maxDepth) continue;
        if (how.entriesBeforeSubfolders)
            later.push_back(entry.name);
        else
            walk(fs, dir + entry.name + '\\', depth + 1, how, visit);
    }
    for (const auto& name : later) walk(fs, dir + name + '\\', depth + 1, how, visit);
}

}  // namespace

void walkTree(platform::FileSystem& fs, const std::string& folder, const TreeWalk& how, const Visit& visit) {
    walk(fs, includeTrailingBackslash(folder), 0, how, visit);
}

std::int32_t CountFilesInTree(platform::FileSystem& fs, const std::string& folder, const std::atomic<bool>* stop) {
    // No folder named at all (an unset game directory) counts nothing rather than
    // walking the current folder.
    if (folder.empty()) return 0;
    // Windows stops a tree walk at the path length limit; with long paths enabled a
    // deep tree could recurse until the stack runs out. No real folder of the game
    // goes anywhere near this depth.
    std::int64_t count = 0;
    walkTree(fs, folder, {.maxDepth = 128, .stop = stop},
             [&count](const std::string&, const platform::DirEntry& entry) { count += entry.isDirectory() ? 0 : 1; });
    return static_cast<std::int32_t>(std::min<std::int64_t>(count, std::numeric_limits<std::int32_t>::max()));
}

std::uint32_t FileSizeOf(platform::FileSystem& fs, const std::string& path) {
    const auto entry = fs.stat(path);
    if (!entry || entry->isDirectory()) return 0;
    // A file beyond 4 GB shows as the largest size the caller can hold instead of
    // wrapping round to a small, plainly wrong number.
    return static_cast<std::uint32_t>(std::min<std::uint64_t>(entry->size, 0xFFFFFFFFu));
}

std::string FileDateText(platform::FileSystem& fs, platform::Clock& clock, const std::string& path) {
    const auto entry = fs.stat(path);
    if (!entry) return std::string();  // callers pass existing files; a vanished one shows no date
    return clock.dateTimeText(entry->lastWrite);
}

}  // namespace vexal::util
