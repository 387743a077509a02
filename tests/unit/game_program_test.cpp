// The game programs: which one a folder starts, where each keeps the player's
// files for a parameter line, and the bitness of a program file.
#include "settings/game_program.h"

#include <gtest/gtest.h>

#include "util/pe_header.h"

using namespace vexal;
using settings::GameProgram;

namespace {

constexpr const char* kGame = "C:\\Games\\ET";
constexpr const char* kDocs = "C:\\Users\\Ann\\Documents";

}  // namespace

TEST(GameProgram, TheStoredProgramWhileTheFolderHoldsItElseTheFirstPresent) {
    using enum GameProgram;
    const struct {
        const char* stored;
        std::vector<GameProgram> present;
        std::optional<GameProgram> chosen;
    } rows[] = {
        {"", {Et, Etl}, Et},           {"", {Ete, EteX64, Etl}, Etl},
        {"", {Ete, EteX64}, EteX64},   {"", {Ete}, Ete},
        {"", {}, std::nullopt},        {"etl.exe", {Et, Etl}, Etl},
        {"ETL.EXE", {Et, Etl}, Etl},   {"ete.exe", {Et, Ete}, Ete},
        {"etl.exe", {Et, Ete}, Et},                                      // gone from the folder
        {"etl.exe", {Ete}, Ete},       {"quake3.exe", {Etl, Ete}, Etl},  // not a program of ours
        {"etl.exe", {}, std::nullopt},
    };
    for (const auto& r : rows) EXPECT_EQ(settings::chooseProgram(r.stored, r.present), r.chosen) << r.stored;
    EXPECT_EQ(settings::programNamed("ete.X64.EXE"), EteX64);
    EXPECT_EQ(settings::programNamed("et.exe.bak"), std::nullopt);
}

TEST(GameProgram, StartupSettingsAreReadAsTheEngineReadsItsCommandLine) {
    const struct {
        const char* line;
        std::optional<std::string> fsGame;
    } rows[] = {
        {"+set fs_game etpro +map oasis", "etpro"},
        {"set fs_game jaymod +sv_pure 0", "jaymod"},  // before the first "+" is a command too
        {"+set FS_GAME nq", "nq"},                    // a setting's name in any letter case
        {"+SET fs_game nq", std::nullopt},            // but the command in small letters only
        {"+seta fs_game nq", std::nullopt},           // seta comes after the folders are open
        {"+set fs_game \"my mod\" +map x", "my mod"},
        {"+set fs_game \"a+b\"", "a+b"},  // a quoted "+" cuts nothing
        {"+set fs_game etpro +set fs_game silent", "silent"},
        {"+set fs_game", std::nullopt},
        {"+set fs_game // etpro", std::nullopt},
        {"+set fs_gamex etpro", std::nullopt},
        {"+set fs_game etpro\n+set fs_game nq", "nq"},
        {"", std::nullopt},
    };
    for (const auto& r : rows) EXPECT_EQ(settings::startupSetting(r.line, "fs_game"), r.fsGame) << r.line;
    EXPECT_EQ(settings::lineMod("+set fs_game ..\\.. +map"), std::nullopt);
    EXPECT_EQ(settings::lineMod("+set fs_game C:\\x"), std::nullopt);
    EXPECT_EQ(settings::lineMod("(+set fs_game nq) +set fs_game etpro"), "etpro");
}

TEST(GameProgram, WhereEachProgramKeepsThePlayersFiles) {
    using enum GameProgram;
    const struct {
        GameProgram program;
        const char* line;
        const char* documents;
        settings::PlayerFolders folders;
    } rows[] = {
        // ET 2.60b keeps its rule of old: etpro only for these very words.
        {Et, "+map", kDocs, {kGame, "etmain"}},
        {Et, "set fs_game etpro +map", kDocs, {kGame, "etpro"}},
        {Et, "+set fs_game etpro +map", kDocs, {kGame, "etpro"}},
        {Et, "+set fs_game jaymod", kDocs, {kGame, "etmain"}},
        {Et, "Set fs_game etpro", kDocs, {kGame, "etmain"}},
        {Et, "+set fs_homepath D:\\Home", kDocs, {kGame, "etmain"}},
        // ETe: the game folder, and the line's mod.
        {Ete, "+map", kDocs, {kGame, "etmain"}},
        {EteX64, "+set fs_game jaymod +map", kDocs, {kGame, "jaymod"}},
        {Ete, "+set fs_homepath D:\\Home", kDocs, {kGame, "etmain"}},
        // ET:Legacy: its home in Documents, or the line's; legacy, or the line's mod.
        {Etl, "+map", kDocs, {std::string(kDocs) + "\\ETLegacy", "legacy"}},
        {Etl, "+set fs_game etpro +map", kDocs, {std::string(kDocs) + "\\ETLegacy", "etpro"}},
        {Etl, "+set fs_homepath D:\\Home\\ +map", kDocs, {"D:\\Home", "legacy"}},
        {Etl, "+set fs_homepath \"D:\\My Home\" +set fs_game nq", kDocs, {"D:\\My Home", "nq"}},
        {Etl, "+set fs_homepath D:\\", kDocs, {"D:\\", "legacy"}},
        {Etl, "+set fs_game ..\\evil", kDocs, {std::string(kDocs) + "\\ETLegacy", "legacy"}},
        {Etl, "+map", "", {kGame, "legacy"}},  // no personal folder from the system
    };
    for (const auto& r : rows)
        EXPECT_EQ(settings::playerFolders(r.program, kGame, r.documents, r.line), r.folders) << r.line;

    const settings::PlayerFolders legacy{"C:\\Docs\\ETLegacy", "legacy"};
    EXPECT_EQ(legacy.of("demos"), "C:\\Docs\\ETLegacy\\legacy\\demos");
    EXPECT_EQ(
        settings::autoexecCandidates(Etl, kGame, legacy),
        (std::vector<std::string>{"C:\\Docs\\ETLegacy\\legacy\\autoexec.cfg", "C:\\Games\\ET\\legacy\\autoexec.cfg",
                                  "C:\\Docs\\ETLegacy\\etmain\\autoexec.cfg", "C:\\Games\\ET\\etmain\\autoexec.cfg"}));
    EXPECT_EQ(settings::autoexecCandidates(Et, kGame, {kGame, "etpro"}),
              std::vector<std::string>{"C:\\Games\\ET\\etmain\\autoexec.cfg"});
    EXPECT_EQ(settings::configFolder(Et, kGame, {kGame, "etpro"}), "C:\\Games\\ET\\etmain");
    EXPECT_EQ(settings::configFolder(Etl, kGame, legacy), "C:\\Docs\\ETLegacy\\legacy");
    EXPECT_EQ(settings::profileRoots(Et, kGame, {kGame, "etmain"}), std::vector<std::string>{kGame});
    EXPECT_EQ(settings::profileRoots(Etl, kGame, legacy), (std::vector<std::string>{kGame, "C:\\Docs\\ETLegacy"}));
    EXPECT_EQ(settings::profileRoots(Etl, kGame, {"c:\\games\\et\\", "legacy"}), std::vector<std::string>{kGame});

    EXPECT_EQ(settings::mapFolders(Et, kGame, {kGame, "etmain"}, ""),
              std::vector<std::string>{"C:\\Games\\ET\\etmain"});
    EXPECT_EQ(settings::mapFolders(Ete, kGame, {kGame, "etmain"}, "etpro"),
              (std::vector<std::string>{"C:\\Games\\ET\\etmain", "C:\\Games\\ET\\etpro"}));
    EXPECT_EQ(settings::mapFolders(Etl, kGame, legacy, "etpro"),
              (std::vector<std::string>{"C:\\Games\\ET\\etmain", "C:\\Games\\ET\\etpro", "C:\\Docs\\ETLegacy\\etmain",
                                        "C:\\Docs\\ETLegacy\\etmain\\dlcache", "C:\\Docs\\ETLegacy\\etpro",
                                        "C:\\Docs\\ETLegacy\\etpro\\dlcache"}));

    for (const char* mod : {"etpro", "JayMod", "nq", "noquarter", "silent"}) EXPECT_TRUE(settings::modNeeds32Bit(mod));
    for (const char* mod : {"", "legacy", "etjump", "etrun", "nitmod", "etmain"})
        EXPECT_FALSE(settings::modNeeds32Bit(mod));
}

namespace {

// A DOS header pointing at `peAt`, and there a PE header of the given optional-header magic.
std::string program(std::uint32_t peAt, std::uint16_t magic, std::size_t size = 1024,
                    std::uint16_t optionalSize = 0xF0) {
    std::string bytes(size, '\0');
    bytes[0] = 'M';
    bytes[1] = 'Z';
    auto put = [&](std::size_t at, std::uint32_t value, int width) {
        for (int i = 0; i < width && at + static_cast<std::size_t>(i) < bytes.size(); ++i)
            bytes[at + static_cast<std::size_t>(i)] = static_cast<char>(value >> (8 * i) & 0xFF);
    };
    put(0x3C, peAt, 4);
    const std::size_t pe = peAt;
    if (pe + 4 <= size) bytes.replace(pe, 4, std::string("PE\0\0", 4));
    put(pe + 20, optionalSize, 2);
    put(pe + 24, magic, 2);
    return bytes;
}

}  // namespace

TEST(PeHeader, ReadsTheBitnessAndRefusesWhatIsNoProgram) {
    std::string notPe = program(0x80, 0x10B);
    notPe[0x81] = 'X';
    const struct {
        const char* what;
        std::string bytes;
        std::optional<int> bits;
    } rows[] = {
        {"a 32-bit program", program(0x80, 0x10B), 32},
        {"a 64-bit program", program(0x80, 0x20B), 64},
        {"a header far in", program(0xF00, 0x20B, 4096), 64},
        {"no MZ", "ZM" + program(0x80, 0x20B).substr(2), std::nullopt},
        {"empty", "", std::nullopt},
        {"only MZ", "MZ", std::nullopt},
        {"cut inside the DOS header", program(0x80, 0x20B).substr(0, 0x3E), std::nullopt},
        {"the offset past the end", program(0x5000, 0x20B), std::nullopt},
        {"the offset at the very end", program(1020, 0x20B), std::nullopt},
        {"the offset into the DOS header", program(0x10, 0x20B), std::nullopt},
        {"the offset near 4 GB", program(0xFFFFFFF0u, 0x20B), std::nullopt},
        {"cut before the magic", program(0x80, 0x20B).substr(0, 0x80 + 25), std::nullopt},
        {"no PE signature", notPe, std::nullopt},
        {"a ROM image's magic", program(0x80, 0x107), std::nullopt},
        {"no optional header", program(0x80, 0x20B, 1024, 0), std::nullopt},
        {"a DOS program", std::string("MZ") + std::string(200, '\x90'), std::nullopt},
    };
    for (const auto& r : rows) EXPECT_EQ(util::peBits(r.bytes), r.bits) << r.what;
}
