#include "viewers/viewer_rules.h"

#include <algorithm>

namespace vexal::viewers {

std::string viewerHint(const std::string& fileName, std::size_t lines) {
    return " " + fileName + " (Lines: " + std::to_string(lines) + ")   " +
           "<click on the status line or press ESC for close>";
}

std::optional<std::string> readViewerText(platform::FileSystem& fs, const std::string& path, bool end, bool& whole,
                                          std::size_t limit) {
    const auto facts = fs.stat(path);
    const std::uint64_t size = facts ? facts->size : 0;
    whole = size <= limit;
    if (whole) return fs.readFile(path);
    const auto part = fs.readFilePart(path, end ? size - limit - 1 : 0, limit + 1);
    if (!part) return std::nullopt;
    return end ? fromFirstLineStart(*part) : toLastLineEnd(*part, limit);
}

std::string fromFirstLineStart(const std::string& tail) {
    const std::size_t end = tail.find_first_of("\r\n");
    if (end == std::string::npos) return tail.empty() ? tail : tail.substr(1);
    std::size_t start = end + 1;
    if (tail[end] == '\r' && start < tail.size() && tail[start] == '\n') ++start;
    return tail.substr(start);
}

std::string toLastLineEnd(const std::string& head, std::size_t limit) {
    const std::size_t end = head.find_last_of("\r\n");
    return head.substr(0, end == std::string::npos ? limit : std::min(end + 1, limit));
}

std::string lastLogText(const std::string& firstLine) {
    std::string out = firstLine.substr(0, 255);
    for (char& c : out)
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) c = ' ';
    return out;
}

}  // namespace vexal::viewers
