#pragma once
// The texts of choosing the game folder.

namespace vexal::text {

inline constexpr const char* kGameFolderTitle = "Select your Enemy Territory directory";
inline constexpr const char* kNoGame = "et.exe not found! Abort Vexal!";

}  // namespace vexal::text
