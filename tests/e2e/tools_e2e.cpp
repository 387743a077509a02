// Companion stories: the server browser and the updater started through the
// shell, a demo picked and played, the nickname written, the about box read.
#include <gtest/gtest.h>

#include "e2e/harness.h"

using e2e::Sandbox;
using e2e::Vexal;

namespace {

void copyStub(const std::string& name, const std::string& to) {
    ASSERT_TRUE(CopyFileA((e2e::buildDir() + name).c_str(), to.c_str(), FALSE)) << to;
}

std::string launchRecord(const Sandbox& box, const std::string& folder, const char* log) {
    const auto text = box.read(folder + "\\" + log);
    return text ? *text : std::string();
}

void prepare(Sandbox& box, const std::string& extra = "") {
    box.writeSettings("[ET-Param]\r\nETParam=+map\r\n\r\n" + extra);
    box.write(box.program + "VexalParam.dat", "+map\r\n");
}

}  // namespace

TEST(Companions, TheFirstAsePressAsksForTheBrowserStartsItAndMinimizesTheLauncher) {
    Sandbox box;
    const std::string folder = box.root + "\\Server Browser";
    box.makeDir(folder);
    copyStub("eye.exe", folder + "\\eye.exe");
    prepare(box, "[Minimize]\r\nMinimize=1\r\n\r\n");
    Vexal vexal(box);
    ASSERT_TRUE(vexal.waitShown());
    vexal.click("bitbtnASE");
    ASSERT_TRUE(vexal.waitBox());
    EXPECT_EQ(vexal.boxCaption(), "Select your Program");
    ASSERT_TRUE(vexal.chooseFile(folder + "\\eye.exe"));
    ASSERT_TRUE(e2e::waitFor([&] { return !launchRecord(box, folder, "eye-launch.log").empty(); }));
    const auto ini = box.read(box.program + "Vexal.ini");
    ASSERT_TRUE(ini);
    EXPECT_NE(ini->find("eyePath=" + folder + "\\eye.exe"), std::string::npos) << *ini;
    // Minimize after start: the taskbar button goes down and takes the window with it.
    EXPECT_TRUE(
        e2e::waitFor([&] { return IsIconic(GetWindow(vexal.main(), GW_OWNER)) && !IsWindowVisible(vexal.main()); }));
}

TEST(Companions, PbUpdateStartsTheUpdaterInItsFolderAfterTheQuestionAndKeepsTheTime) {
    Sandbox box;
    box.makeDir(box.game + "\\pb");
    copyStub("pbweb.exe", box.game + "\\pb\\pbweb.exe");
    prepare(box);
    Vexal vexal(box);
    ASSERT_TRUE(vexal.waitShown());
    vexal.click("btnPB");
    const auto question = vexal.waitBox();
    ASSERT_TRUE(question);
    ASSERT_EQ(*question, "You are connected. Do you want to really make an update?");
    EXPECT_EQ(vexal.boxCaption(), "Last PB update: never");
    EXPECT_EQ(vexal.boxButtons(), (std::vector<std::string>{"&Ja", "Abbrechen"}));
    ASSERT_TRUE(vexal.answerBox(IDOK));
    ASSERT_TRUE(e2e::waitFor([&] { return !launchRecord(box, box.game + "\\pb", "pbweb-launch.log").empty(); }));
    EXPECT_EQ(launchRecord(box, box.game + "\\pb", "pbweb-launch.log"), "\t" + box.game + "\\pb\r\n");
    ASSERT_TRUE(e2e::waitFor([&] {
        const auto ini = box.read(box.program + "Vexal.ini");
        return ini && ini->find("pblog=") != std::string::npos;
    }));
}

TEST(Pickers, APickedDemoIsKeptAndTheNextStartPlaysIt) {
    Sandbox box;
    box.makeDir(box.game + "\\etmain\\demos");
    box.write(box.game + "\\etmain\\demos\\final1.dm_83", "demo");
    prepare(box);
    Vexal vexal(box);
    ASSERT_TRUE(vexal.waitShown());
    vexal.click("bitbtnDemo");
    ASSERT_TRUE(vexal.waitBox());
    EXPECT_EQ(vexal.boxCaption(), "Select your Enemy Territory demo");
    ASSERT_TRUE(vexal.chooseFile(box.game + "\\etmain\\demos\\final1.dm_83"));
    ASSERT_TRUE(e2e::waitFor([&] { return box.read(box.program + "VexalMap.dat") == "+demo final1\r\n"; }));
    EXPECT_EQ(vexal.items("cbxMap"), (std::vector<std::string>{"+demo final1"}));
    EXPECT_NE(box.read(box.program + "Vexal.ini")->find("Map=+demo final1"), std::string::npos);
    vexal.click("bitbtnRun");
    ASSERT_TRUE(e2e::waitFor([&] { return !box.launches().empty(); }));
    EXPECT_EQ(box.launches().front(), "+map +demo final1\t" + box.game);
}

TEST(Nickname, CtrlNAsksWritesAutoexecCfgKeepingItsBytesAndTheGameGetsTheName) {
    Sandbox box;
    const std::string script = box.game + "\\etmain\\autoexec.cfg";
    box.write(script, "bind x kill\nSETA name \"Old\"\nexec more.cfg");
    prepare(box);
    Vexal vexal(box);
    ASSERT_TRUE(vexal.waitShown());
    vexal.shortcut('N', true);
    ASSERT_TRUE(vexal.waitBox());
    EXPECT_EQ(vexal.boxCaption(), "Set Nickname for Enemy Territory");
    SetDlgItemTextA(vexal.box(), 101, "^1Jo");
    ASSERT_TRUE(vexal.answerBox(IDOK));
    const auto question = vexal.waitBox();
    ASSERT_TRUE(question);
    EXPECT_EQ(*question, "Replace nick in your ET autoexec.cfg too?\n\r\n\r(Entry  \"set[a] name\" must be present!)");
    EXPECT_EQ(vexal.boxCaption(), "Best\xE4tigung");
    ASSERT_TRUE(vexal.answerBox(IDYES));
    EXPECT_TRUE(e2e::waitFor([&] {
        return box.read(script) == std::string("bind x kill\nseta name \"^1Jo\"\nexec more.cfg");
    })) << box.read(script).value_or("<missing>");
    vexal.click("bitbtnRun");
    ASSERT_TRUE(e2e::waitFor([&] { return !box.launches().empty(); }));
    EXPECT_EQ(box.launches().front(), "+map  +seta name ^1Jo\t" + box.game);
}

TEST(About, CtrlAShowsTheAboutBoxEvenWhenTheTuneCannotBePlayed) {
    Sandbox box;
    box.write(box.program + "Vexal.mp3", "no tune in here");
    prepare(box);
    Vexal vexal(box);
    ASSERT_TRUE(vexal.waitShown());
    vexal.shortcut('A', true);
    const auto text = vexal.waitBox();
    ASSERT_TRUE(text);
    EXPECT_EQ(vexal.boxCaption(), "About Vexal");
    EXPECT_EQ(text->rfind("           V e x a l  - (Version 1.0.0 final)\n\r\n\r"
                          "A Map/Program-Tool and a desktop Minimizer\n\r"
                          "for the great Freeware Game Enemy Territory\n\r\n\r"
                          "Download main program (as zip or exe file):\n\r",
                          0),
              0u)
        << *text;
    EXPECT_NE(text->find("Download mp3 file and the Highlighting file:\n\r"), std::string::npos);
    EXPECT_EQ(vexal.appTitle(), "About Vexal");
    EXPECT_TRUE(vexal.answerBox(IDOK));
}
