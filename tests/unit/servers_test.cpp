// Server status: the reply parser against real and hostile replies, the server
// list of the parameter lines, the map packages, and the viewer on the headless
// window with a scripted network.
#include <gtest/gtest.h>

#include "launch/launch_rules.h"
#include "servers/map_index.h"
#include "servers/server_list.h"
#include "servers/status_reply.h"
#include "servers/texts.h"
#include "unit/window_fixture.h"

namespace vexal::testing {

using servers::parseStatusReply;

namespace {

const std::string kOob = "\xFF\xFF\xFF\xFF";
constexpr const char* kChallenge = "Zq3x9TmA0b7Ky2Lp";

std::string reply(const std::string& info, const std::string& players = "") {
    return kOob + "statusResponse\n" + info + "\n" + players;
}
std::string info(const std::string& extra = "") {
    return "\\sv_hostname\\^1Red ^7Base\\mapname\\oasis\\sv_maxclients\\20\\sv_privateClients\\2\\g_needpass\\0"
           "\\gamename\\etmain\\challenge\\" +
           std::string(kChallenge) + extra;
}

// A ZIP's central directory and end record, holding the named files.
std::string zipWith(const std::vector<std::string>& names) {
    auto le = [](std::uint32_t v, int bytes) {
        std::string s;
        for (int i = 0; i < bytes; ++i) s += static_cast<char>(v >> (8 * i) & 255);
        return s;
    };
    const std::string local = "PK\x03\x04 local headers and data";
    std::string directory;
    for (const auto& name : names)
        directory += "PK\x01\x02" + std::string(24, '\0') + le(static_cast<std::uint32_t>(name.size()), 2) + le(0, 2) +
                     le(0, 2) + std::string(12, '\0') + name;
    return local + directory + "PK\x05\x06" + std::string(6, '\0') + le(static_cast<std::uint32_t>(names.size()), 2) +
           le(static_cast<std::uint32_t>(directory.size()), 4) + le(static_cast<std::uint32_t>(local.size()), 4) +
           le(0, 2);
}

}  // namespace

TEST(ServerReply, RealAndHostileReplies) {
    std::string manyPlayers;
    for (int i = 0; i < 5000; ++i) manyPlayers += "1 2 \"p" + std::to_string(i) + "\"\n";
    std::string tenThousand;
    for (int i = 0; i < 10000; ++i) tenThousand += "10 20 \"player number " + std::to_string(i) + "\"\n";
    const struct {
        const char* what;
        std::string datagram;
        bool parses;
        std::size_t players;
    } rows[] = {
        {"a real reply", reply(info(), "12 48 \"^1Al^7ice\"\n3 0 \"Bob\"\n"), true, 2},
        {"an empty server", reply(info()), true, 0},
        {"no line end after the info", kOob + "statusResponse\n" + info(), true, 0},
        {"the command in other letter case", kOob + "STATUSRESPONSE\r\n" + info() + "\n", true, 0},
        {"truncated in a player line", reply(info(), "12 48 \"Ali"), true, 0},
        {"truncated in the info", reply(info()).substr(0, 40), false, 0},
        {"no challenge", reply("\\sv_hostname\\x\\mapname\\oasis"), false, 0},
        {"a wrong challenge", reply("\\challenge\\somethingElse1234"), false, 0},
        {"the challenge only as a prefix", reply(info() + "X"), false, 0},
        {"no out-of-band mark", "statusResponse\n" + info() + "\n", false, 0},
        {"another command", kOob + "infoResponse\n" + info() + "\n", false, 0},
        {"binary noise", kOob + std::string("\x01\x7f\x80\xfe\n\x00\xff", 7), false, 0},
        {"a NUL byte among the players", reply(info(), std::string("1 2 \"a\0b\"\n", 10)), false, 0},
        {"an info string over 1024 bytes", reply(info("\\pad\\" + std::string(1100, 'x'))), false, 0},
        {"a quote inside the info", reply(info("\\k\\v\"v")), false, 0},
        {"a key without a value", reply(info("\\lonely")), false, 0},
        {"a datagram over 64 KB", reply(info(), tenThousand), false, 0},
        {"5,000 players: 64 are kept", reply(info(), manyPlayers), true, 64},
        {"a bad player line ends the list", reply(info(), "1 2 \"a\"\nx y \"b\"\n3 4 \"c\"\n"), true, 1},
        {"a score of more than nine digits", reply(info(), "1234567890 1 \"a\"\n"), true, 0},
        {"names full of ^", reply(info(), "0 0 \"^^^^^\"\n0 0 \"^\"\n0 0 \"^^1^\"\n"), true, 3},
        {"8-bit names", reply(info(), "5 5 \"J\xF6rg \xA7\xFF\"\n"), true, 1},
    };
    for (const auto& row : rows) {
        const auto parsed = parseStatusReply(row.datagram, kChallenge);
        EXPECT_EQ(parsed.has_value(), row.parses) << row.what;
        if (parsed) {
            EXPECT_EQ(parsed->players.size(), row.players) << row.what;
        }
    }
    EXPECT_FALSE(parseStatusReply(reply(info()), "")) << "no challenge asked, none taken";
    EXPECT_EQ(servers::statusRequest("abc"), kOob + "getstatus abc");
}

TEST(ServerReply, FactsFollowTheGamesRules) {
    const auto parsed = parseStatusReply(
        reply(info("\\omnibot_playing\\1\\SV_HOSTNAME\\second"), "3 0 \"Bot\"\n12 48 \"^1Al^7ice\"\n"), kChallenge);
    ASSERT_TRUE(parsed);
    const auto f = servers::factsOf(*parsed);
    EXPECT_EQ(f.hostName, "Red Base") << "colour codes gone, the first of a repeated key";
    EXPECT_EQ(f.map, "oasis");
    EXPECT_EQ(f.maxPlayers, 18) << "private slots are not open to the public";
    EXPECT_EQ(f.bots, 1);
    EXPECT_FALSE(f.password);
    EXPECT_EQ(f.modFolder, "") << "etmain is the game's own folder";
    ASSERT_EQ(f.players.size(), 2u);
    EXPECT_EQ(f.players[0].name, "Alice") << "best score first";

    const auto hostile = parseStatusReply(
        reply("\\challenge\\" + std::string(kChallenge) +
              "\\sv_maxclients\\99999\\omnibot_playing\\7\\g_needpass\\1\\fs_game\\..\\gamename\\etpro"),
        kChallenge);
    ASSERT_TRUE(hostile);
    const auto h = servers::factsOf(*hostile);
    EXPECT_FALSE(h.maxPlayers) << "more clients than the game has";
    EXPECT_FALSE(h.bots) << "more bots than players";
    EXPECT_TRUE(h.password);
    EXPECT_EQ(h.modFolder, "") << "a folder name that leads out is no folder";
    EXPECT_EQ(h.mod, "etpro");

    const struct {
        std::string raw, clean;
    } names[] = {
        {"^1Red^7Cat", "RedCat"},
        {"^^1x", "^x"},
        {"a^", "a^"},
        {"^^", "^^"},
        {"^", "^"},
        {"tab\there", "tab here"},
        {"\x7f"
         "del",
         " del"},
        {"J\xF6rg", "J\xF6rg"},
    };
    for (const auto& n : names) EXPECT_EQ(servers::cleanName(n.raw), n.clean) << n.raw;
}

TEST(ServerList, OneRowPerDistinctConnectLine) {
    const std::vector<std::string> lines = {
        "+sv_pure 1 +map (no server)",
        "+connect 127.0.0.1:27961 (first)",
        "+connect 127.0.0.1:27961 (the same again)",
        "+connect Example.Net",
        "+connect example.net:27960 (same host, default port)",
        "+connect (nothing after it)",
        "+connect",
        "+connect 127.0.0.1:70000",
        "+connect 127.0.0.1:0",
        "+connect 127.0.0.1:port",
        "+connect bad/host:27960",
        "+map oasis (not a +connect line once the comment is gone)",
        "+connectnow 1.2.3.4",
    };
    // As the window asks them: what the game would get from each line.
    std::vector<std::string> commandLines;
    for (const auto& line : lines) commandLines.push_back(launch::composeLaunchParameters(line, "", ""));
    const auto servers = servers::serversOf(commandLines);
    const std::vector<std::pair<std::string, std::string>> expected = {
        {"127.0.0.1:27961", ""},
        {"Example.Net:27960", ""},
        {"+connect", servers::text::kNoAddress},
        {"127.0.0.1:70000", servers::text::kBadPort},
        {"127.0.0.1:0", servers::text::kBadPort},
        {"127.0.0.1:port", servers::text::kBadPort},
        {"bad/host:27960", servers::text::kBadHost},
        {"+connectnow", servers::text::kNoAddress},
    };
    ASSERT_EQ(servers.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(servers[i].shown, expected[i].first) << i;
        EXPECT_EQ(servers[i].problem, expected[i].second) << i;
    }
    EXPECT_EQ(servers[0].port, 27961);
    EXPECT_EQ(servers[1].host, "Example.Net");

    EXPECT_TRUE(servers::exampleAddress(0xC000020A));  // 192.0.2.10
    EXPECT_TRUE(servers::exampleAddress(0xC6336414));  // 198.51.100.20
    EXPECT_TRUE(servers::neverAsked(0xE0000001));      // multicast
    EXPECT_FALSE(servers::neverAsked(0x7F000001));     // loopback
}

TEST(MapIndex, MapsComeFromTheCentralDirectoryAndAreKeptUntilThePackageChanges) {
    const std::string pk3 = zipWith({"maps/Oasis.bsp", "maps/sub/deep.bsp", "scripts/oasis.arena", "maps/x.bsp.txt"});
    EXPECT_EQ(servers::mapsInCentralDirectory(pk3.substr(pk3.find("PK\x01\x02"))), std::vector<std::string>{"oasis"});
    EXPECT_FALSE(servers::findCentralDirectory("not a zip at all, long enough to look", 0, 37));
    std::string lying = pk3;
    lying[lying.size() - 6] = '\x7f';  // the directory's offset now points past its end
    EXPECT_FALSE(servers::findCentralDirectory(lying, 0, lying.size()));
    // Cut short: the reading stops, never runs past the end.
    EXPECT_TRUE(servers::mapsInCentralDirectory(pk3.substr(pk3.find("PK\x01\x02"), 50)).empty());

    platform::fake::FakeFileSystem fs;
    fs.addFile("C:\\ET\\etmain\\pak0.pk3", pk3);
    fs.addFile("C:\\ET\\etmain\\broken.pk3", "PK\x05\x06 nothing");
    servers::MapIndex index(fs);
    EXPECT_TRUE(index.has("C:\\ET\\etmain", "OASIS"));
    EXPECT_FALSE(index.has("C:\\ET\\etmain", "radar"));
    EXPECT_FALSE(index.has("C:\\ET\\etpro", "oasis")) << "a folder that does not exist";
    fs.lockFile("C:\\ET\\etmain\\pak0.pk3");
    EXPECT_TRUE(index.has("C:\\ET\\etmain", "oasis")) << "unchanged size and time: not read again";
    fs.unlockFile("C:\\ET\\etmain\\pak0.pk3");
    fs.addFile("C:\\ET\\etmain\\pak0.pk3", zipWith({"maps/radar.bsp"}), platform::kAttrArchive, {2024, 1, 2, 3, 4, 5});
    EXPECT_TRUE(index.has("C:\\ET\\etmain", "radar")) << "a changed package is read again";
    EXPECT_FALSE(index.has("C:\\ET\\etmain", "oasis"));
}

// ---- the viewer on the window ---------------------------------------------------

namespace {

class ServerStatusTest : public WindowTest {
protected:
    platform::fake::FakeNetwork& net = fake.network;
    // What each loopback port answers: a reply built from the challenge it was asked
    // with, or nothing (the server is down).
    std::map<std::uint16_t, std::function<std::string(const std::string& challenge)>> servers;

    void SetUp() override {
        WindowTest::SetUp();
        net.responder = [this](const platform::fake::FakeNetwork::Sent& s) {
            const auto it = servers.find(s.to.port);
            if (s.to.address != 0x7F000001 || it == servers.end()) return;
            const std::string challenge = s.bytes.substr(14);
            const std::string answer = it->second(challenge);
            if (!answer.empty()) net.inbox.push_back({s.to, answer});
        };
        fake.fs.addFile(std::string(kGame) + "\\etmain\\pak0.pk3", zipWith({"maps/oasis.bsp", "maps/battery.bsp"}));
    }

    void startWithServers(const std::vector<std::string>& lines) {
        std::string list;
        for (const auto& l : lines) list += l + "\r\n";
        fake.fs.addFile(std::string(kProgram) + "VexalParam.dat", list);
        settingsFile();
        start();
    }

    static std::function<std::string(const std::string&)> answering(const std::string& extra,
                                                                    const std::string& players = "") {
        return [=](const std::string& challenge) {
            // The first of a repeated key counts: what the test gives goes first.
            return reply(extra +
                             "\\sv_hostname\\Loop\\mapname\\oasis\\sv_maxclients\\4\\gamename\\etmain\\challenge\\" +
                             challenge,
                         players);
        };
    }

    void openWithF5() {
        run([&] { form->onCommand(Cmd::ServerStatus); });
    }
    void after(std::uint64_t ms) {
        for (std::uint64_t t = 0; t < ms; t += 20) {
            net.now += 20;
            run([&] { form->serverStatus.poll(); });
        }
    }
    [[nodiscard]] std::string shown() const { return form->memServers.text(); }
    // The line that begins with `address`, runs of blanks between the columns as one.
    [[nodiscard]] std::string rowOf(const std::string& address) const {
        const std::string text = shown();
        const auto at = text.find("\r\n" + address);
        if (at == std::string::npos) return "<no row>";
        std::string row;
        for (const char c : text.substr(at + 2, text.find("\r\n", at + 2) - at - 2))
            if (c != ' ' || row.empty() || row.back() != ' ') row += c;
        return row;
    }
};

}  // namespace

TEST_F(ServerStatusTest, OpeningAsksEveryServerAtOnceAndShowsWhoPlaysWhere) {
    servers[27960] = answering("\\g_needpass\\0", "25 40 \"^1Al^7ice\"\n12 60 \"Bob\"\n");
    servers[27961] = answering("\\g_needpass\\1\\mapname\\railgun");
    servers[27962] = answering("", "1 1 \"a\"\n2 2 \"b\"\n3 3 \"c\"\n4 4 \"d\"\n");
    startWithServers({"+connect 127.0.0.1:27960 (one)", "+connect 127.0.0.1:27961 (pw)",
                      "+connect 127.0.0.1:27962 (full)", "+connect 127.0.0.1:27963 (down)"});
    EXPECT_TRUE(net.sent.empty()) << "nothing is sent before the viewer is opened";
    EXPECT_FALSE(net.isOpen());

    openWithF5();
    EXPECT_TRUE(form->memServers.visible());
    EXPECT_EQ(form->focused(), &form->memServers);
    ASSERT_EQ(net.sent.size(), 4u) << "all at once";
    after(20);
    EXPECT_EQ(rowOf("127.0.0.1:27960"), "127.0.0.1:27960 Loop oasis 2/4 0 ms etmain");
    EXPECT_NE(shown().find("\r\n  Alice" + std::string(41, ' ') + "25\r\n  Bob "), std::string::npos) << shown();
    EXPECT_NE(rowOf("127.0.0.1:27961").find("railgun (missing)"), std::string::npos) << rowOf("127.0.0.1:27961");
    EXPECT_NE(rowOf("127.0.0.1:27961").find(" pw "), std::string::npos);
    EXPECT_NE(rowOf("127.0.0.1:27962").find("4/4 full"), std::string::npos);
    EXPECT_EQ(rowOf("127.0.0.1:27963"), "127.0.0.1:27963 " + std::string(servers::text::kAsking));

    after(400);
    EXPECT_EQ(net.sent.size(), 5u) << "one resend to the server that has not answered";
    after(400);
    EXPECT_EQ(rowOf("127.0.0.1:27963"), "127.0.0.1:27963 " + std::string(servers::text::kNoAnswer));
    EXPECT_EQ(form->stInfo.caption(), " 3 of 4 servers answered");
    after(2000);
    EXPECT_EQ(net.sent.size(), 5u) << "nothing more until the refresh";
    after(10000);
    EXPECT_GE(net.sent.size(), 9u) << "refreshed after 10 s";

    int escape = 27;
    run([&] { form->textViewers.keyDown(escape); });
    EXPECT_FALSE(form->memServers.visible());
    EXPECT_FALSE(net.isOpen()) << "closing the viewer closes the socket";
    const auto sentBefore = net.sent.size();
    after(20000);
    EXPECT_EQ(net.sent.size(), sentBefore) << "a closed viewer asks nobody";
}

TEST_F(ServerStatusTest, RepliesThatCannotBeTrustedAreDropped) {
    startWithServers({"+connect 127.0.0.1:27960"});
    // The responder is off: this test answers by hand.
    openWithF5();
    ASSERT_EQ(net.sent.size(), 1u);
    const std::string challenge = net.sent[0].bytes.substr(14);
    const platform::Endpoint server{0x7F000001, 27960};
    const std::string good = reply("\\sv_hostname\\Good\\challenge\\" + challenge);
    net.inbox.push_back({server, reply("\\sv_hostname\\Wrong\\challenge\\notTheOneAsked")});
    net.inbox.push_back({{0x7F000001, 27999}, good});  // another port
    net.inbox.push_back({{0x7F000002, 27960}, good});  // another address
    net.inbox.push_back({server, reply("\\sv_hostname\\None")});
    net.inbox.push_back({server, kOob + std::string(3000, '\xFE')});
    after(20);
    EXPECT_EQ(rowOf("127.0.0.1:27960"), "127.0.0.1:27960 " + std::string(servers::text::kAsking));
    net.inbox.push_back({server, good});
    after(20);
    EXPECT_NE(rowOf("127.0.0.1:27960").find("Good"), std::string::npos) << shown();
    EXPECT_TRUE(errors.empty());
}

TEST_F(ServerStatusTest, LinesThatCannotBeAskedShowWhyAndTheExampleServersAreNeverAsked) {
    net.names["nowhere.invalid"] = std::nullopt;
    net.names["slow.example"] = std::nullopt;
    net.names.erase("slow.example");  // never answers
    startWithServers({"+connect nowhere.invalid", "+connect 127.0.0.1:99999", "+connect (empty)",
                      "+connect slow.example:27960", "+connect 192.0.2.10:27960 (Example server one)"});
    openWithF5();
    after(3100);
    EXPECT_EQ(rowOf("nowhere.invalid:27960"), "nowhere.invalid:27960 " + std::string(servers::text::kNotFound));
    EXPECT_EQ(rowOf("127.0.0.1:99999"), "127.0.0.1:99999 " + std::string(servers::text::kBadPort));
    EXPECT_EQ(rowOf("+connect"), "+connect " + std::string(servers::text::kNoAddress));
    EXPECT_EQ(rowOf("slow.example:27960"), "slow.example:27960 " + std::string(servers::text::kNotFound))
        << "a lookup gets 3 s";
    EXPECT_EQ(rowOf("192.0.2.10:27960"), "192.0.2.10:27960 " + std::string(servers::text::kExampleAddress));
    EXPECT_TRUE(net.sent.empty());
    EXPECT_TRUE(fake.dialogs.boxes.empty()) << "rows, not error boxes";
    EXPECT_EQ(form->stInfo.caption(), " 0 of 5 servers answered");
}

TEST_F(ServerStatusTest, ThePredefinedListSendsNothingAndANetworkRefusedIsARow) {
    settingsFile();
    start();  // the first start lays out the predefined lines
    openWithF5();
    after(1000);
    EXPECT_TRUE(net.sent.empty()) << "their documentation addresses never receive a packet";
    run([&] { form->textViewers.close(); });

    net.refuseSocket = true;
    openWithF5();
    EXPECT_NE(shown().find(servers::text::kNoNetwork), std::string::npos) << shown();
    EXPECT_TRUE(errors.empty());
}

TEST_F(ServerStatusTest, TheTrayItemOpensItAndAnEmptyListSaysSo) {
    startWithServers({});
    form->setVisible(false);
    run([&] { form->onCommand(Cmd::TrayServerStatus); });
    EXPECT_TRUE(form->textViewers.trayOpened()) << "closing sends the window back to the tray";
    EXPECT_TRUE(form->memServers.visible());
    EXPECT_NE(shown().find(servers::text::kNoServers), std::string::npos);
    run([&] { form->textViewers.close(); });
    EXPECT_FALSE(form->textViewers.trayOpened());
    EXPECT_FALSE(form->memServers.visible());
}

}  // namespace vexal::testing
