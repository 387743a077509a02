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

// The folder of the game's own files (demos, screenshots) for a parameter line:
// gameDir + "\etpro\<sub>" when the line plays the etpro mod (a plain substring
// test for "set fs_game etpro" in this letter case), else gameDir + "\etmain\<sub>".
[[nodiscard]] std::string modFolder(const std::string& gameDir, const std::string& paramLine, const std::string& sub);

}  // namespace vexal::util
