#pragma once
// The texts of choosing the game folder and the game program.
#include <string>

namespace vexal::text {

inline constexpr const char* kGameFolderTitle = "Select your Enemy Territory directory";
inline constexpr const char* kNoGame = "et.exe not found! Abort Vexal!";

inline constexpr const char* kProgramMenuHint = " Choose the game program that Run starts";
inline constexpr const char* kProgramEtHint = " Start Enemy Territory 2.60b (et.exe)";
inline constexpr const char* kProgramEtlHint =
    " Start ET: Legacy (etl.exe), which keeps your files in Documents\\ETLegacy";
inline constexpr const char* kProgramEteX64Hint = " Start ETe, 64-bit (ETe.x64.exe)";
inline constexpr const char* kProgramEteHint = " Start ETe (ETe.exe)";

// The stored program has gone from the game folder; said once, as the choice changes.
[[nodiscard]] inline std::string programGone(const std::string& stored, const std::string& now) {
    return " " + stored + " is no longer in the game folder: Run starts " + now;
}

}  // namespace vexal::text
