// The text viewers on the headless window: what each shows, how it closes, what it
// says when its file is missing, and what it writes back.
#include "unit/window_fixture.h"
#include "util/file_facts.h"
#include "viewers/viewer_rules.h"

namespace vexal::testing {

namespace {

constexpr const char* kEye = "C:\\ASE\\eye.exe";

class ViewersTest : public WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        fake.fs.addFile(std::string(kProgram) + "headshot.wav", "RIFF");
    }
    void startWith(const std::string& extra = "") {
        settingsFile(std::string("eyePath=") + kEye + "\r\n" + extra);
        start();
    }
    std::vector<ui::Memo*> viewers() {
        return {&form->memReadme, &form->memChanges, &form->memETLog, &form->memASE, &form->memLaunchInfo};
    }
};

}  // namespace

TEST_F(ViewersTest, EachViewerShowsItsFileInItsLookAndHint) {
    fake.fs.addFile(std::string(kProgram) + "readme-vexal.txt", "Vexal\r\nreadme\r\n");
    fake.fs.addFile(std::string(kProgram) + "changes-vexal.txt", "1.0\r\n");
    fake.fs.addFile(std::string(kGame) + "\\etmain\\etconsole.log", "Console opened\r\nline 2\r\nline 3\r\n");
    fake.fs.addFile("C:\\ASE\\buddylog.txt", "a\nb\n");
    fake.fs.addFile("C:\\ASE\\launchinfo.txt", "server x\r\n");
    startWith();
    const struct {
        std::function<void(TfrmVexal&)> open;
        ui::Memo TfrmVexal::*memo;
        std::string font;
        ui::Colour colour;
        std::string hint;
        int topLine;
    } rows[] = {
        {[](TfrmVexal& f) { f.onCommand(Cmd::Readme); }, &TfrmVexal::memReadme, "courier", 0x800000,
         " readme-vexal.txt (Lines: 2)   <click on the status line or press ESC for close>", 0},
        {[](TfrmVexal& f) { f.onCommand(Cmd::Changes); }, &TfrmVexal::memChanges, "Courier", 0x000080,
         " changes-vexal.txt (Lines: 1)   <click on the status line or press ESC for close>", 0},
        {[](TfrmVexal& f) { f.bitbtnLog.click(); }, &TfrmVexal::memETLog, "courier", 0x008000,
         " etconsole.log (Lines: 3)   <click on the status line or press ESC for close>", 2},
        {[](TfrmVexal& f) { f.onCommand(Cmd::AseLog); }, &TfrmVexal::memASE, "fixedsys", 0x008000,
         " buddylog.txt (Lines: 2)   <click on the status line or press ESC for close>", 1},
        {[](TfrmVexal& f) { f.onCommand(Cmd::LaunchInfo); }, &TfrmVexal::memLaunchInfo, "fixedsys", 0x008000,
         " launchinfo.txt (Lines: 3)   <click on the status line or press ESC for close>", 0},
    };
    for (const auto& row : rows) {
        run([&] { row.open(*form); });
        ui::Memo& memo = (*form).*(row.memo);
        EXPECT_TRUE(memo.visible()) << memo.name();
        EXPECT_EQ(form->focused(), &memo) << memo.name();
        EXPECT_EQ(memo.font().name, row.font) << memo.name();
        EXPECT_EQ(memo.colour(), row.colour) << memo.name();
        EXPECT_EQ(memo.hint(), row.hint);
        EXPECT_EQ(memo.topLine(), row.topLine) << "the log shows its last line first";
    }
    EXPECT_TRUE(errors.empty());
    EXPECT_EQ(form->memLaunchInfo.text().substr(0, 31), "Last ET Game started with ASE: ");
    EXPECT_NE(form->memLaunchInfo.text().find(std::string(50, '-') + "\r\nserver x"), std::string::npos);
    EXPECT_EQ(form->lastLog, "Console opened");
    settings::Config reread{fake.fs, kIni};
    EXPECT_EQ(reread.doc().readString("Logs", "lastlog", ""), "Console opened");

    // Escape in any of them closes them all and says how to get hints again.
    int key = 27;
    run([&] { form->memASE.onKeyDown(key); });
    for (auto* memo : viewers()) EXPECT_FALSE(memo->visible()) << memo->name();
    EXPECT_EQ(form->stInfo.caption(), " <Please move your mouse over the objects to show hints>");
    EXPECT_EQ(form->caption(), form->standardCaption);
}

TEST_F(ViewersTest, MissingFilesAreSaidAndNothingOpens) {
    fake.fs.addDirectory("C:\\ASE");
    startWith();
    const auto before = fake.sound.played.size();
    run([&] { form->textViewers.readme(); });
    run([&] { form->onCommand(Cmd::Changes); });
    run([&] { form->onCommand(Cmd::AseLog); });
    run([&] { form->onCommand(Cmd::LaunchInfo); });
    run([&] { form->bitbtnLog.click(); });
    const std::vector<std::string> said = {
        "Sorry, changes-vexal.txt does not exists",
        "Sorry, buddylog.txt not found\n\rCheck your ASE Preferences!",
        "Sorry, launchinfo.txt not found\n\rCheck your ASE Preferences!",
        "Sorry, etconsole.log does not exists",
    };
    ASSERT_EQ(fake.dialogs.boxes.size(), said.size());
    for (std::size_t i = 0; i < said.size(); ++i) {
        EXPECT_EQ(fake.dialogs.boxes[i].text, said[i]);
        EXPECT_EQ(fake.dialogs.boxes[i].kind, platform::BoxKind::Information);
    }
    EXPECT_EQ(fake.sound.played.size(), before + 2) << "only the readme and the log click first";
    for (auto* memo : viewers()) EXPECT_FALSE(memo->visible()) << memo->name();
    EXPECT_EQ(form->lastLog, "");
}

// The text box breaks lines only at CR LF: whatever the file uses, the viewer
// holds CR LF, and the count, the scroll position and the last log line agree.
TEST_F(ViewersTest, EveryKindOfLineEndShowsAsLinesOfTheViewer) {
    const struct {
        const char* file;
        const char* shown;
        std::size_t lines;
    } rows[] = {
        {"first\nsecond\nthird\n", "first\r\nsecond\r\nthird\r\n", 3},  // the game's own log
        {"first\rsecond\rthird", "first\r\nsecond\r\nthird\r\n", 3},
        {"first\r\nsecond\n\rthird", "first\r\nsecond\r\n\r\nthird\r\n", 4},
        {"first\r\n\r\n", "first\r\n\r\n", 2},
        {"", "", 0},
    };
    const std::string log = std::string(kGame) + "\\etmain\\etconsole.log";
    startWith();
    for (const auto& row : rows) {
        fake.fs.addFile(log, row.file);
        run([&] { form->bitbtnLog.click(); });
        EXPECT_EQ(form->memETLog.text(), row.shown) << row.file;
        EXPECT_EQ(form->memETLog.hint(), viewers::viewerHint("etconsole.log", row.lines));
        EXPECT_EQ(form->memETLog.topLine(), static_cast<int>(row.lines) - 1);
        EXPECT_EQ(form->lastLog, row.lines ? "first" : "");
    }
    EXPECT_TRUE(errors.empty());
}

TEST_F(ViewersTest, AVanishedGameFolderIsAnErrorAndALockedLogKeepsTheViewer) {
    startWith();
    fake.fs.addFile(std::string(kGame) + "\\etmain\\etconsole.log", "first\r\n");
    run([&] { form->bitbtnLog.click(); });
    ASSERT_TRUE(errors.empty());
    fake.fs.lockFile(std::string(kGame) + "\\etmain\\etconsole.log");
    run([&] { form->bitbtnLog.click(); });
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_EQ(errors[0], util::cannotOpenFileText(std::string(kGame) + "\\etmain\\etconsole.log"));
    EXPECT_EQ(form->memETLog.text(), "first\r\n") << "the earlier text stays";
    form->gameDir = "C:\\Gone";
    run([&] { form->bitbtnLog.click(); });
    ASSERT_EQ(errors.size(), 2u);
    EXPECT_NE(errors[1].find("C:\\Gone\\etmain"), std::string::npos);
}

TEST_F(ViewersTest, AHugeLogShowsItsLastPartFromALineStart) {
    std::string log = std::string(300, 'x') + "\tfirst\r\n";
    for (int i = 0; i < 40000; ++i) log += "line " + std::to_string(i) + " of a long console log\r\n";
    ASSERT_GT(log.size(), viewers::kViewerBytes);
    fake.fs.addFile(std::string(kGame) + "\\etmain\\etconsole.log", log);
    startWith();
    run([&] { form->bitbtnLog.click(); });
    const std::string& shown = form->memETLog.text();
    EXPECT_LE(shown.size(), viewers::kViewerBytes);
    EXPECT_EQ(shown.rfind("line ", 0), 0u) << "starts at a whole line";
    EXPECT_NE(shown.find("line 39999 of"), std::string::npos);
    EXPECT_EQ(form->lastLog.size(), 255u) << "the first line, capped and without control characters";
    EXPECT_EQ(form->lastLog.find('\t'), std::string::npos);
}

// What the window was asked to do with itself.
struct WindowWatch : ui::FormObserver, ui::ApplicationObserver {
    std::string done;
    void captionChanged() override {}
    void focusChanged(ui::Control*) override {}
    void closeRequested() override {}
    void showRequested() override { done += "show "; }
    void hideRequested() override { done += "hide "; }
    void titleChanged() override {}
    void terminateRequested() override {}
    void minimizeRequested() override { done += "minimize "; }
};

TEST_F(ViewersTest, TheTrayReadmeHidesTheWindowAgainOnCloseOnlyWhileTheIconStands) {
    fake.fs.addFile(std::string(kProgram) + "readme-vexal.txt", "text\r\n");
    startWith("[Minimize]\r\nTrayIcon=1\r\n");
    WindowWatch watch;
    form->setFormObserver(&watch);
    app.setObserver(&watch);
    run([&] { form->onCommand(Cmd::TrayReadme); });
    EXPECT_TRUE(form->textViewers.trayOpened());
    EXPECT_TRUE(form->memReadme.visible());
    run([&] { form->textViewers.close(); });
    EXPECT_FALSE(form->textViewers.trayOpened());
    EXPECT_EQ(watch.done, "show hide ");
    run([&] { form->textViewers.readme(); });
    run([&] { form->textViewers.close(); });
    EXPECT_EQ(watch.done, "show hide ") << "a readme opened in the window closes without hiding it";

    // The icon switched off while the readme is open: no way back from hiding,
    // so the window goes to the taskbar.
    watch.done.clear();
    run([&] { form->onCommand(Cmd::TrayReadme); });
    run([&] { form->cbTray.toggleByUser(); });
    ASSERT_FALSE(form->ctrayIcon.visible());
    run([&] { form->textViewers.close(); });
    EXPECT_EQ(watch.done, "show minimize ");
    form->setFormObserver(nullptr);
    app.setObserver(nullptr);
}

TEST_F(ViewersTest, EditableModeWritesBackOnlyWhatTheUserChangedInAWholeFile) {
    const std::string readme = std::string(kProgram) + "readme-vexal.txt";
    fake.fs.addFile(readme, "old\r\n");
    fake.process.args = {"/editable"};
    startWith();
    run([&] { form->textViewers.readme(); });
    EXPECT_FALSE(form->memReadme.readOnly());
    EXPECT_EQ(fake.fs.contents(readme), "old\r\n") << "loading is no change";
    form->memReadme.modified = true;
    run([&] { form->memReadme.setText("new\r\n"); });
    EXPECT_EQ(fake.fs.contents(readme), "new\r\n");

    // A file too big to hold whole is shown in part and never written back.
    fake.fs.addFile(readme, std::string(viewers::kViewerBytes + 10, 'a') + "\r\n");
    run([&] { form->textViewers.readme(); });
    form->memReadme.modified = true;
    run([&] { form->memReadme.setText("short"); });
    EXPECT_EQ(fake.fs.contents(readme)->size(), viewers::kViewerBytes + 12);
}

TEST_F(ViewersTest, AnEditedFileThatCannotBeSavedIsSaidOnceAndANulByteKeepsTheViewerReadOnly) {
    fake.process.args = {"/editable"};
    startWith();
    const struct {
        ui::Memo TfrmVexal::*memo;
        std::function<void(TfrmVexal&)> open;
        std::string file;
    } rows[] = {
        {&TfrmVexal::memReadme, [](TfrmVexal& f) { f.textViewers.readme(); }, "readme-vexal.txt"},
        {&TfrmVexal::memChanges, [](TfrmVexal& f) { f.textViewers.changes(); }, "changes-vexal.txt"},
    };
    for (const auto& row : rows) {
        const std::string path = std::string(kProgram) + row.file;
        ui::Memo& memo = (*form).*(row.memo);
        auto type = [&](const std::string& text) {
            memo.modified = true;
            run([&] { memo.setText(text); });
        };
        errors.clear();
        fake.fs.addFile(path, "old\r\n", platform::kAttrReadOnly);
        run([&] { row.open(*form); });
        type("a");
        type("ab");
        ASSERT_EQ(errors.size(), 1u) << row.file << ": said once, not at every keystroke";
        EXPECT_EQ(errors[0].rfind("Datei " + path + " kann nicht erstellt werden", 0), 0u) << errors[0];
        EXPECT_NE(errors[0].find(viewers::kWriteBackStopped), std::string::npos);
        EXPECT_TRUE(memo.readOnly()) << row.file;
        EXPECT_TRUE(memo.visible());
        EXPECT_EQ(memo.text(), "ab") << "the text stays on screen";
        EXPECT_EQ(fake.fs.contents(path), "old\r\n");

        // Opened again on a writable file, the viewer saves again.
        fake.fs.addFile(path, "old\r\n");
        run([&] { row.open(*form); });
        EXPECT_FALSE(memo.readOnly());
        type("new\r\n");
        EXPECT_EQ(fake.fs.contents(path), "new\r\n") << row.file;

        // The text box would end the text at the NUL, and a write-back would drop the rest.
        const std::string withNul("a\0b\r\nrest\r\n", 11);
        fake.fs.addFile(path, withNul);
        run([&] { row.open(*form); });
        EXPECT_TRUE(memo.readOnly()) << row.file;
        type("a");
        EXPECT_EQ(fake.fs.contents(path), withNul) << row.file;
        EXPECT_EQ(errors.size(), 1u);
    }
}

TEST_F(ViewersTest, TheReadmeAndLogSwitchesOpenTheirViewerOnceAtTheFirstShowing) {
    fake.fs.addFile(std::string(kGame) + "\\etmain\\etconsole.log", "x\r\n");
    fake.process.args = {"/log"};
    startWith();
    run([&] { form->FormShow(); });
    EXPECT_TRUE(form->memETLog.visible());
    run([&] { form->textViewers.close(); });
    run([&] { form->FormShow(); });
    EXPECT_FALSE(form->memETLog.visible()) << "a later showing from the tray does not open it again";
    // Leaving PB-Update, choosing an editor ... rerun the initialisation, which
    // reads the command line again: the served request stays served.
    run([&] { form->refresh(); });
    run([&] { form->FormShow(); });
    EXPECT_FALSE(form->memETLog.visible()) << "a refresh does not ask for the log again";
    EXPECT_FALSE(form->switches.restore || form->switches.readme || form->switches.log);
}

TEST_F(ViewersTest, ARefreshBeforeTheFirstShowingKeepsTheRequests) {
    fake.fs.addFile(std::string(kProgram) + "readme-vexal.txt", "text\r\n");
    fake.process.args = {"/min", "/readme"};
    startWith();
    run([&] { form->refresh(); });
    run([&] { form->FormShow(); });
    EXPECT_TRUE(form->memReadme.visible()) << "shown from the tray at last, the window opens the readme";
}

TEST(ViewerRules, LinesCutAtWholeLinesAndTheLastLogText) {
    // A log cut 8 bytes from its end, a readme after 8 bytes: the byte beyond the
    // cut decides whether the line at the cut is whole.
    const std::vector<std::tuple<std::string, std::string, std::string>> cases = {
        // file                    its end            its start
        {"0123\r\nline\r\nlast", "last", "0123\r\n"},
        {"012345\r\nab\r\nxyzw", "ab\r\nxyzw", "012345\r\n"},  // the end's first line starts at the cut
        {"0123456\r\na\r\nxyzw", "a\r\nxyzw", "0123456\r"},    // the cut splits CR LF
        {"01234567\r\nab\r\n", "ab\r\n", "01234567"},          // the start's last line ends at the cut
        {"0123456789abcdef", "89abcdef", "01234567"},          // no line end: one line from the cut
    };
    for (const auto& [text, end, start] : cases) {
        platform::fake::FakeFileSystem fs;
        fs.addFile("C:\\f.txt", text);
        bool whole = true;
        EXPECT_EQ(viewers::readViewerText(fs, "C:\\f.txt", true, whole, 8), end) << text;
        EXPECT_FALSE(whole);
        EXPECT_EQ(viewers::readViewerText(fs, "C:\\f.txt", false, whole, 8), start) << text;
        EXPECT_EQ(viewers::readViewerText(fs, "C:\\f.txt", true, whole, text.size()), text);
        EXPECT_TRUE(whole);
    }
    EXPECT_EQ(viewers::lastLogText("a\tb\x1b[0m"), "a b [0m");
    EXPECT_EQ(viewers::lastLogText(std::string(300, 'y')).size(), 255u);
}

}  // namespace vexal::testing
