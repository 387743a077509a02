#include "util/file_facts.h"

#include <algorithm>
#include <limits>

#include "util/error.h"
#include "util/tree_walk.h"

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
