// Backup and restore stories: the archive on disk, and a restore that starts the
// program again with the settings of the backup.
#include <gtest/gtest.h>

#include <thread>

#include "e2e/harness.h"

using namespace std::chrono_literals;
using e2e::Sandbox;
using e2e::Vexal;

TEST(Backup, BackupDeleteRestoreAndTheNewCopyShowsTheRestoredSettings) {
    Sandbox box;
    box.writeSettings("[ET-Param]\r\nETParam=+set restored 1\r\n\r\n");
    box.write(box.program + "VexalParam.dat", "+set restored 1\r\n");
    box.makeDir(box.program + "mapinfos");
    box.write(box.program + "mapinfos\\oasis.txt", "Oasis facts\r\n");
    Vexal vexal(box);
    ASSERT_TRUE(vexal.waitShown());

    vexal.click("sbtnBackup");
    auto message = vexal.waitBox();
    ASSERT_TRUE(message);
    EXPECT_EQ(message->substr(0, 29), "3 files successfully archived") << *message;
    EXPECT_EQ(vexal.boxCaption(), "Information");
    vexal.answerBox(IDOK);
    ASSERT_TRUE(e2e::waitFor([&] { return vexal.enabled("sbtnRestore"); }));
    ASSERT_TRUE(box.exists(box.program + "backup\\Vexal-backup.zip"));
    EXPECT_FALSE(box.exists(box.program + "backup\\Vexal-backup.zip.tmp"));

    // Later changes: a new parameter line, and two files gone.
    vexal.setText("edtParam", "+set changed 1");
    ASSERT_TRUE(e2e::waitFor(
        [&] { return box.read(box.program + "Vexal.ini").value_or("").find("changed") != std::string::npos; }));
    ASSERT_TRUE(DeleteFileA((box.program + "VexalParam.dat").c_str()));
    ASSERT_TRUE(DeleteFileA((box.program + "mapinfos\\oasis.txt").c_str()));

    vexal.command(vexal::Cmd::Restore);
    message = vexal.waitBox();
    ASSERT_TRUE(message);
    EXPECT_EQ(vexal.boxCaption(), "Warnung");
    vexal.answerBox(IDYES);
    message = vexal.waitBox();
    ASSERT_TRUE(message);
    EXPECT_EQ(*message, "Vexal-backup.zip restore successfull\n\r\n\rVexal.exe will now start again...");
    vexal.answerBox(IDOK);
    ASSERT_TRUE(vexal.waitExit(10s));

    auto fresh = Vexal::adopt(vexal.pid());
    ASSERT_TRUE(fresh) << "no new copy started";
    ASSERT_TRUE(fresh->waitShown());
    EXPECT_EQ(fresh->text("edtParam"), "+set restored 1");
    EXPECT_EQ(box.read(box.program + "VexalParam.dat"), "+set restored 1\r\n");
    EXPECT_EQ(box.read(box.program + "mapinfos\\oasis.txt"), "Oasis facts\r\n");
    EXPECT_EQ(box.read(box.program + "Vexal.ini").value_or("").find("changed"), std::string::npos);
}

TEST(Backup, TheRestoreSwitchWithoutAnArchiveSaysSoAndKeepsRunning) {
    Sandbox box;
    box.writeSettings();
    Vexal vexal(box, "/restore");
    ASSERT_TRUE(vexal.waitMain());  // the question comes while the window is being shown
    auto message = vexal.waitBox();
    ASSERT_TRUE(message);
    vexal.answerBox(IDYES);
    message = vexal.waitBox();
    ASSERT_TRUE(message);
    EXPECT_NE(message->find("Vexal-backup.zip was not found"), std::string::npos) << *message;
    vexal.answerBox(IDOK);
    std::this_thread::sleep_for(500ms);
    EXPECT_TRUE(vexal.running());
    EXPECT_FALSE(Vexal::adopt(vexal.pid(), 1s));
}

TEST(Backup, ARestoreThatMeetsAHeldFileChangesNothingAndTheWindowKeepsSaving) {
    Sandbox box;
    box.writeSettings("[ET-Param]\r\nETParam=+set old 1\r\n\r\n");
    box.write(box.program + "VexalMap.dat", "oasis\r\n");
    box.makeDir(box.program + "mapinfos");
    box.write(box.program + "mapinfos\\oasis.txt", "Oasis facts\r\n");
    Vexal vexal(box);
    ASSERT_TRUE(vexal.waitShown());
    vexal.click("sbtnBackup");
    ASSERT_TRUE(vexal.waitBox());
    vexal.answerBox(IDOK);
    ASSERT_TRUE(e2e::waitFor([&] { return vexal.enabled("sbtnRestore"); }));

    box.write(box.program + "mapinfos\\oasis.txt", "changed\r\n");
    box.write(box.program + "VexalMap.dat", "radar\r\n");
    // Another program opens the map list without sharing it; the map information,
    // which comes first in the archive, is swapped before the map list fails.
    HANDLE held = CreateFileA((box.program + "VexalMap.dat").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    vexal.command(vexal::Cmd::Restore);
    ASSERT_TRUE(vexal.waitBox());
    vexal.answerBox(IDYES);
    auto message = vexal.waitBox();
    CloseHandle(held);
    ASSERT_TRUE(message);
    EXPECT_NE(message->find("VexalMap.dat could not be replaced"), std::string::npos) << *message;
    EXPECT_NE(message->find("nothing was changed"), std::string::npos) << *message;
    EXPECT_EQ(vexal.boxCaption(), "Fehler");
    vexal.answerBox(IDOK);

    EXPECT_EQ(box.read(box.program + "mapinfos\\oasis.txt"), "changed\r\n");
    EXPECT_EQ(box.read(box.program + "VexalMap.dat"), "radar\r\n");
    for (const char* left : {"mapinfos\\oasis.txt.vexal-old", "mapinfos\\oasis.txt.vexal-new", "VexalMap.dat.vexal-new",
                             "Vexal-restore.journal"})
        EXPECT_FALSE(box.exists(box.program + left)) << left;
    EXPECT_TRUE(vexal.running());
    EXPECT_FALSE(Vexal::adopt(vexal.pid(), 1s));
    // The window saves its settings as before.
    vexal.setText("edtParam", "+set after 1");
    EXPECT_TRUE(e2e::waitFor(
        [&] { return box.read(box.program + "Vexal.ini").value_or("").find("after") != std::string::npos; }));
}
