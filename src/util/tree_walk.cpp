#include "util/tree_walk.h"

#include <vector>

#include "util/path_text.h"

namespace vexal::util {

namespace {

using Visit = std::function<void(const std::string&, const platform::DirEntry&)>;

bool entered(const platform::DirEntry& entry, const TreeWalk& how) {
    if (entry.name == "." || entry.name == "..") return false;
    if (how.skipDotFolders && (entry.name.empty() || entry.name[0] == '.')) return false;
    return (entry.attributes & platform::kAttrReparsePoint) == 0;
}

void walk(platform::FileSystem& fs, const std::string& dir, int depth, const TreeWalk& how, const Visit& visit) {
    if (how.stop && how.stop->load(std::memory_order_relaxed)) return;
    std::vector<std::string> later;
    for (const auto& entry : fs.list(dir, "*.*")) {
        if (entry.isDirectory() && !entered(entry, how)) continue;
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

}  // namespace vexal::util
