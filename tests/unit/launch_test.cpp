// The game launch and the profile clean-up on the headless window.
#include "launch/launch_rules.h"
#include "unit/window_fixture.h"

using namespace vexal;
using namespace vexal::testing;

class LaunchTest : public WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        settingsFile(
            "[ET-Param]\r\nETParam=+sv_pure 1 +map (default)\r\n[ET-Map]\r\nMap=oasis\r\n"
            "[ET-Nickname]\r\nnick=Tom\r\n");
        fake.fs.addFile(std::string(kProgram) + "VexalParam.dat", "+a\r\n");
        start();
    }
};

TEST_F(LaunchTest, RunStartsEtFromTheGameFolderWithTheComposedLine) {
    form->bitbtnRun.click();
    ASSERT_EQ(fake.shell.calls.size(), 1u);
    const auto& call = fake.shell.calls[0];
    EXPECT_EQ(call.file, "et.exe");
    EXPECT_EQ(call.params, "+sv_pure 1 +map  oasis +seta name Tom");
    EXPECT_EQ(call.directory, "");
    EXPECT_EQ(call.show, platform::ShowCmd::Normal);
    EXPECT_TRUE(call.withOwner);
    EXPECT_EQ(fake.fs.currentDirectory(), kGame);
    EXPECT_TRUE(form->launcher.gameStarted());
    form->bitbtnRun.onExit();
    EXPECT_FALSE(form->launcher.gameStarted());
}

TEST_F(LaunchTest, TheMenuItemLaunchesAndTakesItsAccelerator) {
    form->onCommand(Cmd::MenuRun);
    EXPECT_EQ(fake.shell.calls.size(), 1u);
    EXPECT_EQ(form->mnuRunET->caption(), "&Run ET  [oasis]");
    form->onCommand(Cmd::Run);
    EXPECT_EQ(fake.shell.calls.size(), 2u);
}

TEST_F(LaunchTest, AVanishedGameFolderStopsTheLaunchWithAMessageNamingIt) {
    form->gameDir = "C:\\Gone";
    run([&] { form->bitbtnRun.click(); });
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_NE(errors[0].find("C:\\Gone"), std::string::npos);
    EXPECT_TRUE(fake.shell.calls.empty());
    EXPECT_FALSE(form->launcher.gameStarted());
}

TEST_F(LaunchTest, CloseAfterStartStillStartsTheGame) {
    bool closed = false;
    struct Watch : ui::FormObserver {
        bool* closed;
        explicit Watch(bool* c) : closed(c) {}
        void captionChanged() override {}
        void focusChanged(ui::Control*) override {}
        void closeRequested() override { *closed = true; }
        void showRequested() override {}
    } watch(&closed);
    form->setFormObserver(&watch);
    form->cbClose.setChecked(true);
    form->bitbtnRun.click();
    EXPECT_TRUE(closed);
    EXPECT_EQ(fake.shell.calls.size(), 1u);
    form->setFormObserver(nullptr);
}

TEST_F(LaunchTest, TheCleanUpRunsBeforeEveryStartWhenSwitchedOn) {
    const std::string deep = std::string(kGame) + "\\etmain\\profiles\\Player\\profile.pid";
    fake.fs.addFile(deep, "1");
    fake.fs.addFile(std::string(kGame) + "\\profile.pid", "1", platform::kAttrHidden);
    fake.fs.addFile(std::string(kGame) + "\\.git\\profile.pid", "1");
    fake.fs.addFile(std::string(kGame) + "\\etpro\\profile.pid.bak", "1");
    form->bitbtnRun.click();
    EXPECT_TRUE(fake.fs.exists(deep));
    form->cbDelProfile.setChecked(true);
    EXPECT_FALSE(fake.fs.exists(deep));
    EXPECT_FALSE(fake.fs.exists(std::string(kGame) + "\\profile.pid"));
    EXPECT_TRUE(fake.fs.exists(std::string(kGame) + "\\.git\\profile.pid"));
    EXPECT_TRUE(fake.fs.exists(std::string(kGame) + "\\etpro\\profile.pid.bak"));
    EXPECT_TRUE(shown("mnuDelProfile").checked());
    EXPECT_TRUE(config.doc().readBool("DEL-PID", "profile.pid", false));
    fake.fs.addFile(deep, "1");
    form->bitbtnRun.click();
    EXPECT_FALSE(fake.fs.exists(deep));
}

TEST(DeletionWalk, SkipsLinkedFoldersAndSurvivesFilesItCannotDelete) {
    platform::fake::FakeFileSystem fs;
    fs.addFile("C:\\ET\\a\\profile.pid", "1");
    fs.addFile("C:\\ET\\ro\\profile.pid", "1", platform::kAttrReadOnly);
    fs.addDirectory("C:\\ET\\link", platform::kAttrDirectory | platform::kAttrReparsePoint);
    fs.addFile("C:\\ET\\link\\profile.pid", "1");
    launch::deletionWalk(fs, "C:\\ET", "profile.pid");
    EXPECT_FALSE(fs.exists("C:\\ET\\a\\profile.pid"));
    EXPECT_TRUE(fs.exists("C:\\ET\\link\\profile.pid"));
}

TEST_F(LaunchTest, WithoutAGameFolderTheCleanUpTouchesNothing) {
    fake.fs.addFile("C:\\profile.pid", "1");
    form->gameDir.clear();
    form->cbDelProfile.setChecked(true);
    EXPECT_TRUE(fake.fs.exists("C:\\profile.pid"));
}

TEST_F(LaunchTest, TheMenuItemSwitchesTheCleanUpThroughTheCheckBox) {
    const std::string pid = std::string(kGame) + "\\etmain\\profile.pid";
    fake.fs.addFile(pid, "1");
    fake.fs.addFile(std::string(kProgram) + "headshot.wav", "RIFF");
    form->onCommand(Cmd::DelProfile);
    EXPECT_TRUE(form->cbDelProfile.checked());
    EXPECT_FALSE(fake.fs.exists(pid));
    form->onCommand(Cmd::DelProfile);
    EXPECT_FALSE(form->cbDelProfile.checked());
    EXPECT_FALSE(config.doc().readBool("DEL-PID", "profile.pid", true));
    form->cbDelProfile.mouseDown(ui::MouseButton::Right);
    EXPECT_TRUE(fake.sound.played.empty());
    form->cbDelProfile.mouseDown(ui::MouseButton::Left);
    EXPECT_EQ(fake.sound.played.size(), 1u);
}

TEST_F(LaunchTest, AStartTheShellRefusesIsReportedAndDoesNotArmTheHotkeys) {
    fake.shell.failNext("Cannot start et.exe: File not found.");
    run([&] { form->bitbtnRun.click(); });
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_EQ(errors[0], "Cannot start et.exe: File not found.");
    EXPECT_FALSE(form->launcher.gameStarted());
}
