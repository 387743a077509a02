#include "util/lines.h"

#include <utility>

#include "util/error.h"
#include "util/file_facts.h"

namespace vexal::util {

void ReplaceMatchingLines(platform::FileSystem& fs, platform::Clock& clock, const std::string& path,
                          const std::string& search, const std::string& replacement) {
    ReplaceMatchingLines(fs, clock, path, std::vector<LineRule>{{search, replacement}});
}

void ReplaceMatchingLines(platform::FileSystem& fs, platform::Clock& clock, const std::string& path,
                          const std::vector<LineRule>& rules) {
    const auto text = fs.readFile(path);
    if (!text) throw Error(cannotOpenFileText(path));
    // An empty search text matches no line: it would otherwise replace the whole file.
    std::vector<std::pair<std::string, const std::string*>> needles;
    for (const auto& rule : rules)
        if (!rule.search.empty()) needles.emplace_back(clock.lower(rule.search), &rule.replacement);
    if (text->empty() || needles.empty()) return;

    // The file belongs to the game (or the user): a replaced line keeps its own
    // line end, and every other byte stays as it was.
    std::string out;
    out.reserve(text->size());
    bool changed = false;
    const std::size_t n = text->size();
    for (std::size_t start = 0; start < n;) {
        std::size_t end = start;
        while (end < n && (*text)[end] != '\r' && (*text)[end] != '\n') ++end;
        std::size_t next = end;
        // Only CR followed by LF is one line end; LF followed by CR is two.
        if (next < n) next += ((*text)[next] == '\r' && next + 1 < n && (*text)[next + 1] == '\n') ? 2 : 1;
        const std::string line = text->substr(start, end - start);
        const std::string lowered = clock.lower(line);
        const std::string* replacement = nullptr;
        for (const auto& [needle, with] : needles) {
            if (lowered.find(needle) == std::string::npos) continue;
            replacement = with;
            break;
        }
        if (replacement && line != *replacement) {
            out += *replacement;
            changed = true;
        } else {
            out += line;
        }
        out.append(*text, end, next - end);
        start = next;
    }
    if (!changed) return;
    try {
        fs.writeFileAtomic(path, out);
    } catch (...) {
        throw Error(cannotCreateFileText(path));
    }
}

std::vector<std::string> splitLines(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    const std::size_t n = text.size();
    while (start < n) {
        std::size_t end = start;
        while (end < n && text[end] != '\r' && text[end] != '\n') ++end;
        lines.push_back(text.substr(start, end - start));
        // Only CR followed by LF is one line end; LF followed by CR is two.
        if (end < n && text[end] == '\r' && end + 1 < n && text[end + 1] == '\n') ++end;
        start = end + 1;
    }
    return lines;
}

std::string joinLines(const std::vector<std::string>& lines) {
    std::string out;
    for (const auto& line : lines) out += line + "\r\n";
    return out;
}

}  // namespace vexal::util
