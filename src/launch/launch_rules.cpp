#include "launch/launch_rules.h"

#include <algorithm>

#include "settings/keys.h"
#include "settings/paths.h"
#include "ui/control.h"
#include "util/utilities.h"

namespace vexal::launch {

std::string composeLaunchParameters(const std::string& paramLine, const std::string& map, const std::string& nickname) {
    // The comment belongs to the parameter line; a map name such as "oasis(v2)" keeps its parentheses.
    std::string line = paramLine;
    const auto open = line.find('(');
    const auto close = line.find(')', open == std::string::npos ? 0 : open);
    if (open != std::string::npos && close != std::string::npos) line.erase(open, close - open + 1);

    // A server line connects by itself; a map would be a second, conflicting target.
    std::string params = paramLine.find("+connect") != std::string::npos ? line : line + " " + map;

    if (settings::isSet(nickname)) params += " +seta name " + nickname;
    // The game runs its command line as console commands, and a line break ends
    // one: whatever follows it would run as a command of its own.
    for (char& c : params)
        if (c == '\r' || c == '\n') c = ' ';
    return params;
}

std::string longMapNameFrom(const std::optional<std::string>& infoText, const std::string& mapField) {
    if (!infoText) return mapField;
    const auto lines = util::splitLines(*infoText);
    if (lines.size() < 2 || lines[1].size() <= 10) return {};
    return lines[1].substr(10);
}

MapStatistics mapStatistics(const MapFacts& f, const platform::NumberFormat& format) {
    std::string line1 = f.mapField;
    std::string line2 = "longname: not available";
    if (f.infoText) {
        const auto lines = util::splitLines(*f.infoText);
        line1 = lines.size() > 0 ? lines[0] : std::string();
        line2 = lines.size() > 1 ? lines[1] : std::string();
    }
    const std::string pictureLine =
        f.pictureExists ? "Image: " + f.mapField + ".jpg" : std::string("Image: <not available>");
    const std::uint32_t pictureSize = f.pictureExists ? f.pictureSize : 0;

    std::size_t width = std::max(line2.size(), pictureLine.size()) + 11;
    if (width <= 28) width = 30;
    const std::string separator(width, '-');

    const auto size = [&](std::uint32_t n) { return util::FormatByteSize(n, format); };
    const std::uint32_t packageSize = f.packageExists ? f.packageSize : 0;
    const bool longForm = packageSize >= 2;

    std::vector<std::string> rows;
    rows.push_back(" " + pictureLine);
    if (longForm) rows.push_back(" Image Size: " + size(pictureSize));
    rows.push_back(" Number of Images: " + std::to_string(f.images));
    rows.push_back(separator);
    rows.push_back(" " + line1 + ".pk3");
    rows.push_back(" " + line2);
    if (longForm) {
        rows.push_back(" Map date: " + f.packageDate.substr(0, 10));
        rows.push_back(" Map size: " + size(packageSize));
    }
    rows.push_back(" Number of Maps: " + std::to_string(f.maps));
    rows.push_back(separator);
    rows.push_back(" Map info size: " + size(f.infoText ? f.infoSize : 0));
    rows.push_back(" Map info files: " + std::to_string(f.infoFiles));

    MapStatistics out;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        if (i) out.pictureHint += "\n\r";
        out.pictureHint += rows[i];
    }
    out.line2 = line2;
    return out;
}

void deletionWalk(platform::FileSystem& fs, const std::string& folder, const std::string& fileName) {
    util::walkTree(fs, folder, {.skipDotFolders = true, .entriesBeforeSubfolders = true},
                   [&](const std::string& dir, const platform::DirEntry& entry) {
                       if (!entry.isDirectory() && ui::compareText(entry.name, fileName) == 0)
                           (void)fs.deleteFile(dir + entry.name);
                   });
}

const std::vector<std::string>& predefinedParameterLines() {
    // The two server lines use addresses of the documentation ranges, which no real server has.
    static const std::vector<std::string> lines = {
        "+sv_pure 1 +g_gametype 2 +map (default)",
        "+sv_pure 0 +g_gametype 2 +devmap",
        "set fs_game etpro +sv_pure 0 +g_gametype 2 +map",
        "set fs_game etpro +sv_pure 0 +g_gametype 2 +devmap",
        "+connect 192.0.2.10:27960 (Example server one)",
        "+connect 198.51.100.20:27960 (Example server two)",
        "+set fs_game bobot +sv_pure 0 +map (Bot match)",
        "set fs_game etpro +sv_pure 0 +g_gametype 2 +r_texturebits 32 +r_fastsky 0 +map",
    };
    return lines;
}

}  // namespace vexal::launch
