#pragma once
// The texts the parameter list and the map list show.
#include <string>

namespace vexal::launch::text {

inline constexpr const char* kClearParams =
    "Are yo sure to clear ALL Entries from your param list?\n\r\n\rYou can restore predefined params if you "
    "delete the file\n\rVexalParam.dat from your Vexal-directory!";
inline constexpr const char* kClearMaps = "Are yo sure to clear ALL Entries from your map list?";
inline std::string deleteMap(const std::string& map) { return "Are yo sure to delete " + map + " from your map list?"; }
inline constexpr const char* kMapFilter = "Map files (*.pk3)|*.pk3";
inline constexpr const char* kMapTitle = "Select your Enemy Territory map";
inline constexpr const char* kMapPresent = "Map is already present in the map list!";
inline std::string cannotLoadMod(const std::string& mod) {
    return "This etl.exe is 64-bit and cannot load the mod " + mod + ". Start it anyway?";
}

}  // namespace vexal::launch::text
