// Launch stories: the composed command line reaching the game, the lists on disk,
// and the profile clean-up.
#include <gtest/gtest.h>

#include "e2e/harness.h"

using namespace std::chrono_literals;
using e2e::Sandbox;
using e2e::Vexal;

namespace {

// A started window with a parameter line and a map chosen.
void prepare(Sandbox& box, const std::string& param, const std::string& map, const std::string& extra = "") {
    box.writeSettings("[ET-Param]\r\nETParam=" + param + "\r\n\r\n[ET-Map]\r\nMap=" + map + "\r\n\r\n" + extra);
    // A list file of its own, or the first start would put the first predefined line in the field.
    if (!box.exists(box.program + "VexalParam.dat")) box.write(box.program + "VexalParam.dat", param + "\r\n");
}

std::string expectedRecord(const Sandbox& box, const std::string& params) { return params + "\t" + box.game; }

}  // namespace

TEST(Launch, RunButtonStartsTheGameFromItsFolderWithTheComposedLine) {
    Sandbox box;
    prepare(box, "+sv_pure 1 +g_gametype 2 +map (default)", "oasis", "[ET-Nickname]\r\nnick=Tom\r\n\r\n");
    Vexal vexal(box);
    ASSERT_TRUE(vexal.waitShown());
    vexal.click("bitbtnRun");
    ASSERT_TRUE(e2e::waitFor([&] { return !box.launches().empty(); }));
    EXPECT_EQ(box.launches().front(), expectedRecord(box, "+sv_pure 1 +g_gametype 2 +map  oasis +seta name Tom"));
}

TEST(Launch, F9StartsTheGameAndAServerLineIgnoresTheMap) {
    Sandbox box;
    prepare(box, "+connect 192.0.2.10:27960 (Example server one)", "radar");
    Vexal vexal(box);
    ASSERT_TRUE(vexal.waitShown());
    EXPECT_EQ(vexal.appTitle(), "Run ET  [radar]");
    vexal.postKey(VK_F9);
    ASSERT_TRUE(e2e::waitFor([&] { return !box.launches().empty(); }));
    EXPECT_EQ(box.launches().front(), expectedRecord(box, "+connect 192.0.2.10:27960 "));
}

TEST(Launch, TheTrayMenuItemStartsTheGame) {
    Sandbox box;
    prepare(box, "+sv_pure 0 +g_gametype 2 +devmap", "");
    Vexal vexal(box);
    ASSERT_TRUE(vexal.waitShown());
    vexal.command(vexal::Cmd::Run);
    ASSERT_TRUE(e2e::waitFor([&] { return !box.launches().empty(); }));
    EXPECT_EQ(box.launches().front(), expectedRecord(box, "+sv_pure 0 +g_gametype 2 +devmap "));
}

TEST(Launch, AVanishedGameFolderIsReportedAndNothingStarts) {
    Sandbox box;
    prepare(box, "+map", "oasis");
    Vexal vexal(box);
    ASSERT_TRUE(vexal.waitShown());
    const std::string moved = box.root + "\\moved";
    ASSERT_TRUE(MoveFileA(box.game.c_str(), moved.c_str()));
    vexal.click("bitbtnRun");
    const auto message = vexal.waitBox();
    ASSERT_TRUE(message);
    EXPECT_NE(message->find(box.game), std::string::npos) << *message;
    vexal.answerBox(IDOK);
    EXPECT_FALSE(box.exists(moved + "\\et-launch.log"));
    MoveFileA(moved.c_str(), box.game.c_str());
}

TEST(ParameterList, EnterInTheFieldAddsTheLineAndDoesNotLaunch) {
    Sandbox box;
    box.write(box.program + "VexalParam.dat", "+b\r\n+d\r\n");
    prepare(box, "", "oasis");
    Vexal vexal(box);
    ASSERT_TRUE(vexal.waitShown());
    vexal.setText("edtParam", "+c (new)");
    vexal.key("edtParam", VK_RETURN, '\r');
    ASSERT_TRUE(e2e::waitFor([&] { return vexal.items("lboxParam").size() == 3; }));
    EXPECT_EQ(vexal.items("lboxParam"), (std::vector<std::string>{"+b", "+c (new)", "+d"}));
    EXPECT_EQ(box.read(box.program + "VexalParam.dat"), "+b\r\n+c (new)\r\n+d\r\n");
    Sleep(500);
    EXPECT_TRUE(box.launches().empty());
}

TEST(ParameterList, AFirstStartWritesTheEightLinesInTheirOwnOrderAndShowsThemSorted) {
    Sandbox box;
    box.writeSettings();
    Vexal vexal(box);
    ASSERT_TRUE(vexal.waitMain());
    ASSERT_TRUE(e2e::waitFor([&] { return vexal.items("lboxParam").size() == 8; }));
    const auto file = box.read(box.program + "VexalParam.dat");
    ASSERT_TRUE(file);
    EXPECT_EQ(file->rfind("+sv_pure 1 +g_gametype 2 +map (default)\r\n+sv_pure 0 +g_gametype 2 +devmap\r\n", 0), 0u);
    const auto shown = vexal.items("lboxParam");
    EXPECT_TRUE(std::is_sorted(shown.begin(), shown.end(), [](const std::string& a, const std::string& b) {
        return _stricmp(a.c_str(), b.c_str()) < 0;
    }));
    EXPECT_EQ(vexal.text("edtParam"), "+sv_pure 1 +g_gametype 2 +map (default)");
}

TEST(ProfileCleanup, RemovesEveryProfilePidBelowTheGameFolderExceptInDotFolders) {
    Sandbox box;
    const std::vector<std::string> removed = {box.game + "\\profile.pid",
                                              box.game + "\\etmain\\profiles\\Player\\profile.pid",
                                              box.game + "\\etpro\\profiles\\x\\y\\profile.pid"};
    const std::string kept = box.game + "\\.hidden\\profile.pid";
    for (const auto& f : removed) {
        box.makeDir(f.substr(0, f.find_last_of('\\')));
        box.write(f, "1");
    }
    box.makeDir(box.game + "\\.hidden");
    box.write(kept, "1");
    prepare(box, "+map", "oasis", "[DEL-PID]\r\nprofile.pid=1\r\n\r\n");
    Vexal vexal(box);
    ASSERT_TRUE(vexal.waitShown());
    for (const auto& f : removed) EXPECT_FALSE(box.exists(f)) << f;
    EXPECT_TRUE(box.exists(kept));
    // A file that appears later goes before the next start.
    box.write(removed[1], "1");
    vexal.click("bitbtnRun");
    ASSERT_TRUE(e2e::waitFor([&] { return !box.launches().empty(); }));
    EXPECT_FALSE(box.exists(removed[1]));
}

TEST(ProfileCleanup, LeavesTheFilesAloneWhenTheOptionIsOff) {
    Sandbox box;
    const std::string pid = box.game + "\\etmain\\profiles\\Player\\profile.pid";
    box.makeDir(box.game + "\\etmain\\profiles\\Player");
    box.write(pid, "1");
    prepare(box, "+map", "oasis");
    Vexal vexal(box);
    ASSERT_TRUE(vexal.waitShown());
    vexal.click("bitbtnRun");
    ASSERT_TRUE(e2e::waitFor([&] { return !box.launches().empty(); }));
    EXPECT_TRUE(box.exists(pid));
}
