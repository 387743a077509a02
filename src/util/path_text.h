#pragma once
// Windows path names taken apart as text, without asking the file system.
#include <string>

namespace vexal::util {

// Folder part of a path with its trailing separator ("C:\\a\\b.txt" gives "C:\\a\\").
[[nodiscard]] std::string extractFilePath(const std::string& path);
// Name part of a path ("C:\\a\\b.txt" gives "b.txt").
[[nodiscard]] std::string extractFileName(const std::string& path);
[[nodiscard]] std::string includeTrailingBackslash(const std::string& folder);
// File name without folder and without its last extension: C:\ET\etmain\oasis.pk3 gives oasis.
[[nodiscard]] std::string FileBaseName(const std::string& path);

}  // namespace vexal::util
