#include "settings/game_program.h"

#include "util/case_fold.h"

namespace vexal::settings {

namespace {

constexpr const char* kLegacyHome = "\\ETLegacy";

// The parameter line without its first "(...)" comment, as the game receives it.
std::string withoutComment(std::string line) {
    const auto open = line.find('(');
    const auto close = line.find(')', open == std::string::npos ? 0 : open);
    if (open != std::string::npos && close != std::string::npos) line.erase(open, close - open + 1);
    return line;
}

// One console command split into words: blanks part them, double quotes hold a
// word together, "//" ends the command.
std::vector<std::string> words(std::string_view command) {
    std::vector<std::string> out;
    std::size_t i = 0;
    while (i < command.size()) {
        while (i < command.size() && static_cast<unsigned char>(command[i]) <= ' ') ++i;
        if (i >= command.size()) break;
        if (command.compare(i, 2, "//") == 0) break;
        std::string word;
        if (command[i] == '"') {
            const auto end = command.find('"', i + 1);
            word = std::string(command.substr(i + 1, end == std::string_view::npos ? end : end - i - 1));
            i = end == std::string_view::npos ? command.size() : end + 1;
        } else {
            while (i < command.size() && static_cast<unsigned char>(command[i]) > ' ') word += command[i++];
        }
        out.push_back(std::move(word));
    }
    return out;
}

// A folder name the engines accept as a mod: no path, no way up.
bool plainFolder(const std::string& name) {
    return !name.empty() && name != "." && name != ".." && name.find_first_of("\\/:*?\"<>|") == std::string::npos;
}

bool sameFolder(const std::string& a, const std::string& b) {
    auto trimmed = [](std::string s) {
        while (s.size() > 1 && s.back() == '\\') s.pop_back();
        return s;
    };
    return util::sameName(trimmed(a), trimmed(b));
}

void addFolder(std::vector<std::string>& folders, const std::string& folder) {
    for (const auto& f : folders)
        if (sameFolder(f, folder)) return;
    folders.push_back(folder);
}

}  // namespace

const char* programFile(GameProgram program) {
    switch (program) {
        case GameProgram::Et:
            return "et.exe";
        case GameProgram::Etl:
            return "etl.exe";
        case GameProgram::EteX64:
            return "ETe.x64.exe";
        case GameProgram::Ete:
            return "ETe.exe";
    }
    return "et.exe";
}

std::optional<GameProgram> programNamed(std::string_view fileName) {
    for (const GameProgram p : kGamePrograms)
        if (util::sameName(fileName, programFile(p))) return p;
    return std::nullopt;
}

std::optional<GameProgram> chooseProgram(const std::string& stored, const std::vector<GameProgram>& present) {
    auto holds = [&](GameProgram p) {
        for (const GameProgram q : present)
            if (q == p) return true;
        return false;
    };
    if (const auto wanted = programNamed(stored); wanted && holds(*wanted)) return wanted;
    for (const GameProgram p : kGamePrograms)
        if (holds(p)) return p;
    return std::nullopt;
}

std::optional<std::string> startupSetting(const std::string& commandLine, std::string_view name) {
    // The engines cut their command line into commands at every "+" outside quotes
    // and at line breaks; what stands before the first "+" is a command too.
    std::optional<std::string> value;
    std::size_t start = 0;
    bool quoted = false;
    for (std::size_t i = 0; i <= commandLine.size(); ++i) {
        const bool end = i == commandLine.size();
        if (!end && commandLine[i] == '"') quoted = !quoted;
        if (!end && !(commandLine[i] == '\n' || commandLine[i] == '\r' || (commandLine[i] == '+' && !quoted))) continue;
        const auto w = words(std::string_view(commandLine).substr(start, i - start));
        // Only "set" is run before the game opens its folders: "seta" comes too late.
        if (w.size() >= 3 && w[0] == "set" && util::asciiLowerCase(w[1]) == util::asciiLowerCase(name)) value = w[2];
        start = i + 1;
    }
    return value;
}

std::optional<std::string> lineMod(const std::string& paramLine) {
    auto mod = startupSetting(withoutComment(paramLine), "fs_game");
    if (!mod || !plainFolder(*mod)) return std::nullopt;
    return mod;
}

PlayerFolders playerFolders(GameProgram program, const std::string& gameDir, const std::string& documents,
                            const std::string& paramLine) {
    if (program == GameProgram::Et) {
        const bool etpro = paramLine.find("set fs_game etpro") != std::string::npos;
        return {gameDir, etpro ? "etpro" : "etmain"};
    }
    const auto mod = lineMod(paramLine);
    if (program != GameProgram::Etl) return {gameDir, mod.value_or("etmain")};
    std::string home = documents.empty() ? gameDir : documents + kLegacyHome;
    if (auto set = startupSetting(withoutComment(paramLine), "fs_homepath"); set && !set->empty()) {
        home = *set;
        // "D:\" stays a drive root; "D:\ETL\" is the folder D:\ETL.
        while (home.size() > 3 && home.back() == '\\') home.pop_back();
    }
    return {home, mod.value_or("legacy")};
}

std::vector<std::string> autoexecCandidates(GameProgram program, const std::string& gameDir,
                                            const PlayerFolders& folders) {
    if (program != GameProgram::Etl) return {gameDir + "\\etmain\\autoexec.cfg"};
    std::vector<std::string> out;
    for (const auto& [home, mod] : {std::pair{folders.user, "legacy"}, std::pair{gameDir, "legacy"},
                                    std::pair{folders.user, "etmain"}, std::pair{gameDir, "etmain"}})
        addFolder(out, home + "\\" + mod + "\\autoexec.cfg");
    return out;
}

std::string configFolder(GameProgram program, const std::string& gameDir, const PlayerFolders& folders) {
    // ET 2.60b's folder of old, whatever mod the line plays.
    if (program == GameProgram::Et) return gameDir + "\\etmain";
    return folders.modDir();
}

std::vector<std::string> profileRoots(GameProgram program, const std::string& gameDir, const PlayerFolders& folders) {
    std::vector<std::string> out{gameDir};
    if (program == GameProgram::Etl && !folders.user.empty()) addFolder(out, folders.user);
    return out;
}

std::vector<std::string> mapFolders(GameProgram program, const std::string& gameDir, const PlayerFolders& folders,
                                    const std::string& serverMod) {
    std::vector<std::string> out{gameDir + "\\etmain"};
    const bool mod = !serverMod.empty() && !util::sameName(serverMod, "etmain");
    if (mod) out.push_back(gameDir + "\\" + serverMod);
    if (program != GameProgram::Etl) return out;
    // ET:Legacy downloads into its home; packages of etmain and legacy land in dlcache.
    for (const std::string& m :
         mod ? std::vector<std::string>{"etmain", serverMod} : std::vector<std::string>{"etmain"}) {
        addFolder(out, folders.user + "\\" + m);
        addFolder(out, folders.user + "\\" + m + "\\dlcache");
    }
    return out;
}

bool modNeeds32Bit(std::string_view mod) {
    for (const char* m : {"etpro", "jaymod", "nq", "noquarter", "silent"})
        if (util::asciiLowerCase(mod) == m) return true;
    return false;
}

}  // namespace vexal::settings
