// An ET:Legacy player's story: a first start on a folder of etl.exe and ETe.exe, the
// player's files in Documents\ETLegacy, the 64-bit warning, and the Game Program menu.
#include <gtest/gtest.h>

#include "e2e/harness.h"
// harness.h brings windows.h, which must come first.
#include <shlobj.h>

#include <algorithm>
#include <memory>
#include <optional>
#include <sstream>

using namespace std::chrono_literals;
using e2e::Sandbox;
using e2e::Vexal;

namespace {

constexpr const char* kLegacyKey = "SOFTWARE\\ETLegacy";

// What the stand-in game programs recorded: "<program>\t<arguments>\t<folder>".
std::vector<std::string> gameLaunches(const Sandbox& box) {
    std::vector<std::string> out;
    std::istringstream in(box.read(box.game + "\\game-launch.log").value_or(""));
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (!line.empty()) out.push_back(line);
    }
    return out;
}

std::string lower(std::string s) {
    std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return s;
}

constexpr const char* kShellFolders = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell Folders";
constexpr const char* kShellFolderCache = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";

struct RegValue {
    DWORD type = 0;
    std::string data;
};

std::optional<RegValue> readValue(HKEY root, const char* key, const char* name) {
    char data[2048] = {};
    DWORD size = sizeof data, type = 0;
    if (RegGetValueA(root, key, name, RRF_RT_ANY | RRF_NOEXPAND, &type, data, &size) != ERROR_SUCCESS)
        return std::nullopt;
    return RegValue{type, std::string(data, size)};
}

void writeValue(HKEY root, const char* key, const char* name, DWORD type, const std::string& data, REGSAM view = 0) {
    HKEY k = nullptr;
    if (RegCreateKeyExA(root, key, 0, nullptr, 0, KEY_SET_VALUE | view, nullptr, &k, nullptr) != ERROR_SUCCESS) return;
    RegSetValueExA(k, name, 0, type, reinterpret_cast<const BYTE*>(data.data()), static_cast<DWORD>(data.size()));
    RegCloseKey(k);
}

void putBack(const char* key, const std::optional<RegValue>& value) {
    if (value)
        writeValue(HKEY_CURRENT_USER, key, "Personal", value->type, value->data);
    else
        RegDeleteKeyValueA(HKEY_CURRENT_USER, key, "Personal");
}

// Under Wine the user's Documents is often the Linux home itself: for this story the
// user's personal folder lies in the sandbox, and the installer's note is made here.
// Both go back as they were, however the story ends.
class Documents {
public:
    explicit Documents(const std::string& folder)
        : folders_(readValue(HKEY_CURRENT_USER, kShellFolders, "Personal")),
          cache_(readValue(HKEY_CURRENT_USER, kShellFolderCache, "Personal")) {
        writeValue(HKEY_CURRENT_USER, kShellFolders, "Personal", REG_EXPAND_SZ, folder + '\0');
    }
    ~Documents() {
        putBack(kShellFolders, folders_);
        putBack(kShellFolderCache, cache_);
        RegDeleteKeyExA(HKEY_LOCAL_MACHINE, kLegacyKey, KEY_WOW64_32KEY, 0);
    }
    Documents(const Documents&) = delete;
    Documents& operator=(const Documents&) = delete;

private:
    std::optional<RegValue> folders_, cache_;
};

}  // namespace

TEST(GamePrograms, AnEtLegacyPlayerFromTheFirstStartToTheGameProgramMenu) {
    Sandbox box;
    const std::string documents = box.root + "\\Documents";
    box.makeDir(documents);
    Documents personal(documents);
    char asked[MAX_PATH] = {};
    ASSERT_TRUE(SUCCEEDED(SHGetFolderPathA(nullptr, CSIDL_PERSONAL, nullptr, SHGFP_TYPE_CURRENT, asked)));
    ASSERT_EQ(lower(asked), lower(documents)) << "the personal folder could not be moved into the sandbox";
    const std::string home = documents + "\\ETLegacy";

    // A folder of ET:Legacy (the 64-bit build) and ETe, without et.exe. A 32-bit Wine
    // cannot start a 64-bit program: there etl.exe is the 32-bit stand-in until the
    // warning, which reads the file's header as the game starts.
    const bool runs64 = sizeof(void*) == 8;
    const std::string etl = box.game + "\\etl.exe", game64 = e2e::buildDir() + "game64.exe";
    ASSERT_TRUE(DeleteFileA((box.game + "\\et.exe").c_str()));
    ASSERT_TRUE(CopyFileA(runs64 ? game64.c_str() : (e2e::buildDir() + "game.exe").c_str(), etl.c_str(), FALSE));
    ASSERT_TRUE(CopyFileA((e2e::buildDir() + "game.exe").c_str(), (box.game + "\\ETe.exe").c_str(), FALSE));
    box.makeDir(home + "\\legacy\\demos\\2026");
    box.makeDir(home + "\\legacy\\profiles\\Player");
    box.write(home + "\\legacy\\demos\\cup.dm_84", "demo");
    box.write(home + "\\legacy\\demos\\2026\\final.dm_84", "demo");
    box.write(home + "\\legacy\\autoexec.cfg", "bind x kill\r\nseta name \"Old\"\r\n");
    const std::string pid = home + "\\legacy\\profiles\\Player\\profile.pid";
    box.write(pid, "1");
    // The installer's note: the folder dialog of the first start opens there, and OK takes it.
    writeValue(HKEY_LOCAL_MACHINE, kLegacyKey, "InstallPath", REG_SZ, box.game + '\0', KEY_WOW64_32KEY);

    // Wine's folder dialog now and then fails to select the folder it is given (the
    // tree is still being filled); nothing is written then, so the next start is a
    // first start again.
    std::unique_ptr<Vexal> started;
    for (int attempt = 0; attempt < 3 && !started; ++attempt) {
        auto vexal = std::make_unique<Vexal>(box);
        ASSERT_TRUE(vexal->waitBox(20s)) << "the folder dialog did not open";
        Sleep(1000);
        ASSERT_TRUE(vexal->answerBox(IDOK));
        if (const auto refused = vexal->waitBox(3s)) {
            EXPECT_EQ(*refused, "et.exe not found! Abort Vexal!");
            vexal->answerBox(IDCANCEL);
            EXPECT_TRUE(vexal->waitExit(15s));
            continue;
        }
        started = std::move(vexal);
    }
    ASSERT_TRUE(started) << "the installed folder was never taken";
    Vexal& vexal = *started;
    ASSERT_TRUE(vexal.waitShown());
    const std::string ini = box.read(box.program + "Vexal.ini").value_or("");
    EXPECT_NE(lower(ini).find(lower("etPath=" + box.game + "\r\n")), std::string::npos) << ini;
    EXPECT_NE(ini.find("etProgram=etl.exe\r\n"), std::string::npos) << ini;

    // The Demo button counts the demos of ET:Legacy's home.
    HWND demo = vexal.control("bitbtnDemo");
    const std::string expected = " 2 demo files in " + home + "\\legacy\\demos available";
    int x = 5;
    EXPECT_TRUE(e2e::waitFor(
        [&] {
            PostMessageA(demo, WM_MOUSEMOVE, 0, MAKELPARAM(x++ % 40 + 5, 5));
            Sleep(50);
            return vexal.text("stInfo") == expected;
        },
        5s))
        << vexal.text("stInfo");

    // The profile clean-up reaches the home; Run starts etl.exe from the game folder.
    vexal.command(vexal::Cmd::DelProfile);
    EXPECT_TRUE(e2e::waitFor([&] { return !box.exists(pid); })) << pid;
    vexal.click("bitbtnRun");
    ASSERT_TRUE(e2e::waitFor([&] { return !gameLaunches(box).empty(); }));
    EXPECT_EQ(lower(gameLaunches(box).back()), lower("etl.exe\t+sv_pure 1 +g_gametype 2 +map  \t" + box.game));

    // The nickname goes into the home's autoexec.cfg.
    vexal.shortcut('N', true);
    ASSERT_TRUE(vexal.waitBox());
    SetDlgItemTextA(vexal.box(), 101, "^1Ann");
    ASSERT_TRUE(vexal.answerBox(IDOK));
    ASSERT_TRUE(vexal.waitBox());
    ASSERT_TRUE(vexal.answerBox(IDYES));
    EXPECT_TRUE(e2e::waitFor([&] {
        return box.read(home + "\\legacy\\autoexec.cfg") == std::string("bind x kill\r\nseta name \"^1Ann\"\r\n");
    })) << box.read(home + "\\legacy\\autoexec.cfg").value_or("<missing>");

    // A mod of 32-bit libraries only: this etl.exe asks first.
    if (!runs64) {
        ASSERT_TRUE(CopyFileA(game64.c_str(), etl.c_str(), FALSE));
    }
    vexal.setText("edtParam", "+set fs_game etpro +map");
    vexal.click("bitbtnRun");
    const auto warning = vexal.waitBox();
    ASSERT_TRUE(warning);
    EXPECT_EQ(*warning, "This etl.exe is 64-bit and cannot load the mod etpro. Start it anyway?");
    EXPECT_EQ(vexal.boxCaption(), "Warnung");
    EXPECT_EQ(vexal.boxButtons(), (std::vector<std::string>{"&Ja", "&Nein"}));
    ASSERT_TRUE(vexal.answerBox(IDNO));
    Sleep(500);
    EXPECT_EQ(gameLaunches(box).size(), 1u) << "Nein starts nothing";
    if (runs64) {  // Ja starts it where it can start
        vexal.click("bitbtnRun");
        ASSERT_TRUE(vexal.waitBox());
        ASSERT_TRUE(vexal.answerBox(IDYES));
        ASSERT_TRUE(e2e::waitFor([&] { return gameLaunches(box).size() == 2; }));
        EXPECT_EQ(lower(gameLaunches(box).back()),
                  lower("etl.exe\t+set fs_game etpro +map  +seta name ^1Ann\t" + box.game));
    }

    // Game Program: ETe.exe from now on, kept in the settings.
    const std::size_t before = gameLaunches(box).size();
    vexal.command(vexal::Cmd::ProgramEte);
    EXPECT_TRUE(e2e::waitFor([&] {
        return box.read(box.program + "Vexal.ini").value_or("").find("etProgram=ETe.exe\r\n") != std::string::npos;
    }));
    vexal.setText("edtParam", "+map");
    vexal.click("bitbtnRun");
    ASSERT_TRUE(e2e::waitFor([&] { return gameLaunches(box).size() == before + 1; }));
    EXPECT_EQ(lower(gameLaunches(box).back()), lower("ETe.exe\t+map  +seta name ^1Ann\t" + box.game));
}
