#include "util/utilities.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "settings/paths.h"
#include "util/error.h"

namespace vexal::util {

std::string cannotOpenFileText(const std::string& path) {
    return "Datei " + path +
           " kann nicht ge\xF6"
           "ffnet werden";  // Windows-1252, as every text of the program
}

std::string cannotCreateFileText(const std::string& path) { return "Datei " + path + " kann nicht erstellt werden"; }

std::string FileBaseName(const std::string& path) {
    std::string name = settings::extractFileName(path);
    const std::size_t dot = name.find_last_of('.');
    if (dot != std::string::npos) name.erase(dot);
    return name;
}

std::string versionText(const platform::FileVersion& version) {
    return std::to_string(version.msw >> 16) + '.' + std::to_string(version.msw & 0xFFFFu) + '.' +
           std::to_string(version.lsw >> 16);
}

std::string GetVersionText(platform::Process& process) {
    const auto version = process.fileVersion(process.exePath());
    if (!version) throw Error(kNoVersionInfoText);
    return versionText(*version);
}

void ListToClipboard(platform::Clipboard& clipboard, const ui::ListBox* list, bool all) {
    if (!list) return;
    std::string text;
    if (all) {
        text = joinLines(list->items().all());
    } else if (list->itemIndex() >= 0) {  // a single-selection list: at most one entry
        text = list->items()[static_cast<std::size_t>(list->itemIndex())] + "\r\n";
    }
    clipboard.setText(text);
}

void ClipboardToList(platform::Clipboard& clipboard, ui::ListBox* list) {
    if (!list) return;
    const auto text = clipboard.text();
    if (!text) return;
    list->setItems(splitLines(*text));
}

bool InternetConnected(platform::Connectivity& connectivity) { return connectivity.connected(); }

namespace {

// Windows stops a tree walk at the path length limit; with long paths enabled a
// junction that points back up would recurse until the stack runs out. No real
// folder of the game goes anywhere near this depth.
constexpr int kMaxTreeDepth = 128;

std::int32_t countFiles(platform::FileSystem& fs, const std::string& folder, int depth) {
    const std::string dir = settings::includeTrailingBackslash(folder);
    std::int64_t count = 0;
    for (const auto& entry : fs.list(dir, "*.*")) {
        if (!entry.isDirectory())
            ++count;
        // A linked folder may point back up the tree or to another drive: not ours to count.
        else if (entry.name != "." && entry.name != ".." && depth < kMaxTreeDepth &&
                 (entry.attributes & platform::kAttrReparsePoint) == 0)
            count += countFiles(fs, dir + entry.name, depth + 1);
    }
    return static_cast<std::int32_t>(std::min<std::int64_t>(count, std::numeric_limits<std::int32_t>::max()));
}

}  // namespace

std::int32_t CountFilesInTree(platform::FileSystem& fs, const std::string& folder) {
    // No folder named at all (an unset game directory) counts nothing rather than
    // walking the current folder.
    if (folder.empty()) return 0;
    return countFiles(fs, folder, 0);
}

void SetListExtent(platform::Screen& screen, ui::ListBox* list, int minWidth) {
    if (!list) return;
    if (minWidth == 0) {
        list->setHorizontalExtent(0);
        return;
    }
    const ui::Font& font = list->font();
    int widest = minWidth;
    for (const auto& item : list->items().all())
        widest = std::max(widest, screen.textWidth(font.name, font.height, font.bold, item));
    list->setHorizontalExtent(widest + screen.dialogFrameWidth());
}

std::uint32_t FileSizeOf(platform::FileSystem& fs, const std::string& path) {
    const auto entry = fs.stat(path);
    if (!entry || entry->isDirectory()) return 0;
    // A file beyond 4 GB shows as the largest size the caller can hold instead of
    // wrapping round to a small, plainly wrong number.
    return static_cast<std::uint32_t>(std::min<std::uint64_t>(entry->size, 0xFFFFFFFFu));
}

namespace {

std::string groupThousands(std::uint64_t n, char separator) {
    std::string digits = std::to_string(n);
    if (separator == '\0') return digits;  // a locale without a thousands separator
    std::string out;
    const std::size_t lead = digits.size() % 3 == 0 ? 3 : digits.size() % 3;
    out.append(digits, 0, lead);
    for (std::size_t i = lead; i < digits.size(); i += 3) {
        out += separator;
        out.append(digits, i, 3);
    }
    return out;
}

// Two decimals, rounded half away from zero. The values are byte counts divided
// by powers of 1024, so value * 100 is exact in a double and the rounding never
// depends on binary noise.
std::string twoDecimals(double value, const platform::NumberFormat& format) {
    const auto cents = static_cast<std::uint64_t>(std::round(value * 100.0));
    std::string out = groupThousands(cents / 100, format.thousands);
    out += format.decimal;
    const auto frac = static_cast<unsigned>(cents % 100);
    out += static_cast<char>('0' + frac / 10);
    out += static_cast<char>('0' + frac % 10);
    return out;
}

}  // namespace

std::string FormatByteSize(std::uint32_t bytes, const platform::NumberFormat& format) {
    constexpr std::uint32_t kKilo = 1024;
    constexpr std::uint32_t kMega = kKilo * 1024;
    constexpr std::uint32_t kGiga = kMega * 1024;
    const double n = bytes;
    if (bytes < kKilo) return groupThousands(bytes, format.thousands) + " Bytes";
    if (bytes < kMega) return twoDecimals(n / 1024, format) + " KB";
    if (bytes < kGiga) return twoDecimals(n / 1024 / 1024, format) + " MB";
    return twoDecimals(n / 1024 / 1024 / 1024, format) + " GB";
}

std::string FileDateText(platform::FileSystem& fs, platform::Clock& clock, const std::string& path) {
    const auto entry = fs.stat(path);
    if (!entry) return std::string();  // callers pass existing files; a vanished one shows no date
    return clock.dateTimeText(entry->lastWrite);
}

void ReplaceMatchingLines(platform::FileSystem& fs, platform::Clock& clock, const std::string& path,
                          const std::string& search, const std::string& replacement) {
    const auto text = fs.readFile(path);
    if (!text) throw Error(cannotOpenFileText(path));
    // An empty search text matches no line: it would otherwise replace the whole file.
    const std::string needle = clock.lower(search);
    if (text->empty() || needle.empty()) return;

    // The file belongs to the game (or the user): a replaced line keeps its own
    // line end, and every other byte stays as it was.
    std::string out;
    out.reserve(text->size() + replacement.size());
    bool changed = false;
    const std::size_t n = text->size();
    for (std::size_t start = 0; start < n;) {
        std::size_t end = start;
        while (end < n && (*text)[end] != '\r' && (*text)[end] != '\n') ++end;
        std::size_t next = end;
        // Only CR followed by LF is one line end; LF followed by CR is two.
        if (next < n) next += ((*text)[next] == '\r' && next + 1 < n && (*text)[next + 1] == '\n') ? 2 : 1;
        const std::string line = text->substr(start, end - start);
        if (clock.lower(line).find(needle) != std::string::npos && line != replacement) {
            out += replacement;
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
