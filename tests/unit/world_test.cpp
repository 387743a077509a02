// Every server in the world: what masters send (real shapes and hostile ones), the
// ranges a list may point into, the [Masters] settings, the round on a scripted
// world and its pace on the test's clock, the filters and Quick Join's choice.
#include <gtest/gtest.h>

#include "platform/fake/fake_file_system.h"
#include "platform/fake/fake_network.h"
#include "servers/master_list.h"
#include "servers/texts.h"
#include "servers/world_list.h"
#include "servers/world_round.h"
#include "servers/world_rows.h"
#include "settings/ini_document.h"
#include "unit/fake_world.h"

namespace vexal::testing {

using platform::Endpoint;
using servers::parseListReply;

namespace {

const std::string kOob = "\xFF\xFF\xFF\xFF";
const std::string kEot("\\EOT\0\0\0", 7);
constexpr std::uint32_t kPublicMaster = 0x5DBA0001;  // 93.186.0.1
constexpr std::uint32_t kLocal = 0x7F000001;

std::uint32_t ip(int a, int b, int c, int d) {
    return static_cast<std::uint32_t>(a) << 24 | static_cast<std::uint32_t>(b) << 16 |
           static_cast<std::uint32_t>(c) << 8 | static_cast<std::uint32_t>(d);
}
std::string entry(std::uint32_t address, std::uint16_t port) { return FakeWorld::entry({address, port}); }
std::string list(const std::string& entries) { return kOob + "getserversResponse" + entries; }

}  // namespace

TEST(MasterReply, ReadsEveryShapeRealMastersSend) {
    const std::string a = entry(ip(1, 2, 3, 4), 27960), b = entry(ip(5, 6, 7, 8), 27961);
    std::string ipv6 = "/" + std::string(16, '\x20') + "\x6d\x38";
    const struct {
        const char* what;
        std::string datagram;
        std::uint32_t master;
        std::size_t entries;  // npos: no reply at all
        bool end;
    } rows[] = {
        {"two entries and EOT", list(a + b + kEot), kPublicMaster, 2, true},
        {"EOT on this datagram too", list(a + kEot), kPublicMaster, 1, true},
        {"no EOT: more to come", list(a + b), kPublicMaster, 2, false},
        {"a backslash after the last entry", list(a + b + "\\"), kPublicMaster, 2, false},
        {"a bare EOT at the very end", list(a + "\\EOT"), kPublicMaster, 1, true},
        {"a line end before the entries", kOob + "getserversResponse\n" + a + kEot, kPublicMaster, 1, true},
        {"IPv6 entries are skipped", list(a + ipv6 + b + kEot), kPublicMaster, 2, true},
        {"an entry cut short", list(a + b.substr(0, 4)), kPublicMaster, 1, false},
        {"a repeat is read once", list(a + a + b), kPublicMaster, 2, false},
        {"port 0 is dropped", list(entry(ip(1, 2, 3, 4), 0) + b), kPublicMaster, 1, false},
        {"garbage ends the datagram", list(a + "xyz" + b), kPublicMaster, 1, false},
        {"nothing after EOT counts", list(a + kEot + b), kPublicMaster, 1, true},
        {"an empty list", list(kEot), kPublicMaster, 0, true},
        {"private ranges from a public master",
         list(entry(ip(10, 0, 0, 1), 1) + entry(ip(192, 168, 1, 1), 1) + entry(ip(127, 0, 0, 1), 1) +
              entry(ip(172, 16, 0, 1), 1) + entry(ip(100, 64, 0, 1), 1) + entry(ip(169, 254, 1, 1), 1) +
              entry(ip(224, 0, 0, 1), 1) + entry(ip(255, 255, 255, 255), 1) + entry(ip(0, 1, 2, 3), 1) + a),
         kPublicMaster, 1, false},
        {"a master on 127.0.0.1 lists 127/8",
         list(entry(kLocal, 27960) + entry(ip(127, 9, 9, 9), 1) + entry(ip(10, 0, 0, 1), 1) + a), kLocal, 3, false},
        {"a LAN master lists its LAN, never broadcast",
         list(entry(ip(192, 168, 0, 7), 27960) + entry(ip(255, 255, 255, 255), 27960)), ip(192, 168, 0, 2), 1, false},
        {"another command", kOob + "getserversExtResponse" + a, kPublicMaster, std::string::npos, false},
        {"no out-of-band mark", "getserversResponse" + a, kPublicMaster, std::string::npos, false},
        {"the blocked servers' reply is another command", kOob + "getBlockedServersResponse" + a, kPublicMaster,
         std::string::npos, false},
    };
    for (const auto& row : rows) {
        const auto reply = parseListReply(row.datagram, servers::kServersResponse, row.master);
        ASSERT_EQ(reply.has_value(), row.entries != std::string::npos) << row.what;
        if (!reply) continue;
        EXPECT_EQ(reply->entries.size(), row.entries) << row.what;
        EXPECT_EQ(reply->endOfList, row.end) << row.what;
    }
    const auto first = parseListReply(list(b + a), servers::kServersResponse, kPublicMaster);
    ASSERT_TRUE(first);
    EXPECT_EQ(first->entries[0], (Endpoint{ip(5, 6, 7, 8), 27961})) << "network order, in the order sent";
    std::string many;
    for (int i = 0; i < 5000; ++i) many += entry(ip(1, 1, i / 256, i % 256), 27960);
    EXPECT_EQ(parseListReply(list(many), servers::kServersResponse, kPublicMaster, 4096)->entries.size(), 4096u);
    servers::ServerSet set;
    EXPECT_EQ(set.add(parseListReply(list(many), servers::kServersResponse, kPublicMaster, 5000)->entries).size(),
              4096u)
        << "the merged list stops at 4,096 as well";
}

TEST(MasterReply, PublicRangesAtTheirEdges) {
    const struct {
        std::uint32_t address;
        bool isPublic;
    } rows[] = {
        {ip(0, 255, 255, 255), false},   {ip(1, 0, 0, 0), true},          {ip(9, 255, 255, 255), true},
        {ip(10, 0, 0, 0), false},        {ip(11, 0, 0, 0), true},         {ip(100, 63, 255, 255), true},
        {ip(100, 64, 0, 0), false},      {ip(100, 127, 255, 255), false}, {ip(100, 128, 0, 0), true},
        {ip(127, 255, 255, 255), false}, {ip(169, 253, 0, 1), true},      {ip(169, 254, 0, 1), false},
        {ip(172, 15, 255, 255), true},   {ip(172, 16, 0, 0), false},      {ip(172, 31, 255, 255), false},
        {ip(172, 32, 0, 0), true},       {ip(192, 167, 0, 1), true},      {ip(192, 168, 44, 1), false},
        {ip(223, 255, 255, 255), true},  {ip(224, 0, 0, 1), false},       {ip(239, 1, 1, 1), false},
        {ip(240, 0, 0, 1), false},       {ip(255, 255, 255, 255), false},
    };
    for (const auto& row : rows)
        EXPECT_EQ(servers::publicAddress(row.address), row.isPublic) << servers::dotted(row.address);
}

TEST(MasterSettings, SlotsDefaultsAndTheBlockListMaster) {
    const struct {
        const char* what;
        const char* ini;
        std::vector<std::string> masters;
        const char* blockList;
    } rows[] = {
        {"no section: the two masters of today",
         "[Paths]\r\netPath=C:\\ET\r\n",
         {"master.etlegacy.com:27950", "etmaster.idsoftware.com:27950"},
         "master.etlegacy.com:27950"},
        {"one master on this machine, the rest free",
         "[Masters]\r\nMaster1=127.0.0.1:27999\r\nMaster2=\r\n",
         {"127.0.0.1:27999"},
         "127.0.0.1:27999"},
        {"an empty section asks nobody", "[Masters]\r\n", {}, nullptr},
        {"a port of its own, or 27950",
         "[masters]\r\nMaster2=a.example\r\nMaster5= b.example:1 \r\n",
         {"a.example:27950", "b.example:1"},
         nullptr},
        {"nonsense and repeats are left out",
         "[Masters]\r\nMaster1=x y\r\nMaster2=h:0\r\nMaster3=h:99999\r\nMaster4=H:27950\r\nMaster5=h\r\n",
         {"H:27950"},
         nullptr},
    };
    for (const auto& row : rows) {
        const auto s = servers::masterSettings(settings::IniDocument(row.ini));
        std::vector<std::string> shown;
        for (const auto& m : s.masters) shown.push_back(m.shown);
        EXPECT_EQ(shown, row.masters) << row.what;
        EXPECT_EQ(s.blockList ? s.blockList->shown : std::string("none"), row.blockList ? row.blockList : "none")
            << row.what;
    }
}

namespace {

struct RoundFixture : ::testing::Test {
    platform::fake::FakeNetwork net;
    platform::fake::FakeFileSystem fs;
    FakeWorld world{net};
    servers::WorldRound round{net, fs};
    const Endpoint master{kLocal, 27950};

    servers::MasterSettings only(const Endpoint& m) {
        return {{*servers::masterAddress(servers::dotted(m.address) + ":" + std::to_string(m.port))}, std::nullopt};
    }
    // Polls every `step` ms until the round is over or `limit` ms have passed.
    void run(std::uint64_t step = 10, std::uint64_t limit = 20000) {
        for (std::uint64_t t = 0; t < limit && !round.finished(); t += step) {
            world.advance(step);
            round.poll(net.now);
        }
    }
    std::size_t statusSends() const {
        std::size_t n = 0;
        for (const auto& s : net.sent)
            if (s.bytes.find("getstatus") != std::string::npos) ++n;
        return n;
    }
};

}  // namespace

TEST_F(RoundFixture, AThousandServersAreAskedAtThePaceAndTheRoundEndsInTime) {
    auto& m = world.master(master);
    m.list = world.populate(kLocal, 30000, 1000, 20, 180, 20);  // 50 silent
    m.perDatagram = 111;
    m.eotEveryDatagram = true;
    round.start(only(master), "C:\\ET", net.now);
    run();
    ASSERT_TRUE(round.finished());
    EXPECT_EQ(round.rows().size(), 1000u);
    EXPECT_EQ(round.answered(), 950u);
    EXPECT_EQ(round.requests(), 1050u) << "one resend for each silent server, none for the slow ones";
    const auto took = *round.finishedAt() - *round.firstListAt();
    EXPECT_LE(took, 2920u) << "the pace (2.1 s with the resends) and one give-up (0.8 s)";
    EXPECT_GE(took, 2000u);
    // Never more than one request per 2 ms, counted over any stretch of the round.
    std::vector<std::uint64_t> at;
    for (const auto& s : net.sent)
        if (s.bytes.find("getstatus") != std::string::npos) at.push_back(s.at);
    for (std::size_t i = 0; i + 50 < at.size(); ++i)
        EXPECT_GE(at[i + 50] - at[i], 100u - servers::kPaceCatchUpMs) << "51 requests within 100 ms at " << at[i];
    // Pings are from the first request to the answer.
    for (const auto& row : round.rows()) {
        const int rtt = world.server({kLocal, row.address.port}).rttMs;
        if (row.state == servers::ServerRow::State::Answered) {
            EXPECT_GE(row.pingMs, rtt);
            EXPECT_LE(row.pingMs, rtt + 10);
        }
    }
}

// The window reads a copy that the round brings up to date by the rows that changed;
// the buddy watch asks the servers of the round before without a master.
TEST_F(RoundFixture, TheWindowsCopyFollowsTheRoundAndARoundOfKnownServersAsksNoMaster) {
    auto& m = world.master(master);
    m.list = world.populate(kLocal, 30000, 60, 20, 180, 10);
    m.perDatagram = 25;
    round.start(only(master), "C:\\ET", net.now);
    servers::WorldState copy;
    const auto same = [&](const char* when) {
        round.copyTo(copy);
        ASSERT_EQ(copy.rows.size(), round.rows().size()) << when;
        for (std::size_t i = 0; i < copy.rows.size(); ++i) {
            EXPECT_EQ(copy.rows[i].state, round.rows()[i].state) << when << ", row " << i;
            EXPECT_EQ(copy.rows[i].facts.hostName, round.rows()[i].facts.hostName) << when << ", row " << i;
            EXPECT_EQ(copy.asked[i], round.state().asked[i]) << when << ", row " << i;
        }
        EXPECT_EQ(copy.answered, round.answered()) << when;
        EXPECT_EQ(copy.finished(), round.finished()) << when;
    };
    for (int step = 0; step < 300 && !round.finished(); ++step) {
        world.advance(7);
        round.poll(net.now);
        if (step % 3 == 0) same("while the round runs");
    }
    ASSERT_TRUE(round.finished());
    same("at the end");
    const int masterRequests = m.requests;
    const auto known = round.listedServers();
    const std::size_t sentBefore = statusSends();
    round.start(only(master), "C:\\ET", net.now, &known);
    run();
    same("a round of the servers known");
    EXPECT_EQ(m.requests, masterRequests) << "no master is asked";
    EXPECT_EQ(round.rows().size(), 60u);
    EXPECT_EQ(round.answered(), 54u);
    EXPECT_EQ(statusSends() - sentBefore, 66u) << "each server once, the silent ones twice";
    EXPECT_EQ(servers::roundStatus(round.state()), " 54 of 60 servers answered, 0 players");
}

TEST_F(RoundFixture, PolledEveryMillisecondTheRequestsAreTwoMillisecondsApart) {
    world.master(master).list = world.populate(kLocal, 30000, 100, 20, 20);
    round.start(only(master), "C:\\ET", net.now);
    run(1);
    ASSERT_TRUE(round.finished());
    std::uint64_t last = 0;
    bool first = true;
    for (const auto& s : net.sent) {
        if (s.bytes.find("getstatus") == std::string::npos) continue;
        if (!first) {
            EXPECT_GE(s.at - last, servers::kPaceMs);
        }
        first = false;
        last = s.at;
    }
    EXPECT_EQ(round.answered(), 100u);
}

TEST_F(RoundFixture, ASlowServerIsAskedTwiceAndGivenUpAt800Ms) {
    const Endpoint slow{kLocal, 30000};
    world.master(master).list = {slow};
    world.server(slow).rttMs = 850;  // both answers come after the give-up
    round.start(only(master), "C:\\ET", net.now);
    run(1);
    ASSERT_EQ(round.rows().size(), 1u);
    EXPECT_EQ(round.rows()[0].state, servers::ServerRow::State::NoAnswer);
    ASSERT_EQ(statusSends(), 2u);
    std::vector<std::uint64_t> at;
    for (const auto& s : net.sent)
        if (s.bytes.find("getstatus") != std::string::npos) at.push_back(s.at);
    EXPECT_EQ(at[1] - at[0], servers::kResendMs);
    EXPECT_EQ(*round.finishedAt() - at[0], servers::kAnswerMs);

    world.server(slow).rttMs = 500;  // the first request's answer comes after the resend went
    round.start(only(master), "C:\\ET", net.now);
    run(1);
    EXPECT_EQ(round.rows()[0].state, servers::ServerRow::State::Answered);
    EXPECT_EQ(round.rows()[0].pingMs, 500) << "from the first request, not the resend";
}

TEST_F(RoundFixture, MastersThatSplitRepeatLieOrStaySilent) {
    const Endpoint second{kLocal, 27951}, liar{kLocal, 27952}, silent{kLocal, 27953}, chatty{kLocal, 27954};
    auto servers = world.populate(kLocal, 30000, 300, 20, 40);
    auto& a = world.master(master);
    a.list.assign(servers.begin(), servers.begin() + 200);
    a.perDatagram = 7;
    a.trailingBackslash = true;
    auto& b = world.master(second);
    b.list.assign(servers.begin() + 150, servers.end());  // 50 in common
    world.master(liar).list = world.populate(ip(8, 8, 8, 8), 1, 10);
    world.master(liar).answerFromPort = 40000;
    world.master(silent).silent = true;
    auto& c = world.master(chatty);
    c.list = world.populate(kLocal, 31000, 200, 20, 40);
    c.perDatagram = 1;  // 200 datagrams
    servers::MasterSettings s;
    for (const auto& m : {master, second, liar, silent, chatty}) s.masters.push_back(only(m).masters[0]);
    round.start(s, "C:\\ET", net.now);
    run();
    ASSERT_TRUE(round.finished());
    EXPECT_EQ(round.rows().size(), 500u) << "merged, each server once; nothing from the wrong port";
    EXPECT_EQ(round.answered(), 500u);
    EXPECT_EQ(world.master(silent).requests, 2) << "asked once more after 2 s";
    EXPECT_EQ(world.master(liar).requests, 2) << "its answers from another port do not count";
    EXPECT_GE(*round.finishedAt() - *round.startedAt(), servers::kMasterGiveUpMs);
    std::vector<std::string> silentOnes;
    for (const auto& m : round.masters())
        if (m.phase == servers::MasterState::Phase::Silent) silentOnes.push_back(m.address.shown);
    EXPECT_EQ(silentOnes, (std::vector<std::string>{"127.0.0.1:27952", "127.0.0.1:27953"}));
}

TEST_F(RoundFixture, ANameThatDoesNotResolveNeverHoldsTheRound) {
    net.names["nowhere.example"] = std::nullopt;
    world.master(master).list = world.populate(kLocal, 30000, 3);
    servers::MasterSettings s = only(master);
    s.masters.push_back(*servers::masterAddress("nowhere.example"));
    s.masters.push_back(*servers::masterAddress("pending.example"));
    round.start(s, "C:\\ET", net.now);
    run();
    ASSERT_TRUE(round.finished());
    EXPECT_EQ(round.answered(), 3u);
    EXPECT_EQ(*round.finishedAt() - *round.startedAt(), servers::kMasterGiveUpMs) << "a lookup that hangs is given up";
}

TEST_F(RoundFixture, BlockedServersAreNotShownAndTheListIsAskedOnlyOfItsMasterAtMostEvery30s) {
    auto list = world.populate(kLocal, 30000, 20, 20, 20);
    auto& m = world.master(master);
    m.list = list;
    m.blocked = {list[3], list[17], {ip(9, 9, 9, 9), 27960}};
    m.rttMs = 100;  // the list of blocked servers comes after some servers were asked
    servers::MasterSettings s = only(master);
    s.blockList = s.masters[0];
    round.start(s, "C:\\ET", net.now);
    run();
    ASSERT_TRUE(round.finished());
    EXPECT_EQ(round.rows().size(), 18u);
    for (const auto& row : round.rows()) EXPECT_NE(row.address.port, list[3].port);
    EXPECT_EQ(round.answered(), 18u);
    EXPECT_EQ(m.blockRequests, 1);

    world.advance(10000);
    round.start(s, "C:\\ET", net.now);
    run();
    EXPECT_EQ(m.blockRequests, 1) << "asked 10 s ago: the list still stands";
    EXPECT_EQ(round.rows().size(), 18u);

    world.advance(6 * 60 * 1000);
    m.blocked = {list[3]};
    m.blockRttMs = 4500;  // the answer to the blocked servers comes too late to count
    round.start(s, "C:\\ET", net.now);
    run();
    EXPECT_EQ(m.blockRequests, 2);
    EXPECT_EQ(round.rows().size(), 20u) << "an old list is valid for 5 minutes only";
}

TEST_F(RoundFixture, ABlockListFromAnyoneElseIsIgnored) {
    auto list = world.populate(kLocal, 30000, 5, 20, 20);
    world.master(master).list = list;
    servers::MasterSettings s = only(master);
    s.blockList = s.masters[0];
    round.start(s, "C:\\ET", net.now);
    net.inbox.push_back({{kLocal, 27999}, kOob + "getBlockedServersResponse" + FakeWorld::entry(list[0]) + kEot});
    run();
    EXPECT_EQ(round.rows().size(), 5u);
}

TEST_F(RoundFixture, NothingIsSentWithoutAskingAndStopClosesTheSocket) {
    EXPECT_TRUE(net.sent.empty());
    EXPECT_FALSE(round.poll(net.now));
    world.master(master).list = world.populate(kLocal, 30000, 50);
    round.start(only(master), "C:\\ET", net.now);
    world.advance(100);
    round.poll(net.now);
    round.stop();
    EXPECT_FALSE(net.isOpen());
    const auto sent = net.sent.size();
    world.advance(100);
    round.poll(net.now);
    EXPECT_EQ(net.sent.size(), sent);
}

namespace {

servers::ServerRow answered(const std::string& host, const std::string& map, int humans, int bots, int slots, int ping,
                            bool password = false, const std::string& mod = "") {
    servers::ServerRow r;
    r.state = servers::ServerRow::State::Answered;
    r.hasFacts = true;
    r.facts.hostName = host;
    r.facts.map = map;
    r.facts.mod = mod.empty() ? "etmain" : mod;
    r.facts.modFolder = mod;
    r.facts.maxPlayers = slots;
    r.facts.claimedClients = slots;
    r.facts.password = password;
    for (int i = 0; i < humans; ++i) r.facts.players.push_back({0, 40, "Human" + std::to_string(i), ""});
    for (int i = 0; i < bots; ++i) r.facts.players.push_back({0, 0, "Bot" + std::to_string(i), ""});
    r.pingMs = ping;
    return r;
}

}  // namespace

TEST(WorldRows, PlayersCellsAndGameTypes) {
    auto fake = answered("f", "oasis", 5, 0, 20, 30);
    fake.facts.claimedClients = 999;
    auto overfull = answered("o", "oasis", 9, 0, 8, 30);
    overfull.facts.claimedClients = 8;
    const struct {
        servers::ServerRow row;
        const char* players;
    } rows[] = {
        {answered("a", "oasis", 12, 4, 20, 30), "12+4/20"},
        {answered("b", "oasis", 14, 0, 20, 30), "14/20"},
        {answered("c", "oasis", 0, 0, 20, 30), "0/20"},
        {fake, "fake?"},
        {overfull, "fake?"},
    };
    for (const auto& r : rows) EXPECT_EQ(servers::worldPlayersText(r.row.facts), r.players) << r.row.facts.hostName;
    const std::pair<const char*, const char*> types[] = {
        {"2", "Single-Map Objective"}, {"3", "Stopwatch"}, {"4", "Campaign"}, {"5", "Last Man Standing"},
        {"6", "Map Voting"},           {"0", "0"},         {"7", "7"},        {"", ""}};
    for (const auto& [number, name] : types) EXPECT_EQ(servers::gameTypeName(number), name);
    const auto cells = servers::worldCells(answered("a", "oasis", 1, 1, 8, 30));
    ASSERT_EQ(cells.size(), static_cast<std::size_t>(servers::kWorldColumns));
    EXPECT_EQ(cells[servers::kWorldPlayers].text, "1+1/8");
}

TEST(WorldRows, FiltersKeepWhatMatches) {
    auto missingMap = answered("Map Fans", "et_ufo", 3, 0, 20, 40);
    missingMap.mapInstalled = false;
    auto withPlayer = answered("Quiet", "radar", 2, 0, 20, 40);
    withPlayer.facts.players[0].name = "OasisLover";
    servers::ServerRow silent;
    silent.state = servers::ServerRow::State::NoAnswer;
    const std::vector<servers::ServerRow> rows = {
        answered("Red Oasis", "fueldump", 20, 0, 20, 30),            // 0: full
        answered("Empty", "oasis", 0, 0, 20, 30),                    // 1: empty, map oasis
        answered("Locked", "goldrush", 4, 0, 20, 30, true),          // 2: password
        answered("Jay", "goldrush", 4, 0, 20, 30, false, "jaymod"),  // 3: a mod we lack
        missingMap,                                                  // 4
        withPlayer,                                                  // 5: a player named Oasis...
        silent,                                                      // 6
    };
    const servers::HaveMod have = [](const std::string& mod) { return mod.empty() || mod == "etpro"; };
    auto kept = [&](const servers::WorldFilter& f) {
        std::string out;
        for (std::size_t i = 0; i < rows.size(); ++i)
            if (servers::passes(rows[i], f, have)) out += std::to_string(i);
        return out;
    };
    const struct {
        const char* what;
        servers::WorldFilter filter;
        const char* kept;
    } cases[] = {
        {"no filter: every row", {}, "0123456"},
        {"text in host, map or player, any case", {.text = "OASIS"}, "015"},
        {"text in the mod", {.text = "jay"}, "3"},
        {"hide full", {.hideFull = true}, "12345"},
        {"hide empty", {.hideEmpty = true}, "02345"},
        {"hide passworded", {.hidePassworded = true}, "01345"},
        {"only mods I have", {.onlyMyMods = true}, "01245"},
        {"only maps I have", {.onlyMyMaps = true}, "01235"},
        {"all together",
         {.text = "o",
          .hideFull = true,
          .hideEmpty = true,
          .hidePassworded = true,
          .onlyMyMods = true,
          .onlyMyMaps = true},
         "5"},
    };
    for (const auto& c : cases) EXPECT_EQ(kept(c.filter), c.kept) << c.what;
}

TEST(WorldRows, SortPutsFakeAndSilentRowsLast) {
    auto fake = answered("Fake", "oasis", 60, 0, 64, 5);
    fake.facts.claimedClients = 128;
    servers::ServerRow silent;
    silent.state = servers::ServerRow::State::NoAnswer;
    const std::vector<servers::ServerRow> rows = {silent, fake, answered("B", "x", 3, 9, 20, 80),
                                                  answered("A", "y", 5, 0, 20, 20), answered("C", "z", 3, 0, 20, 10)};
    const std::vector<std::size_t> all = {0, 1, 2, 3, 4};
    EXPECT_EQ(servers::worldOrder(rows, all, servers::kWorldPlayers, true), (std::vector<std::size_t>{3, 2, 4, 1, 0}))
        << "humans first, then bots; fake counts and silent rows last";
    EXPECT_EQ(servers::worldOrder(rows, all, servers::kWorldPing, false), (std::vector<std::size_t>{4, 3, 2, 1, 0}));
    EXPECT_EQ(servers::worldOrder(rows, all, servers::kWorldHost, false), (std::vector<std::size_t>{3, 2, 4, 1, 0}));
    EXPECT_EQ(servers::worldOrder(rows, {4, 2}, servers::kWorldHost, true), (std::vector<std::size_t>{4, 2}));
}

TEST(QuickJoin, ChoosesTheBestServerThatQualifies) {
    auto fake = answered("Fake", "oasis", 30, 0, 64, 5);
    fake.facts.claimedClients = 200;
    auto noMap = answered("NoMap", "et_ufo", 19, 0, 20, 5);
    noMap.mapInstalled = false;
    const servers::HaveMod have = [](const std::string& mod) { return mod.empty(); };
    const struct {
        const char* what;
        std::vector<servers::ServerRow> rows;
        std::optional<std::size_t> choice;
    } cases[] = {
        {"the most humans wins", {answered("a", "m", 3, 0, 20, 10), answered("b", "m", 9, 0, 20, 90)}, 1},
        {"bots do not count", {answered("a", "m", 3, 10, 20, 10), answered("b", "m", 4, 0, 20, 90)}, 1},
        {"equal humans: the lowest ping", {answered("a", "m", 5, 0, 20, 60), answered("b", "m", 5, 0, 20, 30)}, 1},
        {"equal in all: the first listed", {answered("a", "m", 5, 0, 20, 30), answered("b", "m", 5, 0, 20, 30)}, 0},
        {"full, passworded, fake, a mod or a map missing: none",
         {answered("full", "m", 20, 0, 20, 10), answered("pw", "m", 1, 0, 20, 10, true), fake, noMap,
          answered("mod", "m", 10, 0, 20, 10, false, "jaymod")},
         std::nullopt},
        {"an empty server still qualifies",
         {answered("full", "m", 20, 0, 20, 10), answered("e", "m", 0, 0, 20, 50)},
         1},
        {"no answer, no choice", {servers::ServerRow{}}, std::nullopt},
    };
    for (const auto& c : cases) EXPECT_EQ(servers::quickJoinChoice(c.rows, have), c.choice) << c.what;
}

TEST(WorldList, TypingFiltersAndTheSelectionStaysOnItsServer) {
    std::vector<servers::ServerRow> rows = {answered("Alpha Oasis", "oasis", 3, 0, 20, 50),
                                            answered("Bravo", "radar", 9, 0, 20, 20),
                                            answered("Charlie", "goldrush", 5, 0, 20, 30)};
    for (std::size_t i = 0; i < rows.size(); ++i) rows[i].address.shown = "1.1.1." + std::to_string(i + 1) + ":27960";
    servers::WorldList list;
    list.sortColumn = servers::kWorldPing;
    list.refresh(rows, {});
    EXPECT_EQ(list.shown(), (std::vector<std::size_t>{1, 2, 0}));
    list.select(1, rows);  // Charlie
    EXPECT_FALSE(list.type(' ')) << "only letters and digits filter";
    EXPECT_TRUE(list.type('o'));
    list.refresh(rows, {});
    EXPECT_EQ(list.shown(), (std::vector<std::size_t>{1, 2, 0})) << "o: in Bravo, goldrush and Oasis";
    list.type('A');
    list.refresh(rows, {});
    EXPECT_EQ(list.shown(), (std::vector<std::size_t>{0}));
    EXPECT_EQ(list.filterStatus(3), " Filter: oA  -  1 of 3 servers");
    EXPECT_EQ(list.selectedAt(), -1) << "the selected server is filtered out";
    EXPECT_TRUE(list.backspace());
    list.refresh(rows, {});
    EXPECT_EQ(list.selectedAt(), 1) << "and back where it was";
    rows[2].pingMs = 5;
    list.refresh(rows, {}, true);
    EXPECT_EQ(list.shown(), (std::vector<std::size_t>{1, 2, 0})) << "under the mouse the rows stay put";
    list.refresh(rows, {});
    EXPECT_EQ(list.shown(), (std::vector<std::size_t>{2, 1, 0}));
    EXPECT_EQ(list.selectedAt(), 0) << "the selection moves with its server";
    EXPECT_TRUE(list.escape()) << "Escape clears the filter first";
    EXPECT_FALSE(list.escape()) << "then closes the list";
    EXPECT_FALSE(list.backspace());
}

TEST_F(RoundFixture, TheStatusLineFollowsTheRound) {
    EXPECT_EQ(servers::roundStatus(round.state()), servers::text::kNoMasters);
    const Endpoint silent{kLocal, 27951};
    world.master(silent).silent = true;
    auto& m = world.master(master);
    m.list = world.populate(kLocal, 30000, 3, 20, 20, 3);
    world.server(m.list[0]).players = "5 40 \"a\"\n5 0 \"bot\"\n";
    servers::MasterSettings s = only(master);
    s.masters.push_back(only(silent).masters[0]);
    round.start(s, "C:\\ET", net.now);
    EXPECT_EQ(servers::roundStatus(round.state()), " Asking the master servers ...");
    world.advance(50);
    round.poll(net.now);
    EXPECT_EQ(servers::roundStatus(round.state()), " Asking 3 servers ...");
    run();
    EXPECT_EQ(servers::roundStatus(round.state()),
              " 2 of 3 servers answered, 1 player  -  no answer from 127.0.0.1:27951");
    world.master(master).silent = true;
    round.start(only(master), "C:\\ET", net.now);
    run();
    EXPECT_EQ(servers::roundStatus(round.state()), " No master server answered: 127.0.0.1:27950");
}

}  // namespace vexal::testing
