#include "viewers/viewer_rules.h"

namespace vexal::viewers {

std::string viewerHint(const std::string& fileName, std::size_t lines) {
    return " " + fileName + " (Lines: " + std::to_string(lines) + ")   " +
           "<click on the status line or press ESC for close>";
}

std::string fromFirstLineStart(const std::string& tail) {
    const std::size_t end = tail.find_first_of("\r\n");
    if (end == std::string::npos) return tail;
    std::size_t start = end + 1;
    if (tail[end] == '\r' && start < tail.size() && tail[start] == '\n') ++start;
    return tail.substr(start);
}

std::string toLastLineEnd(const std::string& head) {
    const std::size_t end = head.find_last_of("\r\n");
    return end == std::string::npos ? head : head.substr(0, end + 1);
}

std::string lastLogText(const std::string& firstLine) {
    std::string out = firstLine.substr(0, 255);
    for (char& c : out)
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) c = ' ';
    return out;
}

}  // namespace vexal::viewers
