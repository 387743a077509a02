// The status line, the option pairs, the list toggle, the tray, the date field and
// the hotkey minimizer, driven on the headless window.
#include <set>

#include "app/layout.h"
#include "tools/hotkeys.h"
#include "unit/window_fixture.h"

namespace vexal::testing {

namespace {

using platform::fake::Hotkey;
constexpr const char* kDemos = "C:\\Games\\ET\\etmain\\demos";

struct MinimizeRecorder : ui::ApplicationObserver {
    int minimized = 0;
    void titleChanged() override {}
    void terminateRequested() override {}
    void minimizeRequested() override { ++minimized; }
};

class ShellTest : public WindowTest {
protected:
    // The mouse enters a control: its own text first, then its hint, as the window does it.
    void point(ui::Control& c) {
        run([&] { c.mouseMove(); });
        app.pointAt(&c);
    }
    bool stored(const char* section, const char* key, bool def) {
        settings::Config reread{fake.fs, kIni};
        return reread.doc().readBool(section, key, def);
    }
    // Minimize and Close after start, as the boxes, the menu and the file have them.
    void expectOptions(bool minimize, bool close, const std::string& step) {
        EXPECT_EQ(form->cbMinimize.checked(), minimize) << step;
        EXPECT_EQ(shown("mnuMinimize").checked(), minimize) << step;
        EXPECT_EQ(form->cbClose.checked(), close) << step;
        EXPECT_EQ(shown("mnuClose").checked(), close) << step;
        EXPECT_EQ(stored("Minimize", "Minimize", false), minimize) << step;
        EXPECT_EQ(stored("CloseVexal", "Close", false), close) << step;
        EXPECT_EQ(form->cbxHotKey.enabled(), !close) << step;
        EXPECT_EQ(form->lbMinET.enabled(), !close) << step;
    }
    std::size_t clicks() const { return fake.sound.played.size(); }
};

}  // namespace

TEST_F(ShellTest, MouseMoveTextsNameWhatIsConfiguredAndNeverWhatIsNot) {
    settingsFile("[Logs]\r\nlastlog=x\r\npblog=\r\nlastbackup=1\r\n");
    start();
    const struct {
        ui::Control& control;
        std::string status;
    } rows[] = {
        {form->bitbtnASE, " No other program configured! Press ASE Button"},
        {form->bitbtnLog, " Logfile never opened"},
        {form->btnPB, " Last Punk Buster update: never"},
        {form->sbtnNotepad, " No default Windows editor found!"},
        {form->sbtnEditor, " Select your ET Editor (not yet configured)"},
        {form->lboxParam,
         " ET parameters -- double click for scrollbar, F4 for maximize/minimize or right click for menu"},
        {form->bitbtnSelMap, " Select your Enemy Territory Map (*.pk3)"},
        {form->imgAbout, " Vexal Installation directory: C:\\Games\\Vexal\\"},
        {form->bitbtnDemo, " 0 demo files in C:\\Games\\ET\\etmain\\demos available"},
    };
    for (const auto& row : rows) {
        run([&] { row.control.mouseMove(); });
        EXPECT_EQ(form->stInfo.caption(), row.status) << row.control.name();
    }
    EXPECT_EQ(form->menuItem("mnuASE")->hint(), " No program configured! Press ASE Button");
    EXPECT_EQ(app.hintHidePause, 60000) << "the map statistics stay readable";

    run([&] { form->sbtnBackup.mouseMove(); });
    EXPECT_EQ(form->sbtnBackup.hint(), " Last backup to vexal-backup.zip on: never");
    run([&] { form->sbtnRestore.mouseMove(); });
    EXPECT_EQ(form->sbtnRestore.hint(), " Restore all files and ini values from vexal-backup.zip");
}

TEST_F(ShellTest, ConfiguredValuesShowInTheirTexts) {
    settingsFile(
        "eyePath=C:\\ASE\\eye.exe\r\neditor=C:\\Ed\\ed.exe\r\n[Logs]\r\nlastlog=Console log opened\r\n"
        "pblog=01.02.2024 10:00:00\r\nlastbackup=02.02.2024 11:00:00\r\n");
    fake.process.setEnvironment("windir", "C:\\Windows");
    fake.fs.addFile("C:\\Windows\\notepad.exe", "MZ");
    start();
    const struct {
        ui::Control& control;
        std::string status;
    } rows[] = {
        {form->bitbtnASE, " Run C:\\ASE\\eye.exe"},
        {form->bitbtnLog, " Console log opened"},
        {form->btnPB, " Last Punk Buster update: 01.02.2024 10:00:00"},
        {form->sbtnNotepad, " Default Windows editor C:\\Windows\\notepad.exe available"},
        {form->sbtnEditor, " Select your ET Editor (Current: C:\\Ed\\ed.exe)"},
    };
    for (const auto& row : rows) {
        run([&] { row.control.mouseMove(); });
        EXPECT_EQ(form->stInfo.caption(), row.status) << row.control.name();
    }
    run([&] { form->sbtnBackup.mouseMove(); });
    EXPECT_EQ(form->sbtnBackup.hint(), " Last backup to vexal-backup.zip on: 02.02.2024 11:00:00");
}

TEST_F(ShellTest, DemoAndScreenshotCountsFollowTheModOfTheParameterLine) {
    settingsFile();
    for (int i = 0; i < 3; ++i) fake.fs.addFile(std::string(kDemos) + "\\d" + std::to_string(i) + ".dm_84", "x");
    fake.fs.addFile(std::string(kDemos) + "\\sub\\deep.dm_84", "x");
    fake.fs.addFile("C:\\Games\\ET\\etpro\\screenshots\\shot.jpg", "x");
    start();
    const struct {
        const char* line;
        std::string demos, shots;
    } rows[] = {
        {"+map", " 4 demo files in C:\\Games\\ET\\etmain\\demos available",
         " 0 screenshots in C:\\Games\\ET\\etmain\\screenshots available"},
        {"+set fs_game etpro", " 0 demo files in C:\\Games\\ET\\etpro\\demos available",
         " 1 screenshots in C:\\Games\\ET\\etpro\\screenshots available"},
        {"+Set fs_game etpro", " 4 demo files in C:\\Games\\ET\\etmain\\demos available",
         " 0 screenshots in C:\\Games\\ET\\etmain\\screenshots available"},
    };
    for (const auto& row : rows) {
        run([&] { form->edtParam.setText(row.line); });
        point(form->bitbtnDemo);
        EXPECT_EQ(form->stInfo.caption(), row.demos) << row.line;
        point(form->bitbtnPicture);
        EXPECT_EQ(form->stInfo.caption(), row.shots) << row.line;
    }

    // The count follows the folder while the pointer rests on the button: a change
    // is counted when the watch reports it, and a move only reads the number.
    fake.fs.addFile(std::string(kDemos) + "\\new.dm_84", "x");
    point(form->bitbtnDemo);
    run([&] { form->bitbtnDemo.mouseMove(); });
    EXPECT_EQ(form->stInfo.caption(), " 4 demo files in C:\\Games\\ET\\etmain\\demos available");
    fake.folderWatch.changed(std::string(kDemos) + "\\new.dm_84");
    run([&] { form->bitbtnDemo.mouseMove(); });
    EXPECT_EQ(form->stInfo.caption(), " 5 demo files in C:\\Games\\ET\\etmain\\demos available");
    const int counted = fake.folderWatch.counts;
    for (int i = 0; i < 20; ++i) run([&] { form->bitbtnDemo.mouseMove(); });
    EXPECT_EQ(fake.folderWatch.counts, counted);

    // The window ends, and so does the watching.
    run([&] { form->FormDestroy(); });
    EXPECT_TRUE(fake.folderWatch.stopped);
    EXPECT_TRUE(fake.folderWatch.watched().empty());
}

// Folders the system will not watch are counted as the pointer comes onto the
// button, and that count is kept while it stays there.
TEST_F(ShellTest, WithoutAWatchTheDemoCountIsTakenAsThePointerArrives) {
    settingsFile();
    fake.folderWatch.failing = true;
    for (int i = 0; i < 4; ++i) fake.fs.addFile(std::string(kDemos) + "\\d" + std::to_string(i) + ".dm_84", "x");
    start();
    point(form->bitbtnDemo);
    run([&] { form->bitbtnDemo.mouseMove(); });
    EXPECT_EQ(form->stInfo.caption(), " 4 demo files in C:\\Games\\ET\\etmain\\demos available");
    fake.fs.addFile(std::string(kDemos) + "\\new.dm_84", "x");
    run([&] { form->bitbtnDemo.mouseMove(); });
    EXPECT_EQ(form->stInfo.caption(), " 4 demo files in C:\\Games\\ET\\etmain\\demos available");
    point(form->btnAdd);
    point(form->bitbtnDemo);
    run([&] { form->bitbtnDemo.mouseMove(); });
    EXPECT_EQ(form->stInfo.caption(), " 5 demo files in C:\\Games\\ET\\etmain\\demos available");
}

TEST_F(ShellTest, HintTrackingStory) {
    settingsFile();
    start();
    // A control without a hint empties the line; its own text comes with the next move.
    app.pointAt(&form->btnAdd);
    EXPECT_EQ(form->stInfo.caption(), " Add parameter to listbox");
    point(form->bitbtnDemo);
    EXPECT_EQ(form->stInfo.caption(), "");
    run([&] { form->bitbtnDemo.mouseMove(); });
    EXPECT_EQ(form->stInfo.caption(), " 0 demo files in C:\\Games\\ET\\etmain\\demos available");

    // The status line has no hint until the mouse passed over Select ET Directory.
    point(form->btnAdd);
    point(form->stInfo);
    EXPECT_EQ(form->stInfo.caption(), "");
    point(form->bitbtnSelDir);
    point(form->stInfo);
    EXPECT_EQ(form->stInfo.caption(), " Enemy Territory directory: C:\\Games\\ET");

    // A highlighted menu item shows its hint; a title or a pop-up item empties the line.
    app.highlight(form->menuItem("mnuDemo"));
    EXPECT_EQ(form->stInfo.caption(), " Select your ET demo map (*.dm83)");
    app.highlight(form->menuItem("mnuCopy"));
    EXPECT_EQ(form->stInfo.caption(), "");

    // Entering the list with Tab shows the parameter line, not the list entry.
    run([&] { form->edtParam.setText("+map (x)"); });
    run([&] { form->setFocus(&form->lboxParam); });
    EXPECT_EQ(form->stInfo.caption(), "+map (x)");
}

TEST_F(ShellTest, OptionPairsStayInStepAndMinimizeExcludesClose) {
    settingsFile();
    start();
    const struct {
        const char* step;
        std::function<void(TfrmVexal&)> act;
        bool minimize, close;
    } steps[] = {
        {"check Close", [](TfrmVexal& f) { f.cbClose.toggleByUser(); }, false, true},
        {"check Minimize", [](TfrmVexal& f) { f.cbMinimize.toggleByUser(); }, true, false},
        {"Close from the menu", [](TfrmVexal& f) { f.onCommand(Cmd::Close); }, false, true},
        {"Close off from the menu", [](TfrmVexal& f) { f.onCommand(Cmd::Close); }, false, false},
        {"Minimize from the menu", [](TfrmVexal& f) { f.onCommand(Cmd::Minimize); }, true, false},
        {"Close box again", [](TfrmVexal& f) { f.cbClose.toggleByUser(); }, false, true},
        {"Close box off", [](TfrmVexal& f) { f.cbClose.toggleByUser(); }, false, false},
    };
    for (const auto& s : steps) {
        run([&] { s.act(*form); });
        expectOptions(s.minimize, s.close, s.step);
    }
}

// An option may change by its box, its menu item or a shortcut, which gives the
// command without opening the menu: the mark shown at the next opening follows.
TEST_F(ShellTest, EachOptionsMarkFollowsItsStateHoweverItWasToggled) {
    settingsFile();
    start();
    using Act = std::function<void(TfrmVexal&)>;
    auto box = [](ui::CheckBox TfrmVexal::*b) -> Act { return [b](TfrmVexal& f) { (f.*b).toggleByUser(); }; };
    auto menu = [](Cmd c) -> Act { return [c](TfrmVexal& f) { f.onCommand(c); }; };
    auto key = [](unsigned vk) -> Act {
        return [vk](TfrmVexal& f) {
            for (const auto& row : layout::menus())
                if (row.key == ui::Shortcut{vk}) return f.onCommand(row.command);
            FAIL() << "no shortcut " << vk;
        };
    };
    const struct {
        const char* item;
        const settings::BoolKey& key;
        Act toggle;
    } steps[] = {
        {"mnuMinimize", settings::key::minimize, box(&TfrmVexal::cbMinimize)},
        {"mnuMinimize", settings::key::minimize, menu(Cmd::Minimize)},
        {"mnuClose", settings::key::close, menu(Cmd::Close)},
        {"mnuMinimize", settings::key::minimize, menu(Cmd::Minimize)},  // Close goes off
        {"mnuClose", settings::key::close, box(&TfrmVexal::cbClose)},
        {"mnuTasktray", settings::key::trayIcon, box(&TfrmVexal::cbTray)},
        {"mnuTasktray", settings::key::trayIcon, menu(Cmd::Tray)},
        {"mnuDelProfile", settings::key::delProfile, menu(Cmd::DelProfile)},
        {"mnuDelProfile", settings::key::delProfile, box(&TfrmVexal::cbDelProfile)},
        {"mnuMinMax", settings::key::maxListbox, key(0x73)},
        {"mnuMinMax", settings::key::maxListbox, menu(Cmd::ToggleListSize)},
        {"mnuSound", settings::key::sound, menu(Cmd::Sound)},
        {"mnuSound", settings::key::sound, menu(Cmd::Sound)},
        {"mnuBackupOnQuit", settings::key::backupOnQuit, menu(Cmd::BackupOnQuit)},
        {"mnuInstances", settings::key::instances, menu(Cmd::Instances)},
    };
    std::map<std::string, bool> was;
    for (const auto& row : layout::menus())
        if (row.check) was[row.name] = shown(row.name).checked();
    for (const auto& step : steps) {
        run([&] { step.toggle(*form); });
        const bool now = shown(step.item).checked();
        EXPECT_NE(now, was[step.item]) << step.item;
        EXPECT_EQ(now, stored(step.key.section, step.key.key, !now)) << step.item << ": the mark is what is stored";
        for (const auto& row : layout::menus())
            if (row.check) was[row.name] = shown(row.name).checked();
    }
    EXPECT_FALSE(shown("mnuClose").checked() && shown("mnuMinimize").checked());
    EXPECT_TRUE(form->popVexal->checked()) << "the tray's first item is always drawn checked";
    EXPECT_FALSE(shown("mnuMax").checked()) << "the list menu's toggle has no mark";
    EXPECT_TRUE(errors.empty());
}

TEST_F(ShellTest, BothOptionsStoredOnStartWithOnlyMinimize) {
    settingsFile("[Minimize]\r\nMinimize=1\r\n[CloseVexal]\r\nClose=1\r\n");
    start();
    expectOptions(true, false, "start");
}

TEST_F(ShellTest, TrayOptionDrivesTheIconFromEitherPlace) {
    settingsFile();
    start();
    EXPECT_FALSE(form->ctrayIcon.visible());
    run([&] { form->cbTray.toggleByUser(); });
    EXPECT_TRUE(form->ctrayIcon.visible());
    EXPECT_TRUE(form->ctrayIcon.minimizeToTray);
    EXPECT_TRUE(shown("mnuTasktray").checked());
    EXPECT_TRUE(stored("Minimize", "TrayIcon", false));
    run([&] { form->onCommand(Cmd::Tray); });
    EXPECT_FALSE(form->cbTray.checked());
    EXPECT_FALSE(form->ctrayIcon.visible());
    EXPECT_FALSE(stored("Minimize", "TrayIcon", true));
}

TEST_F(ShellTest, ClickSoundsOfTheOptions) {
    settingsFile();
    fake.fs.addFile(std::string(kProgram) + "headshot.wav", "RIFF");
    start();
    const auto before = clicks();
    run([&] { form->cbTray.mouseDown(ui::MouseButton::Left); });
    run([&] { form->cbClose.mouseDown(ui::MouseButton::Right); });
    EXPECT_EQ(clicks(), before + 1) << "only the left button clicks";
    run([&] { form->onCommand(Cmd::DelProfile); });
    EXPECT_EQ(clicks(), before + 1) << "the profile option's menu item is silent";
    run([&] { form->onCommand(Cmd::Minimize); });
    EXPECT_EQ(clicks(), before + 2);
}

TEST_F(ShellTest, F4MaximizesAndRestoresTheParameterListAndStoresTheGeometry) {
    settingsFile();
    start();
    run([&] { form->onCommand(Cmd::ToggleListSize); });
    EXPECT_EQ(form->lboxParam.bounds().left, 8);
    EXPECT_EQ(form->lboxParam.bounds().width, 521);
    EXPECT_EQ(form->edtParam.bounds().width, 448);
    EXPECT_FALSE(form->bitbtnSelDir.visible());
    EXPECT_TRUE(shown("mnuMinMax").checked());
    EXPECT_TRUE(stored("Window", "MaxListbox", false));
    run([&] { form->onCommand(Cmd::ToggleListSize); });
    EXPECT_EQ(form->lboxParam.bounds(), (ui::Rect{175, 49, 354, 110}));
    EXPECT_EQ(form->edtParam.bounds(), (ui::Rect{175, 21, 281, 21}));
    EXPECT_TRUE(form->bitbtnSelDir.visible());
    EXPECT_FALSE(shown("mnuMinMax").checked());
    settings::Config reread{fake.fs, kIni};
    EXPECT_EQ(reread.doc().readInteger("Window", "ParamWidth", 0), 354);
    EXPECT_EQ(reread.doc().readInteger("Window", "EditLeft", 0), 175);
}

TEST_F(ShellTest, AStoredForeignGeometryIsPutRightByTheFirstF4) {
    settingsFile("[Window]\r\nParamLeft=40\r\nParamWidth=100\r\n");
    start();
    EXPECT_EQ(form->lboxParam.bounds().left, 40);
    run([&] { form->options.toggleListSize(); });
    EXPECT_EQ(form->lboxParam.bounds().left, 175);
    EXPECT_EQ(form->lboxParam.bounds().width, 354);
}

TEST_F(ShellTest, DateFieldTogglesWithEitherButtonAndIsStored) {
    settingsFile();
    fake.fs.addFile(std::string(kProgram) + "headshot.wav", "RIFF");
    start();
    EXPECT_TRUE(form->tmDate.enabled());
    EXPECT_FALSE(form->tmTime.enabled());
    const struct {
        ui::MouseButton button;
        bool date;
    } rows[] = {{ui::MouseButton::Right, false},
                {ui::MouseButton::Left, true},
                {ui::MouseButton::Middle, false},
                {ui::MouseButton::Middle, false}};
    for (const auto& row : rows) {
        const auto before = clicks();
        run([&] { form->stDate.mouseDown(row.button); });
        EXPECT_EQ(clicks(), before + 1) << "every click clicks, also without a change";
        EXPECT_EQ(form->tmDate.enabled(), row.date);
        EXPECT_EQ(form->tmTime.enabled(), !row.date);
        EXPECT_EQ(form->stDate.caption(), row.date ? fake.clock.shortDateText(fake.clock.current)
                                                   : fake.clock.longTimeText(fake.clock.current));
        EXPECT_EQ(stored("Timer", "date", !row.date), row.date);
        EXPECT_EQ(stored("Timer", "time", row.date), !row.date);
    }
    // The timers slow down after their first tick.
    run([&] { form->tmDate.onTimer(); });
    run([&] { form->tmTime.onTimer(); });
    EXPECT_EQ(form->tmDate.interval, 60000);
    EXPECT_EQ(form->tmTime.interval, 1000);
}

TEST_F(ShellTest, BothDateKeysOffLeaveTheFieldEmptyUntilClicked) {
    settingsFile("[Timer]\r\ndate=0\r\ntime=0\r\n");
    start();
    EXPECT_FALSE(form->tmDate.enabled());
    EXPECT_FALSE(form->tmTime.enabled());
    EXPECT_EQ(form->stDate.caption(), "");
}

// ---- hotkey minimizer ---------------------------------------------------------

TEST(HotkeyRules, StoredCharactersAndTypedKeys) {
    const struct {
        const char* text;
        char expected;
    } stored[] = {{"Q3", 'Q'}, {"", 'Z'}, {"q", 'Q'}, {"7", '7'}, {"-", 'P'}, {" ", 'P'}, {"\xe4", 'P'}};
    for (const auto& row : stored) EXPECT_EQ(tools::hotkeyCharOf(row.text, 'P'), row.expected) << row.text;

    using tools::KeyVerdict;
    const struct {
        char key;
        KeyVerdict verdict;
    } typed[] = {{'7', KeyVerdict::Pass},        {'k', KeyVerdict::Pass},   {'\b', KeyVerdict::Pass},
                 {'K', KeyVerdict::Refuse},      {'-', KeyVerdict::Refuse}, {' ', KeyVerdict::Refuse},
                 {'\r', KeyVerdict::NextControl}};
    for (const auto& row : typed) EXPECT_EQ(tools::filterHotkeyKey(row.key), row.verdict) << int(row.key);
}

TEST_F(ShellTest, ChangingTheCharacterStoresColoursAndReRegistersIt) {
    settingsFile();
    start();
    run([&] { form->cbxHotKey.typeText("K"); });
    EXPECT_EQ(form->hotkeys.key(), 'K');
    EXPECT_EQ(form->cbxHotKey.colour(), ui::kClRed);
    EXPECT_EQ(fake.hotkeys.registered.at(0), (Hotkey{platform::kModAlt, 'K'}));
    EXPECT_EQ(fake.hotkeys.registered.at(1), (Hotkey{platform::kModControl, 'K'}));
    EXPECT_EQ(fake.hotkeys.registered.at(2), (Hotkey{platform::kModControl | platform::kModAlt, 0x23}));
    settings::Config reread{fake.fs, kIni};
    EXPECT_EQ(reread.doc().readString("Minimize", "ET-Minimize", ""), "K");
    const std::string shortHint =
        " Run ET.exe -- (press Alt+K or Ctrl+K into ET for minimize ET and return to Desktop)";
    EXPECT_EQ(form->mnuRunET->hint(), shortHint);
    EXPECT_EQ(form->bitbtnRun.hint(), shortHint);
    run([&] { form->bitbtnRun.mouseMove(); });
    EXPECT_EQ(form->mnuRunET->hint(),
              " Run ET.exe -- (press Alt+K or Ctrl+K into ET for minimize ET or use Ctrl+End for quit ET.exe");

    // Emptied: the key falls back to Z; leaving the box shows it again.
    run([&] { form->cbxHotKey.typeText(""); });
    EXPECT_EQ(form->hotkeys.key(), 'Z');
    EXPECT_EQ(fake.hotkeys.registered.at(0), (Hotkey{platform::kModAlt, 'Z'}));
    run([&] { form->hotkeys.boxExit(); });
    EXPECT_EQ(form->cbxHotKey.text(), "z");

    // A pasted foreign character keeps the key in use: "-" would take Insert from every program.
    run([&] { form->cbxHotKey.typeText("-"); });
    EXPECT_EQ(form->hotkeys.key(), 'Z');
    EXPECT_EQ(form->cbxHotKey.text(), "Z");
    EXPECT_EQ(fake.hotkeys.registered.at(0), (Hotkey{platform::kModAlt, 'Z'}));
}

TEST_F(ShellTest, ARefusedTypedKeyWarnsAndEnterMovesOn) {
    settingsFile();
    start();
    char key = 'K';
    run([&] { form->hotkeys.boxKeyPress(key); });
    EXPECT_EQ(key, 0);
    ASSERT_EQ(fake.dialogs.boxes.size(), 1u);
    EXPECT_EQ(fake.dialogs.boxes[0].text, "Global hotkey char not valid!\n\r\n\r(only a..z or 0..9 are valid!)");
    EXPECT_EQ(fake.dialogs.boxes[0].kind, platform::BoxKind::Warning);
    EXPECT_EQ(fake.dialogs.boxes[0].buttons, platform::BoxButtons::Cancel);
    run([&] { form->setFocus(&form->cbxHotKey); });
    key = '\r';
    run([&] { form->hotkeys.boxKeyPress(key); });
    EXPECT_EQ(key, 0);
    EXPECT_EQ(form->focused(), &form->bitbtnRun);
}

TEST_F(ShellTest, HotkeysActOnlyBetweenALaunchAndLeavingTheRunButton) {
    settingsFile("[Minimize]\r\nMinimize=1\r\n");
    MinimizeRecorder recorder;
    app.setObserver(&recorder);
    start();
    run([&] { form->hotkeys.pressed(0); });
    run([&] { form->hotkeys.pressed(2); });
    EXPECT_EQ(fake.hotkeys.minimized, 0) << "before a launch";
    EXPECT_EQ(fake.hotkeys.quit, 0);

    run([&] { form->launcher.run(); });
    const int afterLaunch = recorder.minimized;
    run([&] { form->hotkeys.pressed(0); });
    run([&] { form->hotkeys.pressed(1); });
    EXPECT_EQ(fake.hotkeys.minimized, 2) << "Alt and Ctrl do the same";
    EXPECT_EQ(recorder.minimized, afterLaunch + 2) << "Minimize after start takes the launcher down too";
    run([&] { form->hotkeys.pressed(2); });
    run([&] { form->hotkeys.pressed(7); });
    EXPECT_EQ(fake.hotkeys.quit, 1);

    run([&] { form->launcher.runExit(); });
    run([&] { form->hotkeys.pressed(0); });
    EXPECT_EQ(fake.hotkeys.minimized, 2) << "disarmed once the focus left Run";
    app.setObserver(nullptr);
}

TEST_F(ShellTest, AHotkeyHeldByAnotherProgramIsSaidOnceInTheStatusLine) {
    settingsFile();
    fake.hotkeys.takenByOtherProgram(platform::kModAlt, 'Z');
    start();
    EXPECT_TRUE(form->hotkeys.refused());
    EXPECT_EQ(form->stInfo.caption(), " Hotkey Alt+Z, Ctrl+Z or Ctrl+Alt+End is held by another program");
    form->setStatus("");
    run([&] { form->refresh(); });
    EXPECT_EQ(form->stInfo.caption(), "") << "once, not at every refresh";
    EXPECT_TRUE(errors.empty());
    EXPECT_TRUE(fake.dialogs.boxes.empty());
}

// ---- the window's tables ------------------------------------------------------

TEST_F(ShellTest, EveryRowResolvesAndNoKeyIsTakenTwice) {
    settingsFile();
    start();
    for (const auto& row : layout::controls()) EXPECT_NE(form->control(row.name), nullptr) << row.name;
    for (const auto& row : layout::menus()) EXPECT_NE(form->menuItem(row.name), nullptr) << row.name;
    for (const auto& row : layout::controls()) EXPECT_EQ(row.member(*form).name(), row.name) << "row and member";

    // Every command can be given from a button or a menu (onCommand's switch has no
    // default, so the compiler already insists that each one is handled).
    std::set<Cmd> reachable;
    for (const auto& row : layout::controls()) reachable.insert(row.command);
    for (const auto& row : layout::menus()) reachable.insert(row.command);
    for (const Cmd cmd : allCmds()) {
        EXPECT_TRUE(reachable.count(cmd)) << static_cast<int>(cmd) << " has no row";
    }
    for (const auto& row : layout::menus()) {
        EXPECT_TRUE(!row.check || row.command != Cmd::None) << row.name << ": a mark shows a command's state";
    }

    // Shortcuts: one item each, except F4, which both menus give the same toggle.
    std::map<std::tuple<unsigned, bool, bool, bool>, std::vector<std::string>> shortcuts;
    for (const auto& row : layout::menus())
        if (!row.key.empty()) shortcuts[{row.key.key, row.key.ctrl, row.key.alt, row.key.shift}].push_back(row.name);
    for (const auto& [key, names] : shortcuts) {
        if (names == std::vector<std::string>{"mnuMinMax", "mnuMax"}) continue;
        EXPECT_EQ(names.size(), 1u) << names.front() << " shares its shortcut";
    }

    // Accelerator letters: distinct among the window's controls and the menu titles
    // (Alt+letter reaches both), and within each menu.
    auto letter = [](const char* caption) -> char {
        const std::string c = caption;
        const auto amp = c.find('&');
        return amp == std::string::npos || amp + 1 >= c.size() ? 0 : static_cast<char>(std::toupper(c[amp + 1]));
    };
    // The two Preferences items keep the letters users know; Windows cycles between them.
    const std::set<std::string> knownShared = {"mnuSound"};
    std::map<std::string, std::map<char, std::string>> byMenu;
    for (const auto& row : layout::controls()) {
        const char l = letter(row.caption);
        if (!l) continue;
        const auto [it, fresh] = byMenu["window"].emplace(l, row.name);
        EXPECT_TRUE(fresh) << row.name << " and " << it->second << " share Alt+" << l;
    }
    for (const auto& row : layout::menus()) {
        const char l = letter(row.caption);
        if (!l) continue;
        const std::string group = std::string(row.parent) == "mnuMain" ? "window" : row.parent;
        const auto [it, fresh] = byMenu[group].emplace(l, row.name);
        EXPECT_TRUE(fresh || knownShared.count(row.name))
            << row.name << " and " << it->second << " share the letter " << l << " in " << group;
    }
}

}  // namespace vexal::testing
