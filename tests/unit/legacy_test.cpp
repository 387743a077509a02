// ET:Legacy and ETe beside ET 2.60b on the headless window: the program a folder
// starts, the Game Program menu, and the player's files in ET:Legacy's own home.
#include "unit/window_fixture.h"

using namespace vexal;
using namespace vexal::testing;
using platform::BoxButtons;
using platform::BoxKind;
using platform::BoxResult;

namespace {

const std::string kDocs = "C:\\Users\\Player\\Documents";
const std::string kHome = kDocs + "\\ETLegacy";

// The first bytes of a program file whose optional header says 32 or 64 bits.
std::string programBytes(int bits) {
    std::string bytes(512, '\0');
    bytes[0] = 'M';
    bytes[1] = 'Z';
    bytes[0x3C] = static_cast<char>(0x80);
    bytes.replace(0x80, 4, std::string("PE\0\0", 4));
    bytes[0x80 + 20] = static_cast<char>(0xF0);
    bytes[0x80 + 24] = 0x0B;
    bytes[0x80 + 25] = bits == 64 ? 0x02 : 0x01;
    return bytes;
}

}  // namespace

class LegacyTest : public WindowTest {
protected:
    const std::string game = kGame;
    void SetUp() override {
        WindowTest::SetUp();
        ASSERT_TRUE(fake.fs.deleteFile(game + "\\et.exe"));
        fake.fs.addFile(game + "\\etl.exe", programBytes(64));
    }
    [[nodiscard]] std::string setting(const char* section, const char* key) {
        return settings::IniDocument(file("Vexal.ini")).readString(section, key, "<none>");
    }
    [[nodiscard]] std::vector<std::string> programMenu() {
        std::vector<std::string> shownItems;
        for (const auto* item : WindowTest::shown("mnuGameProgram").children())
            if (item->visible()) shownItems.push_back(item->caption() + (item->checked() ? " *" : ""));
        return shownItems;
    }
};

TEST_F(LegacyTest, AFirstStartOnAnEtLegacyFolderKeepsEtlAndEveryPlayerFileFollowsItsHome) {
    fake.registry.setMachineString("SOFTWARE\\ETLegacy", "InstallPath", platform::Registry::View::Bits32, game);
    fake.dialogs.answerNextFolder(game);
    fake.fs.addFile(kHome + "\\legacy\\demos\\cup.dm_84");
    fake.fs.addFile(kHome + "\\legacy\\demos\\2026\\final.dm_84");
    fake.fs.addFile(game + "\\etmain\\demos\\old.dm_84");
    start();
    ASSERT_FALSE(app.terminated());
    ASSERT_EQ(fake.dialogs.browseCalls.size(), 1u);
    EXPECT_EQ(fake.dialogs.browseCalls[0].preselect, game) << "the dialog opens at the installed game";
    EXPECT_EQ(setting("Paths", "etProgram"), "etl.exe");
    EXPECT_EQ(programMenu(), std::vector<std::string>{"et&l.exe *"});

    // Run: etl.exe from the game folder, with the line as et.exe would get it.
    form->edtParam.setText("+sv_pure 1 +map (default)");
    form->cbxMap.setText("oasis");
    form->bitbtnRun.click();
    ASSERT_EQ(fake.shell.calls.size(), 1u);
    EXPECT_EQ(fake.shell.calls[0].file, "etl.exe");
    EXPECT_EQ(fake.shell.calls[0].params, "+sv_pure 1 +map  oasis");
    EXPECT_EQ(fake.fs.currentDirectory(), game);

    // Demos and screenshots: counted and picked in Documents\ETLegacy\legacy.
    form->bitbtnDemo.onMouseMove();
    EXPECT_EQ(form->stInfo.caption(), " 2 demo files in " + kHome + "\\legacy\\demos available");
    fake.dialogs.answerNextOpenFile({kHome + "\\legacy\\demos\\cup.dm_84"});
    form->onCommand(Cmd::Demo);
    EXPECT_EQ(fake.dialogs.openFileRequests.back().initialDir, kHome + "\\legacy\\demos");
    EXPECT_EQ(form->cbxMap.text(), "+demo cup");
    form->edtParam.setText("+set fs_game etjump +map");
    form->bitbtnPicture.onMouseMove();
    EXPECT_EQ(form->stInfo.caption(), " 0 screenshots in " + kHome + "\\etjump\\screenshots available");
    form->edtParam.setText("+set fs_homepath D:\\ETL +map");
    form->bitbtnPicture.onMouseMove();
    EXPECT_EQ(form->stInfo.caption(), " 0 screenshots in D:\\ETL\\legacy\\screenshots available");
    form->edtParam.setText("+map");

    // The nickname goes into the first autoexec.cfg the game reads; the others stay.
    fake.fs.addFile(game + "\\etmain\\autoexec.cfg", "seta name \"Old\"\r\n");
    fake.fs.addFile(kHome + "\\etmain\\autoexec.cfg", "seta name \"Old\"\r\n");
    fake.dialogs.answerNextInput("Ann");
    fake.dialogs.answerNextBox(BoxResult::Yes);
    form->onCommand(Cmd::Nickname);
    EXPECT_EQ(fake.fs.contents(kHome + "\\etmain\\autoexec.cfg"), "seta name \"Ann\"\r\n");
    EXPECT_EQ(fake.fs.contents(game + "\\etmain\\autoexec.cfg"), "seta name \"Old\"\r\n");

    // The config picker opens in the home's mod folder at that file.
    fake.process.setEnvironment("windir", "C:\\Windows");
    fake.fs.addFile("C:\\Windows\\notepad.exe");
    form->editorPath = "C:\\Windows\\notepad.exe";
    fake.dialogs.cancelNextOpenFile();
    form->onCommand(Cmd::EditCfg);
    EXPECT_EQ(fake.dialogs.openFileRequests.back().initialDir, kHome + "\\legacy");
    EXPECT_EQ(fake.dialogs.openFileRequests.back().fileName, kHome + "\\etmain\\autoexec.cfg");

    // profile.pid: below the home as well as below the game folder.
    fake.fs.addFile(kHome + "\\legacy\\profiles\\Ann\\profile.pid");
    fake.fs.addFile(game + "\\legacy\\profiles\\Ann\\profile.pid");
    fake.fs.addFile(kDocs + "\\profile.pid");
    form->cbDelProfile.setChecked(true);
    EXPECT_FALSE(fake.fs.fileExists(kHome + "\\legacy\\profiles\\Ann\\profile.pid"));
    EXPECT_FALSE(fake.fs.fileExists(game + "\\legacy\\profiles\\Ann\\profile.pid"));
    EXPECT_TRUE(fake.fs.fileExists(kDocs + "\\profile.pid")) << "only ET:Legacy's own folder";

    // The console log: the home's mod folder.
    fake.fs.addFile(kHome + "\\legacy\\etconsole.log", "ET: Legacy v2.83\r\n");
    form->onCommand(Cmd::EtLog);
    EXPECT_TRUE(errors.empty()) << errors.front();
    EXPECT_TRUE(form->memETLog.visible());
    EXPECT_EQ(form->lastLog, "ET: Legacy v2.83");
}

TEST_F(LegacyTest, TheGameProgramMenuListsWhatTheFolderHoldsAndAGoneProgramFallsBackOnce) {
    fake.fs.addFile(game + "\\et.exe", programBytes(32));
    fake.fs.addFile(game + "\\ete.exe", programBytes(32));
    settingsFile();
    start();
    EXPECT_EQ(setting("Paths", "etProgram"), "<none>") << "a folder with et.exe keeps its settings";
    EXPECT_EQ(programMenu(), (std::vector<std::string>{"&et.exe *", "et&l.exe", "E&Te.exe"}));

    form->onCommand(Cmd::ProgramEtl);
    EXPECT_EQ(setting("Paths", "etProgram"), "etl.exe");
    EXPECT_EQ(programMenu(), (std::vector<std::string>{"&et.exe", "et&l.exe *", "E&Te.exe"}));
    form->onCommand(Cmd::ProgramEteX64);  // not in the folder: nothing changes
    EXPECT_EQ(setting("Paths", "etProgram"), "etl.exe");
    form->bitbtnRun.click();
    EXPECT_EQ(fake.shell.calls.back().file, "etl.exe");

    ASSERT_TRUE(fake.fs.deleteFile(game + "\\etl.exe"));
    form->refresh();
    EXPECT_EQ(form->stInfo.caption(), " etl.exe is no longer in the game folder: Run starts et.exe");
    EXPECT_EQ(setting("Paths", "etProgram"), "et.exe");
    form->setStatus("");
    form->refresh();
    EXPECT_EQ(form->stInfo.caption(), "") << "said once";
    EXPECT_EQ(programMenu(), (std::vector<std::string>{"&et.exe *", "E&Te.exe"}));

    // ETe keeps the player's files in the game folder, in the line's mod.
    form->onCommand(Cmd::ProgramEte);
    form->edtParam.setText("+set fs_game jaymod +map");
    form->bitbtnDemo.onMouseMove();
    EXPECT_EQ(form->stInfo.caption(), " 0 demo files in " + game + "\\jaymod\\demos available");
}

TEST_F(LegacyTest, AFolderWithoutAnyProgramIsRefused) {
    ASSERT_TRUE(fake.fs.deleteFile(game + "\\etl.exe"));
    fake.fs.addFile(game + "\\ETe.x64.exe.txt");
    fake.dialogs.answerNextFolder(game);
    start();
    ASSERT_FALSE(fake.dialogs.boxes.empty());
    EXPECT_EQ(fake.dialogs.boxes[0].text, "et.exe not found! Abort Vexal!");
    EXPECT_TRUE(app.terminated());
}

TEST_F(LegacyTest, AFirstStartOpensAtTheGameItsInstallerNoted) {
    // ET 2.60b's own key, read in the 32-bit view; a folder that has gone is no preselection.
    fake.registry.setMachineString("SOFTWARE\\ETLegacy", "InstallPath", platform::Registry::View::Bits64, "C:\\Gone");
    fake.registry.setMachineString("SOFTWARE\\Activision\\Wolfenstein - Enemy Territory", "InstallPath",
                                   platform::Registry::View::Bits32, game);
    fake.fs.addFile(game + "\\et.exe");
    fake.dialogs.answerNextFolder(game);
    start();
    EXPECT_EQ(fake.dialogs.browseCalls.back().preselect, game);
    EXPECT_FALSE(app.terminated());
    EXPECT_EQ(setting("Paths", "etProgram"), "<none>") << "et.exe is the program a folder of it always had";
}

TEST_F(LegacyTest, The64BitEtlAsksBeforeAModItCannotLoad) {
    settingsFile("[Paths]\r\netProgram=etl.exe\r\n[ET-Map]\r\nMap=oasis\r\n");
    start();
    form->edtParam.setText("+set fs_game etpro +map");
    fake.dialogs.answerNextBox(BoxResult::No);
    form->bitbtnRun.click();
    ASSERT_EQ(fake.dialogs.boxes.size(), 1u);
    EXPECT_EQ(fake.dialogs.boxes[0].text, "This etl.exe is 64-bit and cannot load the mod etpro. Start it anyway?");
    EXPECT_EQ(fake.dialogs.boxes[0].kind, BoxKind::Warning);
    EXPECT_EQ(fake.dialogs.boxes[0].buttons, BoxButtons::YesNo);
    EXPECT_TRUE(fake.shell.calls.empty());
    EXPECT_FALSE(form->launcher.gameStarted());

    fake.dialogs.answerNextBox(BoxResult::Yes);
    form->bitbtnRun.click();
    ASSERT_EQ(fake.shell.calls.size(), 1u);
    EXPECT_EQ(fake.shell.calls[0].file, "etl.exe");

    // The mod a server answered with counts before the line's.
    fake.dialogs.answerNextBox(BoxResult::No);
    form->launcher.join("+connect 192.0.2.10", "NoQuarter");
    EXPECT_EQ(fake.dialogs.boxes.back().text,
              "This etl.exe is 64-bit and cannot load the mod NoQuarter. Start it anyway?");
    EXPECT_EQ(fake.shell.calls.size(), 1u);
    const auto boxes = fake.dialogs.boxes.size();
    form->launcher.join("+set fs_game etpro +connect 192.0.2.10", "etjump");
    EXPECT_EQ(fake.dialogs.boxes.size(), boxes);
    EXPECT_EQ(fake.shell.calls.size(), 2u);

    // The 32-bit build loads every mod: no question.
    fake.fs.addFile(game + "\\etl.exe", programBytes(32));
    form->bitbtnRun.click();
    EXPECT_EQ(fake.dialogs.boxes.size(), boxes);
    EXPECT_EQ(fake.shell.calls.size(), 3u);
}
