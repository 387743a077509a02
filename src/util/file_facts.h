#pragma once
// What the file system says about files and folders, and how a failure is put.
#include <atomic>
#include <cstdint>
#include <functional>
#include <limits>
#include <string>

#include "platform/platform.h"

namespace vexal::util {

// Error texts of the file routines, exactly as the standard error box shows them.
[[nodiscard]] std::string cannotOpenFileText(const std::string& path);    // "Datei <path> kann nicht geöffnet werden"
[[nodiscard]] std::string cannotCreateFileText(const std::string& path);  // "Datei <path> kann nicht erstellt werden"

// Makes `folder` the current folder, which programs started by their bare name
// and tools that look for files beside them need. Throws vexal::Error "Cannot
// change to the <what> "<folder>": ..." when it cannot; no folder named at all is
// refused too, rather than leaving the current folder where it was.
void enterFolder(platform::FileSystem& fs, const std::string& folder, const char* what = "folder");

// One walk through a folder tree for everything that looks below a folder.
struct TreeWalk {
    // Folders whose name begins with a full stop (".git") are left alone, not only "." and "..".
    bool skipDotFolders = false;
    // A folder's own entries all come before anything in its subfolders; else a
    // subfolder is walked as soon as it is met.
    bool entriesBeforeSubfolders = false;
    int maxDepth = std::numeric_limits<int>::max();  // levels entered below the start folder
    const std::atomic<bool>* stop = nullptr;         // once set, no further folder is listed
};
// Calls `visit` with each file and folder below `folder` and the folder it stands
// in (with its trailing backslash). Junctions and symbolic links to folders are
// neither visited nor entered: they may lead out of the tree or round in a circle.
void walkTree(platform::FileSystem& fs, const std::string& folder, const TreeWalk& how,
              const std::function<void(const std::string& dir, const platform::DirEntry& entry)>& visit);

// Files below `folder`, at any depth, hidden ones included; folders are not counted.
// A count that is no longer wanted ends early (with a part of the number) once `stop` is set.
[[nodiscard]] std::int32_t CountFilesInTree(platform::FileSystem& fs, const std::string& folder,
                                            const std::atomic<bool>* stop = nullptr);

// Size of a file (low 32 bits), 0 when it does not exist.
[[nodiscard]] std::uint32_t FileSizeOf(platform::FileSystem& fs, const std::string& path);

// Last change of a file as short date and long time text.
[[nodiscard]] std::string FileDateText(platform::FileSystem& fs, platform::Clock& clock, const std::string& path);

}  // namespace vexal::util
