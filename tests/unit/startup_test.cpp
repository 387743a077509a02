#include <functional>
#include <map>

#include "unit/window_fixture.h"
#include "util/error.h"

using namespace vexal;
using namespace vexal::testing;
using platform::BoxButtons;
using platform::BoxKind;

TEST_F(WindowTest, AFirstStartAsksForTheFolderAndEndsWhenItHoldsNoGame) {
    fake.dialogs.cancelNextFolder();
    start();
    ASSERT_EQ(fake.dialogs.browseCalls.size(), 1u);
    EXPECT_EQ(fake.dialogs.browseCalls[0].instruction, "Select your Enemy Territory directory");
    ASSERT_FALSE(fake.dialogs.boxes.empty());
    EXPECT_EQ(fake.dialogs.boxes[0].text, "et.exe not found! Abort Vexal!");
    EXPECT_EQ(fake.dialogs.boxes[0].kind, BoxKind::Error);
    EXPECT_EQ(fake.dialogs.boxes[0].buttons, BoxButtons::Cancel);
    EXPECT_TRUE(app.terminated());
    EXPECT_EQ(file("Vexal.ini").find("etPath"), std::string::npos);
}

// The window layer and the layout cast by kind alone: each control's kind must name
// the classes the control really is, or a cast would reach the wrong object.
TEST_F(WindowTest, EveryControlsKindNamesTheClassesItIs) {
    settingsFile();
    start();
    using ui::Kind;
    auto is = [](auto* typed) { return typed != nullptr; };
    const std::map<Kind, std::function<bool(ui::Control*)>> classOfKind = {
        {Kind::Button, [&](ui::Control* c) { return is(dynamic_cast<ui::Button*>(c)); }},
        {Kind::BitButton, [&](ui::Control* c) { return is(dynamic_cast<ui::Button*>(c)); }},
        {Kind::FlatButton, [&](ui::Control* c) { return is(dynamic_cast<ui::Button*>(c)); }},
        {Kind::CheckBox, [&](ui::Control* c) { return is(dynamic_cast<ui::CheckBox*>(c)); }},
        {Kind::Edit, [&](ui::Control* c) { return is(dynamic_cast<ui::Edit*>(c)); }},
        {Kind::Memo, [&](ui::Control* c) { return is(dynamic_cast<ui::Memo*>(c)); }},
        {Kind::ComboBox, [&](ui::Control* c) { return is(dynamic_cast<ui::ComboBox*>(c)); }},
        {Kind::ListBox, [&](ui::Control* c) { return is(dynamic_cast<ui::ListBox*>(c)); }},
        {Kind::StaticText, [&](ui::Control* c) { return is(dynamic_cast<ui::Label*>(c)); }},
        {Kind::Label, [&](ui::Control* c) { return is(dynamic_cast<ui::Label*>(c)); }},
        {Kind::GroupBox, [&](ui::Control* c) { return is(dynamic_cast<ui::GroupBox*>(c)); }},
        {Kind::Picture, [&](ui::Control* c) { return is(dynamic_cast<ui::PictureBox*>(c)); }},
        {Kind::ProgressBar, [&](ui::Control* c) { return is(dynamic_cast<ui::ProgressBar*>(c)); }},
        {Kind::ListView, [&](ui::Control* c) { return is(dynamic_cast<ui::ListView*>(c)); }},
    };
    for (ui::Control* c : form->windowModel({}).controls) {
        SCOPED_TRACE(c->name());
        EXPECT_TRUE(classOfKind.at(c->kind())(c));
        EXPECT_EQ(ui::as<ui::CaptionControl>(*c), dynamic_cast<ui::CaptionControl*>(c));
        EXPECT_EQ(ui::as<ui::Button>(*c), dynamic_cast<ui::Button*>(c));
        EXPECT_EQ(ui::as<ui::Edit>(*c), dynamic_cast<ui::Edit*>(c));
        EXPECT_EQ(ui::as<ui::ListControl>(*c), dynamic_cast<ui::ListControl*>(c));
        EXPECT_EQ(ui::as<ui::ComboBox>(*c), dynamic_cast<ui::ComboBox*>(c));
        EXPECT_EQ(ui::as<ui::PictureBox>(*c), dynamic_cast<ui::PictureBox*>(c));
    }
}

TEST_F(WindowTest, AFirstStartWithAGoodFolderShowsDefaultsAndThePredefinedList) {
    fake.dialogs.answerNextFolder(kGame);
    start();
    EXPECT_TRUE(errors.empty()) << errors.front();
    EXPECT_FALSE(app.terminated());
    EXPECT_EQ(form->caption(), "Vexal 1.0.0 final  [C:\\Games\\ET]");
    EXPECT_EQ(form->edtParam.text(), "+sv_pure 1 +g_gametype 2 +map (default)");
    ASSERT_EQ(form->lboxParam.items().size(), 8u);
    const auto& shown = form->lboxParam.items().all();
    EXPECT_TRUE(std::is_sorted(shown.begin(), shown.end(),
                               [](const std::string& a, const std::string& b) { return ui::compareText(a, b) < 0; }));
    // The file keeps the lines in their written order.
    EXPECT_EQ(file("VexalParam.dat")
                  .rfind("+sv_pure 1 +g_gametype 2 +map (default)\r\n+sv_pure 0 +g_gametype 2 "
                         "+devmap\r\nset fs_game etpro",
                         0),
              0u);
    const settings::IniDocument saved(file("Vexal.ini"));
    EXPECT_EQ(saved.readString("Paths", "etPath", ""), kGame);
    EXPECT_EQ(saved.readString("ET-Param", "ETParam", ""), "+sv_pure 1 +g_gametype 2 +map (default)");
    EXPECT_TRUE(form->tmDate.enabled());
    EXPECT_FALSE(form->tmTime.enabled());
    EXPECT_TRUE(WindowTest::shown("mnuSound").checked());
    EXPECT_FALSE(form->cbMinimize.checked() || form->cbClose.checked() || form->cbTray.checked() ||
                 form->cbDelProfile.checked());
    EXPECT_EQ(form->cbxHotKey.text(), "Z");
    EXPECT_EQ(form->cbxHotKey.colour(), ui::kClAqua);
    EXPECT_EQ(form->cbxHotKey.items().size(), 36u);
    EXPECT_EQ(form->lboxParam.bounds(), (ui::Rect{175, 49, 353, 110}));
    EXPECT_EQ(form->popVexal->caption(), "Show Vexal (1.0.0 final)");
    EXPECT_FALSE(form->btnDelParam.enabled());
}

TEST_F(WindowTest, AStoredHotkeyColoursTheBoxRedOnlyForTheGamesOwnLetters) {
    const std::vector<std::pair<std::string, ui::Colour>> rows = {{"B", ui::kClRed},  {"U", ui::kClRed},
                                                                  {"C", ui::kClAqua}, {"T", ui::kClAqua},
                                                                  {"V", ui::kClAqua}, {"7", ui::kClAqua}};
    for (const auto& [key, colour] : rows) {
        fake.fs.addFile(kIni, std::string("[Paths]\r\netPath=") + kGame + "\r\n[Minimize]\r\nET-Minimize=" + key);
        settings::Config cfg(fake.fs, kIni);
        TfrmVexal window(services, cfg, app);
        run([&] { window.FormCreate(); });
        EXPECT_EQ(window.cbxHotKey.colour(), colour) << key;
        EXPECT_EQ(window.cbxHotKey.text(), key);
    }
}

TEST_F(WindowTest, StartUpRegistersTheThreeHotkeysAndCaptionsFollowTheMap) {
    settingsFile("[ET-Map]\r\nMap=oasis\r\n[Minimize]\r\nET-Minimize=k\r\n");
    fake.fs.addFile(std::string(kProgram) + "mapinfos\\oasis.txt", "oasis\r\nlongname: Siwa Oasis\r\n");
    start();
    EXPECT_EQ(form->mnuRunET->caption(), "Run ET  [Siwa Oasis]");
    EXPECT_EQ(app.title(), "Run ET  [Siwa Oasis]");
    EXPECT_EQ(form->ctrayIcon.hint(), "Run ET [oasis]\n\r[Siwa Oasis]");
    EXPECT_EQ(form->popRunET->caption(), "Run ET [Siwa Oasis]");
    EXPECT_TRUE(form->BitBtnInfo.enabled());
    EXPECT_EQ(form->bitbtnRun.hint(),
              " Run ET.exe -- (press Alt+K or Ctrl+K into ET for minimize ET or use Ctrl+End for quit ET.exe")
        << "a hand-edited lower-case letter is the capital's key";
    ASSERT_EQ(fake.hotkeys.registered.size(), 3u);
    EXPECT_EQ(fake.hotkeys.registered.at(0), (platform::fake::Hotkey{platform::kModAlt, 'K'}));
    EXPECT_EQ(fake.hotkeys.registered.at(1), (platform::fake::Hotkey{platform::kModControl, 'K'}));
    EXPECT_EQ(fake.hotkeys.registered.at(2), (platform::fake::Hotkey{platform::kModControl | platform::kModAlt, 0x23}));
}

TEST_F(WindowTest, ARefreshReloadsTheListsInsteadOfAppending) {
    settingsFile();
    fake.fs.addFile(std::string(kProgram) + "VexalParam.dat", "+b\r\n+a\r\n");
    fake.fs.addFile(std::string(kProgram) + "VexalMap.dat", "radar\r\noasis\r\n");
    start();
    run([&] { form->refresh(); });
    EXPECT_EQ(form->lboxParam.items().all(), (std::vector<std::string>{"+a", "+b"}));
    EXPECT_EQ(form->cbxMap.items().all(), (std::vector<std::string>{"oasis", "radar"}));
    EXPECT_TRUE(errors.empty());
}

TEST_F(WindowTest, ARefreshAfterTheParameterFileWentPutsThePredefinedLinesAtTheFront) {
    settingsFile();
    std::string many;
    for (int i = 0; i < 10; ++i) many += "+line" + std::to_string(i) + "\r\n";
    fake.fs.addFile(std::string(kProgram) + "VexalParam.dat", many);
    start();
    ASSERT_TRUE(fake.fs.deleteFile(std::string(kProgram) + "VexalParam.dat"));
    run([&] { form->refresh(); });
    ASSERT_EQ(form->lboxParam.items().size(), 10u);
    EXPECT_GE(form->lboxParam.items().indexOf("+line8"), 0);
    EXPECT_GE(form->lboxParam.items().indexOf("+line9"), 0);
    EXPECT_LT(form->lboxParam.items().indexOf("+line0"), 0);
}

TEST_F(WindowTest, AFailedSaveIsReportedOnceAndKeepsTheValueInMemory) {
    settingsFile();
    start();
    fake.fs.failWritesUnder(kProgram);
    run([&] { form->onCommand(Cmd::Instances); });
    run([&] { form->edtParam.setText("+map"); });
    run([&] { form->edtParam.setText("+map x"); });
    ASSERT_EQ(fake.dialogs.errors.size(), 1u) << "once, not at every keystroke";
    EXPECT_EQ(fake.dialogs.errors[0], "Datei C:\\Games\\Vexal\\Vexal.ini kann nicht erstellt werden");
    EXPECT_TRUE(errors.empty()) << "the handlers went on";
    EXPECT_TRUE(config.doc().readBool("Window", "Instances", false));
    EXPECT_EQ(form->currentParam, "+map x") << "the launch uses what the field shows";
    EXPECT_EQ(file("Vexal.ini").find("Instances"), std::string::npos);
}

TEST_F(WindowTest, AReadOnlySettingsFileStillGivesTheWholeWindow) {
    settingsFile("[ET-Param]\r\nETParam=+sv_pure 1 +map\r\n[ET-Map]\r\nMap=oasis\r\n");
    fake.fs.addFile(std::string(kProgram) + "VexalMap.dat", "oasis\r\nradar\r\n");
    fake.fs.addFile(std::string(kProgram) + "VexalParam.dat", "+sv_pure 1 +map\r\n");
    fake.fs.failWritesUnder(kProgram);
    start();
    EXPECT_EQ(fake.dialogs.errors.size(), 1u);
    EXPECT_EQ(form->caption(), "Vexal 1.0.0 final  [C:\\Games\\ET]");
    EXPECT_EQ(form->currentParam, "+sv_pure 1 +map");
    EXPECT_EQ(form->cbxMap.items().size(), 2u);
    EXPECT_EQ(fake.hotkeys.registered.size(), 3u) << "the start-up ran to its end";
}

TEST_F(WindowTest, ARefusedFirstStartWritesNothingSoTheNextStartAsksAgain) {
    fake.dialogs.cancelNextFolder();
    start();
    EXPECT_TRUE(app.terminated());
    EXPECT_FALSE(fake.fs.exists(kIni));
    EXPECT_TRUE(fake.hotkeys.registered.empty());
}

TEST_F(WindowTest, MultipleInstancesLetsEveryCopyStart) {
    fake.fs.addFile(kIni, "[Window]\r\nInstances=1\r\n");
    EXPECT_TRUE(singleInstanceCheck(config, fake.process));
    EXPECT_TRUE(singleInstanceCheck(config, fake.process));
    EXPECT_FALSE(fake.process.holds("Vexal.exe"));
}

TEST_F(WindowTest, WithoutMultipleInstancesTheSecondCopyEnds) {
    fake.fs.addFile(kIni, "[Window]\r\nInstances=0\r\n");
    EXPECT_TRUE(singleInstanceCheck(config, fake.process));
    settings::Config second(fake.fs, kIni);
    EXPECT_FALSE(singleInstanceCheck(second, fake.process));
}

TEST_F(WindowTest, SoundPlaysOnlyWhenSwitchedOnAndTheFileExists) {
    settingsFile();
    fake.fs.addFile(std::string(kProgram) + "headshot.wav", "RIFF");
    start();
    form->btnAdd.click();
    EXPECT_EQ(fake.sound.played.size(), 1u);
    form->onCommand(Cmd::Sound);  // off
    EXPECT_EQ(fake.sound.played.size(), 1u);
    EXPECT_EQ(form->mnuSound->hint(), " Toggle Sound Support [OFF]");
    form->onCommand(Cmd::Sound);  // on again: the click is heard
    EXPECT_EQ(fake.sound.played.size(), 2u);
    EXPECT_TRUE(config.doc().readBool("Sound", "activ", false));
}

TEST_F(WindowTest, ChoosingADriveRootKeepsItsBackslash) {
    settingsFile();
    fake.fs.addFile("D:\\et.exe", "MZ");
    start();
    fake.dialogs.answerNextFolder("D:\\");
    run([&] { form->bitbtnSelDirClick(); });
    EXPECT_FALSE(app.terminated());
    EXPECT_EQ(config.doc().readString("Paths", "etPath", ""), "D:\\");
    // The caption keeps the old folder until the next refresh.
    EXPECT_EQ(form->caption(), "Vexal 1.0.0 final  [C:\\Games\\ET]");
}

TEST_F(WindowTest, AGameFolderThatVanishedIsClearedBeforeTheDialog) {
    settingsFile();
    start();
    form->gameDir = "C:\\Gone";
    fake.dialogs.cancelNextFolder();
    run([&] { form->bitbtnSelDirClick(); });
    EXPECT_EQ(fake.dialogs.browseCalls.back().preselect, "");
    EXPECT_TRUE(app.terminated());
}

TEST_F(WindowTest, AStoredMapIsShownWithoutRunningTheMapChange) {
    settingsFile("[ET-Map]\r\nMap=oasis\r\n");
    fake.fs.addFile(std::string(kProgram) + "ET-Logo.jpg", "not even read");
    start();
    run([&] { form->FormShow(); });
    EXPECT_EQ(form->cbxMap.text(), "oasis");
    // Neither the list file nor the logo: the map change has not run, the designed picture stays.
    EXPECT_EQ(file("VexalMap.dat"), "<missing>");
    EXPECT_TRUE(form->imgAbout.image().empty());
    EXPECT_TRUE(errors.empty());
    EXPECT_TRUE(fake.dialogs.errors.empty());
}

TEST_F(WindowTest, LeavingThePunkBusterButtonRefreshesFromTheFiles) {
    settingsFile();
    fake.fs.addFile(std::string(kProgram) + "VexalParam.dat", "+a\r\n");
    start();
    fake.fs.addFile(std::string(kProgram) + "VexalParam.dat", "+z\r\n+y\r\n");
    config.doc().writeString("Paths", "etPath", "C:\\Other");
    form->setFocus(&form->btnPB);
    form->setFocus(&form->btnAdd);
    EXPECT_EQ(form->lboxParam.items().all(), (std::vector<std::string>{"+y", "+z"}));
    EXPECT_EQ(form->caption(), "Vexal 1.0.0 final  [C:\\Other]");
}

TEST_F(WindowTest, ListFilesWithJunkMixedLineEndsAndNoFinalLineEndLoadLineByLine) {
    settingsFile("[ET-Map]\r\nMap=b\r\n");
    const std::string longLine(100000, 'x');
    fake.fs.addFile(std::string(kProgram) + "VexalParam.dat", std::string("+b\r+a\n\x01\xFF\0nul\r\n", 14) + longLine);
    fake.fs.addFile(std::string(kProgram) + "VexalMap.dat", "b\n\ra");
    fake.fs.addFile(std::string(kProgram) + "mapinfos\\b.txt", std::string("b\0\r\nlongname: B\xE4r\0x", 19));
    start();
    EXPECT_TRUE(errors.empty());
    const auto& params = form->lboxParam.items().all();
    ASSERT_EQ(params.size(), 4u);
    EXPECT_EQ(params[0], std::string("\x01\xFF\0nul", 6));
    EXPECT_EQ(params[1], "+a");
    EXPECT_EQ(params[2], "+b");
    EXPECT_EQ(params[3], longLine);
    // LF then CR are two line ends: an empty entry between the two maps.
    EXPECT_EQ(form->cbxMap.items().all(), (std::vector<std::string>{"", "a", "b"}));
    EXPECT_EQ(form->maps.longName(), std::string("B\xE4r\0x", 5));
}

TEST_F(WindowTest, AStartRemovesOnlyItsOwnTemporariesOlderThanItself) {
    // Left by copies killed half way through a write, an hour before this start.
    const platform::DateTime before{2024, 1, 15, 9, 30, 0};
    const std::string etmain = std::string(kGame) + "\\etmain\\";
    const std::string backup = std::string(kProgram) + "backup\\";
    const std::vector<std::string> stale = {std::string(kProgram) + "~vexal312-0.tmp",
                                            std::string(kProgram) + "~VEXAL4-17.TMP", backup + "~vexal9-2.tmp",
                                            backup + "Vexal-backup.zip.tmp", etmain + "~vexal77-1.tmp"};
    // Not ours, or not in a folder this program writes, or newer than this start.
    const std::vector<std::string> kept = {std::string(kProgram) + "~vexal.tmp",
                                           std::string(kProgram) + "~vexal1-2.tmp.txt",
                                           std::string(kProgram) + "~vexalx-1.tmp",
                                           std::string(kProgram) + "Vexal-backup.zip.tmp",
                                           std::string(kProgram) + "mapinfos\\~vexal1-1.tmp",
                                           etmain + "game.tmp",
                                           std::string(kGame) + "\\~vexal5-5.tmp"};
    for (const auto& path : stale) fake.fs.addFile(path, "x", platform::kAttrArchive, before);
    for (const auto& path : kept) fake.fs.addFile(path, "x", platform::kAttrArchive, before);
    fake.fs.addFile(std::string(kProgram) + "~vexal8-8.tmp", "being written by another copy");
    fake.fs.addFile(etmain + "~vexal6-1.tmp", "read-only", platform::kAttrReadOnly, before);
    settingsFile();
    start();
    for (const auto& path : stale) EXPECT_FALSE(fake.fs.exists(path)) << path;
    for (const auto& path : kept) EXPECT_TRUE(fake.fs.exists(path)) << path;
    EXPECT_TRUE(fake.fs.exists(std::string(kProgram) + "~vexal8-8.tmp")) << "written at this copy's start";
    EXPECT_TRUE(fake.fs.exists(etmain + "~vexal6-1.tmp")) << "a read-only file is not forced";

    // Only at the start: a refresh leaves what this copy's own writes left.
    fake.fs.addFile(std::string(kProgram) + "~vexal1-1.tmp", "x", platform::kAttrArchive, before);
    run([&] { form->refresh(); });
    EXPECT_TRUE(fake.fs.exists(std::string(kProgram) + "~vexal1-1.tmp"));
}
