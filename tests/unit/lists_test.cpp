// The parameter list and the map list on the headless window.
#include "unit/window_fixture.h"
#include "util/utilities.h"

using namespace vexal;
using namespace vexal::testing;
using platform::BoxKind;
using platform::BoxResult;

class ListsTest : public WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        settingsFile();
        fake.fs.addFile(std::string(kProgram) + "VexalParam.dat", "+b\r\n+d\r\n");
        fake.fs.addFile(std::string(kProgram) + "VexalMap.dat", "oasis\r\nradar\r\n");
        start();
    }
};

TEST_F(ListsTest, AddingKeepsTheListSortedAndRefusesDuplicatesIgnoringCase) {
    form->edtParam.setText("+c (comment)");
    form->btnAdd.click();
    EXPECT_EQ(file("VexalParam.dat"), "+b\r\n+c (comment)\r\n+d\r\n");
    form->edtParam.setText("+B");
    form->btnAdd.click();
    ASSERT_FALSE(fake.dialogs.boxes.empty());
    EXPECT_EQ(fake.dialogs.boxes.back().text, "Sorry, parameter is already present in the list");
    EXPECT_EQ(fake.dialogs.boxes.back().kind, BoxKind::Information);
    EXPECT_EQ(form->lboxParam.items().size(), 3u);
}

TEST_F(ListsTest, EnterInTheFieldAddsTheLineAndIsSwallowed) {
    form->edtParam.setText("+e");
    EXPECT_EQ(form->edtParam.keyPress('\r'), 0);
    EXPECT_EQ(form->lboxParam.items().all(), (std::vector<std::string>{"+b", "+d", "+e"}));
    EXPECT_TRUE(fake.shell.calls.empty());
    EXPECT_EQ(form->edtParam.keyPress('x'), 'x');
}

TEST_F(ListsTest, AnEmptyFieldAddsAnEmptyEntryOnce) {
    form->edtParam.setText("");
    form->btnAdd.click();
    form->btnAdd.click();
    EXPECT_EQ(form->lboxParam.items().all(), (std::vector<std::string>{"", "+b", "+d"}));
    EXPECT_EQ(fake.dialogs.boxes.size(), 1u);
}

TEST_F(ListsTest, PickingAnEntryFillsTheFieldStoresItAndEnablesDelete) {
    form->lboxParam.setItemIndex(1);
    form->lboxParam.click();
    EXPECT_EQ(form->edtParam.text(), "+d");
    EXPECT_EQ(form->currentParam, "+d");
    EXPECT_EQ(form->focused(), &form->edtParam);
    EXPECT_EQ(config.doc().readString("ET-Param", "ETParam", ""), "+d");
    EXPECT_TRUE(form->btnDelParam.enabled());
    EXPECT_TRUE(shown("mnuCopyEntry").enabled());
    form->onCommand(Cmd::CopyEntry);
    EXPECT_EQ(fake.clipboard.text(), "+d\r\n");
    form->btnDelParam.click();
    EXPECT_EQ(file("VexalParam.dat"), "+b\r\n");
}

TEST_F(ListsTest, ClearingAsksFirstAndEmptiesTheFile) {
    fake.dialogs.answerNextBox(BoxResult::No);
    form->btnDelParamList.click();
    EXPECT_EQ(form->lboxParam.items().size(), 2u);
    fake.dialogs.answerNextBox(BoxResult::Yes);
    form->btnDelParamList.click();
    EXPECT_EQ(fake.dialogs.boxes.back().text,
              "Are yo sure to clear ALL Entries from your param list?\n\r\n\rYou can restore predefined params if you "
              "delete the file\n\rVexalParam.dat from your Vexal-directory!");
    EXPECT_EQ(fake.dialogs.boxes.back().kind, BoxKind::Warning);
    EXPECT_TRUE(form->lboxParam.items().empty());
    EXPECT_EQ(file("VexalParam.dat"), "");
}

TEST_F(ListsTest, PasteReplacesTheWholeListAndCopyTakesEveryEntry) {
    fake.clipboard.setText("z\r\ny\nx\rw\r\nv");
    form->onCommand(Cmd::Paste);
    EXPECT_EQ(form->lboxParam.items().all(), (std::vector<std::string>{"v", "w", "x", "y", "z"}));
    EXPECT_EQ(file("VexalParam.dat"), "v\r\nw\r\nx\r\ny\r\nz\r\n");
    form->onCommand(Cmd::CopyAll);
    EXPECT_EQ(fake.clipboard.text(), "v\r\nw\r\nx\r\ny\r\nz\r\n");
}

TEST_F(ListsTest, ALineBreakThatReachesTheFieldStaysInsideItsEntry) {
    form->edtParam.setText("+map\r\n+quit");
    form->btnAdd.click();
    EXPECT_NE(file("VexalParam.dat").find("+map  +quit\r\n"), std::string::npos) << file("VexalParam.dat");
    form->cbxMap.addItem("oasis\nradar");
    EXPECT_GE(form->cbxMap.items().indexOf("oasis radar"), 0);
}

TEST_F(ListsTest, AConnectLineRetitlesTheTaskbarButton) {
    form->cbxMap.typeText("oasis");
    form->edtParam.setText("+connect 192.0.2.1:27960");
    EXPECT_EQ(app.title(), "oasis");
    EXPECT_EQ(form->stInfo.caption(), " ET directory: C:\\Games\\ET");
}

TEST_F(ListsTest, EveryMapChangeSavesTheListAndTheMapAndRetitles) {
    form->cbxMap.typeText("goldrush");
    EXPECT_EQ(file("VexalMap.dat"), "oasis\r\nradar\r\n");
    EXPECT_EQ(config.doc().readString("ET-Map", "Map", ""), "goldrush");
    EXPECT_EQ(app.title(), "Run ET  [goldrush]");
    EXPECT_EQ(form->mnuRunET->caption(), "&Run ET  [goldrush]");
    EXPECT_FALSE(form->btnDelMap.enabled());
    form->cbxMap.typeText("g");  // too short to name a map: the parameter line stands in
    EXPECT_EQ(app.title(), "Run ET  [" + form->edtParam.text() + "]");
}

TEST_F(ListsTest, EnterInTheMapFieldAddsTheNameAndKeepsItAtOnce) {
    form->cbxMap.typeText("fueldump");
    EXPECT_EQ(form->cbxMap.keyDown(13), 13);
    EXPECT_EQ(form->cbxMap.keyPress('\r'), 0);
    EXPECT_EQ(form->cbxMap.items().all(), (std::vector<std::string>{"fueldump", "oasis", "radar"}));
    EXPECT_EQ(file("VexalMap.dat"), "fueldump\r\noasis\r\nradar\r\n");
    EXPECT_NE(file("Vexal.ini").find("Map=fueldump"), std::string::npos);
}

TEST_F(ListsTest, ChoosingAPackageTwiceKeepsOneEntry) {
    fake.dialogs.answerNextOpenFile({"C:\\Games\\ET\\etmain\\battery.pk3"});
    form->bitbtnSelMap.click();
    EXPECT_EQ(form->cbxMap.text(), "battery");
    EXPECT_EQ(fake.dialogs.openFileRequests.back().title, "Select your Enemy Territory map");
    EXPECT_EQ(fake.dialogs.openFileRequests.back().filter, "Map files (*.pk3)|*.pk3");
    EXPECT_EQ(fake.dialogs.openFileRequests.back().initialDir, "C:\\Games\\ET\\etmain");
    fake.dialogs.answerNextOpenFile({"C:\\Games\\ET\\etmain\\BATTERY.pk3"});
    form->bitbtnSelMap.click();
    EXPECT_EQ(fake.dialogs.boxes.back().text, "Map is already present in the map list!");
    EXPECT_EQ(form->cbxMap.items().all(), (std::vector<std::string>{"battery", "oasis", "radar"}));
}

TEST_F(ListsTest, DeletingTheLastMapsLeavesAnEmptyFieldAndFile) {
    for (int i = 0; i < 2; ++i) {
        form->cbxMap.pick(0);
        fake.dialogs.answerNextBox(BoxResult::Yes);
        form->btnDelMap.click();
    }
    EXPECT_EQ(form->cbxMap.text(), "");
    EXPECT_EQ(file("VexalMap.dat"), "");
    EXPECT_EQ(fake.dialogs.boxes.back().text, "Are yo sure to delete radar from your map list?");
}

TEST_F(ListsTest, MapStatisticsUseTheShortFormWithoutAPackage) {
    form->cbxMap.typeText("siwa");
    fake.fs.addFile(std::string(kProgram) + "mapinfos\\siwa.txt", "siwa_oasis\r\nlongname: Siwa Oas\r\n");
    fake.folderWatch.changed(std::string(kProgram) + "mapinfos\\siwa.txt");
    form->cbxMap.typeText("siwa ");
    form->cbxMap.typeText("siwa");
    const std::string sep(33, '-');
    EXPECT_EQ(form->imgAbout.hint(), " Image: <not available>\n\r Number of Images: 0\n\r" + sep +
                                         "\n\r siwa_oasis.pk3\n\r longname: Siwa Oas\n\r Number of Maps: 2\n\r" + sep +
                                         "\n\r Map info size: 32 Bytes\n\r Map info files: 1");
    EXPECT_EQ(form->cbxMap.hint(), " Select or input a map without extension *.pk3  (longname: Siwa Oas)");
    EXPECT_EQ(form->maps.longName(), "Siwa Oas");
}

TEST_F(ListsTest, MapStatisticsUseTheLongFormWithAPackage) {
    fake.clock.format = {',', '.'};
    fake.fs.addFile(std::string(kGame) + "\\etmain\\radar.pk3", std::string(2048, 'x'));
    // Not a JPEG at all: the statistics stand, the picture fails with a clear message,
    // and the handler carries on.
    fake.fs.addFile(std::string(kProgram) + "mappics\\radar.jpg", std::string(100, 'j'));
    fake.folderWatch.changed(std::string(kProgram) + "mappics\\radar.jpg");
    form->cbxMap.typeText("radar");
    ASSERT_EQ(fake.dialogs.errors.size(), 1u);
    const std::string hint = form->imgAbout.hint();
    EXPECT_EQ(hint.rfind(" Image: radar.jpg\n\r Image Size: 100 Bytes\n\r Number of Images: 1\n\r", 0), 0u) << hint;
    EXPECT_NE(hint.find("\n\r radar.pk3\n\r longname: not available\n\r Map date: "), std::string::npos) << hint;
    EXPECT_NE(hint.find("\n\r Map size: 2.00 KB\n\r Number of Maps: 2\n\r"), std::string::npos) << hint;
}

TEST_F(ListsTest, MapInformationOpensInTheEditorAfterAskingForOneWhenNoneIsSet) {
    const std::string info = std::string(kProgram) + "mapinfos\\oasis.txt";
    fake.fs.addFile(info, "oasis\r\nlongname: Siwa Oasis\r\n");
    fake.fs.addFile("C:\\Tools\\edit.exe", "MZ");
    form->cbxMap.typeText("oasis");
    EXPECT_TRUE(form->BitBtnInfo.enabled());
    EXPECT_TRUE(shown("mnuMapInfo").enabled());
    fake.dialogs.answerNextOpenFile({"C:\\Tools\\edit.exe"});
    form->BitBtnInfo.click();
    ASSERT_EQ(fake.dialogs.openFileRequests.size(), 1u);
    EXPECT_EQ(fake.dialogs.openFileRequests[0].title, "Select your Default Editor");
    EXPECT_EQ(fake.dialogs.openFileRequests[0].filter, "EXE files (*.exe)|*.exe");
    ASSERT_EQ(fake.shell.calls.size(), 1u);
    EXPECT_EQ(fake.shell.calls[0].file, "C:\\Tools\\edit.exe");
    EXPECT_EQ(fake.shell.calls[0].params, "\"" + info + "\"");
    EXPECT_FALSE(fake.shell.calls[0].withOwner);
    EXPECT_EQ(config.doc().readString("Paths", "editor", ""), "C:\\Tools\\edit.exe");
    // Known editor: no question the second time.
    form->imgAbout.click();
    EXPECT_EQ(fake.dialogs.openFileRequests.size(), 1u);
    EXPECT_EQ(fake.shell.calls.size(), 2u);
}

TEST_F(ListsTest, WithoutAnInformationFileTheInfoCommandsAreOffAndTheLongNameIsTheMap) {
    form->cbxMap.typeText("radar");
    EXPECT_FALSE(form->BitBtnInfo.enabled());
    EXPECT_FALSE(shown("mnuMapInfo").enabled());
    EXPECT_EQ(form->maps.longName(), "radar");
    EXPECT_EQ(form->ctrayIcon.hint(), "Run ET [radar]\n\r[radar]");
    EXPECT_EQ(form->popRunET->caption(), "Run ET [radar]");
    form->imgAbout.click();
    EXPECT_TRUE(fake.shell.calls.empty());
    // The picture of a map without information opens the about box instead.
    ASSERT_FALSE(fake.dialogs.boxes.empty());
    EXPECT_EQ(fake.dialogs.boxes.back().text.rfind("           V e x a l  - (Version 1.0.0 final)", 0), 0u);
}

namespace vexal::testing {

TEST_F(ListsTest, AMapPickedByShortcutIsKeptAtOnceWhateverHasTheFocus) {
    fake.fs.addFile(std::string(kGame) + "\\etmain\\fueldump.pk3", "PK");
    fake.dialogs.answerNextOpenFile({std::string(kGame) + "\\etmain\\fueldump.pk3"});
    run([&] { form->setFocus(&form->edtParam); });
    run([&] { form->onCommand(Cmd::SelectMap); });
    EXPECT_EQ(file("VexalMap.dat"), "fueldump\r\noasis\r\nradar\r\n");
    EXPECT_NE(file("Vexal.ini").find("Map=fueldump"), std::string::npos);
    EXPECT_EQ(form->mnuRunET->caption(), "&Run ET  [fueldump]");
}

TEST_F(ListsTest, AListFileThatCannotBeWrittenIsSaidOnceAndTypingGoesOn) {
    fake.fs.failWritesUnder(kProgram);
    for (const char* typed : {"f", "fu", "fue"}) run([&] { form->cbxMap.typeText(typed); });
    run([&] { form->cbxMap.keyDown(13); });
    const std::vector<std::string> said = {"Datei C:\\Games\\Vexal\\VexalMap.dat kann nicht erstellt werden",
                                           "Datei C:\\Games\\Vexal\\Vexal.ini kann nicht erstellt werden"};
    EXPECT_EQ(fake.dialogs.errors, said);
    EXPECT_TRUE(errors.empty());
    EXPECT_EQ(app.title(), "Run ET  [fue]") << "the change processing ran to its end";
}

TEST_F(ListsTest, AnUnreadableListFileIsNamedAndTheStartGoesOn) {
    fake.fs.lockFile(std::string(kProgram) + "VexalMap.dat");
    run([&] { form->refresh(); });
    ASSERT_FALSE(fake.dialogs.errors.empty());
    EXPECT_EQ(fake.dialogs.errors.back(), util::cannotOpenFileText("C:\\Games\\Vexal\\VexalMap.dat"));
    EXPECT_EQ(fake.hotkeys.registered.size(), 3u);
    // Its entries were never seen here: the list shown must not be written over them.
    fake.fs.unlockFile(std::string(kProgram) + "VexalMap.dat");
    run([&] { form->cbxMap.typeText("fueldump"); });
    run([&] { form->cbxMap.keyDown(13); });
    EXPECT_EQ(file("VexalMap.dat"), "oasis\r\nradar\r\n");
}

TEST_F(ListsTest, AClickSoundTheDeviceRefusesNeverStopsTheAction) {
    fake.fs.addFile(std::string(kProgram) + "headshot.wav", "RIFF");
    fake.sound.failOpen(std::string(kProgram) + "headshot.wav");
    run([&] { form->launcher.run(); });
    EXPECT_TRUE(errors.empty());
    EXPECT_EQ(fake.shell.calls.size(), 1u) << "the game started all the same";
}

}  // namespace vexal::testing
