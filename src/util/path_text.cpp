#include "util/path_text.h"

namespace vexal::util {

namespace {
// A drive's colon ends the folder part just as a backslash does: "C:a.txt" lies in "C:".
constexpr const char* kSeparators = "\\:";
}  // namespace

std::string extractFilePath(const std::string& path) {
    const std::size_t sep = path.find_last_of(kSeparators);
    return sep == std::string::npos ? std::string() : path.substr(0, sep + 1);
}

std::string extractFileName(const std::string& path) {
    const std::size_t sep = path.find_last_of(kSeparators);
    return sep == std::string::npos ? path : path.substr(sep + 1);
}

std::string includeTrailingBackslash(const std::string& folder) {
    // An empty folder stays empty: a lone backslash would name the root of the
    // current drive instead of the current folder.
    if (folder.empty() || folder.back() == '\\') return folder;
    return folder + '\\';
}

std::string FileBaseName(const std::string& path) {
    std::string name = extractFileName(path);
    const std::size_t dot = name.find_last_of('.');
    if (dot != std::string::npos) name.erase(dot);
    return name;
}

std::string modFolder(const std::string& gameDir, const std::string& paramLine, const std::string& sub) {
    const bool etpro = paramLine.find("set fs_game etpro") != std::string::npos;
    return gameDir + (etpro ? "\\etpro\\" : "\\etmain\\") + sub;
}

}  // namespace vexal::util
