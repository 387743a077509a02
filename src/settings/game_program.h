#pragma once
// The three game programs that join the same servers, and where each keeps the
// player's files. ET 2.60b (et.exe) and ETe keep them in the game folder; ET:Legacy
// (etl.exe) keeps them in the user's Documents\ETLegacy, or wherever the command
// line's fs_homepath says, and reads autoexec.cfg from four places in turn.
#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vexal::settings {

enum class GameProgram { Et, Etl, EteX64, Ete };

// In the order a folder that holds several is given its program: et.exe first, so
// that a folder of ET 2.60b stays what it always was.
inline constexpr std::array<GameProgram, 4> kGamePrograms{GameProgram::Et, GameProgram::Etl, GameProgram::EteX64,
                                                          GameProgram::Ete};

[[nodiscard]] const char* programFile(GameProgram program);
// The program a file name stands for, letter case ignored.
[[nodiscard]] std::optional<GameProgram> programNamed(std::string_view fileName);

// The program to start: the stored one while the folder holds it, else the first
// the folder holds; nothing when it holds none.
[[nodiscard]] std::optional<GameProgram> chooseProgram(const std::string& stored,
                                                       const std::vector<GameProgram>& present);

// The value a command line gives a setting at the game's start: the last
// "set <name> <value>" among its "+"-separated commands (the name in any letter
// case, the value quoted or not), as the engines read it before anything else.
[[nodiscard]] std::optional<std::string> startupSetting(const std::string& commandLine, std::string_view name);

// The mod a parameter line plays, as the game will see it: its fs_game when that
// names a plain folder, else nothing.
[[nodiscard]] std::optional<std::string> lineMod(const std::string& paramLine);

// Where the game reads and writes the player's files for one parameter line.
struct PlayerFolders {
    std::string user;  // the game's home: the game folder, or ET:Legacy's own folder
    std::string mod;   // the mod folder below it
    [[nodiscard]] std::string modDir() const { return user + "\\" + mod; }
    [[nodiscard]] std::string of(const std::string& sub) const { return modDir() + "\\" + sub; }
    friend bool operator==(const PlayerFolders&, const PlayerFolders&) = default;
};

// `documents` is the user's personal folder (empty when the system gives none).
// et.exe keeps its rule of old: etpro when the line holds "set fs_game etpro", else etmain.
[[nodiscard]] PlayerFolders playerFolders(GameProgram program, const std::string& gameDir, const std::string& documents,
                                          const std::string& paramLine);

// The autoexec.cfg files the game reads, the first that exists being the one.
[[nodiscard]] std::vector<std::string> autoexecCandidates(GameProgram program, const std::string& gameDir,
                                                          const PlayerFolders& folders);
// The folder of the console log and the first folder of the config file picker.
[[nodiscard]] std::string configFolder(GameProgram program, const std::string& gameDir, const PlayerFolders& folders);
// The folders below which the game leaves profile.pid files.
[[nodiscard]] std::vector<std::string> profileRoots(GameProgram program, const std::string& gameDir,
                                                    const PlayerFolders& folders);
// The folders whose packages hold the maps the game can load on a server of `serverMod`
// (empty for etmain).
[[nodiscard]] std::vector<std::string> mapFolders(GameProgram program, const std::string& gameDir,
                                                  const PlayerFolders& folders, const std::string& serverMod);

// The mods that ship 32-bit libraries only: the 64-bit etl.exe cannot load them.
[[nodiscard]] bool modNeeds32Bit(std::string_view mod);

}  // namespace vexal::settings
