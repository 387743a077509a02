// What only the fakes offer: drives and failures a test sets up, and the
// scripted dialogs. The Win32 build has nothing to check here.
#if VEXAL_CONTRACT_FAKE
#include <gtest/gtest.h>

#include "platform/fake/fake_services.h"
#include "util/error.h"

namespace vexal::platform::fake {
namespace {

std::vector<std::string> names(const std::vector<DirEntry>& entries) {
    std::vector<std::string> result;
    for (const auto& entry : entries) result.push_back(entry.name);
    return result;
}

TEST(FakeFileSystem, DriveRootsListNoDotEntries) {
    FakeFileSystem fs;
    fs.addFile("D:\\ET\\et.exe", "MZ");
    EXPECT_TRUE(fs.directoryExists("D:\\"));
    EXPECT_TRUE(fs.directoryExists("d:\\et"));
    EXPECT_EQ(names(fs.list("D:\\", "*.*")), (std::vector<std::string>{"ET"}));
    EXPECT_EQ(names(fs.list("D:\\ET", "*")), (std::vector<std::string>{".", "..", "et.exe"}));
    EXPECT_EQ(fs.stat("D:\\")->name, "D:\\");
    EXPECT_FALSE(fs.directoryExists("E:\\"));
}

TEST(FakeFileSystem, RelativeNamesFollowTheCurrentDirectory) {
    FakeFileSystem fs;
    fs.addFile("D:\\ET\\etmain\\autoexec.cfg", "bind x");
    ASSERT_TRUE(fs.setCurrentDirectory("d:\\ET\\."));
    EXPECT_EQ(fs.currentDirectory(), "d:\\ET");
    EXPECT_EQ(fs.readFile("etmain\\autoexec.cfg"), "bind x");
    EXPECT_EQ(fs.readFile("D:etmain\\autoexec.cfg"), "bind x");
    EXPECT_EQ(fs.readFile("\\ET\\etmain\\..\\etmain\\autoexec.cfg"), "bind x");
    EXPECT_EQ(fs.readFile("D:/ET/etmain/autoexec.cfg"), "bind x");
    EXPECT_FALSE(fs.fileExists("C:etmain\\autoexec.cfg"));
}

TEST(FakeFileSystem, InjectedFailuresRefuseWritesAndKeepOldContent) {
    FakeFileSystem fs;
    fs.addFile("C:\\Vexal\\Vexal.ini", "old");
    fs.addFile("C:\\Vexal\\lists\\maps.txt", "old");

    fs.lockFile("C:\\VEXAL\\vexal.ini");
    EXPECT_THROW(fs.writeFileAtomic("C:\\Vexal\\Vexal.ini", "new"), Error);
    EXPECT_EQ(fs.readFile("C:\\Vexal\\Vexal.ini"), std::nullopt);  // opened exclusively elsewhere
    EXPECT_FALSE(fs.deleteFile("C:\\Vexal\\Vexal.ini"));
    fs.unlockFile("C:\\Vexal\\Vexal.ini");
    EXPECT_EQ(fs.contents("C:\\Vexal\\Vexal.ini"), "old");

    fs.failWritesUnder("C:\\Vexal\\Lists");
    EXPECT_THROW(fs.writeFileAtomic("C:\\Vexal\\lists\\maps.txt", "new"), Error);
    EXPECT_FALSE(fs.createDirectory("C:\\Vexal\\lists\\sub"));
    EXPECT_FALSE(fs.deleteFile("C:\\Vexal\\lists\\maps.txt"));
    EXPECT_NO_THROW(fs.writeFileAtomic("C:\\Vexal\\listsX.txt", "elsewhere is fine"));

    fs.setDiskFull(true);
    EXPECT_THROW(fs.writeFileAtomic("C:\\Vexal\\Vexal.ini", "new"), Error);
    fs.setDiskFull(false);
    EXPECT_EQ(fs.contents("C:\\Vexal\\Vexal.ini"), "old");
    EXPECT_EQ(fs.contents("C:\\Vexal\\lists\\maps.txt"), "old");
    EXPECT_EQ(fs.writes, (std::vector<std::string>{"C:\\Vexal\\listsX.txt"}));
}

TEST(FakeFileSystem, WildcardMasksFollowTheDosRules) {
    FakeFileSystem fs;
    for (const char* name : {"readme", "readme.txt", "a.b.c", "\xC4RGER.pk3"})
        fs.addFile(std::string("C:\\d\\") + name);
    EXPECT_EQ(names(fs.list("C:\\d", "readme.*")), (std::vector<std::string>{"readme", "readme.txt"}));
    EXPECT_EQ(names(fs.list("C:\\d", "*.")), (std::vector<std::string>{".", "..", "readme"}));
    EXPECT_EQ(names(fs.list("C:\\d", "*.c")), (std::vector<std::string>{"a.b.c"}));
    EXPECT_EQ(names(fs.list("C:\\d", "\xE4rger.PK3")), (std::vector<std::string>{"\xC4RGER.pk3"}));
}

TEST(FakeServices, FilesAreStampedWithTheClock) {
    FakeServices fakes;
    fakes.clock.current = {2030, 6, 1, 8, 0, 0};
    fakes.fs.writeFileAtomic("C:\\new.txt", "x");
    EXPECT_EQ(fakes.fs.stat("C:\\new.txt")->lastWrite, (DateTime{2030, 6, 1, 8, 0, 0}));
    fakes.clock.advanceSeconds(24 * 3600 * 30 + 61);
    EXPECT_EQ(fakes.clock.current, (DateTime{2030, 7, 1, 8, 1, 1}));
}

TEST(FakeDialogs, AnswersComeFromTheScriptInOrder) {
    FakeDialogs dialogs;
    dialogs.answerNextBox(BoxResult::No);
    dialogs.answerNextOpenFile({"C:\\a.pk3", "C:\\b.pk3"});
    dialogs.answerNextFolder("D:\\ET");
    dialogs.cancelNextInput();

    EXPECT_EQ(dialogs.messageBox("Wirklich?", BoxKind::Confirmation, BoxButtons::YesNo), BoxResult::No);
    EXPECT_EQ(dialogs.messageBox("Fertig", BoxKind::Information, BoxButtons::Ok), BoxResult::Ok);  // unscripted
    EXPECT_EQ(dialogs.openFile({}), (std::vector<std::string>{"C:\\a.pk3", "C:\\b.pk3"}));
    EXPECT_EQ(dialogs.openFile({}), std::nullopt);
    EXPECT_EQ(dialogs.browseForFolder("Ordner w\xE4hlen", "C:\\"), "D:\\ET");
    EXPECT_EQ(dialogs.inputBox("Name", "Neuer Name:", "old"), std::nullopt);
    dialogs.errorBox("kaputt");

    EXPECT_EQ(dialogs.pendingAnswers(), 0u);
    ASSERT_EQ(dialogs.boxes.size(), 3u);
    EXPECT_EQ(dialogs.boxes[0], (MessageBoxCall{"Wirklich?", BoxKind::Confirmation, BoxButtons::YesNo}));
    EXPECT_EQ(dialogs.errors, (std::vector<std::string>{"kaputt"}));
    EXPECT_EQ(dialogs.browseCalls[0], (BrowseCall{"Ordner w\xE4hlen", "C:\\"}));
    EXPECT_EQ(dialogs.inputCalls[0], (InputCall{"Name", "Neuer Name:", "old"}));
}

TEST(FakeDialogs, AnAnswerThatIsNoButtonOfTheBoxIsATestError) {
    FakeDialogs dialogs;
    dialogs.answerNextBox(BoxResult::Yes);
    EXPECT_THROW(dialogs.messageBox("OK?", BoxKind::Information, BoxButtons::OkCancel), std::logic_error);
    // "&Ja" and "Abbrechen": no "&Nein" to answer with, and Yes comes first.
    dialogs.answerNextBox(BoxResult::No);
    EXPECT_THROW(dialogs.messageBox("Los?", BoxKind::Plain, BoxButtons::YesCancel), std::logic_error);
    EXPECT_EQ(dialogs.messageBox("Los?", BoxKind::Plain, BoxButtons::YesCancel), BoxResult::Yes);
}

TEST(FakeProcessAndShell, ScriptedFailuresAndOtherInstances) {
    FakeServices fakes;
    fakes.process.heldByOtherInstance("VexalMutex");
    EXPECT_FALSE(fakes.process.createMutex("VexalMutex"));

    fakes.shell.failNext("Das System kann die angegebene Datei nicht finden.");
    EXPECT_THROW(fakes.shell.open("et.exe", "+map oasis", "D:\\ET", ShowCmd::Normal, true), Error);
    fakes.shell.open("index.htm", "", "", ShowCmd::Show, false);
    ASSERT_EQ(fakes.shell.calls.size(), 2u);
    EXPECT_EQ(fakes.shell.calls[0], (ShellCall{"et.exe", "+map oasis", "D:\\ET", ShowCmd::Normal, true}));

    fakes.hotkeys.takenByOtherProgram(kModAlt, 'Z');
    EXPECT_FALSE(fakes.hotkeys.registerHotkey(1, kModAlt, 'Z'));
    EXPECT_TRUE(fakes.hotkeys.registerHotkey(1, kModAlt | kModControl, 'Z'));
}

}  // namespace
}  // namespace vexal::platform::fake
#endif
