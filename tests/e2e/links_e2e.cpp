// et:// link stories: a link on the command line, a link handed by a second copy
// to the running one, a hostile link, and the Preferences item in the registry.
#include <gtest/gtest.h>

#include "e2e/harness.h"

using namespace std::chrono_literals;
using e2e::Sandbox;
using e2e::Vexal;

namespace {

constexpr const char* kScheme = "Software\\Classes\\et";
constexpr const char* kCommand = "Software\\Classes\\et\\shell\\open\\command";

std::string registryText(const char* key) {
    char value[1024] = {};
    DWORD size = sizeof value - 1;
    if (RegGetValueA(HKEY_CURRENT_USER, key, nullptr, RRF_RT_REG_SZ, nullptr, value, &size) != ERROR_SUCCESS)
        return "<none>";
    return value;
}

bool keyExists(const char* key) {
    HKEY h = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, key, 0, KEY_READ, &h) != ERROR_SUCCESS) return false;
    RegCloseKey(h);
    return true;
}

void prepare(const Sandbox& box) {
    box.writeSettings(
        "[ET-Param]\r\nETParam=+map\r\n\r\n[ET-Map]\r\nMap=oasis\r\n\r\n[ET-Nickname]\r\nnick=Tom\r\n\r\n");
    box.write(box.program + "VexalParam.dat", "+map\r\n");
}

}  // namespace

TEST(Links, ALinkJoinsItsServerAndASecondCopyHandsItsOwnToTheRunningOne) {
    Sandbox box;
    prepare(box);
    // A browser starts Vexal with the link: it joins once the window shows.
    Vexal vexal(box, "ET://127.0.0.1/");
    ASSERT_TRUE(vexal.waitShown());
    ASSERT_TRUE(e2e::waitFor([&] { return box.launches().size() == 1; }));
    EXPECT_EQ(box.launches()[0], "+connect 127.0.0.1:27960 +seta name Tom\t" + box.game);

    // The next link starts a second copy, which hands it over and ends at once.
    Vexal second(box, "\"et://localhost:27961\"");
    EXPECT_TRUE(second.waitExit(10s));
    EXPECT_EQ(second.exitCode(), 0u);
    ASSERT_TRUE(e2e::waitFor([&] { return box.launches().size() == 2; }));
    EXPECT_EQ(box.launches()[1], "+connect localhost:27961 +seta name Tom\t" + box.game);
    EXPECT_EQ(vexal.text("edtParam"), "+map") << "the parameter field stays as it was";
}

TEST(Links, AHostileLinkHandedOverShowsTheBoxQuotingItAndStartsNothing) {
    Sandbox box;
    prepare(box);
    Vexal vexal(box);
    ASSERT_TRUE(vexal.waitShown());
    Vexal second(box, "\"et://127.0.0.1:27960/ +rcon_password x\"");
    EXPECT_TRUE(second.waitExit(10s));
    const auto message = vexal.waitBox();
    ASSERT_TRUE(message);
    EXPECT_NE(message->find("et://127.0.0.1:27960/ +rcon_password x"), std::string::npos) << *message;
    EXPECT_NE(message->find("It contains a blank."), std::string::npos) << *message;

    // A good link that comes while the box is open waits until it is answered.
    Vexal third(box, "et://127.0.0.1:27962");
    EXPECT_TRUE(third.waitExit(10s));
    Sleep(800);
    EXPECT_TRUE(box.launches().empty());
    vexal.answerBox(IDOK);
    ASSERT_TRUE(e2e::waitFor([&] { return box.launches().size() == 1; }));
    EXPECT_EQ(box.launches()[0], "+connect 127.0.0.1:27962 +seta name Tom\t" + box.game);
}

// What another program sends is checked by the receiver itself: the tag, the size,
// and the text only up to its first NUL.
TEST(Links, TheRunningCopyChecksWhatAnotherProgramSends) {
    Sandbox box;
    prepare(box);
    Vexal vexal(box);
    ASSERT_TRUE(vexal.waitShown());
    const auto send = [&](ULONG_PTR tag, std::string bytes) {
        COPYDATASTRUCT data{tag, static_cast<DWORD>(bytes.size()), bytes.data()};
        DWORD_PTR answer = 0;
        SendMessageTimeoutA(vexal.main(), WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data), SMTO_ABORTIFHUNG, 5000,
                            &answer);
        return answer;
    };
    EXPECT_EQ(send(0x1234, "et://127.0.0.1"), static_cast<DWORD_PTR>(FALSE)) << "not our tag";
    EXPECT_EQ(send(0x56584C4B, ""), static_cast<DWORD_PTR>(FALSE)) << "nothing in it";
    Sleep(500);
    EXPECT_TRUE(box.launches().empty());
    EXPECT_EQ(send(0x56584C4B, std::string("et://127.0.0.1:27963\0 +quit", 27)), static_cast<DWORD_PTR>(TRUE));
    ASSERT_TRUE(e2e::waitFor([&] { return box.launches().size() == 1; }));
    EXPECT_EQ(box.launches()[0], "+connect 127.0.0.1:27963 +seta name Tom\t" + box.game);
    // Far more than any link: read only in part, and refused as too long.
    EXPECT_EQ(send(0x56584C4B, "et://" + std::string(100000, 'a')), static_cast<DWORD_PTR>(TRUE));
    const auto message = vexal.waitBox();
    ASSERT_TRUE(message);
    EXPECT_NE(message->find("longer than any server link"), std::string::npos) << *message;
    vexal.answerBox(IDOK);
}

TEST(Links, ThePreferencesItemRegistersThisCopyAndGivesTheFormerHandlerBack) {
    Sandbox box;
    prepare(box);
    RegDeleteTreeA(HKEY_CURRENT_USER, kScheme);
    const std::string former = "\"C:\\Other\\browser.exe\" \"%1\"";
    ASSERT_EQ(RegSetKeyValueA(HKEY_CURRENT_USER, kCommand, nullptr, REG_SZ, former.c_str(),
                              static_cast<DWORD>(former.size() + 1)),
              ERROR_SUCCESS);
    Vexal vexal(box);
    ASSERT_TRUE(vexal.waitShown());

    vexal.command(vexal::Cmd::EtLinks);
    const std::string ours = "\"" + box.program + "Vexal.exe\" \"%1\"";
    EXPECT_TRUE(e2e::waitFor([&] { return registryText(kCommand) == ours; })) << registryText(kCommand);
    EXPECT_EQ(registryText(kScheme), "URL:et Protocol");
    const auto ini = box.read(box.program + "Vexal.ini").value_or("");
    EXPECT_NE(ini.find("[ET-Links]\r\nHadHandler=1\r\nHandler=\"" + former + "\""), std::string::npos) << ini;

    vexal.command(vexal::Cmd::EtLinks);
    EXPECT_TRUE(e2e::waitFor([&] { return registryText(kCommand) == former; })) << registryText(kCommand);

    // With no handler before, switching off removes the key.
    RegDeleteTreeA(HKEY_CURRENT_USER, kScheme);
    vexal.command(vexal::Cmd::EtLinks);
    EXPECT_TRUE(e2e::waitFor([&] { return registryText(kCommand) == ours; }));
    vexal.command(vexal::Cmd::EtLinks);
    EXPECT_TRUE(e2e::waitFor([&] { return !keyExists(kScheme); }));
    RegDeleteTreeA(HKEY_CURRENT_USER, kScheme);
}

TEST(Links, WithMultipleInstancesOnTheNewCopyOpensTheLinkItself) {
    Sandbox box;
    prepare(box);
    box.writeSettings("[Window]\r\nInstances=1\r\n\r\n[ET-Nickname]\r\nnick=Tom\r\n\r\n");
    Vexal first(box);
    ASSERT_TRUE(first.waitShown());
    Vexal second(box, "et://192.0.2.10:27961");
    ASSERT_TRUE(second.waitShown());
    ASSERT_TRUE(e2e::waitFor([&] { return box.launches().size() == 1; }));
    EXPECT_EQ(box.launches()[0], "+connect 192.0.2.10:27961 +seta name Tom\t" + box.game);
    EXPECT_TRUE(first.running());
}
