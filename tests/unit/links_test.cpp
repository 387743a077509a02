// et:// links: the parser's verdict on real and hostile links, a link on the
// command line joining its server once, and the Preferences item that registers
// the program for the scheme and gives it back.
#include "links/links.h"

#include "links/et_link.h"
#include "links/texts.h"
#include "unit/window_fixture.h"

using namespace vexal;
using namespace vexal::testing;
using links::LinkFault;

namespace {

std::string verdict(const std::string& link) {
    const auto result = links::parseEtLink(link);
    if (const auto* address = std::get_if<links::ServerAddress>(&result)) return links::connectLine(*address);
    return links::text::reason(std::get<LinkFault>(result));
}

std::string reason(LinkFault fault) { return links::text::reason(fault); }

struct MinimizeRecorder : ui::ApplicationObserver {
    int minimized = 0;
    void titleChanged() override {}
    void terminateRequested() override {}
    void minimizeRequested() override { ++minimized; }
};

}  // namespace

TEST(EtLink, RealLinksConnectAndHostileOnesAreRefusedWithTheirReason) {
    const std::string name63(63, 'a');
    const std::string host253 = name63 + "." + name63 + "." + name63 + "." + std::string(61, 'b');
    const struct {
        std::string link;
        std::string expected;  // the connect line, or the reason
    } rows[] = {
        // Accepted: addresses and names, the default port, a trailing slash, any case of the scheme.
        {"et://192.0.2.10", "+connect 192.0.2.10:27960"},
        {"et://192.0.2.10:27961/", "+connect 192.0.2.10:27961"},
        {"ET://Clan-Server.example.org:1", "+connect Clan-Server.example.org:1"},
        {"Et://localhost:65535", "+connect localhost:65535"},
        {"et://0.0.0.0", "+connect 0.0.0.0:27960"},
        {"et://255.255.255.255", "+connect 255.255.255.255:27960"},
        {"et://a1.b-2.3c", "+connect a1.b-2.3c:27960"},
        {"et://" + host253 + ":27960", "+connect " + host253 + ":27960"},
        // The scheme.
        {"http://192.0.2.10", reason(LinkFault::NotEtLink)},
        {"et:192.0.2.10", reason(LinkFault::NotEtLink)},
        {" et://192.0.2.10", reason(LinkFault::NotEtLink)},
        {"et://", reason(LinkFault::NoHost)},
        {"et:///", reason(LinkFault::NoHost)},
        {"et://:27960", reason(LinkFault::NoHost)},
        // What would reach the game's console as commands of its own.
        {"et://192.0.2.10 +rcon_password x", reason(LinkFault::Blank)},
        {"et://192.0.2.10\t", reason(LinkFault::Blank)},
        {"et://192.0.2.10+quit", reason(LinkFault::ForbiddenCharacter)},
        {"et://192.0.2.10;quit", reason(LinkFault::ForbiddenCharacter)},
        {"et://192.0.2.10\"", reason(LinkFault::ForbiddenCharacter)},
        {"et://192.0.2.10%20+quit", reason(LinkFault::Percent)},
        {"et://192.0.2.10%3Bquit", reason(LinkFault::Percent)},
        {"et://192.0.2.10\n+quit", reason(LinkFault::ControlCharacter)},
        {std::string("et://192.0.2.10\0x", 17), reason(LinkFault::ControlCharacter)},
        {"et://caf\xE9.example", reason(LinkFault::ControlCharacter)},
        // URL parts a server link has none of.
        {"et://player:secret@192.0.2.10", reason(LinkFault::UserInfo)},
        {"et://192.0.2.10/?password=x", reason(LinkFault::Query)},
        {"et://192.0.2.10#top", reason(LinkFault::Fragment)},
        {"et://192.0.2.10//", reason(LinkFault::Path)},
        {"et://192.0.2.10/connect", reason(LinkFault::Path)},
        {"et://192.0.2.10\\", reason(LinkFault::HostCharacter)},
        {"et://[2001:db8::1]:27960", reason(LinkFault::HostCharacter)},
        {"et://under_score.example", reason(LinkFault::HostCharacter)},
        // Names.
        {"et://" + host253 + "b", reason(LinkFault::HostTooLong)},
        {"et://a..b", reason(LinkFault::EmptyLabel)},
        {"et://.example.org", reason(LinkFault::EmptyLabel)},
        {"et://example.org.", reason(LinkFault::EmptyLabel)},
        {"et://" + name63 + "a.org", reason(LinkFault::LabelTooLong)},
        {"et://-a.example.org", reason(LinkFault::LabelHyphen)},
        {"et://a-.example.org", reason(LinkFault::LabelHyphen)},
        // Addresses: only the four-part dotted form, no leading zeros.
        {"et://256.1.1.1", reason(LinkFault::BadAddress)},
        {"et://1.2.3", reason(LinkFault::BadAddress)},
        {"et://1.2.3.4.5", reason(LinkFault::BadAddress)},
        {"et://2130706433", reason(LinkFault::BadAddress)},
        {"et://0x7f.0.0.1", reason(LinkFault::BadAddress)},
        {"et://010.1.1.1", reason(LinkFault::LeadingZero)},
        {"et://1.2.3.00", reason(LinkFault::LeadingZero)},
        // Ports.
        {"et://192.0.2.10:", reason(LinkFault::NoPort)},
        {"et://192.0.2.10:0", reason(LinkFault::BadPort)},
        {"et://192.0.2.10:027960", reason(LinkFault::BadPort)},
        {"et://192.0.2.10:65536", reason(LinkFault::BadPort)},
        {"et://192.0.2.10:123456", reason(LinkFault::BadPort)},
        {"et://192.0.2.10:-1", reason(LinkFault::BadPort)},
        {"et://192.0.2.10:27960:1", reason(LinkFault::BadPort)},
        {"et://192.0.2.10:2796O", reason(LinkFault::BadPort)},
        {"et://" + std::string(300, 'a'), reason(LinkFault::TooLong)},
    };
    for (const auto& row : rows) EXPECT_EQ(verdict(row.link), row.expected) << row.link;
}

TEST(EtLink, TheRefusalQuotesTheLinkCutAndWithItsControlCharactersShown) {
    const std::string text = links::text::refused("et://a\r\nb" + std::string(300, 'x'), LinkFault::ControlCharacter);
    const std::string quoted = "et://a??b" + std::string(191, 'x') + "...";
    EXPECT_NE(text.find("\n\r" + quoted + "\n\r"), std::string::npos) << text;
    EXPECT_NE(text.find(reason(LinkFault::ControlCharacter)), std::string::npos);
}

TEST(Switches, TheFirstEtArgumentInAnyCaseIsTheLinkBesideTheSwitches) {
    const auto s = parseSwitches({"/min", "ET://192.0.2.1", "et://192.0.2.2", "-log"});
    EXPECT_EQ(s.link, "ET://192.0.2.1");
    EXPECT_TRUE(s.minimized && s.log);
    // A faulty one is still the link: opening it says why it is refused.
    EXPECT_EQ(parseSwitches({"Et:192.0.2.1 x"}).link, "Et:192.0.2.1 x");
    EXPECT_EQ(parseSwitches({"http://192.0.2.1", "/readme"}).link, "");
}

class LinksTest : public WindowTest {
protected:
    static constexpr const char* kCommand = "Software\\Classes\\et\\shell\\open\\command";

    void start(std::vector<std::string> args = {}) {
        settingsFile(
            "[ET-Param]\r\nETParam=+sv_pure 1 +map (default)\r\n[ET-Map]\r\nMap=oasis\r\n"
            "[ET-Nickname]\r\nnick=Tom\r\n[Minimize]\r\nMinimize=1\r\n");
        fake.fs.addFile(std::string(kProgram) + "VexalParam.dat", "+a\r\n");
        fake.process.args = std::move(args);
        WindowTest::start();
    }
    [[nodiscard]] std::string handler() { return fake.registry.readString(kCommand, "").value_or("<none>"); }
};

TEST_F(LinksTest, ALinkOnTheCommandLineJoinsOnceAsRunWouldWithThatLine) {
    start({"et://192.0.2.7:27961/"});
    MinimizeRecorder recorder;
    app.setObserver(&recorder);
    run([&] { form->FormShow(); });
    ASSERT_EQ(fake.shell.calls.size(), 1u);
    EXPECT_EQ(fake.shell.calls[0].file, "et.exe");
    EXPECT_EQ(fake.shell.calls[0].params, "+connect 192.0.2.7:27961 +seta name Tom") << "no map, the nickname";
    EXPECT_EQ(fake.fs.currentDirectory(), kGame);
    EXPECT_TRUE(form->launcher.gameStarted());
    EXPECT_EQ(recorder.minimized, 1) << "Minimize after start is obeyed";
    EXPECT_EQ(form->edtParam.text(), "+sv_pure 1 +map (default)") << "the field stays";
    EXPECT_EQ(form->cbxMap.text(), "oasis");
    run([&] { form->FormShow(); });
    EXPECT_EQ(fake.shell.calls.size(), 1u) << "not again at the next showing";
    app.setObserver(nullptr);
}

TEST_F(LinksTest, AHostileLinkStartsNothingAndTheBoxSaysWhy) {
    start();
    run([&] { form->links.open("et://192.0.2.7;quit\r\n"); });
    EXPECT_TRUE(fake.shell.calls.empty());
    ASSERT_EQ(fake.dialogs.boxes.size(), 1u);
    EXPECT_EQ(fake.dialogs.boxes[0].text, links::text::refused("et://192.0.2.7;quit??", LinkFault::ForbiddenCharacter));
    EXPECT_EQ(fake.dialogs.boxes[0].kind, platform::BoxKind::Warning);
}

TEST_F(LinksTest, ThePreferencesItemRegistersAndGivesTheFormerHandlerBack) {
    const std::string former = "\"C:\\Other\\browser.exe\" -join \"%1\"";
    fake.registry.writeString("Software\\Classes\\et", "", "URL:et Protocol");
    fake.registry.writeString(kCommand, "", former);
    start();
    EXPECT_FALSE(shown("mnuEtLinks").checked());

    run([&] { form->onCommand(Cmd::EtLinks); });
    EXPECT_EQ(handler(), "\"C:\\Games\\Vexal\\Vexal.exe\" \"%1\"");
    EXPECT_EQ(fake.registry.readString("Software\\Classes\\et", "URL Protocol"), "");
    EXPECT_TRUE(shown("mnuEtLinks").checked());
    EXPECT_NE(file("Vexal.ini").find("[ET-Links]\r\nHadHandler=1\r\nHandler=\"" + former + "\"\r\n"), std::string::npos)
        << file("Vexal.ini");

    // Another program takes the links: the mark says so; switching on again keeps that one.
    fake.registry.writeString(kCommand, "", "C:\\Other\\taker.exe %1");
    EXPECT_FALSE(shown("mnuEtLinks").checked());
    run([&] { form->onCommand(Cmd::EtLinks); });
    run([&] { form->onCommand(Cmd::EtLinks); });
    EXPECT_EQ(handler(), "C:\\Other\\taker.exe %1");
    EXPECT_FALSE(shown("mnuEtLinks").checked());
    EXPECT_TRUE(errors.empty());
}

TEST_F(LinksTest, SwitchingOffRemovesTheKeyWhenThereWasNone) {
    start();
    run([&] { form->onCommand(Cmd::EtLinks); });
    EXPECT_TRUE(fake.registry.keyExists("Software\\Classes\\et"));
    EXPECT_TRUE(form->isOn(Cmd::EtLinks));
    run([&] { form->onCommand(Cmd::EtLinks); });
    EXPECT_FALSE(fake.registry.keyExists("Software\\Classes\\et"));
    EXPECT_FALSE(form->isOn(Cmd::EtLinks));
}

TEST_F(LinksTest, AFailureChangesNothingAndIsReported) {
    const std::string former = "C:\\Other\\browser.exe %1";
    fake.registry.writeString(kCommand, "", former);
    start();
    // A registry that refuses: the message says so and the former handler stays.
    fake.registry.refuseChanges = true;
    run([&] { form->onCommand(Cmd::EtLinks); });
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_EQ(errors[0].rfind(links::text::kRegisterFailed, 0), 0u) << errors[0];
    EXPECT_EQ(handler(), former);
    EXPECT_FALSE(shown("mnuEtLinks").checked());
    // A settings file that cannot keep the former handler: the registry is not touched.
    fake.registry.refuseChanges = false;
    fake.fs.failWritesUnder(kProgram);
    run([&] { form->onCommand(Cmd::EtLinks); });
    EXPECT_EQ(errors.size(), 2u);
    EXPECT_EQ(handler(), former);
}

TEST(LinkCommand, RunsThisProgramOnlyWhenItNamesThisVeryFile) {
    const std::string exe = "C:\\Games\\Vexal\\Vexal.exe";
    EXPECT_TRUE(links::commandRuns(links::openCommandFor(exe), exe));
    EXPECT_TRUE(links::commandRuns("\"c:\\games\\vexal\\VEXAL.EXE\" %1", exe));
    EXPECT_TRUE(links::commandRuns("C:\\Games\\Vexal\\Vexal.exe %1", exe));
    EXPECT_FALSE(links::commandRuns("\"C:\\Games\\Vexal2\\Vexal.exe\" \"%1\"", exe));
    EXPECT_FALSE(links::commandRuns("\"C:\\Games\\Vexal\\Vexal.exe", exe));
    EXPECT_FALSE(links::commandRuns("", exe));
}

// A first start asks for the game folder before anything else: the link waits for
// the window to show, and joins from the folder chosen.
TEST_F(WindowTest, AFirstStartWithALinkJoinsOnceTheGameFolderIsChosen) {
    fake.process.args = {"et://192.0.2.7"};
    fake.dialogs.answerNextFolder(kGame);
    start();
    EXPECT_TRUE(fake.shell.calls.empty());
    run([&] { form->FormShow(); });
    ASSERT_EQ(fake.shell.calls.size(), 1u);
    EXPECT_EQ(fake.shell.calls[0].params, "+connect 192.0.2.7:27960");
    EXPECT_EQ(fake.fs.currentDirectory(), kGame);
}
