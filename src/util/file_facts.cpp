#include "util/file_facts.h"

#include <algorithm>
#include <limits>

#include "util/path_text.h"

namespace vexal::util {

std::string cannotOpenFileText(const std::string& path) {
    return "Datei " + path +
           " kann nicht ge\xF6"
           "ffnet werden";  // Windows-1252, as every text of the program
}

std::string cannotCreateFileText(const std::string& path) { return "Datei " + path + " kann nicht erstellt werden"; }

namespace {

// Windows stops a tree walk at the path length limit; with long paths enabled a
// junction that points back up would recurse until the stack runs out. No real
// folder of the game goes anywhere near this depth.
constexpr int kMaxTreeDepth = 128;

std::int32_t countFiles(platform::FileSystem& fs, const std::string& folder, int depth,
                        const std::atomic<bool>* stop) {
    if (stop && stop->load(std::memory_order_relaxed)) return 0;
    const std::string dir = includeTrailingBackslash(folder);
    std::int64_t count = 0;
    for (const auto& entry : fs.list(dir, "*.*")) {
        if (!entry.isDirectory()) ++count;
        // A linked folder may point back up the tree or to another drive: not ours to count.
        else if (entry.name != "." && entry.name != ".." && depth < kMaxTreeDepth &&
                 (entry.attributes & platform::kAttrReparsePoint) == 0)
            count += countFiles(fs, dir + entry.name, depth + 1, stop);
    }
    return static_cast<std::int32_t>(std::min<std::int64_t>(count, std::numeric_limits<std::int32_t>::max()));
}

}  // namespace

std::int32_t CountFilesInTree(platform::FileSystem& fs, const std::string& folder, const std::atomic<bool>* stop) {
    // No folder named at all (an unset game directory) counts nothing rather than
    // walking the current folder.
    if (folder.empty()) return 0;
    return countFiles(fs, folder, 0, stop);
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
