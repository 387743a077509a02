#pragma once
// One walk through a folder tree for everything that looks below a folder: the
// file counts, the profile.pid clean-up and the backup's collection.
#include <atomic>
#include <functional>
#include <limits>
#include <string>

#include "platform/platform.h"

namespace vexal::util {

struct TreeWalk {
    // Folders whose name begins with a full stop (".git", ".svn") are left alone,
    // not only "." and "..".
    bool skipDotFolders = false;
    // A folder's own entries all come before anything in its subfolders; else a
    // subfolder is walked as soon as it is met.
    bool entriesBeforeSubfolders = false;
    // Levels of subfolders entered below the start folder.
    int maxDepth = std::numeric_limits<int>::max();
    // Once set, no further folder is listed.
    const std::atomic<bool>* stop = nullptr;
};

// Calls `visit` with each file and folder below `folder`, together with the folder
// it stands in (with its trailing backslash). Junctions and symbolic links to
// folders are neither visited nor entered: they may lead out of the tree, to
// another drive, or round in a circle.
void walkTree(platform::FileSystem& fs, const std::string& folder, const TreeWalk& how,
              const std::function<void(const std::string& dir, const platform::DirEntry& entry)>& visit);

}  // namespace vexal::util
