#pragma once
// The pure rules of the game launch and the map facts, apart from the window.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/platform.h"

namespace vexal::launch {

// The launch target as the taskbar button, the Run menu, the tray tooltip and the
// tray menu name it. The menu's accelerator comes and goes with the occasion.
[[nodiscard]] inline std::string runTitle(const std::string& target) { return "Run ET  [" + target + "]"; }
[[nodiscard]] inline std::string runMenuCaption(const std::string& target, bool accelerator) {
    // Not "&" + a temporary: GCC 12 at -O2 takes that for an overlapping copy and stops the build.
    std::string caption = accelerator ? "&" : "";
    caption += runTitle(target);
    return caption;
}
[[nodiscard]] inline std::string trayHint(const std::string& map, const std::string& longName) {
    return "Run ET [" + map + "]\n\r[" + longName + "]";
}
[[nodiscard]] inline std::string trayRunCaption(const std::string& longName) { return "Run ET [" + longName + "]"; }

// The parameter string handed to et.exe: the line, a blank and the map (unless the
// line connects to a server), the first "(...)" comment removed, and the nickname
// when it has two characters or more.
[[nodiscard]] std::string composeLaunchParameters(const std::string& paramLine, const std::string& map,
                                                  const std::string& nickname);

// Line 2 of a map information file from its 11th character ("longname: " is ten).
// Nothing when there is no information file: the map field's text serves then.
[[nodiscard]] std::string longMapNameFrom(const std::optional<std::string>& infoText, const std::string& mapField);

struct MapFacts {
    std::string mapField;
    std::optional<std::string> infoText;  // the map information file, when it exists
    std::uint32_t infoSize = 0;
    bool pictureExists = false;
    std::uint32_t pictureSize = 0;
    std::int32_t images = 0;     // files below mappics
    std::int32_t infoFiles = 0;  // files below mapinfos
    std::size_t maps = 0;        // entries of the map list
    bool packageExists = false;
    std::uint32_t packageSize = 0;
    std::string packageDate;  // date and time text of the package
};

struct MapStatistics {
    std::string pictureHint;  // hint of the map picture
    std::string line2;        // for the hint of the map field
};

[[nodiscard]] MapStatistics mapStatistics(const MapFacts& facts, const platform::NumberFormat& format);

// Deletes every file called `fileName` (a name, not a mask; letter case ignored)
// in `folder` and below it, deleting in a folder before descending. Folders whose
// name begins with a full stop are skipped, and so are junctions and symbolic
// links, which could lead out of the game folder or round in a circle.
void deletionWalk(platform::FileSystem& fs, const std::string& folder, const std::string& fileName);

// The eight lines a first start lays out, in their written order.
[[nodiscard]] const std::vector<std::string>& predefinedParameterLines();

}  // namespace vexal::launch
