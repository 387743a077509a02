// Bad input from the disk: the program says what went wrong and keeps running.
#include <gtest/gtest.h>

#include "e2e/harness.h"

using namespace std::chrono_literals;
using e2e::Sandbox;
using e2e::Vexal;

TEST(BadInput, AReadOnlySettingsFileIsReportedOnceAndTheWholeWindowWorks) {
    Sandbox box;
    box.writeSettings("[ET-Param]\r\nETParam=+map\r\n\r\n[ET-Map]\r\nMap=oasis\r\n\r\n");
    box.write(box.program + "VexalParam.dat", "+map\r\n+sv_pure 1\r\n");
    box.write(box.program + "VexalMap.dat", "oasis\r\nradar\r\n");
    const std::string ini = box.program + "Vexal.ini";
    SetFileAttributesA(ini.c_str(), FILE_ATTRIBUTE_READONLY);
    Vexal vexal(box);
    const auto message = vexal.waitBox(20s);
    ASSERT_TRUE(message);
    EXPECT_EQ(*message, "Datei " + ini + " kann nicht erstellt werden");
    EXPECT_EQ(vexal.boxCaption(), "Fehler");
    vexal.answerBox(IDOK);
    ASSERT_TRUE(vexal.waitShown());
    // The start-up ran to its end: caption, both lists, the map.
    EXPECT_EQ(vexal.caption(), "Vexal 1.0.0 final  [" + box.game + "]");
    EXPECT_EQ(vexal.items("lboxParam").size(), 2u);
    EXPECT_EQ(vexal.items("cbxMap").size(), 2u);
    EXPECT_EQ(vexal.text("cbxMap"), "oasis");
    // The launch uses the line shown, and the failing file is not said again.
    vexal.postKey(VK_F9);
    ASSERT_TRUE(e2e::waitFor([&] { return !box.launches().empty(); }));
    EXPECT_EQ(box.launches().front(), "+map oasis\t" + box.game);
    EXPECT_FALSE(vexal.waitBox(1s));
    EXPECT_TRUE(vexal.running());
    SetFileAttributesA(ini.c_str(), FILE_ATTRIBUTE_NORMAL);
}

TEST(BadInput, ABrokenMapPictureIsReportedAndTheProgramRuns) {
    Sandbox box;
    box.writeSettings("[ET-Map]\r\nMap=oasis\r\n\r\n");
    box.write(box.program + "VexalParam.dat", "+map\r\n");
    box.makeDir(box.program + "mappics");
    box.write(box.program + "mappics\\oasis.jpg", std::string("\xFF\xD8\xFF\xE0 this is not a picture", 26));
    Vexal vexal(box);
    // The picture is read as the window is shown: reported, and the start goes on.
    const auto message = vexal.waitBox(20s);
    ASSERT_TRUE(message);
    EXPECT_NE(message->find("picture"), std::string::npos) << *message;
    vexal.answerBox(IDOK);
    ASSERT_TRUE(vexal.waitShown());
    EXPECT_TRUE(vexal.running());
    EXPECT_EQ(vexal.caption(), "Vexal 1.0.0 final  [" + box.game + "]");
}

TEST(ParameterList, PickingAnEntryPutsItIntoTheFieldAndTheSettings) {
    Sandbox box;
    box.writeSettings("[ET-Param]\r\nETParam=+b\r\n\r\n");
    box.write(box.program + "VexalParam.dat", "+b\r\n+a (first)\r\n");
    Vexal vexal(box);
    ASSERT_TRUE(vexal.waitShown());
    vexal.selectItem("lboxParam", 0);
    ASSERT_TRUE(e2e::waitFor([&] { return vexal.text("edtParam") == "+a (first)"; }));
    EXPECT_TRUE(e2e::waitFor([&] {
        return box.read(box.program + "Vexal.ini").value_or("").find("ETParam=+a (first)") != std::string::npos;
    }));
    EXPECT_TRUE(vexal.enabled("btnDelParam"));
}

TEST(BadInput, AGameFolderWithoutEtExeIsReportedAtTheStart) {
    Sandbox box;
    box.writeSettings("[ET-Map]\r\nMap=oasis\r\n\r\n");
    box.write(box.program + "VexalParam.dat", "+map\r\n");
    Vexal vexal(box);
    ASSERT_TRUE(vexal.waitShown());
    ASSERT_TRUE(DeleteFileA((box.game + "\\et.exe").c_str()));
    vexal.click("bitbtnRun");
    const auto message = vexal.waitBox();
    ASSERT_TRUE(message);
    EXPECT_EQ(message->rfind("Cannot start et.exe: ", 0), 0u) << *message;
    vexal.answerBox(IDOK);
    EXPECT_TRUE(vexal.running());
}

TEST(Typing, CharactersOfTheCodePageReachTheSettingsAsTheirOwnBytes) {
    Sandbox box;
    box.writeSettings();
    box.write(box.program + "VexalParam.dat", "+map\r\n");
    Vexal vexal(box);
    ASSERT_TRUE(vexal.waitShown());
    vexal.setText("edtParam", "");
    // The euro sign and a-umlaut of Windows-1252, typed into the parameter field.
    for (char c : std::string("+name \x80\xE4")) vexal.key("edtParam", 0, c);
    ASSERT_TRUE(e2e::waitFor([&] {
        return box.read(box.program + "Vexal.ini").value_or("").find("ETParam=+name \x80\xE4") != std::string::npos;
    })) << box.read(box.program + "Vexal.ini").value_or("");
}

TEST(Closing, FromTheTaskbarWhileAQuestionIsOpenWaitsForTheAnswer) {
    Sandbox box;
    box.writeSettings();
    box.write(box.program + "VexalParam.dat", "+a\r\n+b\r\n");
    Vexal vexal(box);
    ASSERT_TRUE(vexal.waitShown());
    vexal.click("btnDelParamList");
    ASSERT_TRUE(vexal.waitBox());
    PostMessageA(GetWindow(vexal.main(), GW_OWNER), WM_SYSCOMMAND, SC_CLOSE, 0);
    Sleep(500);
    EXPECT_TRUE(vexal.running());
    ASSERT_TRUE(vexal.answerBox(IDNO));
    EXPECT_TRUE(vexal.waitExit(10s));
    EXPECT_EQ(box.read(box.program + "VexalParam.dat"), "+a\r\n+b\r\n");
}
