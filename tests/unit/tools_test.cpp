// Companion programs, game file pickers and the editor, the nickname and the
// help commands on the headless window.
#include "tools/tool_rules.h"
#include "unit/window_fixture.h"
#include "util/path_text.h"

using namespace vexal;
using namespace vexal::testing;
using platform::BoxButtons;
using platform::BoxKind;
using platform::BoxResult;
using platform::ShowCmd;

namespace {

const std::string kEye = "C:\\Program Files\\ASE\\eye.exe";
const std::string kEditor = "C:\\Program Files\\Edit Pad\\pad.exe";
const std::string kAutoexec = std::string(kGame) + "\\etmain\\autoexec.cfg";

// Whether the window asked to be minimized or closed.
struct Watch : ui::FormObserver, ui::ApplicationObserver {
    bool closed = false, minimized = false;
    void captionChanged() override {}
    void focusChanged(ui::Control*) override {}
    void closeRequested() override { closed = true; }
    void showRequested() override {}
    void titleChanged() override {}
    void terminateRequested() override {}
    void minimizeRequested() override { minimized = true; }
};

class ToolsTest : public WindowTest {
protected:
    Watch watch;

    // `paths`: more lines of the [Paths] section; `extra`: further sections.
    void startWith(const std::string& extra, const std::string& paths = "") {
        fake.fs.addFile(kIni, std::string("[Paths]\r\netPath=") + kGame + "\r\n" + paths + "\r\n" + extra);
        fake.fs.addFile(std::string(kProgram) + "VexalParam.dat", "+map\r\n");
        fake.fs.addFile(std::string(kProgram) + "headshot.wav", "RIFF");
        start();
        form->setFormObserver(&watch);
        app.setObserver(&watch);
    }
    void TearDown() override {
        if (form) form->setFormObserver(nullptr);
        app.setObserver(nullptr);
    }
    [[nodiscard]] std::string setting(const char* section, const char* key) {
        return config.doc().readString(section, key, "<none>");
    }
    [[nodiscard]] std::string ini() const { return fake.fs.contents(kIni).value_or(""); }
};

// ---- server browser ---------------------------------------------------------------

TEST_F(ToolsTest, TheFirstAsePressAsksForTheProgramStoresItAndStartsItLaterPressesStartAtOnce) {
    startWith("");
    fake.fs.addFile(kEye, "MZ");
    fake.dialogs.answerNextOpenFile({kEye});
    form->bitbtnASE.click();
    ASSERT_EQ(fake.dialogs.openFileRequests.size(), 1u);
    EXPECT_EQ(fake.dialogs.openFileRequests[0].title, "Select your Program");
    EXPECT_EQ(fake.dialogs.openFileRequests[0].filter, "EXE files (*.exe)|*.exe");
    EXPECT_EQ(setting("Paths", "eyePath"), kEye);
    EXPECT_NE(ini().find("eyePath=" + kEye), std::string::npos);
    ASSERT_EQ(fake.shell.calls.size(), 1u);
    EXPECT_EQ(fake.shell.calls[0], (platform::fake::ShellCall{kEye, "", "", ShowCmd::Show, true}));
    EXPECT_TRUE(form->launcher.gameStarted());
    EXPECT_TRUE(shown("mnuASELog").enabled());
    EXPECT_TRUE(shown("mnuLaunchInfo").enabled());
    EXPECT_FALSE(watch.minimized);
    EXPECT_FALSE(watch.closed);
    form->bitbtnASE.onExit();
    EXPECT_FALSE(form->launcher.gameStarted());

    form->onCommand(Cmd::Ase);
    form->onCommand(Cmd::Ase);
    EXPECT_EQ(fake.dialogs.openFileRequests.size(), 1u);
    EXPECT_EQ(fake.shell.calls.size(), 3u);
}

TEST_F(ToolsTest, CancellingTheServerBrowserChoiceStoresTheOldPathAndStartsNothing) {
    startWith("[CloseVexal]\r\nClose=1\r\n[Minimize]\r\nMinimize=1\r\n", "eyePath=C:\\Gone\\eye.exe\r\n");
    form->bitbtnASE.click();
    EXPECT_EQ(fake.dialogs.openFileRequests.size(), 1u);
    EXPECT_EQ(setting("Paths", "eyePath"), "C:\\Gone\\eye.exe");
    EXPECT_TRUE(fake.shell.calls.empty());
    EXPECT_FALSE(form->launcher.gameStarted());
    EXPECT_FALSE(watch.minimized);
    EXPECT_FALSE(watch.closed);
}

TEST_F(ToolsTest, AServerBrowserStartObeysTheOptionsAndOnlyEyeExeEnablesItsLogs) {
    startWith("[CloseVexal]\r\nClose=1\r\n", "eyePath=C:\\ASE\\Eye.exe\r\n");
    fake.fs.addFile("C:\\ASE\\Eye.exe", "MZ");
    form->bitbtnASE.click();
    EXPECT_EQ(fake.shell.calls.size(), 1u);
    EXPECT_FALSE(watch.minimized) << "Close after start keeps Minimize after start off";
    EXPECT_TRUE(watch.closed);
    EXPECT_FALSE(shown("mnuASELog").enabled());  // the letter case counts
    EXPECT_FALSE(shown("mnuLaunchInfo").enabled());
    EXPECT_TRUE(form->launcher.gameStarted());
}

TEST_F(ToolsTest, AServerBrowserTheShellRefusesIsReportedOnceAndNothingElseHappens) {
    startWith("[CloseVexal]\r\nClose=1\r\n[Minimize]\r\nMinimize=1\r\n", "eyePath=" + kEye + "\r\n");
    fake.fs.addFile(kEye, "MZ");
    fake.shell.failNext("Cannot start " + kEye + ": Access denied.");
    run([&] { form->bitbtnASE.click(); });
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_NE(errors[0].find(kEye), std::string::npos);
    EXPECT_FALSE(form->launcher.gameStarted());
    EXPECT_FALSE(watch.minimized);
    EXPECT_FALSE(watch.closed);
}

// ---- PunkBuster updater --------------------------------------------------------------

TEST_F(ToolsTest, TheUpdaterStartsByItsFullPathAfterTheQuestionAndTheTimeIsKept) {
    startWith("");
    const std::string updater = std::string(kGame) + "\\pb\\pbweb.exe";
    fake.fs.addFile(updater, "MZ");
    fake.dialogs.answerNextBox(BoxResult::Yes);
    form->btnPB.click();
    ASSERT_EQ(fake.dialogs.boxes.size(), 1u);
    EXPECT_EQ(fake.dialogs.boxes[0],
              (platform::fake::MessageBoxCall{"You are connected. Do you want to really make an update?",
                                              BoxKind::Plain, BoxButtons::YesCancel}));
    ASSERT_EQ(fake.shell.calls.size(), 1u);
    EXPECT_EQ(fake.shell.calls[0], (platform::fake::ShellCall{updater, "", "", ShowCmd::Show, false}));
    EXPECT_EQ(fake.fs.currentDirectory(), std::string(kGame) + "\\pb");
    EXPECT_EQ(setting("Logs", "pblog"), "15.01.2024 10:30:00");
    EXPECT_NE(ini().find("pblog=15.01.2024 10:30:00"), std::string::npos);
    EXPECT_EQ(form->pbLog, "15.01.2024 10:30:00");  // the refresh read it back
}

TEST_F(ToolsTest, TheUpdaterQuestionCarriesTheLastUpdateAndCancelStartsNothing) {
    startWith("[Logs]\r\npblog=01.01.2024 09:00:00\r\n");
    fake.dialogs.answerNextBox(BoxResult::Cancel);
    form->onCommand(Cmd::PbUpdate);
    EXPECT_EQ(app.title(), "Last PB update: 01.01.2024 09:00:00");
    EXPECT_TRUE(fake.shell.calls.empty());
    EXPECT_EQ(setting("Logs", "pblog"), "01.01.2024 09:00:00");
}

TEST_F(ToolsTest, WithoutConnectionTheUpdaterIsNotOfferedAndTheWindowIsRefreshed) {
    startWith("");
    fake.connectivity.online = false;
    config.doc().writeString("ET-Nickname", "nick", "Changed");  // a refresh reads it
    form->onCommand(Cmd::PbUpdate);
    ASSERT_EQ(fake.dialogs.boxes.size(), 1u);
    EXPECT_EQ(fake.dialogs.boxes[0],
              (platform::fake::MessageBoxCall{
                  "Sorry, you are not connected to Internet\n\rPlease connect to Internet and try it again",
                  BoxKind::Warning, BoxButtons::Cancel}));
    EXPECT_TRUE(fake.shell.calls.empty());
    EXPECT_EQ(form->nickname, "Changed");
}

TEST_F(ToolsTest, AMissingUpdaterOrARefusedStartLeavesTheLastUpdateAlone) {
    startWith("");
    fake.dialogs.answerNextBox(BoxResult::Yes);
    form->btnPB.click();
    ASSERT_EQ(fake.dialogs.boxes.size(), 2u);
    EXPECT_EQ(fake.dialogs.boxes[1].kind, BoxKind::Warning);
    EXPECT_NE(fake.dialogs.boxes[1].text.find(std::string(kGame) + "\\pb"), std::string::npos);
    EXPECT_TRUE(fake.shell.calls.empty());
    EXPECT_EQ(setting("Logs", "pblog"), "<none>");

    fake.fs.addFile(std::string(kGame) + "\\pb\\pbweb.exe", "MZ");
    fake.shell.failNext("Cannot start pbweb.exe: Access denied.");
    fake.dialogs.answerNextBox(BoxResult::Yes);
    run([&] { form->btnPB.click(); });
    EXPECT_EQ(errors.size(), 1u);
    EXPECT_EQ(setting("Logs", "pblog"), "<none>");
}

// ---- demos and screenshots -----------------------------------------------------------

TEST(ToolRules, DemosAndScreenshotsComeFromEtproOnlyWhenTheLineSetsItInThisCase) {
    const struct {
        const char* line;
        const char* folder;
    } cases[] = {
        {"set fs_game etpro +sv_pure 0 +g_gametype 2 +map", "C:\\ET\\etpro\\demos"},
        {"+set fs_game etpro +map", "C:\\ET\\etpro\\demos"},
        {"+sv_pure 0 set fs_game etprofile", "C:\\ET\\etpro\\demos"},
        {"SET FS_GAME ETPRO +map", "C:\\ET\\etmain\\demos"},
        {"+set fs_game  etpro", "C:\\ET\\etmain\\demos"},
        {"", "C:\\ET\\etmain\\demos"},
    };
    for (const auto& c : cases) EXPECT_EQ(util::modFolder("C:\\ET", c.line, "demos"), c.folder) << c.line;
}

TEST_F(ToolsTest, APickedDemoGoesIntoTheMapFieldAndTheListOnceAndIsKeptAtOnce) {
    startWith("[ET-Param]\r\nETParam=+set fs_game etpro +map\r\n[ET-Map]\r\nMap=oasis\r\n");
    const std::string demo = std::string(kGame) + "\\etpro\\demos\\final1.dm_83";
    fake.dialogs.answerNextOpenFile({demo});
    form->onCommand(Cmd::Demo);  // from the menu: the focus never leaves anything
    ASSERT_EQ(fake.dialogs.openFileRequests.size(), 1u);
    EXPECT_EQ(fake.dialogs.openFileRequests[0].initialDir, std::string(kGame) + "\\etpro\\demos");
    EXPECT_EQ(fake.dialogs.openFileRequests[0].filter, "Demo files (*.dm_83;*.dm_84)|*.dm_83;*.dm_84");
    EXPECT_EQ(fake.dialogs.openFileRequests[0].title, "Select your Enemy Territory demo");
    EXPECT_EQ(form->cbxMap.text(), "+demo final1");
    EXPECT_EQ(file("VexalMap.dat"), "+demo final1\r\n");
    EXPECT_EQ(setting("ET-Map", "Map"), "+demo final1");

    fake.dialogs.answerNextOpenFile({demo});
    form->bitbtnDemo.click();
    EXPECT_EQ(form->cbxMap.items().size(), 1u);
    fake.dialogs.cancelNextOpenFile();
    form->bitbtnDemo.click();
    EXPECT_EQ(form->cbxMap.text(), "+demo final1");

    form->bitbtnRun.click();
    ASSERT_FALSE(fake.shell.calls.empty());
    EXPECT_EQ(fake.shell.calls.back().params, "+set fs_game etpro +map +demo final1");
}

TEST_F(ToolsTest, APickedScreenshotOpensInTheDefaultViewerWholeAndUnquoted) {
    startWith("");
    const std::string shot = std::string(kGame) + "\\etmain\\screenshots\\shot 0001.jpg";
    fake.dialogs.answerNextOpenFile({shot, std::string(kGame) + "\\etmain\\screenshots\\shot0002.jpg"});
    form->bitbtnPicture.click();
    EXPECT_EQ(fake.dialogs.openFileRequests[0].initialDir, std::string(kGame) + "\\etmain\\screenshots");
    EXPECT_EQ(fake.dialogs.openFileRequests[0].filter, "Screenshot files (*.jpg)|*.jpg");
    EXPECT_EQ(fake.dialogs.openFileRequests[0].title, "Select your Enemy Territory Screenshot");
    ASSERT_EQ(fake.shell.calls.size(), 1u);
    EXPECT_EQ(fake.shell.calls[0], (platform::fake::ShellCall{shot, "", "", ShowCmd::Normal, false}));
    fake.dialogs.cancelNextOpenFile();
    form->onCommand(Cmd::Screenshot);
    EXPECT_EQ(fake.shell.calls.size(), 1u);
}

// ---- config files and the editor --------------------------------------------------------

TEST_F(ToolsTest, ConfigFilesOpenQuotedInTheEditorAndTheFirstIsRemembered) {
    startWith("", "editor=" + kEditor + "\r\n");
    fake.fs.addFile(kEditor, "MZ");
    const std::string a = std::string(kGame) + "\\etmain\\my config.cfg", b = std::string(kGame) + "\\etmain\\b.cfg";
    fake.dialogs.answerNextOpenFile({a, b});
    form->bitbtnEdit.click();
    ASSERT_EQ(fake.dialogs.openFileRequests.size(), 1u);
    const auto& request = fake.dialogs.openFileRequests[0];
    EXPECT_TRUE(request.multiSelect);
    EXPECT_EQ(request.initialDir, std::string(kGame) + "\\etmain");
    EXPECT_EQ(request.fileName, kAutoexec);  // nothing remembered yet
    EXPECT_EQ(request.filter, "CFG files (*.cfg)|*.CFG");
    EXPECT_EQ(request.title, "Select your ET config file");
    ASSERT_EQ(fake.shell.calls.size(), 1u);
    EXPECT_EQ(fake.shell.calls[0],
              (platform::fake::ShellCall{kEditor, "\"" + a + "\" \"" + b + "\" ", "", ShowCmd::Show, false}));
    EXPECT_EQ(setting("Paths", "lastcfg"), a);
    EXPECT_EQ(form->bitbtnEdit.hint(), " Edit Enemy Territory cfg files  (recent cfg: my config.cfg)");

    // The remembered file is preset once it exists; Notepad gets one file at a time.
    fake.fs.addFile(a, "bind x kill");
    form->editorPath = "C:\\WINDOWS\\notepad.exe";
    fake.fs.addFile(form->editorPath, "MZ");
    fake.dialogs.cancelNextOpenFile();
    form->onCommand(Cmd::EditCfg);
    EXPECT_FALSE(fake.dialogs.openFileRequests[1].multiSelect);
    EXPECT_EQ(fake.dialogs.openFileRequests[1].fileName, a);
    EXPECT_EQ(fake.shell.calls.size(), 1u);

    // The one dialog keeps that option for the next picker, with its texts emptied.
    fake.dialogs.cancelNextOpenFile();
    form->bitbtnDemo.click();
    EXPECT_FALSE(fake.dialogs.openFileRequests[2].multiSelect);
    EXPECT_EQ(fake.dialogs.openFileRequests[2].fileName, "");
    EXPECT_EQ(fake.dialogs.openFileRequests[2].defaultExt, "");
}

TEST_F(ToolsTest, ACancelledFirstEditRemembersAutoexecCfg) {
    startWith("", "editor=" + kEditor + "\r\n");
    fake.fs.addFile(kEditor, "MZ");
    form->onCommand(Cmd::EditCfg);
    EXPECT_TRUE(fake.shell.calls.empty());
    EXPECT_EQ(setting("Paths", "lastcfg"), kAutoexec);
    EXPECT_EQ(form->bitbtnEdit.hint(), " Edit Enemy Territory cfg files  (recent cfg: autoexec.cfg)");
}

TEST_F(ToolsTest, WithoutAnEditorFileTheEditStopsQuietlyAfterAsking) {
    startWith("", "editor=C:\\Gone\\pad.exe\r\n");
    form->bitbtnEdit.click();
    ASSERT_EQ(fake.dialogs.openFileRequests.size(), 1u);
    EXPECT_EQ(fake.dialogs.openFileRequests[0].title, "Select your Default Editor");
    EXPECT_TRUE(fake.shell.calls.empty());
    EXPECT_TRUE(fake.dialogs.boxes.empty());
    EXPECT_EQ(setting("Paths", "lastcfg"), "<none>");
    EXPECT_FALSE(form->toolbox.editorExists());
}

TEST_F(ToolsTest, ChoosingAnEditorStoresItAndRefreshesItsHints) {
    startWith("");
    EXPECT_EQ(form->sbtnEditor.hint(), " Select your ET Editor (not yet configured)");
    fake.dialogs.answerNextOpenFile({kEditor});
    form->sbtnEditor.click();
    EXPECT_EQ(fake.dialogs.openFileRequests[0].title, "Select your Editor");
    EXPECT_EQ(setting("Paths", "editor"), kEditor);
    EXPECT_EQ(form->sbtnEditor.hint(), " Select your ET Editor (Current: " + kEditor + ")");
    EXPECT_EQ(form->menuItem("mnuSelEditor")->hint(), form->sbtnEditor.hint());
    fake.dialogs.cancelNextOpenFile();
    form->onCommand(Cmd::SelectEditor);
    EXPECT_EQ(setting("Paths", "editor"), kEditor);
}

TEST_F(ToolsTest, ResetToNotepadAsksAndTakesNotepadOnlyWhenItExists) {
    startWith("", "editor=" + kEditor + "\r\n");
    fake.process.setEnvironment("windir", "C:\\WINDOWS");
    fake.dialogs.answerNextBox(BoxResult::No);
    form->sbtnNotepad.click();
    EXPECT_EQ(fake.dialogs.boxes[0],
              (platform::fake::MessageBoxCall{"Do you really fall back to Windows default editor Notepad?",
                                              BoxKind::Information, BoxButtons::YesNo}));
    EXPECT_EQ(form->editorPath, kEditor);

    fake.dialogs.answerNextBox(BoxResult::Yes);
    form->onCommand(Cmd::ResetNotepad);
    EXPECT_EQ(fake.dialogs.boxes[2],
              (platform::fake::MessageBoxCall{"No Windows default editor found!", BoxKind::Warning, BoxButtons::Ok}));
    EXPECT_EQ(form->editorPath, kEditor);  // the editor in use stays, in memory too
    EXPECT_EQ(setting("Paths", "editor"), kEditor);

    fake.fs.addFile("C:\\WINDOWS\\notepad.exe", "MZ");
    fake.dialogs.answerNextBox(BoxResult::Yes);
    form->sbtnNotepad.click();
    EXPECT_EQ(setting("Paths", "editor"), "C:\\WINDOWS\\notepad.exe");
    EXPECT_EQ(form->sbtnEditor.hint(), " Select your ET Editor (Current: C:\\WINDOWS\\notepad.exe)");
    EXPECT_EQ(fake.dialogs.boxes.back(), (platform::fake::MessageBoxCall{"Now your default editor is notepad.exe",
                                                                         BoxKind::Information, BoxButtons::Ok}));
}

// ---- nickname ----------------------------------------------------------------------------

struct AutoexecCase {
    const char* what;
    std::string before, after;
};

// Every start and refresh names the nickname and the recent config file, or says none is set.
TEST_F(ToolsTest, TheHintsNameTheNicknameAndTheRecentConfigAfterEveryRefresh) {
    startWith("");
    EXPECT_EQ(form->mnuNick->hint(), " Nickname for Enemy Territory not yet configured!");
    EXPECT_EQ(form->menuItem("mnuEdit")->hint(), " Edit Enemy Territory cfg files");
    settings::write(config.doc(), settings::key::nick, std::string("^1Ace"));
    settings::write(config.doc(), settings::key::lastcfg, kAutoexec);
    run([&] { form->refresh(); });
    EXPECT_EQ(form->mnuNick->hint(), " Current Nickname for Enemy Territory: ^1Ace");
    for (const std::string& hint : {form->bitbtnEdit.hint(), form->menuItem("mnuEdit")->hint()})
        EXPECT_EQ(hint, " Edit Enemy Territory cfg files  (recent cfg: autoexec.cfg)");
}

TEST_F(ToolsTest, TheNicknameIsWrittenIntoEveryShapeOfAutoexecCfgKeepingTheRest) {
    const AutoexecCase cases[] = {
        {"seta and set lines, each with its own word", "seta name \"Old\"\r\nset name \"Old\"\r\nbind x kill\r\n",
         "seta name \"^1ET^pPlayer\"\r\nset name \"^1ET^pPlayer\"\r\nbind x kill\r\n"},
        {"capitals and indentation are replaced as whole lines", "  SETA NAME \"Old\"\r\n\tSet Name Old // me\r\n",
         "seta name \"^1ET^pPlayer\"\r\nset name \"^1ET^pPlayer\"\r\n"},
        {"a comment or a binding naming the key is replaced too",
         "// seta name is my name\r\nbind n \"set name Joe\"\r\n",
         "seta name \"^1ET^pPlayer\"\r\nset name \"^1ET^pPlayer\"\r\n"},
        {"no entry: nothing added, nothing rewritten", "seta rate \"25000\"\r\n\r\nBind X Kill",
         "seta rate \"25000\"\r\n\r\nBind X Kill"},
        {"LF line ends and blank lines stay", "bind a +attack\n\nseta name \"Old\"\nexec x.cfg\n",
         "bind a +attack\n\nseta name \"^1ET^pPlayer\"\nexec x.cfg\n"},
        {"a last line without line end stays without", "bind a +attack\r\nseta name \"Old\"",
         "bind a +attack\r\nseta name \"^1ET^pPlayer\""},
        {"other lines keep their letter case byte for byte", "SETA Com_Hunkmegs 128\r\nset name x\r\n",
         "SETA Com_Hunkmegs 128\r\nset name \"^1ET^pPlayer\"\r\n"},
    };
    startWith("");
    for (const auto& c : cases) {
        fake.fs.addFile(kAutoexec, c.before);
        fake.dialogs.answerNextInput("^1ET^pPlayer");
        fake.dialogs.answerNextBox(BoxResult::Yes);
        form->onCommand(Cmd::Nickname);
        EXPECT_EQ(fake.fs.contents(kAutoexec), c.after) << c.what;
    }
    EXPECT_EQ(setting("ET-Nickname", "nick"), "^1ET^pPlayer");
    EXPECT_EQ(form->mnuNick->hint(), " Current Nickname for Enemy Territory: ^1ET^pPlayer");
}

TEST_F(ToolsTest, TheNicknameBoxExplainsTheColoursAndTheNameReachesTheCommandLine) {
    startWith("[ET-Nickname]\r\nnick=Tom\r\n[ET-Param]\r\nETParam=+map\r\n");
    fake.fs.addFile(kAutoexec, "seta name \"Tom\"\r\n");
    fake.dialogs.answerNextInput("^1Jo Jo");
    fake.dialogs.answerNextBox(BoxResult::No);
    form->onCommand(Cmd::Nickname);
    ASSERT_EQ(fake.dialogs.inputCalls.size(), 1u);
    EXPECT_EQ(fake.dialogs.inputCalls[0],
              (platform::fake::InputCall{"Set Nickname for Enemy Territory",
                                         " Some Enemy Territory main colors:\n\r\n\r^1 red, ^2 green,^3 yellow, ^4 "
                                         "blue, ^5 tuerkis\n\r^6 violet, ^7 white, ^8 orange, ^9 gray, ^p "
                                         "black\n\r\n\r\n\rSample: ^1ET^pPlayer",
                                         "Tom"}));
    EXPECT_EQ(fake.dialogs.boxes[0],
              (platform::fake::MessageBoxCall{
                  "Replace nick in your ET autoexec.cfg too?\n\r\n\r(Entry  \"set[a] name\" must be present!)",
                  BoxKind::Confirmation, BoxButtons::YesNo}));
    EXPECT_EQ(fake.fs.contents(kAutoexec), "seta name \"Tom\"\r\n");  // "&Nein"
    EXPECT_EQ(setting("ET-Nickname", "nick"), "^1Jo Jo");
    form->bitbtnRun.click();
    EXPECT_EQ(fake.shell.calls.back().params, "+map  +seta name ^1Jo Jo");
}

TEST_F(ToolsTest, CancelOrCharactersTheScriptCannotCarryChangeNothing) {
    startWith("[ET-Nickname]\r\nnick=Tom\r\n");
    fake.fs.addFile(kAutoexec, "seta name \"Tom\"\r\n");
    const std::string before = ini();
    fake.dialogs.cancelNextInput();
    form->onCommand(Cmd::Nickname);
    EXPECT_TRUE(fake.dialogs.boxes.empty());
    for (const char* bad : {"Bad\"Name", "x;quit", "two\r\nlines", "lf\nonly"}) {
        fake.dialogs.answerNextInput(bad);
        form->onCommand(Cmd::Nickname);
        ASSERT_FALSE(fake.dialogs.boxes.empty()) << bad;
        EXPECT_EQ(fake.dialogs.boxes.back().kind, BoxKind::Warning) << bad;
        EXPECT_NE(fake.dialogs.boxes.back().text.find("double quote"), std::string::npos);
    }
    EXPECT_EQ(fake.dialogs.boxes.size(), 4u);  // no question about the script
    EXPECT_EQ(ini(), before);
    EXPECT_EQ(form->nickname, "Tom");
    EXPECT_EQ(fake.fs.contents(kAutoexec), "seta name \"Tom\"\r\n");
    EXPECT_EQ(fake.dialogs.pendingAnswers(), 0u);
}

TEST_F(ToolsTest, AnEmptyNameClearsItEverywhereAndEveryLineIsJudgedOnce) {
    startWith("[ET-Nickname]\r\nnick=Tom\r\n[ET-Param]\r\nETParam=+map\r\n");
    fake.fs.addFile(kAutoexec, "seta name \"Tom\"\r\nbind x kill\n");
    fake.dialogs.answerNextInput("");
    fake.dialogs.answerNextBox(BoxResult::Yes);
    form->onCommand(Cmd::Nickname);
    EXPECT_EQ(fake.fs.contents(kAutoexec), "seta name \"\"\r\nbind x kill\n");
    EXPECT_EQ(setting("ET-Nickname", "nick"), "");
    EXPECT_EQ(form->mnuNick->hint(), " Current Nickname for Enemy Territory: ");
    start();  // the next start of the program reads the empty name
    EXPECT_EQ(form->nickname, "");
    form->bitbtnRun.click();
    EXPECT_EQ(fake.shell.calls.back().params, "+map ");

    // A name holding the other command word: the line written for one word is
    // not taken for the other.
    const struct {
        const char* nick;
        std::string before, after;
    } rows[] = {
        {"I set name", "seta name \"old\"\r\nset name old\n", "seta name \"I set name\"\r\nset name \"I set name\"\n"},
        {"Ann", "seta name a; set name b\r\n", "seta name \"Ann\"\r\n"},
    };
    for (const auto& row : rows) {
        fake.fs.addFile(kAutoexec, row.before);
        fake.dialogs.answerNextInput(row.nick);
        fake.dialogs.answerNextBox(BoxResult::Yes);
        form->onCommand(Cmd::Nickname);
        EXPECT_EQ(fake.fs.contents(kAutoexec), row.after) << row.nick;
    }
}

TEST_F(ToolsTest, AnAutoexecThatIsMissingReadOnlyLockedOrOnAFullDiskIsNeverTruncated) {
    startWith("");
    fake.dialogs.answerNextInput("Ann");
    form->onCommand(Cmd::Nickname);
    EXPECT_EQ(fake.dialogs.boxes.back(),
              (platform::fake::MessageBoxCall{"ET autoexec.cfg not found!", BoxKind::Warning, BoxButtons::Cancel}));
    EXPECT_EQ(setting("ET-Nickname", "nick"), "Ann");  // stored all the same

    const std::string content = "seta name \"Old\"\r\nbind x kill\r\n";
    fake.fs.addFile(kAutoexec, content, platform::kAttrReadOnly);
    fake.dialogs.answerNextInput("Bob");
    fake.dialogs.answerNextBox(BoxResult::Yes);
    form->onCommand(Cmd::Nickname);
    EXPECT_EQ(fake.dialogs.boxes.back().kind, BoxKind::Warning);
    EXPECT_NE(fake.dialogs.boxes.back().text.find("read-only"), std::string::npos);
    EXPECT_NE(fake.dialogs.boxes.back().text.find(kAutoexec), std::string::npos);
    EXPECT_EQ(fake.fs.contents(kAutoexec), content);

    fake.fs.addFile(kAutoexec, content);
    fake.fs.lockFile(kAutoexec);
    fake.dialogs.answerNextInput("Cid");
    fake.dialogs.answerNextBox(BoxResult::Yes);
    run([&] { form->onCommand(Cmd::Nickname); });
    fake.fs.unlockFile(kAutoexec);
    EXPECT_EQ(errors.size(), 1u);
    EXPECT_EQ(fake.fs.contents(kAutoexec), content);

    fake.fs.setDiskFull(true);  // not even the settings can be saved: the handler stops there
    fake.dialogs.answerNextInput("Dan");
    fake.dialogs.answerNextBox(BoxResult::Yes);
    run([&] { form->onCommand(Cmd::Nickname); });
    fake.fs.setDiskFull(false);
    EXPECT_EQ(errors.size(), 2u);
    EXPECT_EQ(fake.fs.contents(kAutoexec), content);

    fake.fs.failWritesUnder(std::string(kGame) + "\\etmain");  // the game's drive is full
    fake.dialogs.answerNextInput("Eve");
    fake.dialogs.answerNextBox(BoxResult::Yes);
    run([&] { form->onCommand(Cmd::Nickname); });
    ASSERT_EQ(errors.size(), 3u);
    EXPECT_EQ(errors[2], "Datei " + kAutoexec + " kann nicht erstellt werden");
    EXPECT_EQ(fake.fs.contents(kAutoexec), content);
    EXPECT_EQ(setting("ET-Nickname", "nick"), "Eve");
}

// ---- help and about -------------------------------------------------------------------------

TEST_F(ToolsTest, TheGameDocumentationOpensWhenPresentElseItsPathIsNamed) {
    startWith("");
    const std::string docs = std::string(kGame) + "\\Docs\\Help\\index.htm";
    form->onCommand(Cmd::GameReadme);
    EXPECT_EQ(fake.dialogs.boxes.back(),
              (platform::fake::MessageBoxCall{"Sorry, your ET Support Documentation not found!\n\r(" + docs + ")",
                                              BoxKind::Information, BoxButtons::Ok}));
    EXPECT_TRUE(fake.shell.calls.empty());
    fake.fs.addFile(docs, "<html>");
    form->onCommand(Cmd::GameReadme);
    ASSERT_EQ(fake.shell.calls.size(), 1u);
    EXPECT_EQ(fake.shell.calls[0], (platform::fake::ShellCall{docs, "", "", ShowCmd::Normal, false}));
}

TEST_F(ToolsTest, TheDownloadAsksWhenConnectedAndEscStartsNothing) {
    startWith("");
    fake.connectivity.online = false;
    form->onCommand(Cmd::Download);
    EXPECT_EQ(fake.dialogs.boxes.back().kind, BoxKind::Warning);
    EXPECT_EQ(fake.dialogs.boxes.back().buttons, BoxButtons::Cancel);
    fake.connectivity.online = true;
    fake.dialogs.answerNextBox(BoxResult::Cancel);
    form->onCommand(Cmd::Download);
    EXPECT_EQ(fake.dialogs.boxes.back(),
              (platform::fake::MessageBoxCall{"You are connected. Do you want really to make a Download?",
                                              BoxKind::Plain, BoxButtons::YesCancel}));
    EXPECT_EQ(app.title(), "Download Vexal.exe");
    EXPECT_TRUE(fake.shell.calls.empty());
    fake.dialogs.answerNextBox(BoxResult::Yes);
    form->onCommand(Cmd::Download);
    ASSERT_EQ(fake.shell.calls.size(), 1u);
    EXPECT_EQ(fake.shell.calls[0].file.rfind("http://vexal.example.org/download/", 0), 0u);
    EXPECT_EQ(fake.shell.calls[0].show, ShowCmd::Normal);
    EXPECT_EQ(form->menuItem("mnuDownload")->hint(), " Address: " + fake.shell.calls[0].file)
        << "the hint names what opens";
}

TEST(ToolRules, TheAboutTextNamesTheVersionAndTheAddressesInItsOrder) {
    const std::string text = tools::aboutText("1.0.0");
    EXPECT_EQ(text.rfind("           V e x a l  - (Version 1.0.0 final)\n\r\n\rA Map/Program-Tool and a desktop "
                         "Minimizer\n\rfor the great Freeware Game Enemy Territory\n\r\n\rDownload main program (as "
                         "zip or exe file):\n\r",
                         0),
              0u)
        << text;
    EXPECT_NE(text.find("\n\r\n\rDownload mp3 file and the Highlighting file:\n\r"), std::string::npos);
    EXPECT_NE(text.find("Vexal.mp3\n\r"), std::string::npos);
    EXPECT_EQ(text.find("vexal.example.org/download"), std::string::npos);  // another server than the download's
    EXPECT_NE(text.substr(text.size() - 4), "\n\r\n\r");
}

TEST_F(ToolsTest, TheAboutBoxPlaysTheTuneWhileOpenAndFallsBackToTheClick) {
    startWith("");
    const std::string tune = std::string(kProgram) + "Vexal.mp3";
    const std::string click = std::string(kProgram) + "headshot.wav";
    fake.fs.addFile(tune, "ID3");
    form->onCommand(Cmd::About);
    ASSERT_FALSE(fake.dialogs.boxes.empty());
    EXPECT_EQ(fake.dialogs.boxes.back().kind, BoxKind::Plain);
    EXPECT_EQ(fake.dialogs.boxes.back().text, tools::aboutText("1.0.0"));
    EXPECT_EQ(app.title(), "About Vexal");
    ASSERT_EQ(fake.sound.played.size(), 1u);
    EXPECT_EQ(fake.sound.played[0].path, tune);
    const int closesAfterFirst = fake.sound.closes;
    EXPECT_GE(closesAfterFirst, 2);  // the box's end closes the device

    // No decoder: the tune is skipped, the click plays, the box still shows.
    fake.sound.failOpen(tune);
    form->onCommand(Cmd::About);
    EXPECT_EQ(fake.dialogs.boxes.size(), 2u);
    EXPECT_EQ(fake.sound.played.back().path, click);

    form->onCommand(Cmd::Sound);  // off
    const auto heard = fake.sound.played.size();
    form->onCommand(Cmd::About);
    EXPECT_EQ(fake.dialogs.boxes.size(), 3u);
    EXPECT_EQ(fake.sound.played.size(), heard);
}

}  // namespace
