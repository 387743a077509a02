// Server status: the reply parser against real and hostile replies, the server
// list of the parameter lines, the map packages, and the viewer on the headless
// window with a scripted network.
#include <gtest/gtest.h>

#include "launch/launch_rules.h"
#include "servers/map_index.h"
#include "servers/server_list.h"
#include "servers/server_rows.h"
#include "servers/slot_wait.h"
#include "servers/status_reply.h"
#include "servers/texts.h"
#include "support/zip_directory.h"
#include "unit/window_fixture.h"
#include "util/colour_codes.h"
#include "util/recent_servers.h"

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

// ---- colour codes, sorting, recent servers, the wait: pure rules -----------------

TEST(ColourCodes, NamesAreReadIntoRunsAsTheGameDrawsThem) {
    using util::ColourRun;
    constexpr int kNone = util::kNoColour;
    const struct {
        const char* text;
        std::vector<ColourRun> runs;
    } cases[] = {
        {"Plain", {{kNone, "Plain"}}},
        {"", {}},
        {"^1Red^7White", {{1, "Red"}, {7, "White"}}},
        {"^^1x", {{kNone, "^"}, {1, "x"}}},  // "^^" shows a caret; the second may start a code
        {"end^", {{kNone, "end^"}}},         // a caret at the end is shown
        {"^1^2x", {{2, "x"}}},               // a code with no text draws nothing
        {"^a^Alow", {{17, "low"}}},          // letters name colours whatever their case
        {"^qQ", {{1, "Q"}}},                 // any character picks (c - '0') & 31
        {"^:grey", {{10, "grey"}}},
        {"^\xE4x", {{20, "x"}}},                    // a byte above 127 too
        {"tab\there\x7f", {{kNone, "tab here "}}},  // control characters become blanks
        {"^1Al^1ice", {{1, "Alice"}}},
    };
    for (const auto& c : cases) EXPECT_EQ(util::colourRuns(c.text), c.runs) << c.text;
    EXPECT_EQ(util::kGameColours[1], 0x0000FFu);  // red, as 0x00BBGGRR
    EXPECT_EQ(util::kGameColours[7], 0xFFFFFFu);
    EXPECT_EQ(util::kGameColours[8], 0x0080FFu);   // orange
    EXPECT_EQ(util::kGameColours[17], 0x1A99FFu);  // 'A', light orange
}

TEST(RecentServers, AddressesAreReadStrictly) {
    const struct {
        const char* target;
        std::optional<std::string> address;
    } cases[] = {
        {"127.0.0.1", "127.0.0.1:27960"},
        {"Host-1.example.org:27961", "Host-1.example.org:27961"},
        {"h:65535", "h:65535"},
        {"h:0", std::nullopt},
        {"h:65536", std::nullopt},
        {"h:+5", std::nullopt},
        {"h:", std::nullopt},
        {":27960", std::nullopt},
        {"a..b", std::nullopt},
        {"a.", std::nullopt},
        {"h;quit", std::nullopt},
        {"h\"x", std::nullopt},
        {"user@h", std::nullopt},
        {"h:27960/", std::nullopt},
        {"h%20", std::nullopt},
        {"a b", std::nullopt},
    };
    for (const auto& c : cases) EXPECT_EQ(util::serverAddress(c.target), c.address) << c.target;
    EXPECT_EQ(util::serverAddress(std::string(63, 'a') + "." + std::string(63, 'b')),
              std::string(63, 'a') + "." + std::string(63, 'b') + ":27960");
    EXPECT_EQ(util::serverAddress(std::string(64, 'a')), std::nullopt) << "a label has 63 characters at most";
    EXPECT_EQ(util::serverAddress(std::string(254, 'a')), std::nullopt);

    EXPECT_EQ(util::connectAddress("+connect 10.0.0.1:27961  +seta name ^1Me"), "10.0.0.1:27961");
    EXPECT_EQ(util::connectAddress("+set fs_game etpro +connect et.example"), "et.example:27960");
    EXPECT_EQ(util::connectAddress("+sv_pure 1 +map  oasis"), std::nullopt);
    EXPECT_EQ(util::connectAddress("+connect"), std::nullopt);
    EXPECT_EQ(util::connectAddress("+connectx 10.0.0.1"), std::nullopt);
    EXPECT_EQ(util::connectAddress("+connect 10.0.0.1;quit"), std::nullopt);
}

TEST(RecentServers, TheFileKeepsTheLastTenNewestFirstAndDropsWhatWeNeverWrote) {
    std::string file =
        "127.0.0.1:27960 2024-01-15\r\n"
        "evil;quit 2024-01-15\r\n"
        "127.0.0.1:27961 2024-13-01\r\n"
        "127.0.0.1:27962 2024-01-15 +exec x\r\n"
        "127.0.0.1:27963\r\n"
        "127.0.0.1 2024-01-15\r\n"  // no port: not as written
        "127.0.0.1:27964 2024-01-14\r\n"
        "127.0.0.1:27960 2024-01-10\r\n"  // a repeat
        "\x01\x02\xff\r\n"
        "EXAMPLE.org:27960 2024-01-01";
    auto recent = util::parseRecent(file);
    EXPECT_EQ(recent, (std::vector<util::RecentServer>{{"127.0.0.1:27960", "2024-01-15"},
                                                       {"127.0.0.1:27964", "2024-01-14"},
                                                       {"EXAMPLE.org:27960", "2024-01-01"}}));
    util::recordRecent(recent, "example.ORG:27960", "2024-02-01");
    EXPECT_EQ(recent.front(), (util::RecentServer{"example.ORG:27960", "2024-02-01"}));
    EXPECT_EQ(recent.size(), 3u) << "folded by address, letter case ignored";
    for (int i = 0; i < 12; ++i) util::recordRecent(recent, "10.0.0." + std::to_string(i) + ":27960", "2024-02-02");
    ASSERT_EQ(recent.size(), util::kRecentServers);
    EXPECT_EQ(recent.front().address, "10.0.0.11:27960");
    EXPECT_EQ(recent.back().address, "10.0.0.2:27960");
    EXPECT_EQ(util::parseRecent(util::formatRecent(recent)), recent) << "what is written reads back";
    EXPECT_EQ(util::parseRecent(std::string(100000, '\n') + "127.0.0.1:1 2024-01-01").size(), 1u);
    EXPECT_EQ(util::isoDate(987, 3, 7), "0987-03-07") << "padded as the file reads it";
    EXPECT_EQ(util::isoDate(2026, 12, 31), "2026-12-31");
}

namespace {

servers::ServerRow answeredRow(const std::string& address, const std::string& host, int players, int maxPlayers,
                               int ping) {
    servers::ServerRow row;
    row.address.shown = address;
    row.state = servers::ServerRow::State::Answered;
    row.hasFacts = true;
    row.facts.hostName = host;
    row.facts.hostNameCodes = host;
    row.facts.maxPlayers = maxPlayers;
    row.facts.players.resize(static_cast<std::size_t>(players));
    row.pingMs = ping;
    return row;
}

}  // namespace

TEST(ServerRows, ColumnsSortNumbersAsNumbersAndRowsWithoutAnswerLast) {
    servers::ServerRow silent;
    silent.address.shown = "a.example:27960";
    silent.state = servers::ServerRow::State::NoAnswer;
    const std::vector<servers::ServerRow> rows = {
        answeredRow("10.0.0.1:27960", "bravo", 2, 20, 120),  answeredRow("10.0.0.2:27960", "Alpha", 10, 20, 9), silent,
        answeredRow("10.0.0.3:27960", "charlie", 9, 20, 35), answeredRow("10.0.0.4:27960", "alpha", 9, 9, 35),
    };
    using servers::sortedOrder;
    using Order = std::vector<std::size_t>;
    const struct {
        int column;
        bool descending;
        Order order;
    } cases[] = {
        {servers::kPlayersColumn, false, {0, 3, 4, 1, 2}},  // 2 < 9 < 10, not "10" < "2"
        {servers::kPlayersColumn, true, {1, 3, 4, 0, 2}},   // equal rows keep their order; no answer last
        {servers::kPingColumn, false, {1, 3, 4, 0, 2}},     // 9 < 35 < 120
        {servers::kPingColumn, true, {0, 3, 4, 1, 2}},
        {servers::kHostColumn, false, {1, 4, 0, 3, 2}},  // letter case ignored
        {servers::kAddressColumn, false, {0, 1, 3, 4, 2}},
        {servers::kAddressColumn, true, {2, 4, 3, 1, 0}},  // every row has an address
    };
    for (const auto& c : cases)
        EXPECT_EQ(sortedOrder(rows, c.column, c.descending), c.order) << c.column << (c.descending ? " down" : " up");

    EXPECT_TRUE(rows[4].full());
    EXPECT_FALSE(rows[3].full());
    EXPECT_EQ(servers::copyText(rows[4]), "10.0.0.4:27960  alpha    9/9 full") << "address  host  map  players";
    EXPECT_EQ(servers::copyText(silent), "a.example:27960  no answer");
    auto coloured = answeredRow("10.0.0.5:27960", "Red Base", 0, 4, 1);
    coloured.facts.hostNameCodes = "^1Red ^7Base";
    const auto cells = servers::serverCells(coloured, true);
    EXPECT_EQ(cells[servers::kHostColumn].text, "Red Base") << "what is read and copied has no codes";
    EXPECT_EQ(cells[servers::kHostColumn].runs, (std::vector<ui::TextRun>{{0x0000FF, "Red "}, {0xFFFFFF, "Base"}}));
    EXPECT_EQ(cells[servers::kAddressColumn].text, "10.0.0.5:27960  recent");
}

TEST(SlotWait, AsksEveryFiveSecondsJoinsOnAFreeSlotAndGivesUpAfterHalfAnHour) {
    using Seen = servers::SlotWait::Seen;
    using Action = servers::SlotWait::Action;
    servers::SlotWait wait;
    EXPECT_EQ(wait.step(0, 0, Seen::Free), Action::None) << "no wait, nothing to do";
    const std::uint64_t t0 = 1'000'000;
    wait.begin("10.0.0.1:27960", "Loop", t0);
    const struct {
        std::uint64_t now, lastAsked;
        Seen seen;
        Action action;
    } steps[] = {
        {t0, t0 - 1000, Seen::Full, Action::None},  // asked a second ago by the status round
        {t0 + 3999, t0 - 1000, Seen::Full, Action::None},
        {t0 + 4000, t0 - 1000, Seen::Full, Action::Ask},  // five seconds since anyone asked
        {t0 + 4020, t0 + 4000, Seen::Asking, Action::None},
        {t0 + 8999, t0 + 4000, Seen::Full, Action::None},
        {t0 + 9000, t0 + 4000, Seen::Asking, Action::None},  // still asking: no second request
        {t0 + 9000, t0 + 4000, Seen::Other, Action::Ask},    // no answer: asked again all the same
        {t0 + 9100, t0 + 9000, Seen::Free, Action::Join},
        {t0 + 9200, t0 + 9000, Seen::Free, Action::None},  // once
    };
    for (const auto& s : steps) EXPECT_EQ(wait.step(s.now, s.lastAsked, s.seen), s.action) << s.now - t0;
    EXPECT_FALSE(wait.active());

    wait.begin("10.0.0.1:27960", "Loop", t0);
    EXPECT_EQ(wait.step(t0 + servers::kWaitGiveUpMs - 1, t0 + servers::kWaitGiveUpMs - 2, Seen::Full), Action::None);
    EXPECT_EQ(wait.step(t0 + servers::kWaitGiveUpMs, t0 + servers::kWaitGiveUpMs - 2, Seen::Full), Action::GiveUp);
    EXPECT_FALSE(wait.active());
    EXPECT_EQ(servers::text::waiting("Loop", 95'000), "Waiting for a free slot on Loop: 1:35");
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
    using WindowTest::shown;
    // Every row of the server list, its cells joined by blanks, one row a line.
    [[nodiscard]] std::string shown() const {
        std::string text;
        for (std::size_t r = 0; r < form->lvServers.rows().size(); ++r) text += "\r\n" + form->lvServers.rowText(r);
        return text;
    }
    // The row that begins with `address`, runs of blanks between the cells as one.
    [[nodiscard]] std::string rowOf(const std::string& address) const {
        const std::string text = shown() + "\r\n";
        const auto at = text.find("\r\n" + address);
        if (at == std::string::npos) return "<no row>";
        std::string row;
        for (const char c : text.substr(at + 2, text.find("\r\n", at + 2) - at - 2))
            if (c != ' ' || row.empty() || row.back() != ' ') row += c;
        while (!row.empty() && row.back() == ' ') row.pop_back();
        return row;
    }
    [[nodiscard]] std::vector<std::string> players() const {
        std::vector<std::string> out;
        for (std::size_t r = 0; r < form->lvPlayers.rows().size(); ++r) out.push_back(form->lvPlayers.rowText(r));
        return out;
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
    EXPECT_TRUE(form->lvServers.visible());
    EXPECT_TRUE(form->lvPlayers.visible());
    EXPECT_EQ(form->focused(), &form->lvServers);
    ASSERT_EQ(net.sent.size(), 4u) << "all at once";
    after(20);
    EXPECT_EQ(rowOf("127.0.0.1:27960"), "127.0.0.1:27960 Loop oasis 2/4 0 ms etmain");
    EXPECT_EQ(form->lvServers.itemIndex(), 0) << "the first row is selected: Enter joins it";
    EXPECT_EQ(players(), (std::vector<std::string>{"Alice  25  40", "Bob  12  60"}));
    EXPECT_EQ(form->lvPlayers.rows()[0][0].runs, (std::vector<ui::TextRun>{{0x0000FF, "Al"}, {0xFFFFFF, "ice"}}))
        << "drawn in the game's colours";
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
    run([&] { form->lvServers.keyDown(escape); });
    EXPECT_FALSE(form->lvServers.visible());
    EXPECT_FALSE(form->lvPlayers.visible());
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
    EXPECT_TRUE(form->lvServers.visible());
    EXPECT_NE(shown().find(servers::text::kNoServers), std::string::npos);
    int enter = 13;
    run([&] { form->lvServers.keyDown(enter); });
    EXPECT_TRUE(fake.shell.calls.empty()) << "the note is no server to join";
    run([&] { form->textViewers.close(); });
    EXPECT_FALSE(form->textViewers.trayOpened());
    EXPECT_FALSE(form->lvServers.visible());
}

}  // namespace vexal::testing

namespace vexal::testing {

namespace {

class ServerListTest : public ServerStatusTest {
protected:
    // Players a server has: "n n "name"" lines.
    static std::string playing(int n) {
        std::string lines;
        for (int i = 0; i < n; ++i) lines += std::to_string(i) + " 5 \"p" + std::to_string(i) + "\"\n";
        return lines;
    }
    void key(ui::ListView& list, int k) {
        run([&] { list.keyDown(k); });
    }
    std::vector<std::string> etStarts() const {
        std::vector<std::string> out;
        for (const auto& call : fake.shell.calls)
            if (call.file == "et.exe") out.push_back(call.params);
        return out;
    }
    // Polls in steps of `step` ms: long waits in few steps.
    void afterInSteps(std::uint64_t ms, std::uint64_t step) {
        for (std::uint64_t t = 0; t < ms; t += step) {
            net.now += step;
            run([&] { form->serverStatus.poll(); });
        }
    }
};

}  // namespace

TEST_F(ServerListTest, EnterOrADoubleClickJoinsTheRowsLineExactlyAsRunWould) {
    servers[27960] = answering("");
    servers[27961] = answering("", playing(2));
    startWithServers({"+connect 127.0.0.1:27960 (one)", "+connect 127.0.0.1:27961 (two)", "+sv_pure 1 +map (lan)"});
    run([&] { form->cbxMap.typeText("oasis"); });
    form->nickname = "^1Me";
    run([&] { form->edtParam.setText("+sv_pure 1 +map (lan)"); });
    openWithF5();
    after(20);
    run([&] { form->lvServers.select(1); });
    EXPECT_EQ(players(), (std::vector<std::string>{"p1  1  5", "p0  0  5"})) << "the selected server's players";
    key(form->lvServers, 13);
    run([&] { form->lvServers.dblClick(); });
    ASSERT_EQ(etStarts().size(), 2u);
    EXPECT_EQ(form->edtParam.text(), "+sv_pure 1 +map (lan)") << "the parameter field stays as it was";

    run([&] { form->edtParam.setText("+connect 127.0.0.1:27961 (two)"); });
    run([&] { form->onCommand(Cmd::Run); });
    ASSERT_EQ(etStarts().size(), 3u);
    EXPECT_EQ(etStarts()[0], etStarts()[2]) << "the same start as that line's Run";
    EXPECT_EQ(etStarts()[0], launch::composeLaunchParameters("+connect 127.0.0.1:27961 (two)", "", "^1Me"));

    EXPECT_EQ(util::parseRecent(file("VexalRecent.dat")),
              (std::vector<util::RecentServer>{{"127.0.0.1:27961", "2024-01-15"}}))
        << "every server joined is remembered, once";
    run([&] { form->edtParam.setText("+sv_pure 1 +map (lan)"); });
    run([&] { form->onCommand(Cmd::Run); });
    EXPECT_EQ(util::parseRecent(file("VexalRecent.dat")).size(), 1u) << "a start that connects nowhere is no server";
}

TEST_F(ServerListTest, ARowThatDidNotAnswerAsksBeforeItStarts) {
    startWithServers({"+connect 127.0.0.1:27963 (down)"});
    openWithF5();
    after(900);
    ASSERT_EQ(rowOf("127.0.0.1:27963"), "127.0.0.1:27963 " + std::string(servers::text::kNoAnswer));
    fake.dialogs.answerNextBox(platform::BoxResult::No);
    key(form->lvServers, 13);
    ASSERT_EQ(fake.dialogs.boxes.size(), 1u);
    EXPECT_NE(fake.dialogs.boxes[0].text.find("127.0.0.1:27963 did not answer"), std::string::npos);
    EXPECT_TRUE(etStarts().empty()) << "No starts nothing";
    fake.dialogs.answerNextBox(platform::BoxResult::Yes);
    key(form->lvServers, 13);
    EXPECT_EQ(etStarts().size(), 1u);
}

TEST_F(ServerListTest, HeaderClicksSortAndARefreshKeepsSelectionSortAndTheRowUnderTheMouse) {
    int third = 9;
    servers[27960] = answering("\\sv_maxclients\\20", playing(2));
    servers[27961] = answering("\\sv_maxclients\\20", playing(10));
    servers[27962] = [&](const std::string& c) { return answering("\\sv_maxclients\\20", playing(third))(c); };
    startWithServers({"+connect 127.0.0.1:27960", "+connect 127.0.0.1:27961", "+connect 127.0.0.1:27962"});
    openWithF5();
    after(20);
    auto addresses = [&] {
        std::vector<std::string> out;
        for (const auto& row : form->lvServers.rows()) out.push_back(row[0].text.substr(10));
        return out;
    };
    run([&] { form->lvServers.columnClick(servers::kPlayersColumn); });
    EXPECT_EQ(addresses(), (std::vector<std::string>{"27960", "27962", "27961"})) << "2, 9, 10 players";
    run([&] { form->lvServers.columnClick(servers::kPlayersColumn); });
    EXPECT_EQ(addresses(), (std::vector<std::string>{"27961", "27962", "27960"})) << "a second click reverses";
    run([&] { form->lvServers.select(1); });
    key(form->lvServers, ui::kCtrlKey | 'C');
    EXPECT_EQ(fake.clipboard.content, "127.0.0.1:27962  Loop  oasis  9/20");

    app.pointAt(&form->lvServers);
    third = 12;
    after(10000);
    EXPECT_NE(rowOf("127.0.0.1:27962").find("12/20"), std::string::npos) << "refreshed";
    EXPECT_EQ(addresses(), (std::vector<std::string>{"27961", "27962", "27960"})) << "the mouse is over the list";
    EXPECT_EQ(form->lvServers.itemIndex(), 1);
    app.pointAt(nullptr);
    after(20);
    EXPECT_EQ(addresses(), (std::vector<std::string>{"27962", "27961", "27960"})) << "sorted once the mouse left";
    EXPECT_EQ(form->lvServers.itemIndex(), 0) << "the selection follows its server";
    run([&] { form->onCommand(Cmd::ServerStatus); });  // F5 again
    after(20);
    EXPECT_EQ(addresses(), (std::vector<std::string>{"27962", "27961", "27960"}));
    EXPECT_EQ(form->lvServers.itemIndex(), 0);

    key(form->lvServers, 9);
    EXPECT_EQ(form->focused(), &form->lvPlayers) << "Tab moves to the players";
    key(form->lvPlayers, 9);
    EXPECT_EQ(form->focused(), &form->lvServers);
}

TEST_F(ServerListTest, AWaitForAFreeSlotAsksEveryFiveSecondsAndJoinsOnce) {
    int inGame = 4;
    fake.fs.addFile(std::string(kProgram) + "headshot.wav", "RIFF");
    std::vector<std::uint64_t> asked;
    servers[27960] = answering("");
    servers[27962] = [&](const std::string& c) {
        asked.push_back(net.now);
        return answering("", playing(inGame))(c);
    };
    startWithServers({"+connect 127.0.0.1:27960", "+connect 127.0.0.1:27962 (full)"});
    openWithF5();
    after(20);
    run([&] { form->lvServers.select(0); });
    key(form->lvServers, ui::kCtrlKey | 'J');
    EXPECT_FALSE(form->serverStatus.waiting()) << "only a full server is waited on";
    run([&] { form->lvServers.select(1); });
    EXPECT_TRUE(shown("popWaitSlot").enabled());
    key(form->lvServers, ui::kCtrlKey | 'J');
    ASSERT_TRUE(form->serverStatus.waiting());
    after(20);
    EXPECT_EQ(form->stInfo.caption(), "Waiting for a free slot on Loop: 0:00");
    after(65000);
    EXPECT_EQ(form->stInfo.caption(), "Waiting for a free slot on Loop: 1:05");
    EXPECT_TRUE(etStarts().empty());
    for (std::size_t i = 1; i < asked.size(); ++i) EXPECT_GE(asked[i] - asked[i - 1], 5000u) << i;
    EXPECT_GE(asked.size(), 13u) << "every 5 s";
    const auto sounds = fake.sound.played.size();
    inGame = 3;
    after(5000);
    ASSERT_EQ(etStarts().size(), 1u);
    EXPECT_EQ(etStarts()[0], launch::composeLaunchParameters("+connect 127.0.0.1:27962 (full)", "", ""));
    EXPECT_GT(fake.sound.played.size(), sounds) << "the click";
    EXPECT_FALSE(form->serverStatus.waiting());
    after(20000);
    EXPECT_EQ(etStarts().size(), 1u) << "once";
}

TEST_F(ServerListTest, AWaitEndsWithEscapeALaunchOrClosingAndGivesUpAfterHalfAnHour) {
    servers[27962] = answering("", playing(4));
    startWithServers({"+connect 127.0.0.1:27962"});
    openWithF5();
    after(20);
    key(form->lvServers, ui::kCtrlKey | 'J');
    ASSERT_TRUE(form->serverStatus.waiting());
    key(form->lvServers, 27);
    EXPECT_FALSE(form->serverStatus.waiting());
    EXPECT_TRUE(form->lvServers.visible()) << "Escape ends the wait first";
    EXPECT_EQ(form->stInfo.caption(), servers::text::stoppedWaiting("Loop"));

    key(form->lvServers, ui::kCtrlKey | 'J');
    run([&] { form->onCommand(Cmd::Run); });
    EXPECT_FALSE(form->serverStatus.waiting()) << "a launch ends it";

    key(form->lvServers, ui::kCtrlKey | 'J');
    const auto sent = net.sent.size();
    afterInSteps(30 * 60 * 1000, 1000);
    EXPECT_FALSE(form->serverStatus.waiting());
    EXPECT_EQ(form->stInfo.caption(), servers::text::gaveUp("Loop"));
    EXPECT_LE(net.sent.size() - sent, 30u * 60 / 5 + 2) << "no faster than every 5 s";
    EXPECT_EQ(etStarts().size(), 1u) << "only the Run";

    key(form->lvServers, ui::kCtrlKey | 'J');
    key(form->lvServers, 27);
    key(form->lvServers, 27);
    EXPECT_FALSE(form->lvServers.visible());
    EXPECT_FALSE(form->serverStatus.waiting());
}

TEST_F(ServerListTest, RecentServersFollowTheSavedLinesAndKeepMakesThemSaved) {
    servers[27960] = answering("");
    servers[27961] = answering("\\sv_hostname\\^3Recent");
    fake.fs.addFile(std::string(kProgram) + "VexalRecent.dat",
                    "127.0.0.1:27961 2024-01-10\r\n127.0.0.1:27960 2024-01-09\r\n"
                    "127.0.0.1:27962;quit 2024-01-01\r\n192.0.2.10:27960 2024-01-01\r\n");
    startWithServers({"+connect 127.0.0.1:27960"});
    openWithF5();
    after(20);
    EXPECT_EQ(shown(),
              "\r\n127.0.0.1:27960  Loop  oasis  0/4  0 ms    etmain"
              "\r\n127.0.0.1:27961  recent  Recent  oasis  0/4  0 ms    etmain"
              "\r\n192.0.2.10:27960  recent  " +
                  std::string(servers::text::kExampleAddress) + std::string(10, ' '))
        << "saved lines first, a recent one that is saved too once, the hostile line nowhere";
    EXPECT_FALSE(shown("popKeep").enabled()) << "a saved row is kept already";
    run([&] { form->lvServers.select(1); });
    EXPECT_TRUE(shown("popKeep").enabled());
    key(form->lvServers, ui::kCtrlKey | 'K');
    EXPECT_EQ(form->lboxParam.items().indexOf("+connect 127.0.0.1:27961"), 1);
    EXPECT_NE(file("VexalParam.dat").find("+connect 127.0.0.1:27961\r\n"), std::string::npos);
    after(20);
    EXPECT_EQ(rowOf("127.0.0.1:27961"), "127.0.0.1:27961 Recent oasis 0/4 0 ms etmain") << "no longer marked";

    run([&] { form->lvServers.select(2); });
    key(form->lvServers, 13);
    ASSERT_EQ(etStarts().size(), 1u);
    EXPECT_EQ(etStarts()[0], "+connect 192.0.2.10:27960") << "a recent row joins as its +connect line";
    EXPECT_EQ(util::parseRecent(file("VexalRecent.dat"))[0].address, "192.0.2.10:27960") << "newest first";
}

}  // namespace vexal::testing

namespace vexal::testing {

namespace {

class BuddiesTest : public ServerListTest {
protected:
    // The watch's timer, in steps of `step` ms.
    void watchFor(std::uint64_t ms, std::uint64_t step = 100) {
        for (std::uint64_t t = 0; t < ms; t += step) {
            net.now += step;
            run([&] { form->buddyWatcher.tick(); });
        }
    }
    std::size_t sentTo(std::uint16_t port) const {
        return static_cast<std::size_t>(
            std::count_if(net.sent.begin(), net.sent.end(), [&](const auto& s) { return s.to.port == port; }));
    }
};

}  // namespace

TEST_F(BuddiesTest, APlayerAddedFromThePlayersListIsBoldItsServerStarredAndTheFilterKeepsIt) {
    servers[27960] = answering("", "25 40 \"^1Big^7Bob\"\n12 60 \"Tom\"\n");
    servers[27961] = answering("", "3 30 \"Ann\"\n");
    fake.fs.addFile(std::string(kProgram) + "VexalBuddies.dat", "Zed\r\n\r\n" + std::string(70, 'x') + "\r\n");
    startWithServers({"+connect 127.0.0.1:27960", "+connect 127.0.0.1:27961"});
    openWithF5();
    after(20);
    EXPECT_EQ(form->stInfo.caption().substr(0, 36), " VexalBuddies.dat: 2 lines skipped (") << "said once";
    EXPECT_EQ(rowOf("127.0.0.1:27960"), "127.0.0.1:27960 Loop oasis 2/4 0 ms etmain");

    run([&] { form->lvPlayers.select(0); });
    run([&] { form->updateMenus(); });
    EXPECT_TRUE(form->menuItem("popAddBuddy")->enabled());
    key(form->lvPlayers, 0x2D);  // Insert
    EXPECT_EQ(file("VexalBuddies.dat"), "Zed\r\nBigBob\r\n") << "the clean name; the skipped lines are gone";
    EXPECT_EQ(form->stInfo.caption(), " BigBob is a buddy now");
    EXPECT_TRUE(form->lvPlayers.rows()[0][0].bold);
    EXPECT_FALSE(form->lvPlayers.rows()[1][0].bold);
    EXPECT_EQ(rowOf("127.0.0.1:27960"), "127.0.0.1:27960 * Loop oasis 2/4 0 ms etmain");
    EXPECT_EQ(form->lvServers.rows()[0][0].tip, "Buddies: BigBob");
    key(form->lvPlayers, 0x2D);
    EXPECT_EQ(file("VexalBuddies.dat"), "Zed\r\nBigBob\r\n") << "added once";

    run([&] { form->onCommand(Cmd::OnlyWithBuddies); });
    EXPECT_EQ(form->lvServers.rows().size(), 1u);
    EXPECT_EQ(rowOf("127.0.0.1:27961"), "<no row>");
    EXPECT_NE(file("Vexal.ini").find("[Buddies]\r\nOnlyWithBuddies=1"), std::string::npos) << file("Vexal.ini");
    after(10020);
    EXPECT_EQ(form->lvServers.rows().size(), 1u) << "a refresh keeps the filter";

    run([&] { form->onCommand(Cmd::RemoveBuddy); });
    EXPECT_EQ(file("VexalBuddies.dat"), "Zed\r\n");
    EXPECT_EQ(form->stInfo.caption(), " BigBob is no longer a buddy");
    EXPECT_EQ(shown(), std::string("\r\n") + servers::text::kNoBuddyServer);
    run([&] { form->onCommand(Cmd::OnlyWithBuddies); });
    EXPECT_EQ(form->lvServers.rows().size(), 2u);
}

TEST_F(BuddiesTest, WhileTheListIsOpenItsRoundsServeTheWatchOnTheOneSocket) {
    std::string plays;
    servers[27960] = [&](const std::string& c) { return answering("", plays)(c); };
    fake.fs.addFile(std::string(kProgram) + "VexalBuddies.dat", "Ann\r\n");
    startWithServers({"+connect 127.0.0.1:27960"});
    run([&] { form->onCommand(Cmd::WatchBuddies); });
    watchFor(30000, 1000);
    openWithF5();
    after(20);
    const auto opened = net.sent.size();
    plays = "7 20 \"Ann\"\n";
    for (int i = 0; i < 70; ++i) {
        after(1000);
        run([&] { form->buddyWatcher.tick(); });
    }
    EXPECT_LE(net.sent.size() - opened, 7u) << "only the list's refreshes, every 10 s";
    EXPECT_TRUE(net.isOpen()) << "the watch never closes the list's socket";
    EXPECT_EQ(form->flashes, 1) << "Ann's arrival, seen in the list's round";
}

TEST_F(BuddiesTest, TheWatchSaysWhoArrivesBetweenRoundsAndSendsNothingWhileTheGameIsInFront) {
    std::string annPlays;  // players of the second server
    servers[27960] = answering("", "25 40 \"Bob\"\n");
    servers[27961] = [&](const std::string& c) { return answering("", annPlays)(c); };
    fake.fs.addFile(std::string(kProgram) + "VexalBuddies.dat", "Bob\r\nAnn\r\n");
    fake.fs.addFile(std::string(kProgram) + "VexalRecent.dat", "127.0.0.1:27961 2026-12-01\r\n");
    startWithServers({"+connect 127.0.0.1:27960"});
    watchFor(120000);
    EXPECT_TRUE(net.sent.empty()) << "off by default";

    run([&] { form->onCommand(Cmd::WatchBuddies); });
    EXPECT_NE(file("Vexal.ini").find("[Buddies]\r\nWatch=1"), std::string::npos);
    watchFor(1000);
    EXPECT_EQ(sentTo(27960), 1u);
    EXPECT_EQ(sentTo(27961), 1u) << "the recent servers too";
    EXPECT_EQ(form->stInfo.caption().find("playing"), std::string::npos) << "the first round says nothing of Bob";
    EXPECT_FALSE(net.isOpen()) << "the socket is closed between rounds";

    annPlays = "7 20 \"^2Ann\"\n";
    watchFor(58000);
    EXPECT_EQ(sentTo(27961), 1u) << "a minute between rounds";
    watchFor(2000);
    EXPECT_EQ(form->stInfo.caption(), " Ann is playing on Loop (oasis, 1/4)");
    EXPECT_EQ(form->flashes, 1) << "no tray icon: the taskbar button flashes";

    // The game in front: the next rounds send nothing.
    fake.hotkeys.inFront = std::string(kGame) + "\\ET.EXE";
    const auto sent = net.sent.size();
    watchFor(180000, 1000);
    EXPECT_EQ(net.sent.size(), sent);
    fake.hotkeys.inFront = "C:\\Windows\\notepad.exe";
    watchFor(1000);
    EXPECT_GT(net.sent.size(), sent) << "asked as soon as the game leaves the front";

    // With the tray icon, a balloon; a click on it opens the list at Ann's server.
    run([&] { form->cbTray.toggleByUser(); });
    annPlays = "7 20 \"Ann\"\n1 1 \"Bobby\"\n";
    servers[27960] = answering("", "");
    watchFor(60000, 1000);
    annPlays = "";
    watchFor(60000, 1000);
    servers[27960] = answering("", "25 40 \"Ann\"\n");
    watchFor(60000, 1000);
    EXPECT_EQ(form->ctrayIcon.balloonText(), "Ann is playing on Loop (oasis, 1/4)");
    run([&] { form->ctrayIcon.onBalloonClick(); });
    after(20);
    ASSERT_TRUE(form->lvServers.visible());
    EXPECT_EQ(form->lvServers.rowText(static_cast<std::size_t>(form->lvServers.itemIndex())).substr(0, 15),
              "127.0.0.1:27960");

    // Switched off: nothing more.
    int escape = 27;
    run([&] { form->lvServers.keyDown(escape); });
    run([&] { form->onCommand(Cmd::WatchBuddies); });
    const auto last = net.sent.size();
    watchFor(120000, 1000);
    EXPECT_EQ(net.sent.size(), last);
}

}  // namespace vexal::testing
